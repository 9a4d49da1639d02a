// The real marquill.exe under Wine: a job saved through the system's Save box,
// then opened again through the Open box (Ctrl+O) and by naming it on the
// command line, confirms the same command each time.
#include <gtest/gtest.h>

#include "marquill_app.h"

#include <dlgs.h>

namespace marquill::e2e {
namespace {

constexpr char kJobTitle[] = "weekly.rcj - Marquill 1.0";

// The system's Open or Save box, once the program shows one.
HWND FileBoxOf(const Process& process) {
  for (HWND window : ShownTopWindowsOf(process.Id()))
    if (ClassOf(window) == "#32770" && (GetDlgItem(window, cmb13) || GetDlgItem(window, edt1)))
      return window;
  return nullptr;
}

// Types `path` as the file name and presses the box's OK button.
void AnswerFileBox(const Process& process, const std::string& path) {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FileBoxOf(process)) != nullptr; }, "the Open or Save box");
  // The file name is typed in the edit of a combo box (of a ComboBoxEx).
  HWND name = GetDlgItem(box, cmb13);
  while (name && ClassOf(name) != "Edit") name = GetWindow(name, GW_CHILD);
  SetText(name ? name : GetDlgItem(box, edt1), path);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

// What the run button asks to confirm; the command is cancelled.
std::string Confirmed(const Process& process, HWND main) {
  Click(FindChild(main, "Button", "RoboCopy"));
  const MessageBoxView box = WaitForMessageBox(process, "Continue?");
  PressMessageBoxButton(box, IDCANCEL);
  return box.text;
}

void Tick(HWND dialog, const std::string& caption) {
  const HWND box = FindChild(dialog, "Button", caption);
  Click(box);
  WaitUntil([&] { return CheckState(box) == BST_CHECKED; }, caption + " ticked");
}

TEST(JobE2E, SavedJobOpensAgainThroughTheOpenBoxAndFromTheCommandLine) {
  const std::string job = FreshScratchPath("weekly.rcj");
  std::string confirmed;
  {
    MarquillApp app;
    app.SetFolders("C:\\Data\\", "D:\\My Backup\\");
    ChooseMenu(app.main(), {"Tools", "Options"});
    const HWND options = WaitForTopWindow(app.process(), "Options");
    Tick(options, "Mirror a Directory Tree ");
    Tick(options, "Exclude Older Files");
    confirmed = Confirmed(app.process(), app.main());
    EXPECT_EQ(confirmed, "robocopy.exe \"C:\\Data\" \"D:\\My Backup\" *.* /E /MIR /XO");
    ChooseMenu(app.main(), {"&File", "Save Job &As..."});
    AnswerFileBox(app.process(), job);
    WaitForTopWindow(app.process(), kJobTitle);
    Close(app.main());  // saved as it stands: no question
    EXPECT_TRUE(app.process().WaitForExit());
  }
  {
    MarquillApp app;
    PressKeyUntil(app.main(), 'O', {VK_CONTROL}, "Ctrl+O",
                  [&] { return FileBoxOf(app.process()) != nullptr; });
    AnswerFileBox(app.process(), job);
    WaitForTopWindow(app.process(), kJobTitle);
    EXPECT_EQ(Confirmed(app.process(), app.main()), confirmed);
  }
  const Process started = Process::Start(ProgramFolder() + "\\marquill.exe", {job});
  EXPECT_EQ(Confirmed(started, WaitForTopWindow(started, kJobTitle)), confirmed);
}

}  // namespace
}  // namespace marquill::e2e
