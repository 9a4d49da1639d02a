#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/command_line.h"

namespace marquill::test {

// Splits a UTF-8 command line into arguments by the rules a Windows program's
// start-up code applies (those of CommandLineToArgvW, as Wine implements it):
// the program's own splitter, which the recorded lines of the test data hold
// to Windows' answers.
inline std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine) {
  return SplitCommandLine(commandLine);
}

}  // namespace marquill::test
