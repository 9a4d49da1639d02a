#pragma once

#include <string>
#include <string_view>

// UTF-8 <-> UTF-16 at the Win32 boundary of the test programs.
namespace marquill::e2e {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace marquill::e2e
