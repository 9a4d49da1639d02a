// The Win32 backend: form and control windows, the message loop.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/peer.h"
#include "win32/handles.h"
#include "win32/layout_fit.h"

// Win32 peers: each toolkit form is a top-level window of one class that uses
// the dialog manager's default procedure (Tab, arrows, access keys, default
// button), and each control a child window created from the layout table.
namespace marquill::win32 {

class FormWindow;
class DropTarget;

// One child window. Translates its notifications into toolkit events. Its
// window belongs to the form's window, which destroys it.
class ControlWindow : public toolkit::ControlPeer {
 public:
  ControlWindow(FormWindow& form, const toolkit::ControlDef& def, toolkit::ControlEvents& events,
                int id);
  ~ControlWindow() override;

  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SetTextQuietly(const std::string& text) override;
  int Check() const override;
  void SetCheck(int state) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  void Focus() override;
  bool HasFocus() const override { return GetFocus() == hwnd_; }
  void AddItem(const std::string& item) override;
  int Selected() const override;
  void SetSelected(int position) override;
  Date GetDate() const override;
  void SetDate(const Date& date) override;
  int ShiftState() const override;
  void SetAccessibleName(const std::string& name, bool labelled) override;
  void RefuseDrop() override;
  void SetItemCount(std::size_t count) override;
  std::vector<std::size_t> SelectedItems() const override;
  void SelectAll() override;

  // WM_COMMAND notification from this control.
  void OnNotify(int code);
  // WM_NOTIFY from this control: its answer.
  LRESULT OnNotify(const NMHDR& header);
  // A key-down or key-up of an edit, with its virtual-key code.
  void OnKey(toolkit::PeerEvent event, WPARAM keyCode) {
    events_.OnPeerEvent(event, static_cast<int>(keyCode));
  }
  // Moves it to its place in the form's layout, in `font`.
  void Place(HFONT font);
  // Moves it to its place as the form's size changes.
  void Move();
  const toolkit::ControlDef& def() const { return def_; }
  // Starts taking drops, once OLE has been started.
  void AcceptDrops();
  // A message to the control's window, before its own procedure has it.
  LRESULT Intercept(UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd() const { return hwnd_; }

 private:
  void ShowAppIcon();
  // Puts Intercept in front of the window's own procedure, and takes it out.
  void InterceptMessages();
  void StopIntercepting();
  // A text that only shows has its scroll bar while its lines do not fit.
  void FitScrollBar();
  int LineCount() const;
  int VisibleLines() const;
  LRESULT Scroll(int request);

  FormWindow& form_;
  const toolkit::ControlDef& def_;
  toolkit::ControlEvents& events_;
  int id_;
  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;   // the window's own procedure, once intercepted
  std::wstring accessibleName_;  // where the system's own name would not do
  bool answersName_ = false;
  bool liveMarked_ = false;
  bool fittingScrollBar_ = false;
  DropTarget* dropTarget_ = nullptr;  // its own reference to it
};

// The start's show state has been taken (0 cannot say so: it is SW_HIDE).
inline constexpr int kStartupShowTaken = -1;

class FormWindow : public toolkit::FormPeer {
 public:
  // `startupShow` holds the show state the program was started with until the
  // first form shown takes it; kStartupShowTaken once taken. `mainWindow`: the
  // program's main window, on whose monitor this one opens; null for the main
  // window itself.
  FormWindow(HINSTANCE instance, const toolkit::FormDef& def, toolkit::FormEvents& events,
             int& startupShow, HWND mainWindow);
  ~FormWindow() override;

  std::unique_ptr<toolkit::ControlPeer> CreateControl(const toolkit::ControlDef& def,
                                                      toolkit::ControlEvents& events) override;
  void SetCaption(const std::string& caption) override;
  void Show() override;
  void Hide() override;
  bool Visible() const override;
  void Alert() override;
  void RefuseDrop() override;

