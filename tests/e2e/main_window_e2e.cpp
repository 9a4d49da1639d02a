// The real marquill.exe under Wine: its main window, the run button's
// confirmation and engine start, validation, and the ways out.
#include <gtest/gtest.h>

#include <regex>

#include "marquill_app.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

using Args = std::vector<std::string>;

// The engine's arguments after its own name.
Args FolderArgs(const Invocation& invocation) {
  return Args(invocation.argv.begin() + (invocation.argv.empty() ? 0 : 1), invocation.argv.end());
}

std::string EngineIn(const std::string& folder) { return folder + "\\robocopy.exe"; }

// Runs the command for two typed folders, accepts the confirmation and
// returns how the engine was started.
Invocation RunAndAccept(const MarquillApp& app, const std::string& source,
                        const std::string& destination) {
  app.SetFolders(source, destination);
  const MessageBoxView box = app.ClickForBox(app.RunButton(), "Continue?");
  PressMessageBoxButton(box, IDOK);
  const auto starts = WaitForInvocations(app.engineRecord(), 1);
  EXPECT_EQ(starts.size(), 1u);
  return starts.front();
}

TEST(MainWindowE2E, ShowsItsControlsMenusAndStartState) {
  MarquillApp app;
  EXPECT_TRUE(IsShown(app.main()));
  EXPECT_EQ(GetText(app.SourceField()), "");
  EXPECT_EQ(GetText(app.DestinationField()), "");
  EXPECT_EQ(TextOf(FindChildAt(app.main(), "Button", kBrowseSourceRect)), "Browse");
  EXPECT_EQ(TextOf(FindChildAt(app.main(), "Button", kBrowseDestinationRect)), "Browse");
  EXPECT_EQ(app.RunButton(), FindChildAt(app.main(), "Button", kRunRect));
  EXPECT_EQ(app.QuitButton(), FindChildAt(app.main(), "Button", kQuitRect));
  const HWND match = FindChildAt(app.main(), "Button", kMatchDestRect);
  EXPECT_EQ(TextOf(match), "Match Destination Folder to Source Folder");
  EXPECT_EQ(CheckState(match), BST_CHECKED);
  EXPECT_NO_THROW(FindChild(app.main(), "Static", "Source Path"));
  EXPECT_NO_THROW(FindChild(app.main(), "Static", "Destination Path"));

  EXPECT_NO_THROW(MenuCommandId(app.main(), {"Tools", "Options"}));
  EXPECT_NO_THROW(MenuCommandId(app.main(), {"Help", "&About"}));
  EXPECT_NO_THROW(MenuCommandId(app.main(), {"Help", "&Support"}));
  EXPECT_EQ(app.process().DescendantsStarted(), 0);
}

TEST(MainWindowE2E, RunConfirmsTheCommandAndStartsTheEngineFromTheProgramFolder) {
  MarquillApp app;
  app.SetFolders("C:\\Data\\Reports\\", "D:\\Backup\\Reports\\");
  const MessageBoxView box = app.ClickForBox(app.RunButton(), "Continue?");
  EXPECT_EQ(box.text, "robocopy.exe \"C:\\Data\\Reports\" \"D:\\Backup\\Reports\" /S");
  EXPECT_EQ(box.buttons, (Args{"OK", "Cancel"}));
  EXPECT_EQ(box.icon, IDI_QUESTION);
  PressMessageBoxButton(box, IDOK);

  const auto starts = WaitForInvocations(app.engineRecord(), 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].exe, EngineIn(app.folder()));
  EXPECT_EQ(starts[0].argv,
            (Args{EngineIn(app.folder()), "C:\\Data\\Reports", "D:\\Backup\\Reports", "/S"}));
  EXPECT_EQ(app.process().DescendantsStarted(), 1);
  // The handler returned at once: the window still answers and can run again.
  EXPECT_TRUE(app.process().Running());
  PressMessageBoxButton(app.ClickForBox(app.RunButton(), "Continue?"), IDOK);
  EXPECT_EQ(WaitForInvocations(app.engineRecord(), 2).size(), 2u);
}

