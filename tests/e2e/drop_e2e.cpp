// The real marquill.exe under Wine taking a folder dragged from the shell, as
// Explorer would drag it, onto a field.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <thread>

#include "marquill_app.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

// Drops where the button is let go.
class Source final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDropSource ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

void Mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (SendInput(1, &input, sizeof input) != 1) throw DriverError("SendInput failed");
}

// Drags the shell's item for `path` from just above `target` onto it with
// the mouse. The drag starts, as any does, with the button going down in a
// window of the drag source's own thread.
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
    for (int step = 1; step <= 10; ++step) {
      Sleep(50);
      SetCursorPos(to.left + 20, to.top - 30 + step * (30 + (to.bottom - to.top) / 2) / 10);
      Mouse(MOUSEEVENTF_MOVE);
    }
    Sleep(200);
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

TEST(DropE2E, AFolderDraggedOntoTheDestinationIsTakenAsIfBrowsedAFileIsNot) {
  OleInitialize(nullptr);
  const std::string folder = FreshScratchPath("Sicherung \xC3\xA9t\xC3\xA9");
  ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
  const MarquillApp app;
  SetText(app.SourceField(), "C:\\Data\\Reports\\");
  Activate(app.main());
  EXPECT_EQ(DragOnto(folder, app.DestinationField()), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(GetText(app.DestinationField()), folder + "\\Reports\\");
  // A file: the cursor says no, and nothing changes.
  const std::string file = FreshScratchPath("notes.txt");
  CloseHandle(CreateFileW(Wide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  EXPECT_EQ(DragOnto(file, app.SourceField()), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(GetText(app.SourceField()), "C:\\Data\\Reports\\");
  OleUninitialize();
}

}  // namespace
}  // namespace marquill::e2e
