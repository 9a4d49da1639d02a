#pragma once

#include <string>
#include <string_view>

#include "model/option_slots.h"

namespace marquill {

inline constexpr std::string_view kEngineFileName = "robocopy.exe";

// A folder field's text as the folder enters the command: one trailing
// backslash is dropped, but a root ("D:\", "\") stays a root.
std::string FolderForCommand(std::string_view fieldText);

// The folder in double quotes, escaped so that the standard Windows argument
// rules give back exactly `folder` (a trailing backslash would otherwise
// swallow the closing quote).
std::string QuoteFolder(std::string_view folder);

// Full path of the engine in the program's folder.
std::string EnginePath(std::string_view programFolder);

// "robocopy.exe " + quoted folders + option slots: what the user confirms.
std::string PreviewText(const OptionSlots& slots);

// The same command with the engine's full path in front, quoted when it holds
// a blank: what the process launcher receives.
std::string LaunchText(const OptionSlots& slots, std::string_view programFolder);

}  // namespace marquill
