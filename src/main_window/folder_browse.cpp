// Module1 (BrowseFolder), frmMain's browse buttons with destination matching,
// and folders dropped on its fields.
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

void FrmMain::cmdBrowseSrc_Click() { TakeSource(BrowseFolder(services_.folders, slots_, 0, "")); }

void FrmMain::cmdBrowseDest_Click() {
  const std::string matched = MatchedName();
  TakeDestination(BrowseFolder(services_.folders, slots_, 0, ""), matched);
}

// A dropped folder counts as the browser's answer would.
void FrmMain::txtSrcPath_Drop(const std::string& folder) {
  slots_.strBrowsePath = folder;
  TakeSource(folder);
}

void FrmMain::txtDestPath_Drop(const std::string& folder) {
  slots_.strBrowsePath = folder;
  TakeDestination(folder, MatchedName());
}

void FrmMain::TakeSource(const std::string& chosen) {
  roboSrc_ = WithTrailingBackslash(chosen);
  if (!chosen.empty()) txtSrcPath.SetText(roboSrc_);
}

// Matching reads the source field as it is before the destination is chosen.
std::string FrmMain::MatchedName() {
  return chkMatchDest.Value() == toolkit::kTicked ? MatchedFolderName(txtSrcPath.Text()) : "";
}

void FrmMain::TakeDestination(const std::string& chosen, const std::string& matched) {
  roboDest_ = WithTrailingBackslash(chosen);
  if (!chosen.empty()) txtDestPath.SetText(roboDest_ + matched);
}

}  // namespace marquill
