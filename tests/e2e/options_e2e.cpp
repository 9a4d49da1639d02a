// The real marquill.exe under Wine: the Options dialog and its date pickers,
// driven through window messages and real keys, and read back from the
// "Continue?" box, from the arguments the engine receives and from saved jobs.
#include <gtest/gtest.h>

#include "marquill_app.h"
#include "probe.h"
#include "wide_text.h"

#include <dlgs.h>

namespace marquill::e2e {
namespace {

using Args = std::vector<std::string>;

constexpr char kOptionsTitle[] = "Options";
constexpr char kNewerPickerTitle[] = "Files newer than this date will be excluded";
constexpr char kOlderPickerTitle[] = "Files older than this date will be excluded";

// The dialog's controls stand in the caption-less box fmOption at (8, 8):
// rectangles are given in that box and moved into the client area.
constexpr Rect96 InOptionBox(int left, int top, int width, int height) {
  return {left + 8, top + 8, width, height};
}
constexpr Rect96 kFilesRect = InOptionBox(20, 62, 257, 21);
constexpr Rect96 kMinSizeRect = InOptionBox(189, 387, 88, 21);
constexpr Rect96 kMaxAgeRect = InOptionBox(189, 453, 88, 21);
constexpr Rect96 kMinAgeRect = InOptionBox(189, 478, 88, 21);
constexpr Rect96 kRetryRect = InOptionBox(20, 522, 41, 17);
constexpr Rect96 kLogFileRect = InOptionBox(292, 611, 206, 21);
constexpr Rect96 kAddReadOnlyRect = InOptionBox(616, 45, 120, 17);
constexpr Rect96 kAddHiddenRect = InOptionBox(616, 108, 120, 17);

// Every run copies the same two folders; the preview starts with them.
constexpr char kSource[] = "C:\\Data\\";
constexpr char kDestination[] = "D:\\Backup\\";
const std::string kPreviewStart = "robocopy.exe \"C:\\Data\" \"D:\\Backup\"";

// The picker's calendar starts at this date on every load.
constexpr WORD kDesignYear = 2003, kDesignMonth = 3, kDesignDay = 6;

// A message to a window of the program, answered by its interface thread.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
    throw DriverError("no answer to message " + std::to_string(message));
  return static_cast<LRESULT>(result);
}

// The user's short date, as this Wine prefix formats it.
std::string ShortDate(WORD year, WORD month, WORD day) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  wchar_t text[128] = {};
  const int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128);
  if (length <= 0) throw DriverError("GetDateFormat failed");
  return Utf8(std::wstring_view(text, static_cast<size_t>(length - 1)));
}

// Ticks a check box (or selects an option button) with a click and waits
// until the click has been handled.
void Tick(HWND box) {
  Click(box);
  WaitUntil([&] { return CheckState(box) == BST_CHECKED; }, QuotedTextOf(box) + " ticked");
}

// Moves the keyboard focus to a control the way the dialog manager does.
void FocusOn(HWND dialog, HWND control) {
  Activate(dialog);
  Ask(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  WaitUntil([&] { return FocusIn(dialog) == control; }, "the focus on a control of the dialog");
}

// Chooses the list item at `position` with Home and Down, as a keyboard user
// does in a list one item high.
void ChooseByKeys(HWND dialog, HWND list, int position) {
  FocusOn(dialog, list);
  PressKey(dialog, VK_HOME);
  for (int step = 0; step < position; ++step) PressKey(dialog, VK_DOWN);
  WaitUntil([&] { return Ask(list, LB_GETCURSEL) == position; },
            "item " + std::to_string(position) + " chosen");
}

// Types into a text box with real keys, replacing what it held.
void TypeInto(HWND dialog, HWND box, const std::string& text) {
  FocusOn(dialog, box);
  Ask(box, EM_SETSEL, 0, -1);
  TypeText(dialog, text);
  WaitUntil([&] { return GetText(box) == text; }, "\"" + text + "\" typed");
}

void WaitUntilDestroyed(HWND window) {
  WaitUntil([&] { return !IsWindow(window); }, "a window to be destroyed");
}

// The system's Open or Save box, once the program shows one.
HWND FileBoxOf(const Process& process) {
  for (HWND window : ShownTopWindowsOf(process.Id()))
    if (ClassOf(window) == "#32770" && GetDlgItem(window, cmb13)) return window;
  return nullptr;
}

// Types `path` as the file name (in a ComboBoxEx's edit) and presses OK.
void AnswerFileBox(const Process& process, const std::string& path) {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FileBoxOf(process)) != nullptr; }, "the Open or Save box");
  HWND name = GetDlgItem(box, cmb13);
  while (name && ClassOf(name) != "Edit") name = GetWindow(name, GW_CHILD);
  SetText(name, path);
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

