#include "mainwin/frm_main.h"
#include "mainwin/module1.h"

namespace marquill {
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
