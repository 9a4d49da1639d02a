// The real marquill.exe under Wine, used from the keyboard alone: Tab order,
// access keys, menus by letter, Enter and Esc, arrows within option groups and
// Space on check boxes, in each window and with several windows open at once.
#include <gtest/gtest.h>

#include "marquill_app.h"

namespace marquill::e2e {
namespace {

using Keys = std::vector<WORD>;

constexpr char kOptionsTitle[] = "Options";
constexpr char kAboutTitle[] = "About Marquill";
constexpr char kOlderPickerTitle[] = "Files older than this date will be excluded";
constexpr Rect96 kFilesBoxRect{28, 70, 257, 21};
constexpr Rect96 kLogBoxRect{300, 619, 206, 21};

std::string Describe(HWND window) {
  return window ? QuotedTextOf(window) + " (" + ClassOf(window) + ")" : "nothing";
}

void WaitForFocus(HWND topLevel, HWND expected) {
  try {
    WaitUntil([&] { return FocusIn(topLevel) == expected; }, "the focus on " + Describe(expected),
              3s);
  } catch (const DriverError&) {
    throw DriverError("the focus is on " + Describe(FocusIn(topLevel)) + ", not on " +
                      Describe(expected));
  }
}

// Presses Tab (or Shift+Tab) once for each control of `order` and checks the
// focus lands on each in turn.
void ExpectTabWalk(HWND topLevel, const std::vector<HWND>& order, bool backwards = false) {
  for (size_t i = 0; i < order.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i + 1) + (backwards ? " of Shift+Tab" : " of Tab"));
    PressKey(topLevel, VK_TAB, backwards ? Keys{VK_SHIFT} : Keys{});
    WaitForFocus(topLevel, order[i]);
  }
}

void PressAlt(HWND topLevel, char letter) { PressKey(topLevel, letter, {VK_MENU}); }

bool MenuShown(HWND topLevel) {
  DWORD processId = 0;
  GetWindowThreadProcessId(topLevel, &processId);
  const HWND popup = FindTopWindow(processId, "", "#32768");
  return popup && IsShown(popup);
}

// Opens a menu item the way a keyboard user does: Alt and the menu's letter,
// then the item's letter (or Enter for the first item).
void MenuByKeys(HWND topLevel, char menu, WORD item) {
  PressKeyUntil(topLevel, menu, {VK_MENU}, "the menu to drop down",
                [&] { return MenuShown(topLevel); });
  PressKey(topLevel, item);
}

// The main window's controls in their tab order; labels take no focus.
std::vector<HWND> MainTabOrder(const MarquillApp& app) {
  return {app.SourceField(),
          app.DestinationField(),
          FindChildAt(app.main(), "Button", kBrowseSourceRect),
          FindChildAt(app.main(), "Button", kBrowseDestinationRect),
          app.QuitButton(),
          app.RunButton(),
          FindChildAt(app.main(), "Button", kMatchDestRect),
          FindChildAt(app.main(), "Button", kPreviewRect),
          FindChildAt(app.main(), "Edit", kStatusRect)};
}

