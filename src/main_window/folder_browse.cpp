// Module1 (BrowseFolder) and frmMain's browse buttons with destination matching.
#include "main_window/folder_browse.h"

#include <exception>

#include "main_window/main_window.h"

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

namespace {

std::string WithTrailingBackslash(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

// The source's last folder name: the shortest tail of two or more characters
// that starts with a backslash, without that backslash.
std::string MatchedFolderName(const std::string& source) {
  for (size_t n = 2; n <= source.size(); ++n)
    if (source[source.size() - n] == '\\') return source.substr(source.size() - n + 1);
  return {};
}

}  // namespace

void FrmMain::cmdBrowseSrc_Click() {
  const std::string chosen = BrowseFolder(services_.folders, slots_, 0, "");
  roboSrc_ = WithTrailingBackslash(chosen);
  if (!chosen.empty()) txtSrcPath.SetText(roboSrc_);
}

void FrmMain::cmdBrowseDest_Click() {
  std::string matched;
  if (chkMatchDest.Value() == toolkit::kTicked) matched = MatchedFolderName(txtSrcPath.Text());
  const std::string chosen = BrowseFolder(services_.folders, slots_, 0, "");
  roboDest_ = WithTrailingBackslash(chosen);
  if (!chosen.empty()) txtDestPath.SetText(roboDest_ + matched);
}

}  // namespace marquill
