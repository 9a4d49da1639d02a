#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marquill::test {

// The values of the arguments of a UTF-8 command line, split by the rules a
// Windows program's start-up code applies (model/command_line.h).
std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine);

}  // namespace marquill::test
