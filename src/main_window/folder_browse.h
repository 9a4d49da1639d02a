// Module1: BrowseFolder, the shell's folder browser.
#pragma once

#include <cstdint>
#include <string>

#include "model/option_slots.h"
#include "platform/services.h"

namespace marquill {

// Only file-system folders can be accepted in the browser.
inline constexpr unsigned kBifReturnOnlyFsDirs = 0x0001;

// Shows the shell's folder browser. Returns the chosen folder's path and
// records it in strBrowsePath; a cancel, an item without a path or a failure
// of the shell all give "".
std::string BrowseFolder(FolderBrowser& browser, OptionSlots& slots, std::intptr_t owner,
                         const std::string& title);

}  // namespace marquill
