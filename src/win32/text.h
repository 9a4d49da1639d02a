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

// Long enough for any path Windows can handle.
inline constexpr unsigned long kLongPath = 32768;

// A path the file system can be given however long it is: beyond MAX_PATH
// Windows wants a full path in its extended form.
std::wstring ExtendedPath(const std::wstring& path);

}  // namespace marquill::win32