// What the run button showed and the engine received after the two folders.
struct RunSeen {
  std::string preview;
  Args options;
};

// marquill.exe with both folders filled in.
class OptionsE2E : public ::testing::Test {
 protected:
  OptionsE2E() { app.SetFolders(kSource, kDestination); }

  HWND OpenOptions() {
    ChooseMenu(app.main(), {"Tools", "Options"});
    return WaitForTopWindow(app.process(), kOptionsTitle);
  }

  // Presses the main window's run button and accepts the command.
  RunSeen RunCommand() {
    const MessageBoxView box = app.ClickForBox(app.RunButton(), "Continue?");
    PressMessageBoxButton(box, IDOK);
    const auto starts = WaitForInvocations(app.engineRecord(), ++runs_);
    if (starts.size() != runs_) throw DriverError("the engine started more often than asked");
    const Args& argv = starts.back().argv;
    if (argv.size() < 3) throw DriverError("the engine got no folders: " + starts.back().cmdline);
    return {box.text, Args(argv.begin() + 3, argv.end())};
  }

  MarquillApp app;

 private:
  size_t runs_ = 0;
};

TEST_F(OptionsE2E, LoadingSelectsAllSubDirectoriesWhichTheRunSees) {
  const HWND options = OpenOptions();
  EXPECT_EQ(CheckState(FindChild(options, "Button", "Copy All Sub-Directories")), BST_CHECKED);
  EXPECT_EQ(CheckState(FindChild(options, "Button", "Copy Non-Empty Sub-Directories")),
            BST_UNCHECKED);
  const HWND files = FindChildAt(options, "Edit", kFilesRect);
  EXPECT_EQ(GetText(files), "*.*");
  EXPECT_EQ(FocusIn(options), files);
  const HWND retry = FindChildAt(options, "ListBox", kRetryRect);
  EXPECT_EQ(Ask(retry, LB_GETCOUNT), 256);
  EXPECT_EQ(Ask(retry, LB_GETCURSEL), LB_ERR);

  // Leaving the file list for the main window writes its default.
  const RunSeen run = RunCommand();
  EXPECT_EQ(run.preview, kPreviewStart + " *.* /E");
  EXPECT_EQ(run.options, (Args{"*.*", "/E"}));
}

TEST_F(OptionsE2E, SavedChoicesRunAndStayInForceAfterCancel) {
  const HWND options = OpenOptions();
  const HWND mirror = FindChild(options, "Button", "Mirror a Directory Tree ");
  const HWND retry = FindChildAt(options, "ListBox", kRetryRect);
  Tick(mirror);
  ChooseByKeys(options, retry, 3);
  Click(FindChild(options, "Button", "&Save Settings"));
  WaitUntil([&] { return !IsShown(options); }, "the Options dialog hidden");
  EXPECT_TRUE(IsWindow(options));

  const RunSeen saved = RunCommand();
  EXPECT_EQ(saved.preview, kPreviewStart + " *.* /E /MIR /R:3");
  EXPECT_EQ(saved.options, (Args{"*.*", "/E", "/MIR", "/R:3"}));

  // Hidden, not unloaded: it comes back as it was left.
  EXPECT_EQ(OpenOptions(), options);
  EXPECT_EQ(CheckState(mirror), BST_CHECKED);
  EXPECT_EQ(Ask(retry, LB_GETCURSEL), 3);

  Click(FindChild(options, "Button", "&Cancel"));
  WaitUntilDestroyed(options);
  // Loaded again, it shows what still runs.
  const HWND reopened = OpenOptions();
  EXPECT_EQ(CheckState(FindChild(reopened, "Button", "Mirror a Directory Tree ")), BST_CHECKED);
  EXPECT_EQ(Ask(FindChildAt(reopened, "ListBox", kRetryRect), LB_GETCURSEL), 3);
  EXPECT_EQ(RunCommand().options, saved.options);

  // The close box unloads the same way.
  Close(reopened);
  WaitUntilDestroyed(reopened);
  EXPECT_EQ(RunCommand().options, saved.options);
}

