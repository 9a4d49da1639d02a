#include "options/frm_opt_main.h"

namespace marquill {

void FrmOptMain::WireExclusiveChoices() {
  optFileAddA.Click = [this](int index) { optFileAddA_Click(index); };
  optFileExcl.Click = [this](int index) { optFileExcl_Click(index); };
  optExclXtraLoneLy.Click = [this](int index) { optExclXtraLoneLy_Click(index); };
}

void FrmOptMain::Choose(std::string& slot, std::span<const char* const> texts, int index) {
  if (index >= 0 && static_cast<size_t>(index) < texts.size()) slot = texts[index];
}

void FrmOptMain::optFileAddA_Click(int index) {
  static const char* const kTexts[] = {" /A", " /M", ""};
  Choose(slots_.strOptArchive, kTexts, index);
}

void FrmOptMain::optFileExcl_Click(int index) {
  static const char* const kTexts[] = {" /XC", " /XO", " /XN", ""};
  Choose(slots_.strOptExclChange, kTexts, index);
}

void FrmOptMain::optExclXtraLoneLy_Click(int index) {
  static const char* const kTexts[] = {" /XX", " /XL", ""};
  Choose(slots_.strOptExclXtraLonely, kTexts, index);
}

}  // namespace marquill
