// The real marquill.exe under Wine without sight of the screen and without
// the folder browser: the name Microsoft Active Accessibility gives each
// control that takes the focus, and a folder dragged from the shell.
#include <gtest/gtest.h>

#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <set>
#include <thread>

#include "marquill_app.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

using Names = std::vector<std::string>;

bool TakesFocus(HWND child) {
  const std::string kind = ClassOf(child);
  if (kind == "Button") return (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
  return kind == "Edit" || kind == "ListBox" || kind == "SysMonthCal32" || kind == "SysListView32";
}

// Name and role of every control of `window` that takes the focus, in tab
// order: each has a name, and no two of one role share one.
Names NamesIn(HWND window) {
  Names names;
  std::set<std::pair<std::string, long>> seen;
  for (HWND child : ChildrenOf(window, "")) {
    IAccessible* object = nullptr;
    if (!TakesFocus(child) ||
        FAILED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
      continue;
    VARIANT self{}, role{};
    self.vt = VT_I4;
    BSTR name = nullptr;
    object->get_accName(self, &name);
    object->get_accRole(self, &role);
    names.push_back(name ? Utf8(name) : "");
    SysFreeString(name);
    object->Release();
    EXPECT_NE(names.back(), "") << ClassOf(child) << " " << QuotedTextOf(child);
    EXPECT_TRUE(seen.insert({names.back(), role.lVal}).second) << "twice: " << names.back();
  }
  return names;
}

TEST(AccessibilityE2E, EveryControlThatTakesTheFocusHasANameOfItsOwn) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  MarquillApp app;
  EXPECT_EQ(NamesIn(app.main()),
            (Names{"Source Path", "Destination Path", "Browse Source Path",
                   "Browse Destination Path", "Quit", "RoboCopy",
                   "Match Destination Folder to Source Folder", "Preview", "Last copy"}));
  // The status line's name is what it tells: a screen reader announces that.
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  PressMessageBoxButton(app.ClickForBox(app.RunButton(), "Continue?"), IDOK);
  const HWND status = FindChildAt(app.main(), "Edit", kStatusRect);
  WaitUntil([&] { return GetText(status).rfind("Done at ", 0) == 0; }, "the copy's report");
  EXPECT_EQ(NamesIn(app.main()).back(), GetText(status));

  ChooseMenu(app.main(), {"Tools", "Options"});
  const Names names = NamesIn(WaitForTopWindow(app.process(), "Options"));
  Names expected = {
      "Enter Filenames to copy separated by a space. Wildcards are allowed. Default is *.*",
      "Exclude the Following File Names/Wildcards/Paths.",
      "Exclude the Following Directory Names/Paths",
      "Retries on Failed Copy",
      "Wait Time Between Retries",
      "Copy Only the Top Levels of the Source Dir",
      "Log File",
      "Browse Log File",
      "Exclude Files Older than:",
      "Exclude Files Newer Than:",
      "Maximum File Size (Bytes)",
      "Save Settings"};
  for (const char* group :
       {"Add the Given Attributes to Copied Files", "Remove the Given Attributes From Copied Files",
        "Include Only Files With the Given Attributes Set",
        "Exclude Only Files With the Given Attributes Set"})
    for (const char* letter : {"Read Only", "Archive", "System", "Hidden"})
      expected.push_back(std::string(letter) + " (" + group + ")");
  for (const std::string& name : expected)
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << "no " << name;
  // The size box says what its check box says.
  EXPECT_EQ(std::count(names.begin(), names.end(), "Minimum File Size (Bytes)"), 2);

  Click(FindChild(FindTopWindow(app.process().Id(), "Options"), "Button",
                  "Exclude Files Older than:"));
  const std::string picker = "Files older than this date will be excluded";
  EXPECT_EQ(NamesIn(WaitForTopWindow(app.process(), picker)), (Names{picker, "OK", "CANCEL"}));
  ChooseMenu(app.main(), {"Help", "&About"});
  EXPECT_EQ(NamesIn(WaitForTopWindow(app.process(), "About Marquill")),
            (Names{"OK", "System Info..."}));
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  Click(FindChildAt(app.main(), "Button", kPreviewRect));
  EXPECT_EQ(NamesIn(WaitForTopWindow(app.process(), "Preview")),
            (Names{"Listing", "Stop", "Copy", "Save As...", "Close", "Command line"}));
  CoUninitialize();
}

// Drops where the button is let go.
struct Source final : IDropSource {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    return *out = this, S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    return escape ? DRAGDROP_S_CANCEL : keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Drags the shell's own data for `path`, as Explorer offers it, from just
// above `target` onto it with the mouse; the effect the target chose. The
// drag starts, as any does, with the button down in a window of the source.
DWORD DragOnto(const std::string& path, HWND target) {
  IShellItem* item = nullptr;
  IDataObject* data = nullptr;
  if (FAILED(SHCreateItemFromParsingName(Wide(path).c_str(), nullptr, IID_PPV_ARGS(&item))) ||
      FAILED(item->BindToHandler(nullptr, BHID_DataObject, IID_PPV_ARGS(&data))))
    throw DriverError("no shell data for " + path);
  RECT to{};
  GetWindowRect(target, &to);
  const HWND from = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, to.left,
                                    to.top - 50, 40, 40, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(from);
  SetCursorPos(to.left + 20, to.top - 30);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  WaitUntil(
      [] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return GetKeyState(VK_LBUTTON) < 0;
      },
      "the button down in the drag source");
  std::thread hand([&] {
    for (int step = 1; step <= 10; ++step, Sleep(50))
      SetCursorPos(to.left + 20, to.top - 30 + step * (30 + (to.bottom - to.top) / 2) / 10);
    Mouse(MOUSEEVENTF_LEFTUP);
  });
  Source source;
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  hand.join();
  DestroyWindow(from);
  data->Release();
  item->Release();
  return effect;
}

TEST(DropE2E, AFolderOnAFieldCountsAsBrowsedAFileThereDoesNotAndOnTheWindowOpensAsAJob) {
  OleInitialize(nullptr);
  const std::string folder = FreshScratchPath("Sicherung \xC3\xA9t\xC3\xA9");
  const std::string file = FreshScratchPath("notes.txt");
  ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
  CloseHandle(CreateFileW(Wide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  const MarquillApp app;
  SetText(app.SourceField(), "C:\\Data\\Reports\\");
  Activate(app.main());
  EXPECT_EQ(DragOnto(folder, app.DestinationField()), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(GetText(app.DestinationField()), folder + "\\Reports\\");
  // A file: the cursor says no, and nothing changes.
  EXPECT_EQ(DragOnto(file, app.SourceField()), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(GetText(app.SourceField()), "C:\\Data\\Reports\\");
  // Elsewhere on the window a file is a job to open.
  const std::string job = FreshScratchPath("weekly.rcj");
  const std::string body = "/SD:C:\\Jobs\\\r\n/DD:E:\\\r\n";
  const HANDLE written =
      CreateFileW(Wide(job).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  DWORD count = 0;
  WriteFile(written, body.data(), static_cast<DWORD>(body.size()), &count, nullptr);
  CloseHandle(written);
  EXPECT_EQ(DragOnto(job, FindChild(app.main(), "Static", "Source Path")),
            static_cast<DWORD>(DROPEFFECT_COPY));
  WaitUntil([&] { return TextOf(app.main()) == "weekly.rcj - Marquill 1.0"; }, "the job opened");
  EXPECT_EQ(GetText(app.SourceField()), "C:\\Jobs\\");
  OleUninitialize();
}

}  // namespace
}  // namespace marquill::e2e
