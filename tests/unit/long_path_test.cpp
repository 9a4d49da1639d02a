// Paths longer than the old 260-character limit, from the folder browser and
// the file-open dialog to the engine's arguments, unchanged.
#include "options_fixture.h"
#include "support/windows_cmdline.h"

namespace marquill::test {
namespace {

// `root` followed by `levels` folder names of 20 characters, the last one
// named `last`.
std::string DeepPath(const std::string& root, int levels, const std::string& last) {
  std::string path = root;
  for (int level = 1; level < levels; ++level)
    path += "\\level " + std::string(level < 10 ? "0" : "") + std::to_string(level) + " abcdefghij";
  return path + "\\" + last;
}

using LongPaths = OptionsDialog;

// The engine's arguments in the last launch.
std::vector<std::string> LaunchedArgs(const FakeLauncher& launcher) {
  return SplitWindowsCommandLine(launcher.launches.back().commandLine);
}

TEST_F(LongPaths, BrowsedFoldersPastTheOldLimitReachTheFieldsAndTheEngineWhole) {
  // Blanks and a non-ASCII name too, so quoting is exercised at that length.
  const std::string source = DeepPath("C:\\Data", 20, "Berichte ü");
  const std::string destination = DeepPath("\\\\server\\share", 15, "Backup");
  ASSERT_GT(source.size(), 380u);
  ASSERT_GT(destination.size(), 260u);

  fakes.folders.Choose(source);
  ui.Click("frmMain", "cmdBrowseSrc");
  EXPECT_EQ(ui.Text("frmMain", "txtSrcPath"), source + "\\");
  fakes.folders.Choose(destination);
  ui.Click("frmMain", "cmdBrowseDest");  // matching is ticked at start
  EXPECT_EQ(ui.Text("frmMain", "txtDestPath"), destination + "\\Berichte ü\\");
  EXPECT_EQ(slots.strBrowsePath, destination);

  ui.Click("frmMain", "cmdRun");
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  const auto args = LaunchedArgs(fakes.launcher);
  ASSERT_EQ(args.size(), 4u);
  EXPECT_EQ(args[1], source);
  EXPECT_EQ(args[2], destination + "\\Berichte ü");
}

TEST_F(LongPaths, ChosenLogFilePastTheOldLimitReachesTheBoxTheSlotAndTheEngineWhole) {
  const std::string log = DeepPath("D:\\Logs", 16, "copy-run.log");
  ASSERT_GT(log.size(), 300u);
  Open();
  fakes.fileDialogs.outcomes = {log};
  Click("cmdLogFile");
  EXPECT_EQ(ui.Text(kOpt, "txtLogFile"), log);
  EXPECT_EQ(Check("optLogFile", 1), 1);

  // Blanks in the name: it still arrives as one argument.
  ui.Click("frmMain", "cmdRun");
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(LaunchedArgs(fakes.launcher).back(), "/LOG:" + log);

  // A cancelled dialog brings the same long name back.
  Clear("txtLogFile");
  Click("cmdLogFile");
  EXPECT_EQ(ui.Text(kOpt, "txtLogFile"), log);
}

TEST_F(LongPaths, TypedLogNamePastTheOldLimitIsAppendedWhole) {
  const std::string log = DeepPath("C:\\Logs", 18, "append.log");
  ASSERT_GT(log.size(), 300u);
  Open();
  ui.Type(kOpt, "txtLogFile", log);
  Click("optLogFile", 0);
  ui.Click("frmMain", "cmdRun");
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(LaunchedArgs(fakes.launcher).back(), "/LOG+:" + log);
}

}  // namespace
}  // namespace marquill::test
