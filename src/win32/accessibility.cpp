// What screen readers hear of the controls: names and live regions.
#include "win32/accessibility.h"

#include <oleacc.h>

#include <utility>

#include "win32/ole.h"
#include "win32/system_function.h"

namespace marquill::win32 {
namespace {

// UI Automation's LiveSetting property, and its value Polite.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr int kPolite = 1;

// The system's accessible object for a control with another name; everything
// else is the system's answer. It answers for the interfaces it implements
// itself, forwarding to the system's object behind it, and no other, so that
// whichever of them a client holds leads back to this object and its name
// (COM identity): an interface of the system's object handed out as its own
// would lead a client to the unnamed object. The accessibility DLLs load only
// when a screen reader (or another client) first asks.
class NamedAccessible final : public IAccessible, public IEnumVARIANT, public IOleWindow {
 public:
  NamedAccessible(IAccessible* system, std::wstring name)
      : system_(system), name_(std::move(name)) {
    system_->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&children_));
    system_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window_));
  }
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible)
      *out = static_cast<IAccessible*>(this);
    else if (iid == IID_IEnumVARIANT && children_)
      *out = static_cast<IEnumVARIANT*>(this);
    else if (iid == IID_IOleWindow && window_)
      *out = static_cast<IOleWindow*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return system_->get_accName(child, name);
    if (!name) return E_POINTER;
    using AllocFn = BSTR(WINAPI*)(const OLECHAR*);
    static auto alloc = SystemFunction<AllocFn>(L"oleaut32.dll", "SysAllocString");
    *name = alloc ? alloc(name_.c_str()) : nullptr;
    return *name ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return system_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return system_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return system_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  // A client that reads the name through IDispatch gets this object's name too.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    if (id != DISPID_ACC_NAME || !(flags & DISPATCH_PROPERTYGET) || !result)
      return system_->Invoke(id, iid, locale, flags, params, result, exception, argument);
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    if (params && params->cArgs > 0) child = params->rgvarg[params->cArgs - 1];
    BSTR name = nullptr;
    const HRESULT got = get_accName(child, &name);
    if (SUCCEEDED(got)) {
      result->vt = VT_BSTR;
      result->bstrVal = name;
    }
    return got;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return system_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return system_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return system_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return system_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return system_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return system_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return system_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return system_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return system_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return system_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return system_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return system_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return system_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return system_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return system_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return system_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return system_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return system_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return system_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return system_->put_accValue(child, value);
  }

  // The children, as the system's object enumerates them.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
    return children_->Next(count, items, fetched);
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return children_->Skip(count); }
  HRESULT STDMETHODCALLTYPE Reset() override { return children_->Reset(); }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override { return children_->Clone(copy); }

  // The control's window.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override { return window_->GetWindow(hwnd); }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override {
    return window_->ContextSensitiveHelp(enter);
  }

 private:
  ~NamedAccessible() {
    if (children_) children_->Release();
    if (window_) window_->Release();
    system_->Release();
  }

  IAccessible* system_;
  IEnumVARIANT* children_ = nullptr;
  IOleWindow* window_ = nullptr;
  std::wstring name_;
  LONG references_ = 1;
};

// Done on the first announcement rather than at creation: it loads COM.
void MarkPoliteLiveRegion(HWND hwnd) {
  using CreateFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
  static auto create = SystemFunction<CreateFn>(L"ole32.dll", "CoCreateInstance");
  IAccPropServices* properties = nullptr;
  if (!create || !StartOle() ||
      FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                    reinterpret_cast<void**>(&properties))))
    return;  // older systems, and Wine, have no live regions: the event still goes
  VARIANT polite{};
  polite.vt = VT_I4;
  polite.lVal = kPolite;
  properties->SetHwndProp(hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                          kLiveSettingProperty, polite);
  properties->Release();
}

}  // namespace

LRESULT NamedAccessibleObject(HWND hwnd, WPARAM flags, const std::wstring& name) {
  using CreateStdFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using ResultFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static auto createStd = SystemFunction<CreateStdFn>(L"oleacc.dll", "CreateStdAccessibleObject");
  static auto result = SystemFunction<ResultFn>(L"oleacc.dll", "LresultFromObject");
  IAccessible* system = nullptr;
  // The answer is marshalled through COM, which a screen reader's first
  // question, a sent message, may reach before anything else has started it.
  if (!createStd || !result || !StartCom() ||
      FAILED(createStd(hwnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&system))))
    return 0;
  auto* named = new NamedAccessible(system, name);
  const LRESULT answer = result(IID_IAccessible, flags, static_cast<IAccessible*>(named));
  named->Release();
  return answer > 0 ? answer : 0;
}

void AnnounceLiveRegion(HWND hwnd, bool& marked) {
  if (!std::exchange(marked, true)) MarkPoliteLiveRegion(hwnd);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace marquill::win32
