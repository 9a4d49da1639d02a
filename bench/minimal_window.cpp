// The smallest Win32 window program, built like marquill.exe and with its
// manifest: the yardstick for start-up time.
//
//   minimal_window.exe [steps]
//
// With a number it adds that many of the things marquill.exe's main window
// shows before it appears, in this order, so the benchmark can tell what each
// costs: 1 the common controls loaded, 2 a menu bar, 3 ten controls of the
// main window's kinds in the message font.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Loaded only when asked for: the plain window must not pay for it.
void LoadCommonControls() {
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const HMODULE module = LoadLibraryW(L"comctl32.dll");
  const auto init = module ? reinterpret_cast<InitFn>(reinterpret_cast<void*>(
                                 GetProcAddress(module, "InitCommonControlsEx")))
                           : nullptr;
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  if (init) init(&controls);
}

HMENU MenuBar() {
  HMENU bar = CreateMenu();
  for (const wchar_t* caption : {L"First", L"Second"}) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"An item");
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption);
  }
  return bar;
}

// Labels, text boxes, buttons, a check box and a read-only text with a scroll
// bar, as the main window has them.
void AddControls(HWND window, HINSTANCE instance) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);  // lives as long as the program
  struct Kind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
  };
  const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP;
  const Kind kinds[] = {{L"STATIC", SS_LEFT, 0},
                        {L"EDIT", edit, WS_EX_CLIENTEDGE},
                        {L"STATIC", SS_LEFT, 0},
                        {L"EDIT", edit, WS_EX_CLIENTEDGE},
                        {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0},
                        {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0},
                        {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0},
                        {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
                        {L"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0},
                        {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 0}};
  int top = 8;
  for (const Kind& kind : kinds) {
    HWND control = CreateWindowExW(kind.exStyle, kind.className, L"A control",
                                   WS_CHILD | WS_VISIBLE | WS_GROUP | kind.style, 8, top, 180, 15,
                                   window, nullptr, instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    top += 17;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
  const long steps = std::wcstol(commandLine, nullptr, 10);
  if (steps >= 1) LoadCommonControls();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"MinimalWindow";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"MinimalWindow", L"Minimal Window", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 290, 199, nullptr,
                                steps >= 2 ? MenuBar() : nullptr, instance, nullptr);
  if (steps >= 3) AddControls(window, instance);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
