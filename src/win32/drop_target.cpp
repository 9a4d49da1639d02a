// Folders and files dropped from the shell on a control.
#include "win32/drop_target.h"

#include <shellapi.h>

#include <string>
#include <utility>

#include "win32/backend.h"
#include "win32/ole.h"
#include "win32/system_function.h"
#include "win32/text.h"

namespace marquill::win32 {
namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(ExtendedPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The items of a shell drop (CF_HDROP), in the order the source gave them.
std::vector<toolkit::DroppedItem> DroppedItems(IDataObject* data) {
  using QueryFn = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
  using ReleaseFn = void(WINAPI*)(LPSTGMEDIUM);
  static auto query = SystemFunction<QueryFn>(L"shell32.dll", "DragQueryFileW");
  static auto release = SystemFunction<ReleaseFn>(L"ole32.dll", "ReleaseStgMedium");
  std::vector<toolkit::DroppedItem> items;
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (!data || !query || !release || FAILED(data->GetData(&format, &medium))) return items;
  const auto drop = static_cast<HDROP>(medium.hGlobal);
  const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
    if (!path.empty()) items.push_back({Narrow(path), IsFolder(path)});
  }
  release(&medium);
  return items;
}

}  // namespace

DropTarget::DropTarget(HWND window, Takes takes, Deliver deliver)
    : window_(window), takes_(std::move(takes)), deliver_(std::move(deliver)) {}

HRESULT DropTarget::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IDropTarget) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IDropTarget*>(this);
  AddRef();
  return S_OK;
}

ULONG DropTarget::AddRef() { return InterlockedIncrement(&references_); }

ULONG DropTarget::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

DWORD DropTarget::Effect(DWORD allowed) const {
  if (!taken_) return DROPEFFECT_NONE;
  // Marquill takes the path, not the item: a copy says so best.
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  return allowed & DROPEFFECT_LINK;
}

bool DropTarget::Usable() const {
  // A message box open disables every window of the program.
  return IsWindowEnabled(window_) && IsWindowEnabled(GetAncestor(window_, GA_ROOT));
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  dragged_ = DroppedItems(data);
  taken_ = Usable() && takes_ && takes_(dragged_);
  if (effect) *effect = Effect(*effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect) *effect = Effect(*effect);
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  // Let go over the control (no button still down, the cursor still on it):
  // a drop it would not take.
  POINT cursor{};
  RECT area{};
  const bool released = GetAsyncKeyState(VK_LBUTTON) >= 0 && GetAsyncKeyState(VK_RBUTTON) >= 0;
  if (!taken_ && released && Usable() && GetCursorPos(&cursor) && GetWindowRect(window_, &area) &&
      PtInRect(&area, cursor) && !dragged_.empty()) {
    Hand(std::exchange(dragged_, {}));
  }
  dragged_.clear();
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  const auto items = DroppedItems(data);
  dragged_.clear();
  if (effect) *effect = Effect(*effect);
  Hand(items);
  return S_OK;
}

void DropTarget::Hand(const std::vector<toolkit::DroppedItem>& items) {
  if (!deliver_) return;  // its control has gone while a drag still held it
  // Handlers run from here: no exception may reach OLE.
  Guarded(
      [&] {
        deliver_(items);
        return LRESULT{0};
      },
      0);
}

bool DropTarget::Register() {
  using RegisterFn = HRESULT(WINAPI*)(HWND, LPDROPTARGET);
  static auto registerTarget = SystemFunction<RegisterFn>(L"ole32.dll", "RegisterDragDrop");
  if (!registered_ && OleStarted() && registerTarget)
    registered_ = SUCCEEDED(registerTarget(window_, this));
  return registered_;
}

void DropTarget::Revoke() {
  using RevokeFn = HRESULT(WINAPI*)(HWND);
  static auto revokeTarget = SystemFunction<RevokeFn>(L"ole32.dll", "RevokeDragDrop");
  if (registered_ && revokeTarget) revokeTarget(window_);
  registered_ = false;
  takes_ = nullptr;
  deliver_ = nullptr;
  Release();
}

}  // namespace marquill::win32