TEST_F(OptionsE2E, SizeBoxJudgesOnlyKeysTypedInItAndTakesAKeyboardPaste) {
  ParkPointer();  // message boxes come and go: keep the X focus where it is
  const HWND options = OpenOptions();
  const HWND size = FindChildAt(options, "Edit", kMinSizeRect);
  const HWND check = FindChild(options, "Button", "Minimum File Size (Bytes)");
  EXPECT_FALSE(IsWindowEnabled(size));
  // No input method composes in a size box; the name boxes keep theirs.
  EXPECT_EQ(Probe(size, probe::kInputContext), "0");
  EXPECT_EQ(Probe(FindChildAt(options, "Edit", kFilesRect), probe::kInputContext), "1");
  Tick(check);
  EXPECT_TRUE(IsWindowEnabled(size));

  // Keys are handled in order: a message for a key that went down elsewhere
  // (Tab coming in, Enter or Esc dismissing one) would take the next key.
  FocusOn(options, check);
  PressKeyUntil(options, VK_TAB, {}, "Tab in", [&] { return FocusIn(options) == size; });
  PressKey(options, '1');
  PressKey(options, '2');
  WaitUntil([&] { return GetText(size) == "12"; }, "the digits typed");
  for (WORD dismiss : {VK_RETURN, VK_ESCAPE}) {
    PressKey(options, 'X');
    const MessageBoxView error = WaitForMessageBox(app.process(), "Error");
    EXPECT_EQ(error.text, "Enter A Numeric Value");
    EXPECT_EQ(error.buttons, Args{"OK"});
    EXPECT_EQ(error.icon, IDI_EXCLAMATION);
    PressKeyUntil(error.window, dismiss, {}, "dismissed", [&] { return !IsShown(error.window); });
    PressKeyUntil(options, VK_BACK, {}, "Backspace", [&] { return GetText(size) == "12"; });
    EXPECT_TRUE(ShownTopWindows(app.process().Id(), "Error", "#32770").empty());
  }

  // Ctrl+V judges no key of its chord; Tab after it comes after their releases.
  CopyToClipboard("500");
  Ask(size, EM_SETSEL, 0, -1);
  PressKeyUntil(options, 'V', {VK_CONTROL}, "Ctrl+V", [&] { return GetText(size) == "500"; });
  const HWND maxCheck = FindChild(options, "Button", "Maximum File Size (Bytes)");
  PressKeyUntil(options, VK_TAB, {}, "Tab out", [&] { return FocusIn(options) == maxCheck; });
  const RunSeen run = RunCommand();
  EXPECT_EQ(run.preview, kPreviewStart + " *.* /E /MIN:500");
  EXPECT_EQ(run.options, (Args{"*.*", "/E", "/MIN:500"}));
}

TEST_F(OptionsE2E, NewerThanPickerConfirmsItsDesignDate) {
  const HWND options = OpenOptions();
  const HWND dateBox = FindChildAt(options, "Edit", kMinAgeRect);
  EXPECT_FALSE(IsWindowEnabled(dateBox));
  Tick(FindChild(options, "Button", "Exclude Files Newer Than:"));
  const HWND picker = WaitForTopWindow(app.process(), kNewerPickerTitle);
  EXPECT_TRUE(IsWindowEnabled(dateBox));
  EXPECT_EQ(GetText(dateBox), "");

  Click(FindChild(picker, "Button", "OK"));
  WaitUntilDestroyed(picker);
  EXPECT_EQ(GetText(dateBox), ShortDate(kDesignYear, kDesignMonth, kDesignDay));
  const RunSeen run = RunCommand();
  EXPECT_EQ(run.preview, kPreviewStart + " *.* /E /MINAGE:20030306");
  EXPECT_EQ(run.options, (Args{"*.*", "/E", "/MINAGE:20030306"}));
}

