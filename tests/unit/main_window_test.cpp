#include <gtest/gtest.h>

#include "app/program.h"
#include "support/fake_services.h"
#include "support/memory_backend.h"
#include "support/ui.h"

namespace marquill::test {
namespace {

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() { program.Start(); }

  void TypeFolders(const std::string& source, const std::string& destination) {
    ui.Paste("frmMain", "txtSrcPath", source);
    ui.Paste("frmMain", "txtDestPath", destination);
  }

  MemoryBackend backend;
  FakeServices fakes;
  Program program{backend, fakes.services};
  Ui ui{backend};
};

TEST_F(MainWindow, StartsWithEmptyFieldsMatchingTickedAndStartValues) {
  EXPECT_TRUE(ui.IsVisible("frmMain"));
  EXPECT_EQ(ui.Window("frmMain").caption, "Marquill 1.0");
  EXPECT_EQ(ui.Text("frmMain", "txtSrcPath"), "");
  EXPECT_EQ(ui.Text("frmMain", "txtDestPath"), "");
  EXPECT_EQ(ui.Check("frmMain", "chkMatchDest"), 1);
  EXPECT_EQ(program.slots.JoinedOptions(), " /S");
}

TEST_F(MainWindow, RunShowsPreviewAndLaunchesOnOk) {
  TypeFolders("C:\\Data\\", "D:\\Backup\\");
  fakes.messages.answers = {MsgResult::Ok};
  ui.Click("frmMain", "cmdRun");
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, "robocopy.exe \"C:\\Data\" \"D:\\Backup\" /S");
  EXPECT_EQ(fakes.messages.shown[0].title, "Continue?");
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(fakes.launcher.launches[0].commandLine,
            "C:\\Tools\\robocopy.exe \"C:\\Data\" \"D:\\Backup\" /S");
  EXPECT_EQ(fakes.launcher.launches[0].application, "C:\\Tools\\robocopy.exe");
}

}  // namespace
}  // namespace marquill::test
