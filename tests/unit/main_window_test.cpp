#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/program.h"
#include "support/fake_services.h"
#include "support/memory_backend.h"
#include "support/ui.h"
#include "support/windows_cmdline.h"

namespace marquill::test {
namespace {

using Args = std::vector<std::string>;

const char kEngine[] = "C:\\Tools\\robocopy.exe";

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() { program.Start(); }

  // Replaces a field's whole text, as selecting it and typing over it would.
  void SetField(const std::string& field, const std::string& text) {
    ui.At("frmMain", field).text = text;
  }
  std::string Field(const std::string& field) const { return ui.Text("frmMain", field); }

  void TypeFolders(const std::string& source, const std::string& destination) {
    SetField("txtSrcPath", source);
    SetField("txtDestPath", destination);
  }

  void Run(MsgResult answer = MsgResult::Ok) {
    fakes.messages.answers.push_back(answer);
    ui.Click("frmMain", "cmdRun");
  }

  // The arguments the engine of the last launch receives.
  Args LastLaunchArgs() const {
    return SplitWindowsCommandLine(fakes.launcher.launches.back().commandLine);
  }

  void BrowseSource(const std::string& chosen) {
    fakes.folders.Choose(chosen);
    ui.Click("frmMain", "cmdBrowseSrc");
  }
  void BrowseDestination(const std::string& chosen) {
    fakes.folders.Choose(chosen);
    ui.Click("frmMain", "cmdBrowseDest");
  }
  void SetMatching(bool ticked) {
    if ((ui.Check("frmMain", "chkMatchDest") == toolkit::kTicked) != ticked)
      ui.Click("frmMain", "chkMatchDest");
  }

  const ShownMessage& LastMessage() const { return fakes.messages.shown.back(); }