TEST_F(OptionsE2E, PickerConfirmsIntoAnUnloadedDialogWithoutShowingIt) {
  const HWND options = OpenOptions();
  Tick(FindChild(options, "Button", "Exclude Files Older than:"));
  const HWND picker = WaitForTopWindow(app.process(), kOlderPickerTitle);
  Click(FindChild(options, "Button", "&Cancel"));
  WaitUntilDestroyed(options);
  // No date confirmed yet: the bare switch.
  EXPECT_EQ(RunCommand().options, (Args{"*.*", "/E", "/MAXAGE:"}));

  Click(FindChild(picker, "Button", "OK"));
  WaitUntilDestroyed(picker);
  const HWND loaded = FindTopWindow(app.process().Id(), kOptionsTitle);
  ASSERT_NE(loaded, nullptr);
  EXPECT_FALSE(IsShown(loaded));
  EXPECT_EQ(RunCommand().options, (Args{"*.*", "/E", "/MAXAGE:20030306"}));

  // Shown as the load (the bare switch ticked) and the date left it.
  EXPECT_EQ(OpenOptions(), loaded);
  const HWND dateBox = FindChildAt(loaded, "Edit", kMaxAgeRect);
  EXPECT_EQ(GetText(dateBox), ShortDate(kDesignYear, kDesignMonth, kDesignDay));
  EXPECT_TRUE(IsWindowEnabled(dateBox));
  EXPECT_EQ(CheckState(FindChild(loaded, "Button", "Exclude Files Older than:")), BST_CHECKED);
}

TEST_F(OptionsE2E, AttributeLettersJoinInTheirOwnOrder) {
  const HWND options = OpenOptions();
  const HWND readOnly = FindChildAt(options, "Button", kAddReadOnlyRect);
  const HWND hidden = FindChildAt(options, "Button", kAddHiddenRect);
  EXPECT_EQ(TextOf(readOnly), "Read Only");
  EXPECT_EQ(TextOf(hidden), "Hidden");
  EXPECT_FALSE(IsWindowEnabled(hidden));
  Tick(FindChild(options, "Button", "Add the Given Attributes to Copied Files"));
  WaitUntil([&] { return IsWindowEnabled(hidden) && IsWindowEnabled(readOnly); },
            "the letter boxes enabled");
  Tick(hidden);
  Tick(readOnly);

  const RunSeen run = RunCommand();
  EXPECT_EQ(run.preview, kPreviewStart + " *.* /E /a+:RH");
  EXPECT_EQ(run.options, (Args{"*.*", "/E", "/a+:RH"}));
}

TEST_F(OptionsE2E, LogNameWithABlankReachesTheEngineAsOneArgument) {
  const HWND options = OpenOptions();
  TypeInto(options, FindChildAt(options, "Edit", kLogFileRect), "C:\\My Logs\\run.txt");
  Tick(FindChild(options, "Button", "Append Log File"));

  const RunSeen run = RunCommand();
  EXPECT_EQ(run.preview, kPreviewStart + " *.* /E /LOG+:\"C:\\My Logs\\run.txt\"");
  EXPECT_EQ(run.options, (Args{"*.*", "/E", "/LOG+:C:\\My Logs\\run.txt"}));
}

TEST_F(OptionsE2E, FilesTypedThenRunStraightFromTheMainWindow) {
  const HWND options = OpenOptions();
  TypeInto(options, FindChildAt(options, "Edit", kFilesRect), "*.doc *.txt");

  // The focus goes straight to the main window's run button.
  const RunSeen run = RunCommand();
  EXPECT_EQ(run.preview, kPreviewStart + " *.doc *.txt /E");
  EXPECT_EQ(run.options, (Args{"*.doc", "*.txt", "/E"}));
}

TEST_F(OptionsE2E, SavedJobOpensAgainThroughTheOpenBoxAndFromTheCommandLine) {
  const HWND options = OpenOptions();
  Tick(FindChild(options, "Button", "Mirror a Directory Tree "));
  Tick(FindChild(options, "Button", "Exclude Older Files"));
  const std::string confirmed = Confirmed(app.process(), app.main());
  EXPECT_EQ(confirmed, kPreviewStart + " *.* /E /MIR /XO");
  const std::string job = FreshScratchPath("weekly.rcj");
  const std::string title = "weekly.rcj - Marquill 1.0";
  ChooseMenu(app.main(), {"&File", "Save Job &As..."});
  AnswerFileBox(app.process(), job);
  WaitForTopWindow(app.process(), title);
  Close(app.main());  // saved as it stands: no question
  EXPECT_TRUE(app.process().WaitForExit());

  const MarquillApp again;
  PressKeyUntil(again.main(), 'O', {VK_CONTROL}, "Ctrl+O",
                [&] { return FileBoxOf(again.process()) != nullptr; });
  AnswerFileBox(again.process(), job);
  WaitForTopWindow(again.process(), title);
  EXPECT_EQ(Confirmed(again.process(), again.main()), confirmed);

  const Process named = Process::Start(ProgramFolder() + "\\marquill.exe", {job});
  EXPECT_EQ(Confirmed(named, WaitForTopWindow(named, title)), confirmed);
}

}  // namespace
}  // namespace marquill::e2e
