// UTF-8 and UTF-16 at the Win32 boundary, and system error texts.
#pragma once

#include <string>
#include <string_view>

// UTF-8 inside the program, UTF-16 at every Win32 call.
namespace marquill::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// The system's text for an error code, without the trailing line break.
std::string ErrorText(unsigned long code);

}  // namespace marquill::win32
