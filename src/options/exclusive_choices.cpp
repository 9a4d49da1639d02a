#include "options/frm_opt_main.h"

namespace marquill {

void FrmOptMain::WireExclusiveChoices() {
  optFileAddA.Click = [this](int index) { optFileAddA_Click(index); };
  optFileExcl.Click = [this](int index) { optFileExcl_Click(index); };
  optExclXtraLoneLy.Click = [this](int index) { optExclXtraLoneLy_Click(index); };
}

void FrmOptMain::Choose(OptionSlots::Slot slot, int index) {
  const auto texts = Choices(slot);
  if (index >= 0 && static_cast<size_t>(index) < texts.size()) slots_.*slot = texts[index];
}

void FrmOptMain::optFileAddA_Click(int index) { Choose(&OptionSlots::strOptArchive, index); }

void FrmOptMain::optFileExcl_Click(int index) { Choose(&OptionSlots::strOptExclChange, index); }

void FrmOptMain::optExclXtraLoneLy_Click(int index) {
  Choose(&OptionSlots::strOptExclXtraLonely, index);
}

}  // namespace marquill
