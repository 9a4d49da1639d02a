#include "support/windows_cmdline.h"

#include "model/command_line.h"

namespace marquill::test {

std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine) {
  std::vector<std::string> values;
  for (Argument& argument : SplitCommandLine(commandLine))
    values.push_back(std::move(argument.value));
  return values;
}

}  // namespace marquill::test
