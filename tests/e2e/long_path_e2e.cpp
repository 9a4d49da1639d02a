// The real marquill.exe under Wine with paths longer than the old 260
// character limit: typed into the fields, typed into the log box, and chosen
// in the system's file-open dialog, each reaching the engine whole.
#include <gtest/gtest.h>

#include "marquill_app.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

constexpr Rect96 kLogBoxRect{300, 619, 206, 21};

// A folder path below `root` made of `levels` components of 20 characters.
std::string DeepPath(const std::string& root, int levels) {
  std::string path = root;
  for (int level = 0; level < levels; ++level) {
    char component[32];
    std::snprintf(component, sizeof component, "\\level-%02d-abcdefghij", level);
    path += component;
  }
  return path;
}

// Runs the command, accepts it and returns the engine's arguments.
std::vector<std::string> RunAndAccept(const MarquillApp& app) {
  PressMessageBoxButton(app.ClickForBox(app.RunButton(), "Continue?"), IDOK);
  const auto starts = WaitForInvocations(app.engineRecord(), 1);
  EXPECT_EQ(starts.size(), 1u);
  return starts.front().argv;
}

HWND OpenOptions(const MarquillApp& app) {
  ChooseMenu(app.main(), {"Tools", "Options"});
  return WaitForTopWindow(app.process(), "Options");
}

// Creates every folder of `path` (a C:\ path) that does not exist yet.
void CreateFolders(const std::string& path) {
  for (size_t slash = path.find('\\', 3); slash != std::string::npos;
       slash = path.find('\\', slash + 1))
    CreateDirectoryW(Wide(path.substr(0, slash)).c_str(), nullptr);
  if (!CreateDirectoryW(Wide(path).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    throw DriverError("cannot create " + path);
}

TEST(LongPathE2E, TypedFoldersDeeperThan260CharactersReachTheEngineWhole) {
  const std::string source = DeepPath("C:\\Data", 20);
  const std::string destination = DeepPath("D:\\Backup", 16);
  ASSERT_GT(source.size(), 400u);
  ASSERT_GT(destination.size(), 260u);

  ParkPointer();
  MarquillApp app;
  SettleForeground(app.main());
  WaitUntil([&] { return FocusIn(app.main()) == app.SourceField(); }, "focus on the source");
  TypeText(app.main(), source + "\\");
  WaitUntil([&] { return GetText(app.SourceField()).size() >= source.size() + 1; },
            "the typed source");
  EXPECT_EQ(GetText(app.SourceField()), source + "\\");
  SetText(app.DestinationField(), destination);
  EXPECT_EQ(GetText(app.DestinationField()), destination);

  const auto argv = RunAndAccept(app);
  ASSERT_EQ(argv.size(), 4u);
  EXPECT_EQ(argv[1], source);
  EXPECT_EQ(argv[2], destination);
}

TEST(LongPathE2E, LogNameLongerThan260CharactersReachesTheEngineWhole) {
  const std::string log = DeepPath("C:\\Logs", 14) + "\\run.log";
  ASSERT_GT(log.size(), 260u);
  MarquillApp app;
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  const HWND options = OpenOptions(app);
  const HWND logBox = FindChildAt(options, "Edit", kLogBoxRect);
  SetText(logBox, log);
  Click(FindChild(options, "Button", "Append Log File"));
  app.WaitUntilIdle();
  EXPECT_EQ(GetText(logBox), log);

  const auto argv = RunAndAccept(app);
  ASSERT_FALSE(argv.empty());
  EXPECT_EQ(argv.back(), "/LOG+:" + log);
}

// The first edit among `window` and its descendants.
HWND EditWithin(HWND window) {
  if (ClassOf(window) == "Edit") return window;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (HWND edit = EditWithin(child)) return edit;
  return nullptr;
}

// The file-open dialog's file name box, which may sit inside a combo box.
HWND FileNameBox(HWND dialog) {
  constexpr int kFileNameCombo = 0x47c;
  constexpr int kFileNameEdit = 0x480;
  for (int id : {kFileNameCombo, kFileNameEdit})
    if (HWND control = GetDlgItem(dialog, id))
      if (HWND edit = EditWithin(control)) return edit;
  throw DriverError("the file-open dialog has no file name box");
}

// Wine's own file-open dialog overruns a fixed buffer on a typed name past
// 260 characters, so the dialog is driven with a deep name that it can take;
// longer chosen names are proved on the memory backend.
TEST(LongPathE2E, LogFileChosenInTheOpenDialogReachesTheEngineWhole) {
  const std::string folder = DeepPath(FreshScratchPath("logs"), 9);
  const std::string log = folder + "\\chosen.log";
  ASSERT_GT(log.size(), 200u);
  ASSERT_LT(log.size(), 260u);
  CreateFolders(folder);

  MarquillApp app;
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  const HWND options = OpenOptions(app);
  Click(FindChild(options, "Button", "Browse"));
  const HWND dialog = WaitForTopWindow(app.process(), "Open", "#32770");
  SetText(FileNameBox(dialog), log);
  Click(GetDlgItem(dialog, IDOK));
  WaitUntil([&] { return !IsShown(dialog); }, "the file-open dialog to close");
  app.WaitUntilIdle();

  EXPECT_EQ(GetText(FindChildAt(options, "Edit", kLogBoxRect)), log);
  EXPECT_EQ(CheckState(FindChild(options, "Button", "Overwrite Log File")), BST_CHECKED);
  const auto argv = RunAndAccept(app);
  ASSERT_FALSE(argv.empty());
  EXPECT_EQ(argv.back(), "/LOG:" + log);
}

}  // namespace
}  // namespace marquill::e2e
