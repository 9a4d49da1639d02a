#pragma once

#include <map>
#include <string>

#include "driver.h"
#include "e2e_env.h"

// A marquill.exe started for one test, with its main window shown and the
// fake engine recording into a file of its own. Ended at teardown if the test
// has not ended it.
namespace marquill::e2e {

inline constexpr char kMainTitle[] = "Marquill 1.0";

// The main window's controls where the layout puts them (96-dpi pixels).
inline constexpr Rect96 kBrowseSourceRect{216, 38, 65, 19};
inline constexpr Rect96 kBrowseDestinationRect{216, 80, 65, 19};
inline constexpr Rect96 kRunRect{32, 128, 80, 23};
inline constexpr Rect96 kQuitRect{128, 128, 80, 23};
inline constexpr Rect96 kMatchDestRect{32, 104, 249, 17};
inline constexpr Rect96 kPreviewRect{216, 128, 65, 23};
inline constexpr Rect96 kStatusRect{32, 156, 249, 40};

class MarquillApp {
 public:
  // `show`: the show state it is started with (none given when -1).
  explicit MarquillApp(const std::string& programFolder = ProgramFolder(),
                       std::map<std::string, std::string> environment = {}, int show = -1);

  const std::string& folder() const { return folder_; }
  const Process& process() const { return process_; }
  HWND main() const { return main_; }
  // Where the fake robocopy.exe records the starts of this run.
  const std::string& engineRecord() const { return engineRecord_; }

  // The folder fields, first in tab order, so first of the edits at any scale.
  HWND SourceField() const { return ChildrenOf(main_, "Edit").at(0); }
  HWND DestinationField() const { return ChildrenOf(main_, "Edit").at(1); }
  HWND RunButton() const { return FindChild(main_, "Button", "RoboCopy"); }
  HWND QuitButton() const { return FindChild(main_, "Button", "&Quit"); }

  // Types both folders into their fields (as window text, not keys).
  void SetFolders(const std::string& source, const std::string& destination) const;
  // Clicks `button` and waits for the message box it opens.
  MessageBoxView ClickForBox(HWND button, const std::string& boxTitle) const;
  // Waits until the program's thread is back at its message loop, so that
  // whatever the last handler did has been done.
  void WaitUntilIdle() const;

 private:
  std::string folder_;
  std::string engineRecord_;
  Process process_;
  HWND main_;
};

}  // namespace marquill::e2e