// The engines here end when the test sets their event, with exit code 31.
TEST(MainWindowE2E, StatusLineFollowsEachEngineToItsEndAndRunsLeaveNoHandleBehind) {
  const HANDLE hold = CreateEventW(nullptr, TRUE, FALSE, L"MarquillE2EHoldEngine");
  MarquillApp app(ProgramFolder(), {{"MARQUILL_ENGINE_HOLD", "MarquillE2EHoldEngine"},
                                    {"MARQUILL_ENGINE_EXIT_CODE", "31"}});
  const HWND status = FindChildAt(app.main(), "Edit", kStatusRect);
  const auto shows = [&](const std::string& pattern) {
    WaitUntil([&] { return std::regex_match(GetText(status), std::regex(pattern)); },
              "the status line to show " + pattern);
  };
  // A scroll bar only while the lines do not fit.
  const auto scrolls = [&] { return (GetWindowLongW(status, GWL_STYLE) & WS_VSCROLL) != 0; };
  EXPECT_EQ(GetText(status), "");
  EXPECT_FALSE(scrolls());
  const auto run = [&] {
    PressMessageBoxButton(app.ClickForBox(app.RunButton(), "Continue?"), IDOK);
  };
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  run();
  shows("1 copy running");
  run();
  shows("2 copies running");
  EXPECT_FALSE(scrolls());
  SetEvent(hold);
  const std::string report =
      "Failed at [^,]+, exit code 31: serious error, nothing copied; some files or folders could "
      "not be copied; mismatched files or folders found; extra files or folders in the "
      "destination; files copied\\.";
  shows(report);
  EXPECT_TRUE(scrolls());
  SendMessageW(status, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_GT(SendMessageW(status, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

  // Each engine's handle and wait go with it.
  const DWORD handles = app.process().HandleCount();
  for (int i = 0; i < 100; ++i) run();
  WaitForInvocations(app.engineRecord(), 102);
  shows(report);
  EXPECT_LE(app.process().HandleCount(), handles);
  CloseHandle(hold);
}

TEST(MainWindowE2E, FoldersReachTheEngineExactly) {
  struct Case {
    std::string source, destination;
    Args expected;
  };
  const Case cases[] = {
      {"D:\\", "E:\\Backup\\", {"D:\\", "E:\\Backup"}},
      {"C:\\Data\\Reports",
       "D:\\My Backup\\Reports",
       {"C:\\Data\\Reports", "D:\\My Backup\\Reports"}},
      {"C:\\Dätä\\Berichte ü\\",
       "\\\\server\\share\\",
       {"C:\\Dätä\\Berichte ü", "\\\\server\\share"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source + " -> " + c.destination);
    MarquillApp app;
    const Invocation start = RunAndAccept(app, c.source, c.destination);
    Args expected = c.expected;
    expected.push_back("/S");
    EXPECT_EQ(FolderArgs(start), expected);
  }
}

TEST(MainWindowE2E, CancelStartsNothing) {
  MarquillApp app;
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  const MessageBoxView first = app.ClickForBox(app.RunButton(), "Continue?");
  EXPECT_EQ(first.text, "robocopy.exe \"C:\\Data\" \"D:\\Backup\" /S");
  PressMessageBoxButton(first, IDCANCEL);
  // The same question again proves the first click's handler has returned.
  const MessageBoxView second = app.ClickForBox(app.RunButton(), "Continue?");
  EXPECT_EQ(second.text, first.text);
  PressMessageBoxButton(second, IDCANCEL);
  app.WaitUntilIdle();

  EXPECT_EQ(app.process().DescendantsStarted(), 0);
  EXPECT_TRUE(ReadInvocations(app.engineRecord()).empty());
  EXPECT_TRUE(app.process().Running());
}

TEST(MainWindowE2E, EmptyFieldsAreReportedAndGetTheFocus) {
  MarquillApp app;
  const MessageBoxView source = app.ClickForBox(app.RunButton(), "Error");
  EXPECT_EQ(source.text, "Please select a source directory");
  EXPECT_EQ(source.buttons, Args{"OK"});
  EXPECT_EQ(source.icon, nullptr);
  PressMessageBoxButton(source, IDOK);
  WaitUntil([&] { return FocusIn(app.main()) == app.SourceField(); }, "focus on the source field");

  SetText(app.SourceField(), "C:\\Data\\");
  const MessageBoxView destination = app.ClickForBox(app.RunButton(), "Error");
  EXPECT_EQ(destination.text, "Please select a destination directory");
  PressMessageBoxButton(destination, IDOK);
  WaitUntil([&] { return FocusIn(app.main()) == app.DestinationField(); },
            "focus on the destination field");

  // A blank is not an empty field: the command goes ahead.
  SetText(app.DestinationField(), " ");
  const MessageBoxView question = app.ClickForBox(app.RunButton(), "Continue?");
  EXPECT_EQ(question.text, "robocopy.exe \"C:\\Data\" \" \" /S");
  PressMessageBoxButton(question, IDCANCEL);
  app.WaitUntilIdle();
  EXPECT_EQ(app.process().DescendantsStarted(), 0);
}

TEST(MainWindowE2E, QuitAsksFirstAndNoKeepsEverything) {
  MarquillApp app;
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  const MessageBoxView question = app.ClickForBox(app.QuitButton(), "Close Marquill");
  EXPECT_EQ(question.text, "Quit the Program?");
  EXPECT_EQ(question.buttons, (Args{"&Yes", "&No"}));
  EXPECT_EQ(question.icon, IDI_QUESTION);
  PressMessageBoxButton(question, IDNO);
  app.WaitUntilIdle();
  EXPECT_TRUE(app.process().Running());
  EXPECT_EQ(GetText(app.SourceField()), "C:\\Data\\");
  EXPECT_EQ(GetText(app.DestinationField()), "D:\\Backup\\");

  PressMessageBoxButton(app.ClickForBox(app.QuitButton(), "Close Marquill"), IDYES);
  EXPECT_TRUE(app.process().WaitForExit());
}

TEST(MainWindowE2E, CloseBoxEndsWithoutAQuestion) {
  MarquillApp app;
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  Close(app.main());
  // A question would keep the program waiting for an answer.
  EXPECT_TRUE(app.process().WaitForExit());
  EXPECT_EQ(FindTopWindow(app.process().Id(), "Close Marquill"), nullptr);
}

TEST(MainWindowE2E, OptionsDialogIsOneWindowThatQuitNoLeavesOpenAndCloseBoxEnds) {
  MarquillApp app;
  ChooseMenu(app.main(), {"Tools", "Options"});
  const HWND options = WaitForTopWindow(app.process(), "Options");
  ShowWindow(options, SW_MINIMIZE);
  WaitUntil([&] { return IsIconic(options) != FALSE; }, "Options minimised");
  ChooseMenu(app.main(), {"Tools", "Options"});
  app.WaitUntilIdle();
  EXPECT_EQ(ShownTopWindows(app.process().Id(), "Options"), std::vector<HWND>{options});
  EXPECT_FALSE(IsIconic(options));  // asked for again, it comes back restored

  // A message box blocks every window of the program until it is answered.
  const MessageBoxView error = app.ClickForBox(app.RunButton(), "Error");
  EXPECT_FALSE(IsWindowEnabled(app.main()));
  EXPECT_FALSE(IsWindowEnabled(options));
  PressMessageBoxButton(error, IDOK);
  app.WaitUntilIdle();
  EXPECT_TRUE(IsWindowEnabled(app.main()));
  EXPECT_TRUE(IsWindowEnabled(options));

  PressMessageBoxButton(app.ClickForBox(app.QuitButton(), "Close Marquill"), IDNO);
  app.WaitUntilIdle();
  EXPECT_TRUE(IsShown(options));

  Close(app.main());
  EXPECT_TRUE(app.process().WaitForExit());
}

TEST(MainWindowE2E, StartsInTheShowStateItWasStartedWith) {
  MarquillApp minimised(ProgramFolder(), {}, SW_SHOWMINNOACTIVE);
  EXPECT_TRUE(IsIconic(minimised.main()));
  // A change of text size lays it out again, minimised and in the background.
  SendMessageW(minimised.main(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  EXPECT_TRUE(IsIconic(minimised.main()));
  EXPECT_NE(GetForegroundWindow(), minimised.main());
  MarquillApp maximised(ProgramFolder(), {}, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(maximised.main()));
  MarquillApp hidden(ProgramFolder(), {}, SW_HIDE);  // a window nobody could reach otherwise
  EXPECT_TRUE(IsWindowVisible(hidden.main()));
}

TEST(MainWindowE2E, SupportMessageHasTwoLines) {
  MarquillApp app;
  ChooseMenu(app.main(), {"Help", "&Support"});
  const MessageBoxView box = WaitForMessageBox(app.process(), "Support Info.");
  EXPECT_EQ(box.buttons, Args{"OK"});
  EXPECT_EQ(box.icon, IDI_INFORMATION);
  const std::string firstLine = "For Support or to report bugs contact:\r\n";
  ASSERT_EQ(box.text.substr(0, firstLine.size()), firstLine) << box.text;
  const std::string contact = box.text.substr(firstLine.size());
  EXPECT_FALSE(contact.empty());
  EXPECT_EQ(contact.find_first_of("\r\n"), std::string::npos) << contact;
  PressMessageBoxButton(box, IDOK);
  app.WaitUntilIdle();
  EXPECT_TRUE(app.process().Running());
}

TEST(MainWindowE2E, ProgramFolderWithABlankStillStartsTheEngine) {
  MarquillApp app(ProgramFolderWithBlank());
  ASSERT_NE(app.folder().find(' '), std::string::npos);
  const Invocation start = RunAndAccept(app, "C:\\Data\\Reports\\", "D:\\Backup\\Reports\\");
  EXPECT_EQ(start.exe, EngineIn(app.folder()));
  EXPECT_EQ(start.argv,
            (Args{EngineIn(app.folder()), "C:\\Data\\Reports", "D:\\Backup\\Reports", "/S"}));
}

TEST(MainWindowE2E, WithoutAnEngineBesideTheProgramTheSystemsRunsElseBothAreReported) {
  const std::string folder = FreshScratchPath("no-engine");
  MakeProgramFolder(folder, {"marquill.exe"});
  // run_e2e.sh put the recording engine in the system folder too.
  const std::string systemEngine = EngineIn(SystemFolder());
  MarquillApp app(folder);
  const Invocation start = RunAndAccept(app, "C:\\Data\\", "D:\\Backup\\");
  EXPECT_EQ(start.exe, systemEngine);
  EXPECT_EQ(start.argv, (Args{systemEngine, "C:\\Data", "D:\\Backup", "/S"}));

  const std::string moved = FreshScratchPath("system-robocopy.exe");
  ASSERT_TRUE(MoveFileW(Wide(systemEngine).c_str(), Wide(moved).c_str()));
  PressMessageBoxButton(app.ClickForBox(app.RunButton(), "Continue?"), IDOK);
  const MessageBoxView error = WaitForMessageBox(app.process(), "Error");
  MoveFileW(Wide(moved).c_str(), Wide(systemEngine).c_str());
  EXPECT_NE(error.text.find("Could not start " + EngineIn(folder)), std::string::npos)
      << error.text;
  EXPECT_NE(error.text.find("Could not start " + systemEngine), std::string::npos) << error.text;
  EXPECT_EQ(error.icon, IDI_EXCLAMATION);
  PressMessageBoxButton(error, IDOK);
  app.WaitUntilIdle();
  EXPECT_TRUE(app.process().Running());
  EXPECT_EQ(app.process().DescendantsStarted(), 1);
}

TEST(MainWindowE2E, KeysTypedIntoTheFieldsAreWhatRuns) {
  MarquillApp app;
  Activate(app.main());
  WaitUntil([&] { return FocusIn(app.main()) == app.SourceField(); },
            "focus on the source field at start");
  TypeText(app.main(), "C:\\Typed\\");
  PressKey(app.main(), VK_TAB);
  WaitUntil([&] { return FocusIn(app.main()) == app.DestinationField(); },
            "Tab to the destination field");
  TypeText(app.main(), "D:\\Keys\\");
  WaitUntil([&] { return GetText(app.DestinationField()) == "D:\\Keys\\"; }, "the typed text");
  EXPECT_EQ(GetText(app.SourceField()), "C:\\Typed\\");

  const MessageBoxView box = app.ClickForBox(app.RunButton(), "Continue?");
  EXPECT_EQ(box.text, "robocopy.exe \"C:\\Typed\" \"D:\\Keys\" /S");
  PressMessageBoxButton(box, IDCANCEL);
}

}  // namespace
}  // namespace marquill::e2e
