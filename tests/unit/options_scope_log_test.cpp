#include "options_fixture.h"
#include "support/windows_cmdline.h"

namespace marquill::test {
namespace {

TEST_F(OptionsDialog, SubDirectoryLevelRetryAndWaitChoices) {
  Open();
  Click("optSub", 0);
  EXPECT_EQ(slots.strOptSub, " /S");
  Click("optSub", 1);
  EXPECT_EQ(slots.strOptSub, " /E");

  Click("chkLev");
  EXPECT_TRUE(ui.Enabled(kOpt, "lstSubLev"));
  EXPECT_EQ(slots.strOptLev, " /LEV:0");  // ticked before any level is chosen
  Click("optSub", 1);                     // already selected: no change, so the list stays usable
  EXPECT_TRUE(ui.Enabled(kOpt, "lstSubLev"));
  ui.SelectItem(kOpt, "lstSubLev", 2);
  EXPECT_EQ(slots.strOptLev, " /LEV:3");
  EXPECT_EQ(ui.Focused(), "frmOptMain.lstSubLev");
  Click("chkLev");
  EXPECT_FALSE(ui.Enabled(kOpt, "lstSubLev"));
  EXPECT_EQ(slots.strOptLev, "");
  Click("chkLev");
  EXPECT_EQ(slots.strOptLev, " /LEV:3");

  ui.SelectItem(kOpt, "lstSubLev", 4);
  Click("optSub", 0);
  EXPECT_FALSE(ui.Enabled(kOpt, "lstSubLev"));
  EXPECT_EQ(Check("chkLev"), 1);
  EXPECT_EQ(Switches(), " *.* /S /LEV:5");

  ui.SelectItem(kOpt, "lstRetry", 0);
  EXPECT_EQ(slots.strOptRetry, " /R:0");
  EXPECT_EQ(ui.Focused(), "frmOptMain.lstRetry");
  ui.SelectItem(kOpt, "lstWait", 255);
  ui.SelectItem(kOpt, "lstRetry", 255);
  Click("chkReg");
  EXPECT_EQ(Switches(), " *.* /S /LEV:5 /R:255 /W:255 /REG");
  Click("chkReg");
  EXPECT_EQ(slots.strOptReg, "");
}

TEST_F(OptionsDialog, LogNameCountsOnceAnOptionIsChosenAndReachesTheEngineAsOneArgument) {
  // name typed -> the argument the engine reads, and the slot where it is exact
  const struct {
    const char* typed;
    const char* argument;
    const char* slot;
  } cases[] = {
      {"C:\\My Logs\\run.txt", "/LOG+:C:\\My Logs\\run.txt", " /LOG+:\"C:\\My Logs\\run.txt\""},
      {"C:\\My Logs\\", "/LOG+:C:\\My Logs\\", nullptr},
      {"\"D:\\a b\\x.log\"", "/LOG+:D:\\a b\\x.log", " /LOG+:\"D:\\a b\\x.log\""},
      {"\"D:\\a b\\\"", "/LOG+:D:\\a b\\", nullptr},
      {"C:\\logs\\", "/LOG+:C:\\logs\\", " /LOG+:C:\\logs\\"},
  };
  Open();
  ui.Type(kOpt, "txtLogFile", "C:\\run.log");
  EXPECT_EQ(slots.strOptLog, "");  // typing alone writes nothing
  Click("optLogFile", 1);
  EXPECT_EQ(slots.strOptLog, " /LOG:C:\\run.log");
  Clear("txtLogFile");
  Click("optLogFile", 1);  // already selected: runs nothing
  EXPECT_EQ(slots.strOptLog, " /LOG:C:\\run.log");
  Click("optLogFile", 0);
  EXPECT_EQ(slots.strOptLog, "");
  for (const auto& c : cases) {
    Clear("txtLogFile");
    ui.Type(kOpt, "txtLogFile", c.typed);
    Click("optLogFile", 1);
    Click("optLogFile", 0);
    if (c.slot) {
      EXPECT_EQ(slots.strOptLog, c.slot);
    }
    Switches();
    const auto args = SplitWindowsCommandLine(fakes.launcher.launches.back().commandLine);
    EXPECT_EQ(args.back(), c.argument) << c.typed;
  }
}

TEST_F(OptionsDialog, BrowseKeepsTheLastChosenNameUntilTheDialogUnloads) {
  Open();
  ui.Type(kOpt, "txtLogFile", "typed.log");
  Click("optLogFile", 0);
  Click("cmdLogFile");  // cancelled, nothing chosen before
  EXPECT_EQ(ui.Text(kOpt, "txtLogFile"), "");
  EXPECT_EQ(Check("optLogFile", 1), 1);
  EXPECT_EQ(slots.strOptLog, "");

  Click("optLogFile", 0);
  fakes.fileDialogs.outcomes = {"C:\\logs\\a.log"};
  Click("cmdLogFile");
  EXPECT_EQ(Check("optLogFile", 1), 1);
  EXPECT_EQ(slots.strOptLog, " /LOG:C:\\logs\\a.log");

  ui.Type(kOpt, "txtLogFile", "x");
  Click("cmdLogFile");  // cancelled: the last chosen name comes back
  EXPECT_EQ(ui.Text(kOpt, "txtLogFile"), "C:\\logs\\a.log");
  EXPECT_EQ(slots.strOptLog, " /LOG:C:\\logs\\a.log");

  Click("cmdSave");
  Open();
  Click("cmdLogFile");
  EXPECT_EQ(ui.Text(kOpt, "txtLogFile"), "C:\\logs\\a.log");

  Click("cmdCancel");
  Open();
  Click("cmdLogFile");  // a new load has forgotten the name
  EXPECT_EQ(ui.Text(kOpt, "txtLogFile"), "");
  EXPECT_EQ(slots.strOptLog, "");
  EXPECT_EQ(fakes.fileDialogs.shown, 5);
}

}  // namespace
}  // namespace marquill::test
