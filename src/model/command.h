// Command assembly: folder arguments, preview and launch texts.
#pragma once

#include <string>
#include <string_view>

#include "model/option_slots.h"

namespace marquill {

inline constexpr std::string_view kEngineFileName = "robocopy.exe";

// A drive's root (D:\) or the current drive's (a lone backslash).
bool IsRoot(std::string_view text);

// A folder field's text as the folder enters the command: one trailing
// backslash is dropped, but a root ("D:\", "\") stays a root.
std::string FolderForCommand(std::string_view fieldText);

// The text in double quotes, escaped so that the standard Windows argument
// rules give back exactly `text` as one argument (a trailing backslash would
// otherwise swallow the closing quote).
std::string QuoteArgument(std::string_view text);

// One argument as a command line (or a job file's line) gives it: as it is
// when it holds no blank, tab or quote; otherwise quoted, a switch only after
// its colon (/LOG:"C:\My Logs\run.txt"), so that the standard Windows rules
// give back exactly `arg`.
std::string ArgumentText(std::string_view arg);

// A name typed for a switch value: kept as typed unless it holds a blank or a
// tab; then it is quoted (re-quoted when the user already put it in double
// quotes) so that the engine reads it back as one argument.
std::string QuoteIfBlank(std::string_view name);

// A program's path as the first word of a command line: in double quotes when
// it holds a blank or a tab.
std::string QuoteProgramName(std::string_view path);

// Full path of the engine in the program's folder.
std::string EnginePath(std::string_view programFolder);

// "robocopy.exe " + the two folders quoted + the option slots: what the user
// confirms. The folders are given as they enter the command.
std::string PreviewText(std::string_view source, std::string_view destination,
                        const OptionSlots& slots);

// The same command with the engine's full path in `engineFolder` in front,
// quoted when it holds a blank: what the process launcher receives.
std::string LaunchText(std::string_view engineFolder, std::string_view source,
                       std::string_view destination, const OptionSlots& slots);

}  // namespace marquill
