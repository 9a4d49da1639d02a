#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/program.h"
#include "support/fake_services.h"
#include "support/memory_backend.h"
#include "support/ui.h"

namespace marquill::test {

inline const std::string kOpt = "frmOptMain";

// The program with both folders filled in, the Options dialog one menu
// click away.
class OptionsDialog : public ::testing::Test {
 protected:
  OptionsDialog() {
    program.Start();
    ui.Paste("frmMain", "txtSrcPath", "C:\\Src");
    ui.Paste("frmMain", "txtDestPath", "D:\\Dst");
  }

  void Open() { ui.Menu("frmMain", "mnuToolsOptions"); }
  void Click(const std::string& control, int index = -1) { ui.Click(kOpt, control, index); }
  int Check(const std::string& control, int index = -1) { return ui.Check(kOpt, control, index); }
  void Clear(const std::string& box) { ui.At(kOpt, box).text.clear(); }
  long Loads(const std::string& form) const {
    return std::count(backend.created.begin(), backend.created.end(), form);
  }

  // Presses the run button; the switches its confirmation shows after the
  // two folders.
  std::string Switches() {
    ui.Click("frmMain", "cmdRun");
    const std::string head = "robocopy.exe \"C:\\Src\" \"D:\\Dst\"";
    const std::string text = fakes.messages.shown.back().text;
    EXPECT_EQ(text.substr(0, head.size()), head);
    return text.substr(std::min(head.size(), text.size()));
  }

  MemoryBackend backend;
  FakeServices fakes;
  Program program{backend, fakes.services};
  Ui ui{backend};
  OptionSlots& slots = program.slots;
};

}  // namespace marquill::test
