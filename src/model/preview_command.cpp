// The engine command of a preview, and what a listing's command says.
#include "model/preview_command.h"

#include <algorithm>
#include <vector>

#include "model/command_line.h"

namespace marquill {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

constexpr std::string_view kLogSwitches[] = {"/LOG:", "/LOG+:", "/UNILOG:", "/UNILOG+:"};

// What a preview must not do: write the user's log, the registry or a job
// file, or watch the source and run again.
bool Unwanted(std::string_view argument) {
  for (std::string_view prefix : {"/SAVE:", "/MON:", "/MOT:", "/RH:"})
    if (StartsWith(argument, prefix)) return true;
  for (std::string_view prefix : kLogSwitches)
    if (StartsWith(argument, prefix)) return true;
  return SameText(argument, "/TEE") || SameText(argument, "/REG") || SameText(argument, "/QUIT");
}

// The arguments after the engine's name.
std::vector<Argument> Arguments(std::string_view commandLine) {
  std::vector<Argument> arguments = SpelledArguments(commandLine);
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return arguments;
}

bool Has(const std::vector<Argument>& arguments, std::string_view name) {
  return std::any_of(arguments.begin(), arguments.end(),
                     [&](const Argument& argument) { return SameText(argument.value, name); });
}

}  // namespace

std::string PreviewCommand(std::string_view commandLine) {
  const std::vector<Argument> all = SpelledArguments(commandLine);
  if (all.empty()) return std::string(commandLine);
  std::string preview(all.front().spelled);
  std::vector<Argument> kept;
  for (auto argument = all.begin() + 1; argument != all.end(); ++argument) {
    if (Unwanted(argument->value)) continue;
    preview.append(" ").append(argument->spelled);
    kept.push_back(*argument);
  }
  const bool deletes = Has(kept, "/MIR") || Has(kept, "/PURGE");
  for (std::string_view added : {"/L", "/UNICODE", "/NP", "/FP", "/X"}) {
    if (added == "/X" && !deletes) continue;
    if (!Has(kept, added)) preview.append(" ").append(added);
  }
  return preview;
}

bool HasSwitch(std::string_view commandLine, std::string_view name) {
  return Has(Arguments(commandLine), name);
}

bool DeletesExtras(std::string_view commandLine) {
  const std::vector<Argument> arguments = Arguments(commandLine);
  return Has(arguments, "/MIR") || Has(arguments, "/PURGE");
}

std::optional<std::string> ListingLogFile(std::string_view commandLine) {
  const std::vector<Argument> arguments = Arguments(commandLine);
  if (Has(arguments, "/TEE")) return std::nullopt;
  std::optional<std::string> file;
  // The engine writes to the last log it is given.
  for (const Argument& argument : arguments)
    for (std::string_view prefix : kLogSwitches)
      if (StartsWith(argument.value, prefix)) file = argument.value.substr(prefix.size());
  return file;
}

}  // namespace marquill