  HWND hwnd() const { return hwnd_; }
  HINSTANCE instance() const { return instance_; }
  // The dpi the layout table and font are scaled to: the monitor's, or less
  // when the window would not fit its work area at the monitor's.
  UINT layoutDpi() const { return layoutDpi_; }
  HFONT font() const { return font_.get(); }
  // Where a control of this form goes in its client area.
  RECT ControlRect(const toolkit::ControlDef& def) const;
  // A control shows another caption: the layout follows it.
  void CaptionChanged();
  // The option group of `id` is one Tab stop, at its checked button, or at
  // its first when none is checked: the system moves the stop with each check
  // and takes it from a button cleared, which would leave a group cleared
  // from code out of reach.
  void PlaceGroupTabStop(int id);
  // The program's icon at the layout's size, for pictures that show it.
  HICON AppIcon();
  void Forget(int id) { controls_.erase(id); }
  // A control takes drops: once the window is on the screen, OLE is started
  // and every control of it that takes drops is registered.
  void WantDrops();

  static bool IsFormWindow(HWND hwnd);
  // A key of a menu item's shortcut, pressed in the form window `root`, is
  // turned into the item's command: true when it was one.
  static bool TranslateShortcut(HWND root, MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  // The caption's, taskbar's and Alt+Tab's icons, at the sizes the system asks
  // for at `dpi`.
  void SetIcons(UINT dpi);
  // Keyboard cues as the system's setting and the last input have them.
  void InitKeyboardCues();
  void MoveToMonitorOf(HWND mainWindow);
  // A layout: the dpi its table and font are scaled to, the scale, the font,
  // and the controls kept in a caption's blanks.
  struct Layout {
    UINT dpi;
    LayoutScale scale;
    UniqueFont font;
    std::vector<CaptionRun> runs;
  };
  // Lays the window out at `dpi`, where the system suggests or about its
  // centre; `onlyIfChanged` leaves it be when the layout comes out the same.
  void ApplyDpi(UINT dpi, const RECT* suggested, bool onlyIfChanged = false);
  Layout PlanLayout(UINT dpi, const RECT& frame, const RECT& work) const;
  SIZE WindowSize(const LayoutScale& scale, const RECT& frame) const;
  HMONITOR NewMonitor() const;
  void PressButton(unsigned style);

  HINSTANCE instance_;
  const toolkit::FormDef& def_;
  toolkit::FormEvents& events_;
  int& startupShow_;
  HWND hwnd_ = nullptr;
  bool hasMenu_ = false;
  UniqueAccelerators shortcuts_;  // the Ctrl+letter keys its menu items show
  UniqueFont font_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  UniqueIcon appIcon_;
  UINT layoutDpi_ = 96;
  SIZE baseUnits_{6, 13};  // of the message font at 96 dpi
  LayoutScale scale_;
  std::vector<CaptionRun> captionRuns_;
  int nextId_ = 100;
  std::map<int, ControlWindow*> controls_;
  DropTarget* dropTarget_ = nullptr;  // its own reference, when it takes files
};

class Backend : public toolkit::Backend {
 public:
  // `startupShow`: WinMain's show state, for the first window shown.
  Backend(HINSTANCE instance, int startupShow);
  std::unique_ptr<toolkit::FormPeer> CreateForm(const toolkit::FormDef& def,
                                                toolkit::FormEvents& events) override;

 private:
  HINSTANCE instance_;
  int startupShow_;
  HWND main_ = nullptr;  // the first form's window
};

// No exception may cross a window procedure into the system: this reports it
// and the program goes on.
void ReportUnexpected(const char* what) noexcept;

template <class Body>
LRESULT Guarded(Body&& body, LRESULT fallback) noexcept {
  try {
    return body();
  } catch (const std::exception& error) {
    ReportUnexpected(error.what());
  } catch (...) {
    ReportUnexpected("an unknown error");
  }
  return fallback;
}

// A window the system could not create: the reason, as it gives it.
class CannotCreateWindow : public std::runtime_error {
 public:
  CannotCreateWindow(const std::string& window, DWORD error);
};

// Runs the program's message loop until it ends; modeless windows get their
// keyboard handling from the dialog manager.
int RunMessageLoop();

// Pixels at 96 dpi to pixels at `dpi`.
inline int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

}  // namespace marquill::win32
