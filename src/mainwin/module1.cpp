#include "mainwin/module1.h"

#include <exception>

namespace marquill {

std::string BrowseFolder(FolderBrowser& browser, OptionSlots& slots, std::intptr_t owner,
                         const std::string& title) {
  std::string path;
  try {
    path = browser.Browse({owner, title, kBifReturnOnlyFsDirs}).value_or("");
  } catch (const std::exception&) {
    // Treated as a cancel, so the caller never reuses an older result as if
    // it had just been chosen.
    path.clear();
  }
  slots.strBrowsePath = path;
  return path;
}

}  // namespace marquill
