#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One start of a fake outside program, as it records itself: one JSON object
// per line, texts in UTF-8.
namespace marquill::e2e {

struct Invocation {
  std::string cmdline;            // the command line exactly as the process got it
  std::vector<std::string> argv;  // that line split by the standard Windows rules
  std::string exe;                // the full path of the started program
};

std::string ToJsonLine(const Invocation& invocation);

// nullopt for a line that is not an object of the three fields above.
std::optional<Invocation> ParseJsonLine(std::string_view line);

}  // namespace marquill::e2e
