// Folders and files dropped from the shell on a control.
#pragma once

#include <windows.h>

#include <ole2.h>

#include <functional>
#include <memory>

#include "toolkit/peer.h"

namespace marquill::win32 {

class ShellDrop;

// Takes drops on one control. While items are dragged over it, the cursor
// says whether `takes` would take them; dropped, they go to `deliver`. A release over it that it
// would not take is delivered too, so the control can refuse it aloud: OLE itself tells a target
// only that the drag left.
class DropTarget final : public IDropTarget {
 public:
  using Items = toolkit::DroppedItems;
  using Takes = std::function<bool(const Items&)>;
  using Deliver = std::function<void(const Items&)>;
  DropTarget(HWND window, Takes takes, Deliver deliver);
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

  // Registers it for its window; false when OLE is not started or refuses.
  bool Register();
  // Unregisters it, and its owner lets it go.
  void Revoke();

 private:
  ~DropTarget();
  DWORD Effect(DWORD allowed) const;
  bool Usable() const;
  void Hand(const toolkit::DroppedItems& items);

  HWND window_;
  Takes takes_;
  Deliver deliver_;
  std::unique_ptr<ShellDrop> dragged_;  // what is being dragged over it
  bool taken_ = false;                  // what the items dragged over it would be
  bool registered_ = false;
  LONG references_ = 1;
};

}  // namespace marquill::win32
