// The engine command of a preview, and what a listing's command says.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marquill {

// `commandLine` (a launch text: the engine, then its arguments) changed so that
// the engine lists and changes nothing: switches that write a log, the
// registry or a job, or that keep the engine running, are left out; /L,
// /UNICODE, /NP, /FP and, when the command deletes extra files, /X are added
// at the end, each only when absent. Arguments are matched whole and without
// regard to case; every other argument keeps its place and its spelling.
std::string PreviewCommand(std::string_view commandLine);

// Whether an argument after the engine's name is `name` (/L, /MIR),
// matched whole and without regard to case.
bool HasSwitch(std::string_view commandLine, std::string_view name);

// Whether the command deletes from the destination what the source lacks
// (/MIR or /PURGE).
bool DeletesExtras(std::string_view commandLine);

// The file a command's listing goes to instead of its output: the value of
// its /LOG:, /LOG+:, /UNILOG: or /UNILOG+: when it has no /TEE.
std::optional<std::string> ListingLogFile(std::string_view commandLine);

}  // namespace marquill
