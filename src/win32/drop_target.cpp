// Folders and files dropped from the shell on a control.
#include "win32/drop_target.h"

#include <shellapi.h>
#include <shobjidl.h>

#include <memory>
#include <string>
#include <utility>

#include "win32/backend.h"
#include "win32/ole.h"
#include "win32/system_function.h"
#include "win32/text.h"

namespace marquill::win32 {

// The items of a shell drop: their paths from the drop's file list (CF_HDROP),
// and whether each is a folder from the shell's own items for them, which the
// shell answers from what it knows already. Asking the disk instead could
// hold Explorer's drag loop until an offline network path times out.
class ShellDrop final : public toolkit::DroppedItems {
 public:
  explicit ShellDrop(IDataObject* data);
  ~ShellDrop();
  ShellDrop(const ShellDrop&) = delete;
  ShellDrop& operator=(const ShellDrop&) = delete;

  size_t Count() const override { return paths_.size(); }
  std::string Path(size_t index) const override { return Narrow(paths_.at(index)); }
  bool IsFolder(size_t index) const override;
  const IDataObject* data() const { return data_; }

 private:
  IShellItemArray* ShellItems() const;

  IDataObject* data_;
  std::vector<std::wstring> paths_;
  mutable IShellItemArray* shellItems_ = nullptr;
  mutable bool shellAsked_ = false;
  mutable std::vector<signed char> folder_;  // -1 until asked
};

ShellDrop::ShellDrop(IDataObject* data) : data_(data) {
  if (data_) data_->AddRef();
  using QueryFn = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
  using ReleaseFn = void(WINAPI*)(LPSTGMEDIUM);
  static auto query = SystemFunction<QueryFn>(L"shell32.dll", "DragQueryFileW");
  static auto release = SystemFunction<ReleaseFn>(L"ole32.dll", "ReleaseStgMedium");
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (!data || !query || !release || FAILED(data->GetData(&format, &medium))) return;
  const auto drop = static_cast<HDROP>(medium.hGlobal);
  const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths_.push_back(std::move(path));
  }
  release(&medium);
  folder_.assign(paths_.size(), -1);
}

ShellDrop::~ShellDrop() {
  if (shellItems_) shellItems_->Release();
  if (data_) data_->Release();
}

IShellItemArray* ShellDrop::ShellItems() const {
  using CreateFn = HRESULT(WINAPI*)(IDataObject*, REFIID, void**);
  static auto create =
      SystemFunction<CreateFn>(L"shell32.dll", "SHCreateShellItemArrayFromDataObject");
  if (std::exchange(shellAsked_, true) || !create || !data_) return shellItems_;
  DWORD count = 0;
  if (FAILED(create(data_, IID_IShellItemArray, reinterpret_cast<void**>(&shellItems_))) ||
      FAILED(shellItems_->GetCount(&count)) || count != paths_.size()) {
    if (shellItems_) shellItems_->Release();
    shellItems_ = nullptr;
  }
  return shellItems_;
}

bool ShellDrop::IsFolder(size_t index) const {
  signed char& folder = folder_.at(index);
  if (folder >= 0) return folder;
  IShellItem* item = nullptr;
  if (IShellItemArray* items = ShellItems();
      items && SUCCEEDED(items->GetItemAt(static_cast<DWORD>(index), &item))) {
    SFGAOF attributes = 0;
    // A .zip file calls itself a folder too, but it is a stream.
    if (FAILED(item->GetAttributes(SFGAO_FOLDER | SFGAO_STREAM, &attributes))) attributes = 0;
    item->Release();
    folder = (attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM);
  } else {
    // A source that names its items only by path: the file system must say.
    const DWORD attributes = GetFileAttributesW(ExtendedPath(paths_[index]).c_str());
    folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  return folder;
}

DropTarget::DropTarget(HWND window, Takes takes, Deliver deliver)
    : window_(window), takes_(std::move(takes)), deliver_(std::move(deliver)) {}

DropTarget::~DropTarget() = default;

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
  dragged_ = std::make_unique<ShellDrop>(data);
  taken_ = Usable() && takes_ && takes_(*dragged_);
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
  const std::unique_ptr<ShellDrop> dragged = std::move(dragged_);
  if (!taken_ && released && dragged && dragged->Count() > 0 && Usable() && GetCursorPos(&cursor) &&
      GetWindowRect(window_, &area) && PtInRect(&area, cursor))
    Hand(*dragged);
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  // What the drag told of its items stays known.
  std::unique_ptr<ShellDrop> items = std::move(dragged_);
  if (!items || items->data() != data) items = std::make_unique<ShellDrop>(data);
  if (effect) *effect = Effect(*effect);
  Hand(*items);
  return S_OK;
}

void DropTarget::Hand(const toolkit::DroppedItems& items) {
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