// Runs the command as it stands, cancels the confirmation and returns its text.
std::string Preview(const MarquillApp& app) {
  const MessageBoxView box = app.ClickForBox(app.RunButton(), "Continue?");
  PressMessageBoxButton(box, IDCANCEL);
  return box.text;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A real left click in the middle of `window`, which must belong to the
// foreground window.
void MouseClick(HWND window) {
  const HWND root = GetAncestor(window, GA_ROOT);
  if (GetForegroundWindow() != root) throw DriverError("mouse input refused: not foreground");
  RECT rect{};
  GetWindowRect(window, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SettleForeground(root);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
}

class KeyboardE2E : public ::testing::Test {
 protected:
  KeyboardE2E() { app.SetFolders("C:\\Data\\", "D:\\Backup\\"); }

  HWND OpenOptions() {
    ChooseMenu(app.main(), {"Tools", "Options"});
    const HWND options = WaitForTopWindow(app.process(), kOptionsTitle);
    SettleForeground(options);
    WaitForFocus(options, FindChildAt(options, "Edit", kFilesBoxRect));
    return options;
  }
  HWND OpenAbout() {
    ChooseMenu(app.main(), {"Help", "&About"});
    const HWND about = WaitForTopWindow(app.process(), kAboutTitle);
    SettleForeground(about);
    return about;
  }

  // Parked before the program starts.
  struct ParkedPointer {
    ParkedPointer() { ParkPointer(); }
  } parked;
  MarquillApp app;
};

TEST_F(KeyboardE2E, MainWindowTabAndShiftTabFollowTheTabOrder) {
  SettleForeground(app.main());
  const std::vector<HWND> order = MainTabOrder(app);
  WaitForFocus(app.main(), order.front());
  std::vector<HWND> forward(order.begin() + 1, order.end());
  forward.push_back(order.front());  // and round again
  ExpectTabWalk(app.main(), forward);
  std::vector<HWND> backward(order.rbegin(), order.rend());
  ExpectTabWalk(app.main(), backward, true);
}

TEST_F(KeyboardE2E, EnterAndEscInTheMainWindowPressNoButton) {
  SettleForeground(app.main());
  const std::vector<HWND> order = MainTabOrder(app);
  WaitForFocus(app.main(), app.SourceField());
  // Pass over the buttons first: none of them may stay the default afterwards.
  ExpectTabWalk(app.main(), {order[1], order[2], order[3], order[4], order[5]});
  ExpectTabWalk(app.main(), {order[4], order[3], order[2], order[1], order[0]}, true);
  for (HWND field : {app.SourceField(), app.DestinationField()}) {
    WaitForFocus(app.main(), field);
    PressKey(app.main(), VK_RETURN);
    PressKey(app.main(), VK_ESCAPE);
    // Keys are handled in order: once Tab has moved the focus, Enter and Esc
    // have been handled too.
    ExpectTabWalk(app.main(), {field == app.SourceField() ? app.DestinationField() : order[2]});
  }
  // A button that had the focus stays no default once the mouse has put the
  // focus in a field.
  ExpectTabWalk(app.main(), {order[3], order[4], order[5]});
  MouseClick(app.DestinationField());
  WaitForFocus(app.main(), app.DestinationField());
  ParkPointer();
  PressKey(app.main(), VK_RETURN);
  ExpectTabWalk(app.main(), {order[2]});
  // The status line leaves them to the window too, which closes nothing; Tab
  // takes the focus on round to the first field.
  const HWND status = order.back();
  MouseClick(status);
  WaitForFocus(app.main(), status);
  ParkPointer();
  PressKey(app.main(), VK_RETURN);
  PressKey(app.main(), VK_ESCAPE);
  ExpectTabWalk(app.main(), {order[0]});

  // So it does while the folder browser's own loop hands it the keys: the
  // unowned browser leaves the main window usable, and the focus comes back
  // to the status line with it.
  // Under Xvfb the first click after keys may be lost: one more does no harm.
  for (int click = 0; click < 2 && FocusIn(app.main()) != status; ++click, Sleep(300))
    MouseClick(status);
  WaitForFocus(app.main(), status);
  PressKey(app.main(), 'X');  // a key the dialog manager has seen the edit for
  PostMessageW(app.main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(order[3]), BN_CLICKED),
               reinterpret_cast<LPARAM>(order[3]));
  const HWND browser = WaitForTopWindow(app.process(), "Browse for Folder", "#32770");
  SettleForeground(app.main());
  WaitForFocus(app.main(), status);
  PressKey(app.main(), VK_ESCAPE);
  PressKey(app.main(), VK_RETURN);
  PressKey(app.main(), VK_TAB);
  WaitForFocus(app.main(), order[0]);
  PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
  WaitForTopWindowGone(app.process(), "Browse for Folder", "#32770");

  EXPECT_EQ(ShownTopWindowsOf(app.process().Id()), std::vector<HWND>{app.main()});
  EXPECT_EQ(app.process().DescendantsStarted(), 0);
  EXPECT_TRUE(ReadInvocations(app.engineRecord()).empty());
  EXPECT_EQ(GetText(app.SourceField()), "C:\\Data\\");
}

TEST_F(KeyboardE2E, AltQPressesQuitFromAnyControl) {
  SettleForeground(app.main());
  WaitForFocus(app.main(), app.SourceField());
  PressAlt(app.main(), 'Q');
  MessageBoxView question = WaitForMessageBox(app.process(), "Close Marquill");
  EXPECT_EQ(question.text, "Quit the Program?");
  PressMessageBoxButton(question, IDNO);

  // The access key moved the focus to the button it pressed; from the check
  // box it works the same.
  SettleForeground(app.main());
  WaitForFocus(app.main(), app.QuitButton());
  const HWND match = FindChildAt(app.main(), "Button", kMatchDestRect);
  ExpectTabWalk(app.main(), {app.RunButton(), match});
  PressAlt(app.main(), 'Q');
  question = WaitForMessageBox(app.process(), "Close Marquill");
  PressMessageBoxButton(question, IDYES);
  EXPECT_TRUE(app.process().WaitForExit());
}

TEST_F(KeyboardE2E, MenusOpenByTheirLetters) {
  MenuByKeys(app.main(), 'H', 'A');
  const HWND about = WaitForTopWindow(app.process(), kAboutTitle);
  SettleForeground(about);
  PressKey(about, VK_ESCAPE);
  WaitForTopWindowGone(app.process(), kAboutTitle);

  MenuByKeys(app.main(), 'H', 'S');
  const MessageBoxView support = WaitForMessageBox(app.process(), "Support Info.");
  EXPECT_TRUE(Contains(support.text, "For Support or to report bugs contact:")) << support.text;
  PressMessageBoxButton(support, IDOK);

  MenuByKeys(app.main(), 'T', 'O');
  const HWND options = WaitForTopWindow(app.process(), kOptionsTitle);
  SettleForeground(options);
  PressAlt(options, 'C');
  WaitUntil([&] { return !IsWindow(options); }, "the Options dialog to unload");

  MenuByKeys(app.main(), 'T', VK_RETURN);
  EXPECT_TRUE(IsShown(WaitForTopWindow(app.process(), kOptionsTitle)));
}

TEST_F(KeyboardE2E, SpaceTogglesTheFocusedCheckBox) {
  SettleForeground(app.main());
  const HWND match = FindChildAt(app.main(), "Button", kMatchDestRect);
  WaitForFocus(app.main(), app.SourceField());
  const std::vector<HWND> order = MainTabOrder(app);
  ExpectTabWalk(app.main(), {order.back(), order[order.size() - 2], match}, true);
  PressKey(app.main(), VK_SPACE);
  WaitUntil([&] { return CheckState(match) == BST_UNCHECKED; }, "Match to be cleared");
  PressKey(app.main(), VK_SPACE);
  WaitUntil([&] { return CheckState(match) == BST_CHECKED; }, "Match to be ticked");

  // In the Options dialog the switch follows the box.
  const HWND options = OpenOptions();
  const HWND mirror = FindChild(options, "Button", "Mirror a Directory Tree ");
  Click(mirror);  // the mouse puts the focus there, and ticks it
  Click(mirror);  // and clears it again
  WaitUntil([&] { return CheckState(mirror) == BST_UNCHECKED && FocusIn(options) == mirror; },
            "Mirror to be focused and cleared");
  EXPECT_FALSE(Contains(Preview(app), "/MIR"));
  SettleForeground(options);
  PressKey(options, VK_SPACE);
  WaitUntil([&] { return CheckState(mirror) == BST_CHECKED; }, "Mirror to be ticked");
  EXPECT_TRUE(Contains(Preview(app), " /MIR"));
  SettleForeground(options);
  PressKey(options, VK_SPACE);
  WaitUntil([&] { return CheckState(mirror) == BST_UNCHECKED; }, "Mirror to be cleared");
  EXPECT_FALSE(Contains(Preview(app), "/MIR"));
}

TEST_F(KeyboardE2E, OptionsTabOrderVisitsEachGroupOnceAtItsChosenButton) {
  const HWND options = OpenOptions();
  const std::string before = Preview(app);
  SettleForeground(options);
  auto button = [&](const char* caption) { return FindChild(options, "Button", caption); };
  auto list = [&](int left, int top) {
    return FindChildAt(options, "ListBox", {left, top, 41, 17});
  };
  // Disabled controls (the size and date boxes, the level list, the
  // attribute letters) are passed over; each option group is one stop, at
  // the button the load selected.
  const std::vector<HWND> order = {
      button("Ignore Archive Attribute"),
      button("Copy Files in Restartable Mode"),
      button("Copy Security Info"),
      button("Fix Security Info"),
      button("Fix Timestamps"),
      button("Move Files (Delete From Source)"),
      button("Move Files and Folders (Delete From Source)"),
      button("Minimum File Size (Bytes)"),
      button("Maximum File Size (Bytes)"),
      button("Exclude Files Older than:"),
      button("Exclude Files Newer Than:"),
      list(28, 530),
      list(28, 553),
      button("Save As Default"),
      button("Don't Display % Copied"),
      button("Show \"Estimated Time of Arrival on Copied Files"),
      FindChildAt(options, "Edit", kLogBoxRect),
      FindChildAt(options, "Button", {512, 618, 75, 23}),
  };
  ExpectTabWalk(options, order);
  // The log group has no chosen button yet: Tab goes to its first one.
  const std::vector<HWND> rest = {
      button("Append Log File"),
      button("Create Direcoty Structure and Zero Length Files Only"),
      button("Create Destination Files Using 8.3 Format."),
      button("Delete Dirs in Dest. that no longer Exist in Source"),
      button("Mirror a Directory Tree "),
      FindChildAt(options, "Edit", {300, 220, 289, 21}),
      FindChildAt(options, "Edit", {300, 300, 289, 21}),
      button("None of the Above."),
      button("None of the Above"),
      button("Copy All Sub-Directories"),
      button("Copy Only the Top               Levels of the Source Dir"),
      button("Wait For Sharenames To Be Defined (Retry Error 67)"),
      button("Add the Given Attributes to Copied Files"),
      button("Remove the Given Attributes From Copied Files"),
      button("Include Only Files With the Given Attributes Set"),
      button("Exclude Only Files With the Given Attributes Set"),
      button("List Only. Don't Copy, Timestamp, or Delete."),
      button("Report All Extra Files. Not Just Selected Files"),
      button("Produce Verbose Output Showing Skipped Files"),
      button("&Save Settings"),
      button("&Cancel"),
      FindChildAt(options, "Edit", kFilesBoxRect),
  };
  ExpectTabWalk(options, rest);

  // And back again, skipping the same controls.
  std::vector<HWND> all = {FindChildAt(options, "Edit", kFilesBoxRect)};
  all.insert(all.end(), order.begin(), order.end());
  all.insert(all.end(), rest.begin(), rest.end() - 1);
  ExpectTabWalk(options, std::vector<HWND>(all.rbegin(), all.rend()), true);

  // Walking the dialog chose nothing that reaches the command: the log box
  // is empty, so even the log group's first button adds no switch.
  EXPECT_EQ(Preview(app), before);
}

TEST_F(KeyboardE2E, ArrowKeysMoveWithinAnOptionGroup) {
  const HWND options = OpenOptions();
  auto button = [&](const char* caption) { return FindChild(options, "Button", caption); };
  const HWND none = button("None of the Above.");
  Click(none);  // the mouse puts the focus on the chosen button
  WaitForFocus(options, none);

  PressKey(options, VK_UP);
  WaitForFocus(options, button("Exclude Newer Files"));
  EXPECT_EQ(CheckState(button("Exclude Newer Files")), BST_CHECKED);
  EXPECT_EQ(CheckState(none), BST_UNCHECKED);
  EXPECT_TRUE(Contains(Preview(app), " /XN")) << "Up from \"None of the Above.\"";

  SettleForeground(options);
  PressKey(options, VK_UP);
  WaitForFocus(options, button("Exclude Older Files"));
  const std::string older = Preview(app);
  EXPECT_TRUE(Contains(older, " /XO")) << older;
  EXPECT_FALSE(Contains(older, "/XN")) << older;

  // Down twice returns to "None of the Above.", which adds nothing; arrows
  // stay within the group, wrapping round it.
  SettleForeground(options);
  PressKey(options, VK_DOWN);
  PressKey(options, VK_DOWN);
  WaitForFocus(options, none);
  const std::string cleared = Preview(app);
  EXPECT_FALSE(Contains(cleared, "/XO") || Contains(cleared, "/XN")) << cleared;
  SettleForeground(options);
  PressKey(options, VK_DOWN);
  WaitForFocus(options, button("Exclude Changed Files"));
  EXPECT_TRUE(Contains(Preview(app), " /XC"));

  // Tab leaves the group at the button now chosen, and Shift+Tab returns there.
  SettleForeground(options);
  ExpectTabWalk(options, {button("None of the Above")});
  ExpectTabWalk(options, {button("Exclude Changed Files")}, true);
}

TEST_F(KeyboardE2E, OptionsEnterAndEscPressNothingAndAccessKeysSaveAndCancel) {
  HWND options = OpenOptions();
  const HWND files = FindChildAt(options, "Edit", kFilesBoxRect);
  PressKey(options, VK_RETURN);
  PressKey(options, VK_ESCAPE);
  ExpectTabWalk(options, {FindChild(options, "Button", "Ignore Archive Attribute")});
  ExpectTabWalk(options, {files}, true);
  EXPECT_TRUE(IsShown(options));
  EXPECT_EQ(ShownTopWindowsOf(app.process().Id()).size(), 2u);

  PressAlt(options, 'S');
  WaitUntil([&] { return !IsShown(options); }, "Save Settings to hide the dialog");
  EXPECT_TRUE(IsWindow(options));  // hidden, still loaded

  ChooseMenu(app.main(), {"Tools", "Options"});
  EXPECT_EQ(WaitForTopWindow(app.process(), kOptionsTitle), options);
  SettleForeground(options);
  PressAlt(options, 'C');
  WaitUntil([&] { return !IsWindow(options); }, "Cancel to unload the dialog");
  EXPECT_TRUE(app.process().Running());
}

TEST_F(KeyboardE2E, AboutBoxKeys) {
  HWND about = OpenAbout();
  const HWND ok = FindChild(about, "Button", "OK");
  WaitForFocus(about, ok);
  ExpectTabWalk(about, {FindChild(about, "Button", "&System Info..."), ok});
  PressAlt(about, 'S');
  const MessageBoxView unavailable = WaitForMessageBox(app.process(), "Marquill");
  EXPECT_EQ(unavailable.text, "System Information Is Unavailable At This Time");
  PressMessageBoxButton(unavailable, IDOK);

  // The access key left the focus on its button; Esc presses OK from there
  // too, and Enter presses it as the default.
  SettleForeground(about);
  WaitForFocus(about, FindChild(about, "Button", "&System Info..."));
  PressKey(about, VK_ESCAPE);
  WaitForTopWindowGone(app.process(), kAboutTitle);
  about = OpenAbout();
  WaitForFocus(about, FindChild(about, "Button", "OK"));
  PressKey(about, VK_RETURN);
  WaitForTopWindowGone(app.process(), kAboutTitle);
  EXPECT_TRUE(IsShown(app.main()));
}

TEST_F(KeyboardE2E, EachOpenWindowHandlesItsOwnKeys) {
  const std::vector<HWND> mainOrder = MainTabOrder(app);
  SettleForeground(app.main());
  ExpectTabWalk(app.main(), {mainOrder[1], mainOrder[2], mainOrder[3]});

  const HWND options = OpenOptions();
  Click(FindChild(options, "Button", "Exclude Files Older than:"));
  const HWND picker = WaitForTopWindow(app.process(), kOlderPickerTitle);
  const HWND about = OpenAbout();
  const std::vector<HWND> pickerButtons = ChildrenOf(picker, "Button");
  ASSERT_EQ(pickerButtons.size(), 2u);

  // Alt+S belongs to the About box here...
  WaitForFocus(about, FindChild(about, "Button", "OK"));
  PressAlt(about, 'S');
  PressMessageBoxButton(WaitForMessageBox(app.process(), "Marquill"), IDOK);
  EXPECT_TRUE(IsShown(options));

  // ...the main window kept its focus on the second Browse and goes on from there.
  SettleForeground(app.main());
  WaitForFocus(app.main(), mainOrder[3]);
  ExpectTabWalk(app.main(), {mainOrder[4]});
  PressKey(app.main(), VK_ESCAPE);

  // The picker walks its calendar and two buttons; Esc is no button there.
  SettleForeground(picker);
  const HWND calendar = ChildrenOf(picker, "SysMonthCal32").at(0);
  WaitForFocus(picker, calendar);
  ExpectTabWalk(picker, {pickerButtons[0], pickerButtons[1], calendar, pickerButtons[0]});
  PressKey(picker, VK_ESCAPE);

  // Alt+S in the Options dialog saves there and leaves the About box open.
  SettleForeground(options);
  PressAlt(options, 'S');
  WaitUntil([&] { return !IsShown(options); }, "Save Settings to hide the dialog");
  EXPECT_TRUE(IsShown(about));
  EXPECT_TRUE(IsShown(picker));

  // Space on the picker's OK confirms its date.
  SettleForeground(picker);
  WaitForFocus(picker, pickerButtons[0]);
  PressKey(picker, VK_SPACE);
  WaitForTopWindowGone(app.process(), kOlderPickerTitle);
  EXPECT_TRUE(Contains(Preview(app), " /MAXAGE:20030306"));

  // Esc closes the About box; the main window's Alt+Q still asks.
  SettleForeground(about);
  PressKey(about, VK_ESCAPE);
  WaitForTopWindowGone(app.process(), kAboutTitle);
  SettleForeground(app.main());
  PressAlt(app.main(), 'Q');
  PressMessageBoxButton(WaitForMessageBox(app.process(), "Close Marquill"), IDNO);
  EXPECT_TRUE(app.process().Running());
}

}  // namespace
}  // namespace marquill::e2e