  MemoryBackend backend;
  FakeServices fakes;
  Program program{backend, fakes.services};
  Ui ui{backend};
};

void ExpectMessage(const ShownMessage& shown, const std::string& text, const std::string& title,
                   MsgButtons buttons, MsgIcon icon) {
  EXPECT_EQ(shown.text, text);
  EXPECT_EQ(shown.title, title);
  EXPECT_EQ(shown.buttons, buttons);
  EXPECT_EQ(shown.icon, icon);
}

TEST_F(MainWindow, StartsWithEmptyFieldsMatchingTickedAndStartValues) {
  EXPECT_TRUE(ui.IsVisible("frmMain"));
  EXPECT_EQ(ui.Window("frmMain").caption, "Marquill 1.0");
  EXPECT_EQ(Field("txtSrcPath"), "");
  EXPECT_EQ(Field("txtDestPath"), "");
  EXPECT_EQ(ui.Check("frmMain", "chkMatchDest"), 1);
  EXPECT_EQ(program.slots.JoinedOptions(), " /S");
  EXPECT_EQ(program.frmMain.RoboSrc(), "");
  EXPECT_EQ(program.frmMain.RoboDest(), "");
}

// ---- Validation of the two fields ----

using MainWindowValidation = MainWindow;

// An empty field, the other one filled in, and what the user is told.
struct EmptyField {
  const char* empty;
  const char* filled;
  const char* message;
};

// Named for the field left empty, in test names and in failure messages alike.
std::string FieldLeftEmpty(const EmptyField& field) { return std::string(field.empty) + "Empty"; }
void PrintTo(const EmptyField& field, std::ostream* out) { *out << FieldLeftEmpty(field); }

class MainWindowEmptyField : public MainWindow, public ::testing::WithParamInterface<EmptyField> {};

TEST_P(MainWindowEmptyField, IsReportedGetsTheFocusAndChangesNothing) {
  TypeFolders("C:\\Old\\", "D:\\Old\\");
  Run(MsgResult::Cancel);
  SetField(GetParam().filled, "E:\\New\\");
  SetField(GetParam().empty, "");
  ui.Click("frmMain", "cmdRun");

  ASSERT_EQ(fakes.messages.shown.size(), 2u);
  ExpectMessage(LastMessage(), GetParam().message, "Error", MsgButtons::Ok, MsgIcon::None);
  EXPECT_EQ(ui.Focused(), std::string("frmMain.") + GetParam().empty);
  EXPECT_TRUE(fakes.launcher.launches.empty());
  EXPECT_EQ(program.slots.strRunSrc, "C:\\Old");
  EXPECT_EQ(program.slots.strRunDest, "D:\\Old");
}

INSTANTIATE_TEST_SUITE_P(SourceAndDestination, MainWindowEmptyField,
                         ::testing::Values(EmptyField{"txtSrcPath", "txtDestPath",
                                                      "Please select a source directory"},
                                           EmptyField{"txtDestPath", "txtSrcPath",
                                                      "Please select a destination directory"}),
                         [](const auto& info) { return FieldLeftEmpty(info.param); });

TEST_F(MainWindowValidation, BothEmptyReportOnlyTheSource) {
  ui.Click("frmMain", "cmdRun");
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(LastMessage().text, "Please select a source directory");
  EXPECT_EQ(ui.Focused(), "frmMain.txtSrcPath");
}

TEST_F(MainWindowValidation, BlanksAreNotEmpty) {
  TypeFolders("  ", " ");
  Run(MsgResult::Cancel);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(LastMessage().text, "robocopy.exe \"  \" \" \" /S");
}

// ---- Confirmation and launch ----

using MainWindowRun = MainWindow;

TEST_F(MainWindowRun, WorkedExampleIsConfirmedThenLaunched) {
  TypeFolders("C:\\Data\\Reports\\", "D:\\Backup\\Reports\\");
  program.slots.strOptFiles = " *.doc";
  program.slots.strOptMir = " /MIR";
  program.slots.strOptRetry = " /R:3";
  program.slots.strOptWait = " /W:10";
  program.slots.strOptNp = " /NP";
  Run(MsgResult::Ok);

  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  ExpectMessage(LastMessage(),
                "robocopy.exe \"C:\\Data\\Reports\" \"D:\\Backup\\Reports\" *.doc /S /MIR /R:3 "
                "/W:10 /NP",
                "Continue?", MsgButtons::OkCancel, MsgIcon::Question);
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  const Launch& launch = fakes.launcher.launches[0];
  EXPECT_EQ(launch.commandLine,
            "C:\\Tools\\robocopy.exe \"C:\\Data\\Reports\" \"D:\\Backup\\Reports\" *.doc /S /MIR "
            "/R:3 /W:10 /NP");
  EXPECT_EQ(launch.application, kEngine);
  EXPECT_EQ(launch.style, WindowStyle::MaximizedFocus);
  EXPECT_EQ(program.slots.strRunSrc, "C:\\Data\\Reports");
  EXPECT_EQ(program.slots.strRunDest, "D:\\Backup\\Reports");
}

TEST_F(MainWindowRun, OnlyATrailingBackslashIsDropped) {
  TypeFolders("C:\\Data", "D:\\Backup\\\\");
  Run(MsgResult::Ok);
  EXPECT_EQ(program.slots.strRunSrc, "C:\\Data");
  EXPECT_EQ(program.slots.strRunDest, "D:\\Backup\\");
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(LastLaunchArgs(), (Args{kEngine, "C:\\Data", "D:\\Backup\\", "/S"}));
}

TEST_F(MainWindowRun, RootsReachTheEngineAsRoots) {
  TypeFolders("D:\\", "\\");
  Run(MsgResult::Ok);
  EXPECT_EQ(program.slots.strRunSrc, "D:\\");
  EXPECT_EQ(program.slots.strRunDest, "\\");
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(LastLaunchArgs(), (Args{kEngine, "D:\\", "\\", "/S"}));
}

TEST_F(MainWindowRun, CancelStartsNothingAndTheNextClickAsksAlike) {
  TypeFolders("C:\\Data\\", "D:\\Backup\\");
  Run(MsgResult::Cancel);
  EXPECT_TRUE(fakes.launcher.launches.empty());
  EXPECT_EQ(program.slots.strRunSrc, "C:\\Data");
  EXPECT_EQ(program.slots.strRunDest, "D:\\Backup");

  Run(MsgResult::Cancel);
  ASSERT_EQ(fakes.messages.shown.size(), 2u);
  EXPECT_EQ(fakes.messages.shown[1].text, fakes.messages.shown[0].text);
  EXPECT_EQ(fakes.messages.shown[1].title, "Continue?");
  EXPECT_TRUE(fakes.launcher.launches.empty());
}

TEST_F(MainWindowRun, EachRunReadsFieldsAndSlotsAfreshAndStartsItsOwnEngine) {
  TypeFolders("C:\\A\\", "D:\\A\\");
  Run(MsgResult::Ok);
  SetField("txtSrcPath", "C:\\B\\");
  program.slots.strOptSub = " /E";
  program.slots.strOptPurge = " /PURGE";
  Run(MsgResult::Ok);

  ASSERT_EQ(fakes.launcher.launches.size(), 2u);
  EXPECT_EQ(SplitWindowsCommandLine(fakes.launcher.launches[0].commandLine),
            (Args{kEngine, "C:\\A", "D:\\A", "/S"}));
  EXPECT_EQ(LastLaunchArgs(), (Args{kEngine, "C:\\B", "D:\\A", "/E", "/PURGE"}));
  EXPECT_EQ(fakes.messages.shown[1].text, "robocopy.exe \"C:\\B\" \"D:\\A\" /E /PURGE");
}

TEST_F(MainWindowRun, ProgramFolderWithBlanksStillNamesOneEngine) {
  fakes.host.folder = "C:\\Program Files\\Marquill \xC3\xA9t\xC3\xA9";
  const std::string engine = fakes.host.folder + "\\robocopy.exe";
  TypeFolders("C:\\Data\\", "D:\\Backup\\");
  Run(MsgResult::Ok);
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(fakes.launcher.launches[0].application, engine);
  EXPECT_EQ(LastLaunchArgs(), (Args{engine, "C:\\Data", "D:\\Backup", "/S"}));
  // The preview never shows the program folder.
  EXPECT_EQ(LastMessage().text, "robocopy.exe \"C:\\Data\" \"D:\\Backup\" /S");
}

TEST_F(MainWindowRun, WithoutAnEngineBesideTheProgramTheSystemsRunsElseBothAreReported) {
  const std::string systemEngine = "C:\\Windows\\System32\\robocopy.exe";
  fakes.launcher.missing = {kEngine};
  TypeFolders("C:\\Data\\", "D:\\Backup\\");
  Run(MsgResult::Ok);
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(fakes.launcher.launches[0].application, systemEngine);
  EXPECT_EQ(fakes.launcher.launches[0].style, WindowStyle::MaximizedFocus);
  EXPECT_EQ(LastLaunchArgs(), (Args{systemEngine, "C:\\Data", "D:\\Backup", "/S"}));
  EXPECT_EQ(fakes.messages.shown.size(), 1u);  // the confirmation only

  fakes.launcher.missing.push_back(systemEngine);
  Run(MsgResult::Ok);
  ASSERT_EQ(fakes.messages.shown.size(), 3u);
  const ShownMessage& report = LastMessage();
  EXPECT_EQ(report.title, "Error");
  EXPECT_EQ(report.buttons, MsgButtons::Ok);
  EXPECT_EQ(report.text, "Could not start " + std::string(kEngine) +
                             "\r\nThe system cannot find the file specified.\r\nCould not start " +
                             systemEngine + "\r\nThe system cannot find the file specified.");
  // The window stays usable: the next run asks again.
  Run(MsgResult::Cancel);
  EXPECT_EQ(fakes.messages.shown.size(), 4u);
}

TEST_F(MainWindowRun, StatusLineTellsHowEachEngineEndedWhileOthersRun) {
  const auto status = [&] { return Field("txtStatus"); };
  const auto name = [&] { return ui.At("frmMain", "txtStatus").accessibleName; };
  MemoryForm& main = ui.Window("frmMain");
  EXPECT_EQ(status(), "");
  EXPECT_EQ(name(), "Last copy");
  TypeFolders("C:\\Data\\", "D:\\Backup\\");
  fakes.launcher.missing = {kEngine, "C:\\Windows\\System32\\robocopy.exe"};
  Run(MsgResult::Ok);  // nothing started, nothing to tell
  EXPECT_EQ(status(), "");
  fakes.launcher.missing.clear();
  Run(MsgResult::Ok);
  EXPECT_EQ(status(), "1 copy running");
  EXPECT_EQ(name(), status());  // what a screen reader announces
  Run(MsgResult::Ok);
  Run(MsgResult::Ok);
  EXPECT_EQ(status(), "3 copies running");

  // The latest end counts, whichever engine it was; bad news flashes the
  // window only while it is not in front.
  fakes.launcher.End(2, 9);
  EXPECT_EQ(status(),
            "Failed at 14:05:09, exit code 9: some files or folders could not be copied; files "
            "copied.\r\n2 copies running");
  EXPECT_EQ(main.alerts, 0);
  backend.front = nullptr;
  fakes.launcher.End(0, 0);
  EXPECT_EQ(status(), "Done at 14:05:09, exit code 0: nothing to copy.\r\n1 copy running");
  EXPECT_EQ(main.alerts, 0);
  fakes.launcher.End(1, 0xC000013A);
  const std::string stopped =
      "Stopped at 14:05:09, exit code 3221225786: the copy was ended before it finished.";
  EXPECT_EQ(status(), stopped);
  EXPECT_EQ(main.alerts, 1);

  // An engine whose end the system cannot tell is never counted as running.
  fakes.launcher.unwatched = true;
  Run(MsgResult::Ok);
  EXPECT_EQ(fakes.launcher.launches.size(), 4u);
  EXPECT_EQ(status(), stopped);
}

// ---- Quit, close box and support message ----

using MainWindowLifecycle = MainWindow;

TEST_F(MainWindowLifecycle, QuitAnsweredNoChangesNothing) {
  TypeFolders("C:\\Data\\", "D:\\Backup\\");
  program.slots.strOptMir = " /MIR";
  fakes.messages.answers = {MsgResult::No};
  ui.Click("frmMain", "cmdQuit");

  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  ExpectMessage(LastMessage(), "Quit the Program?", "Close Marquill", MsgButtons::YesNo,
                MsgIcon::Question);
  EXPECT_TRUE(ui.IsVisible("frmMain"));
  EXPECT_EQ(Field("txtSrcPath"), "C:\\Data\\");
  EXPECT_EQ(Field("txtDestPath"), "D:\\Backup\\");
  EXPECT_EQ(program.slots.JoinedOptions(), " /S /MIR");
  EXPECT_EQ(fakes.host.ended, 0);
}

TEST_F(MainWindowLifecycle, QuitAnsweredYesEmptiesTheTableAndEnds) {
  TypeFolders("C:\\Data\\", "D:\\Backup\\");
  Run(MsgResult::Cancel);
  program.slots.strOptMir = " /MIR";
  fakes.messages.answers = {MsgResult::Yes};
  ui.Click("frmMain", "cmdQuit");

  EXPECT_EQ(LastMessage().text, "Quit the Program?");
  EXPECT_FALSE(ui.IsOpen("frmMain"));
  EXPECT_EQ(program.slots.JoinedOptions(), "");
  EXPECT_EQ(program.slots.strOptSub, "");
  EXPECT_EQ(program.slots.strRunSrc, "");
  EXPECT_EQ(program.slots.strRunDest, "");
  EXPECT_EQ(fakes.host.ended, 1);
}

TEST_F(MainWindowLifecycle, CloseBoxEndsWithoutAsking) {
  program.slots.strOptMir = " /MIR";
  ui.CloseBox("frmMain");
  EXPECT_TRUE(fakes.messages.shown.empty());
  EXPECT_FALSE(ui.IsOpen("frmMain"));
  EXPECT_EQ(program.slots.JoinedOptions(), "");
  EXPECT_EQ(fakes.host.ended, 1);
}

TEST_F(MainWindowLifecycle, SupportMessageHasExactlyTwoLines) {
  ui.Menu("frmMain", "mnuHelpSupport");
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  const ShownMessage& shown = LastMessage();
  EXPECT_EQ(shown.title, "Support Info.");
  EXPECT_EQ(shown.buttons, MsgButtons::Ok);
  EXPECT_EQ(shown.icon, MsgIcon::Information);
  const std::string first = "For Support or to report bugs contact:\r\n";
  ASSERT_EQ(shown.text.rfind(first, 0), 0u) << shown.text;
  const std::string contact = shown.text.substr(first.size());
  EXPECT_FALSE(contact.empty());
  EXPECT_EQ(contact.find_first_of("\r\n"), std::string::npos) << shown.text;
}

// ---- Job files ----

using MainWindowJob = MainWindow;

TEST_F(MainWindowJob, SavedJobHoldsWhatRunsAndOpensBackIntoFieldsSlotsAndDialog) {
  TypeFolders("C:\\Data\\", "D:\\\xC3\xA4\\");
  program.slots.strOptMir = " /MIR";
  program.slots.strOptExclDir = " /XD tmp \"Old Stuff\"";
  program.slots.strOptLog = " /LOG:\"C:\\My Logs\\run.txt\"";
  Run(MsgResult::Cancel);
  const std::string confirmed = LastMessage().text;
  fakes.fileDialogs.saveOutcomes = {"C:\\Jobs\\weekly.rcj"};
  ui.Menu("frmMain", "mnuFileSave");  // no job file yet: Save As
  EXPECT_EQ(ui.Window("frmMain").caption, "weekly.rcj - Marquill 1.0");
  const FileDialogRequest& asked = fakes.fileDialogs.requests.at(0);
  EXPECT_EQ(asked.types.at(0).name + asked.types.at(1).pattern + asked.defaultExtension,
            "Robocopy Jobs (*.rcj)*.*rcj");
  const std::string& saved = fakes.files.contents["C:\\Jobs\\weekly.rcj"];
  EXPECT_EQ(saved,
            "::\r\n:: Robocopy Job C:\\JOBS\\WEEKLY.RCJ\r\n:: Created by Marquill 1.0 on "
            "01/12/2024 at 14:05:09\r\n::\r\n\r\n::\r\n:: Source Directory :\r\n::\r\n"
            "\t/SD:C:\\Data\\\t:: Source Directory.\r\n\r\n::\r\n:: Destination Directory :\r\n"
            "::\r\n\t/DD:D:\\\xE4\\\t:: Destination Directory.\r\n\r\n::\r\n:: Exclude These "
            "Directories :\r\n::\r\n\t/XD\t:: exclude folders matching these names\r\n\t\ttmp\r\n"
            "\t\tOld Stuff\r\n\r\n::\r\n:: Options :\r\n::\r\n\t/S\t:: copy subfolders, but not "
            "empty ones\r\n\t/MIR\t:: mirror a folder tree\r\n\t/LOG:\"C:\\My Logs\\run.txt\"\t:: "
            "write the log to this file, replacing it\r\n");

  ui.Menu("frmMain", "mnuFileNew");  // nothing changed since the save: no question
  EXPECT_EQ(Field("txtSrcPath") + ui.Window("frmMain").caption + program.slots.JoinedOptions(),
            "Marquill 1.0 /S");
  fakes.fileDialogs.outcomes = {"C:\\Jobs\\weekly.rcj"};
  ui.Menu("frmMain", "mnuFileOpen");
  EXPECT_TRUE(fakes.fileDialogs.requests.back().existingOnly);
  Run(MsgResult::Cancel);
  EXPECT_EQ(LastMessage().text, confirmed);
  // The dialog, loaded hidden, shows the job.
  EXPECT_EQ(ui.Check("frmOptMain", "chkMir") + ui.Check("frmOptMain", "optLogFile", 1) +
                ui.IsVisible("frmOptMain"),
            2);
  EXPECT_EQ(ui.Text("frmOptMain", "txtLogFile"), "C:\\My Logs\\run.txt");

  // Characters the code page lacks are refused; nothing is written.
  const std::string before = saved;
  SetField("txtSrcPath", "C:\\\xE6\x97\xA5\\");
  ui.Menu("frmMain", "mnuFileSave");
  ExpectMessage(LastMessage(),
                "Cannot save C:\\Jobs\\weekly.rcj\r\n\r\n/SD:C:\\\xE6\x97\xA5\\\r\nholds "
                "characters that are not in the system's code page, and job files hold only "
                "characters of the system's code page.",
                "Error", MsgButtons::Ok, MsgIcon::Exclamation);
  EXPECT_EQ(saved, before);
}

TEST_F(MainWindowJob, ChangesToAnOpenJobAreAskedAboutBeforeTheyCouldBeLost) {
  fakes.files.contents["C:\\j.rcj"] = "/SD:C:\\a\\\r\n/DD:D:\\b\\\r\n/MIR\r\n";
  ui.Drop("frmMain", "", {{"C:\\Jobs", true}});  // the window takes a file, not a folder
  EXPECT_EQ(ui.Window("frmMain").refusedDrops, 1);
  ui.Drop("frmMain", "", {{"C:\\Jobs", true}, {"C:\\j.rcj", false}});
  EXPECT_EQ(ui.Window("frmMain").caption, "j.rcj - Marquill 1.0");
  SetField("txtDestPath", "E:\\");
  ui.Menu("frmMain", "mnuFileNew");  // the fake answers Cancel
  ExpectMessage(LastMessage(), "Save changes to j.rcj?", "Marquill", MsgButtons::YesNoCancel,
                MsgIcon::Question);
  ui.CloseBox("frmMain");
  EXPECT_EQ(Field("txtDestPath") + std::to_string(fakes.host.ended), "E:\\0");
  fakes.files.failing["C:\\j.rcj"] = "Access is denied.";
  fakes.messages.answers = {MsgResult::Yes, MsgResult::Yes};
  ui.Click("frmMain", "cmdQuit");  // quit, save: the save fails and the program stays
  ExpectMessage(LastMessage(), "Cannot save C:\\j.rcj\r\n\r\nAccess is denied.", "Error",
                MsgButtons::Ok, MsgIcon::Exclamation);
  fakes.files.failing.clear();
  fakes.messages.answers = {MsgResult::Yes, MsgResult::No};
  ui.Click("frmMain", "cmdQuit");  // quit, and leave the changes unsaved
  EXPECT_EQ(fakes.host.ended, 1);
  EXPECT_EQ(fakes.files.contents["C:\\j.rcj"], "/SD:C:\\a\\\r\n/DD:D:\\b\\\r\n/MIR\r\n");
  EXPECT_EQ(fakes.messages.shown.size(), 7u);
}

TEST_F(MainWindowJob, FilesThatAreNoJobAndOtherArgumentsAreRefusedAndChangeNothing) {
  fakes.files.contents = {{"C:\\bin.rcj", std::string("MZ\0", 3)},
                          {"C:\\big.rcj", std::string(kJobFileLimit + 1, ' ')},
                          {"C:\\bad.rcj", "/S\r\n\t/XD\r\n\t\ttmp\r\n/SD:C:\\\r\n/SD:D:\\\r\n"},
                          {"C:\\kept.rcj", "/SD:C:\\a\\\r\n/DD:D:\\\r\n/MT:8 /r:1000\r\n"}};
  const std::string usage =
      "Marquill takes one job file to open, as in\r\nmarquill.exe \"D:\\Jobs\\weekly.rcj\"\r\n\r\n"
      "It was given:\r\n";
  const std::string notJob = "\r\n\r\nThis is not a job file: ";
  const std::pair<Args, std::string> cases[] = {
      {{"C:\\bin.rcj"}, "Cannot open C:\\bin.rcj" + notJob + "it is not text."},
      {{"C:\\big.rcj"}, "Cannot open C:\\big.rcj" + notJob + "it is larger than 1 MiB."},
      {{"C:\\bad.rcj"},
       "Cannot open C:\\bad.rcj" + notJob +
           "it gives the source folder a second time.\r\n\r\nLine 5: /SD:D:\\"},
      {{"C:\\none.rcj"}, usage + "\"C:\\none.rcj\"\r\nThe system cannot find the file specified."},
      {{"a", "b c"}, usage + "\"a\"\r\n\"b c\""},
  };
  for (const auto& [arguments, message] : cases) {
    program.frmMain.OpenArguments(arguments);
    ExpectMessage(LastMessage(), message, "Error", MsgButtons::Ok, MsgIcon::Exclamation);
  }
  program.frmMain.OpenJob("C:\\none.rcj");
  EXPECT_EQ(LastMessage().text,
            "Cannot open C:\\none.rcj\r\n\r\nThe system cannot find the file specified.");
  EXPECT_EQ(ui.Window("frmMain").caption + program.slots.JoinedOptions(), "Marquill 1.0 /S");
  EXPECT_FALSE(ui.IsOpen("frmOptMain"));  // nothing of the refused jobs was shown

  // Switches no control writes are told of once, and run last.
  program.frmMain.OpenArguments({"C:\\kept.rcj"});
  ExpectMessage(LastMessage(),
                "kept.rcj holds switches that Marquill has no control for. They are "
                "passed to the engine as they are:\r\n\r\n/MT:8\r\n/r:1000",
                "Marquill", MsgButtons::Ok, MsgIcon::Information);
  Run(MsgResult::Cancel);
  EXPECT_EQ(LastMessage().text, "robocopy.exe \"C:\\a\" \"D:\\\\\" /MT:8 /r:1000");
}

// ---- Folder browsing and destination matching ----

using MainWindowBrowse = MainWindow;

TEST_F(MainWindowBrowse, BrowserIsAskedWithoutOwnerOrTitleForFileSystemFolders) {
  ui.Click("frmMain", "cmdBrowseSrc");
  ui.Click("frmMain", "cmdBrowseDest");
  ASSERT_EQ(fakes.folders.requests.size(), 2u);
  for (const FolderBrowseRequest& request : fakes.folders.requests) {
    EXPECT_EQ(request.owner, 0);
    EXPECT_EQ(request.title, "");
    EXPECT_EQ(request.flags, 1u);
  }
}

TEST_F(MainWindowBrowse, ChosenSourceGetsExactlyOneTrailingBackslash) {
  const std::string longPath = [] {
    std::string path = "C:\\";
    while (path.size() <= 300) path += "l\xC3\xA4ngerer Ordner\\";
    return path + "Ende";
  }();
  const struct {
    std::string chosen;
    std::string field;
  } cases[] = {
      {"C:\\Data\\Reports", "C:\\Data\\Reports\\"},
      {"D:\\", "D:\\"},
      {"\\\\server\\share", "\\\\server\\share\\"},
      {"C:\\Donn\xC3\xA9\x65s\\\xE6\x97\xA5\xE6\x9C\xAC",
       "C:\\Donn\xC3\xA9\x65s\\\xE6\x97\xA5\xE6\x9C\xAC\\"},
      {longPath, longPath + "\\"},
  };
  for (const auto& c : cases) {
    BrowseSource(c.chosen);
    EXPECT_EQ(Field("txtSrcPath"), c.field);
    EXPECT_EQ(program.frmMain.RoboSrc(), c.field);
    EXPECT_EQ(program.slots.strBrowsePath, c.chosen);
  }
}

TEST_F(MainWindowBrowse, CancelKeepsTheFields) {
  BrowseSource("C:\\Data");
  BrowseDestination("D:\\Backup");
  fakes.folders.Cancel();
  ui.Click("frmMain", "cmdBrowseSrc");
  EXPECT_EQ(Field("txtSrcPath"), "C:\\Data\\");
  EXPECT_EQ(program.slots.strBrowsePath, "");
  EXPECT_EQ(program.frmMain.RoboSrc(), "\\");

  fakes.folders.Cancel();
  ui.Click("frmMain", "cmdBrowseDest");
  EXPECT_EQ(Field("txtDestPath"), "D:\\Backup\\Data\\");
  EXPECT_EQ(program.frmMain.RoboDest(), "\\");
}

TEST_F(MainWindowBrowse, ItemWithoutAPathIsLikeCancel) {
  SetField("txtSrcPath", "typed");
  BrowseSource("");
  EXPECT_EQ(Field("txtSrcPath"), "typed");
  EXPECT_EQ(program.slots.strBrowsePath, "");
}

TEST_F(MainWindowBrowse, ShellFailureIsLikeCancelAndNeverReusesTheLastResult) {
  BrowseSource("C:\\Data\\Reports");
  fakes.folders.Fail();
  ui.Click("frmMain", "cmdBrowseDest");
  EXPECT_EQ(Field("txtDestPath"), "");
  EXPECT_EQ(program.slots.strBrowsePath, "");

  SetField("txtSrcPath", "C:\\Typed");
  BrowseDestination("D:\\Backup");
  fakes.folders.Fail();
  ui.Click("frmMain", "cmdBrowseSrc");
  EXPECT_EQ(Field("txtSrcPath"), "C:\\Typed");
  EXPECT_EQ(Field("txtDestPath"), "D:\\Backup\\Typed");
}

TEST_F(MainWindowBrowse, DestinationFollowsTheSourcesLastFolderWhenTicked) {
  const struct {
    const char* source;
    bool ticked;
    const char* chosen;
    const char* destination;
  } cases[] = {
      {"C:\\Data\\Reports\\", true, "D:\\Backup", "D:\\Backup\\Reports\\"},
      {"C:\\Data\\Reports", true, "D:\\Backup", "D:\\Backup\\Reports"},
      {"C:\\A\\B\\C\\", true, "D:\\Backup", "D:\\Backup\\C\\"},
      {"D:\\", true, "E:\\Backup", "E:\\Backup\\"},
      {"", true, "E:\\Backup", "E:\\Backup\\"},
      {"C:\\Data\\Reports\\", true, "E:\\", "E:\\Reports\\"},
      {"C:\\Donn\xC3\xA9\x65s\\\xE6\x97\xA5\xE6\x9C\xAC\\", true,
       "D:\\Sauvegarde \xC3\xA9t\xC3\xA9",
       "D:\\Sauvegarde \xC3\xA9t\xC3\xA9\\\xE6\x97\xA5\xE6\x9C\xAC\\"},
      {"C:\\Data\\Reports\\", false, "D:\\Backup", "D:\\Backup\\"},
      {"C:\\Data\\Reports\\", false, "E:\\", "E:\\"},
  };
  for (const auto& c : cases) {
    SetField("txtSrcPath", c.source);
    SetMatching(c.ticked);
    BrowseDestination(c.chosen);
    EXPECT_EQ(Field("txtDestPath"), c.destination)
        << "source <" << c.source << ">, ticked " << c.ticked << ", chosen <" << c.chosen << ">";
    EXPECT_EQ(Field("txtSrcPath"), c.source);
  }
}

TEST_F(MainWindowBrowse, MatchingHappensOnceAtTheDestinationBrowse) {
  BrowseSource("C:\\Data\\Reports");
  BrowseDestination("D:\\Backup");
  EXPECT_EQ(Field("txtDestPath"), "D:\\Backup\\Reports\\");
  EXPECT_EQ(program.frmMain.RoboDest(), "D:\\Backup\\");

  BrowseSource("C:\\Other");
  EXPECT_EQ(Field("txtDestPath"), "D:\\Backup\\Reports\\");

  ui.Click("frmMain", "chkMatchDest");
  EXPECT_EQ(ui.Check("frmMain", "chkMatchDest"), 0);
  EXPECT_EQ(Field("txtDestPath"), "D:\\Backup\\Reports\\");
  BrowseDestination("D:\\Backup");
  EXPECT_EQ(Field("txtDestPath"), "D:\\Backup\\");
}

TEST_F(MainWindowBrowse, TickingTheBoxAloneChangesNothing) {
  BrowseSource("C:\\Data");
  BrowseDestination("D:\\Backup");
  ui.Click("frmMain", "chkMatchDest");
  ui.Click("frmMain", "chkMatchDest");
  EXPECT_EQ(Field("txtSrcPath"), "C:\\Data\\");
  EXPECT_EQ(Field("txtDestPath"), "D:\\Backup\\Data\\");
  EXPECT_EQ(program.frmMain.RoboSrc(), "C:\\Data\\");
  EXPECT_EQ(program.frmMain.RoboDest(), "D:\\Backup\\");
  EXPECT_EQ(program.slots.strBrowsePath, "D:\\Backup");
  EXPECT_EQ(program.slots.JoinedOptions(), " /S");
  EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(MainWindowBrowse, DroppedFolderCountsAsBrowsedAndFilesAreRefusedLogNamesTheFirstFile) {
  const DroppedItem file{"C:\\Logs\\copy log.txt", false}, folder{"C:\\Data\\Reports", true},
      other{"E:\\Backup", true};
  const auto refused = [&](const std::string& form, const std::string& field) {
    return ui.At(form, field).refusedDrops;
  };
  ui.Drop("frmMain", "txtSrcPath", {file});
  EXPECT_EQ(Field("txtSrcPath"), "");
  // The items after the one taken are never asked about.
  EXPECT_EQ(ui.Drop("frmMain", "txtSrcPath", {file, folder, other}), 2);
  EXPECT_EQ(Field("txtSrcPath"), "C:\\Data\\Reports\\");
  EXPECT_EQ(program.frmMain.RoboSrc(), "C:\\Data\\Reports\\");
  EXPECT_EQ(program.slots.strBrowsePath, "C:\\Data\\Reports");
  ui.Drop("frmMain", "txtDestPath", {file});
  ui.Drop("frmMain", "txtDestPath", {other, folder});
  EXPECT_EQ(Field("txtDestPath"), "E:\\Backup\\Reports\\");
  EXPECT_EQ(program.frmMain.RoboDest(), "E:\\Backup\\");
  EXPECT_EQ(refused("frmMain", "txtSrcPath") + refused("frmMain", "txtDestPath"), 2);

  ui.Menu("frmMain", "mnuToolsOptions");
  ui.Drop("frmOptMain", "txtLogFile", {folder});
  EXPECT_EQ(refused("frmOptMain", "txtLogFile"), 1);
  ui.Drop("frmOptMain", "txtLogFile", {folder, file, {"C:\\other.log", false}});
  EXPECT_EQ(ui.Text("frmOptMain", "txtLogFile"), "C:\\Logs\\copy log.txt");
  EXPECT_EQ(program.slots.strOptLog, " /LOG:\"C:\\Logs\\copy log.txt\"");
  EXPECT_EQ(refused("frmOptMain", "txtLogFile"), 1);
}

TEST_F(MainWindowBrowse, BrowsedFoldersReachTheEngineUnchanged) {
  std::string source = "\\\\server\\share";
  while (source.size() <= 280) source += "\\Gro\xC3\x9F\x65 Daten \xE6\x97\xA5\xE6\x9C\xAC";
  BrowseSource(source);
  BrowseDestination("E:\\");
  Run(MsgResult::Ok);
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(LastLaunchArgs(),
            (Args{kEngine, source, "E:\\Gro\xC3\x9F\x65 Daten \xE6\x97\xA5\xE6\x9C\xAC", "/S"}));
}

}  // namespace
}  // namespace marquill::test
