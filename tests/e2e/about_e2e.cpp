// The real marquill.exe under Wine: the About box, and its System Info button
// finding the tool through the registry.
#include <gtest/gtest.h>

#include "marquill_app.h"
#include "probe.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

constexpr char kAboutTitle[] = "About Marquill";
const wchar_t kPathKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const wchar_t kFolderKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";

// The two registry rows the button reads, set for one test and removed
// afterwards (a fresh prefix holds neither value).
class SysInfoRows {
 public:
  SysInfoRows() { Clear(); }
  ~SysInfoRows() { Clear(); }
  SysInfoRows(const SysInfoRows&) = delete;
  SysInfoRows& operator=(const SysInfoRows&) = delete;

  void SetPath(const std::string& path) { Set(kPathKey, L"PATH", path); }
  void SetFolder(const std::string& folder) { Set(kFolderKey, L"MSINFO", folder); }

 private:
  static void Set(const wchar_t* key, const wchar_t* name, const std::string& text) {
    const std::wstring data = Wide(text);
    const auto size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    if (RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, REG_SZ, data.c_str(), size) != ERROR_SUCCESS)
      throw DriverError("cannot write the registry row " + Utf8(key));
  }
  static void Clear() {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kPathKey, L"PATH");
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kFolderKey, L"MSINFO");
  }
};

// marquill.exe with the fake System Information tool recording into a file
// of this test's own.
class AboutE2E : public ::testing::Test {
 protected:
  HWND OpenAbout() {
    ChooseMenu(app.main(), {"Help", "&About"});
    return WaitForTopWindow(app.process(), kAboutTitle);
  }
  void ClickSysInfo(HWND about) { Click(FindChild(about, "Button", "&System Info...")); }

  SysInfoRows rows;
  std::string record = FreshScratchPath("msinfo32-" + std::to_string(++runs_) + ".jsonl");
  MarquillApp app{ProgramFolder(), {{"MARQUILL_SYSINFO_RECORD", record}}};

 private:
  static inline int runs_ = 0;
};

TEST_F(AboutE2E, ShowsTheProgramsIdentityOnce) {
  const HWND about = OpenAbout();
  EXPECT_TRUE(IsShown(about));
  EXPECT_NO_THROW(FindChild(about, "Static", "Marquill"));
  EXPECT_NO_THROW(FindChild(about, "Static", "Version 1.0.0"));
  EXPECT_NO_THROW(FindChild(about, "Static",
                            "A Handy GUI that Unleashes the Power\r\nof Microsoft's RoboCopy"));
  EXPECT_NO_THROW(FindChild(about, "Button", "OK"));
  EXPECT_EQ(RectOf96(FindChild(about, "Button", "OK")).left, 283);
  // Icons at the sizes the system asks for at 96 dpi; none for a dialog frame's caption.
  EXPECT_EQ(Probe(app.main(), probe::kIcons), "32\t16");
  EXPECT_EQ(Probe(about, probe::kIcons), "32\t0");
  // The box has the focus on OK when it opens (once Wine has activated it).
  Activate(about);
  const HWND ok = FindChild(about, "Button", "OK");
  EXPECT_NO_THROW(WaitUntil([&] { return FocusIn(about) == ok; }, "the focus on OK"));

  // Asking again shows the same window: no second box, no second load.
  ChooseMenu(app.main(), {"Help", "&About"});
  app.WaitUntilIdle();
  EXPECT_EQ(FindTopWindow(app.process().Id(), kAboutTitle), about);
  EXPECT_TRUE(IsShown(app.main()));
}

TEST_F(AboutE2E, OkEnterAndEscEachCloseIt) {
  Click(FindChild(OpenAbout(), "Button", "OK"));
  WaitForTopWindowGone(app.process(), kAboutTitle);
  for (WORD key : {VK_RETURN, VK_ESCAPE}) {
    const HWND about = OpenAbout();
    Activate(about);
    PressKey(about, key);
    WaitForTopWindowGone(app.process(), kAboutTitle);
  }
  EXPECT_TRUE(IsShown(app.main()));
  EXPECT_TRUE(app.process().Running());
}

TEST_F(AboutE2E, SystemInfoStartsExactlyTheRegisteredPath) {
  // A blank in the path: only the path given as the program to start, not
  // read from a bare command line, reaches this very file.
  const std::string tool = ProgramFolderWithBlank() + "\\MSINFO32.EXE";
  rows.SetPath(tool);
  rows.SetFolder(ProgramFolder());
  ClickSysInfo(OpenAbout());
  const auto starts = WaitForInvocations(record, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].exe, tool);
  EXPECT_EQ(starts[0].argv, std::vector<std::string>{tool});
  EXPECT_TRUE(IsShown(FindTopWindow(app.process().Id(), kAboutTitle)));
}

TEST_F(AboutE2E, SystemInfoFallsBackToTheRegisteredFolder) {
  rows.SetFolder(ProgramFolder());
  ClickSysInfo(OpenAbout());
  const auto starts = WaitForInvocations(record, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].exe, ProgramFolder() + "\\MSINFO32.EXE");
}

TEST_F(AboutE2E, SystemInfoUnavailableIsReported) {
  const std::string empty = FreshScratchPath("no-msinfo");
  MakeProgramFolder(empty, {});
  rows.SetFolder(empty);
  const HWND about = OpenAbout();
  ClickSysInfo(about);
  const MessageBoxView box = WaitForMessageBox(app.process(), "Marquill");
  EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  PressMessageBoxButton(box, IDOK);

  // A first row naming no file fails to start, and says so too.
  rows.SetPath(empty + "\\MSINFO32.EXE");
  ClickSysInfo(about);
  PressMessageBoxButton(WaitForMessageBox(app.process(), "Marquill"), IDOK);
  app.WaitUntilIdle();
  EXPECT_TRUE(IsShown(about));
  EXPECT_EQ(app.process().DescendantsStarted(), 0);
  EXPECT_TRUE(ReadInvocations(record).empty());
}

}  // namespace
}  // namespace marquill::e2e
