// What screen readers hear of the controls: names and live regions.
#pragma once

#include <windows.h>

#include <string>

namespace marquill::win32 {

// The answer to WM_GETOBJECT for the client area of `hwnd`: the system's own
// accessible object for it, with `name` as its name. 0 when there is none to
// give (the caller then leaves the message to the system).
LRESULT NamedAccessibleObject(HWND hwnd, WPARAM flags, const std::wstring& name);

// Tells screen readers that the text of `hwnd` changed, so they read it out
// unasked: a polite live region (marked so, where Windows supports that, the
// first time, when `marked` is still false), and the event that says it
// changed.
void AnnounceLiveRegion(HWND hwnd, bool& marked);

}  // namespace marquill::win32
