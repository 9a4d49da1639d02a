#include "support/windows_cmdline.h"

#include "model/command_line.h"

namespace marquill::test {

// The program's own splitter: the recorded lines of the test data hold it to
// Windows' answers.
std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine) {
  return SplitCommandLine(commandLine);
}

}  // namespace marquill::test
