// frmOptMain's copy scope: optSub_Click, chkLev_Click and lstSubLev_Click.
#include <string>

#include "options/options_dialog.h"

namespace marquill {
namespace {

constexpr std::string_view kLevel = Switch(&OptionSlots::strOptLev);

}  // namespace

void FrmOptMain::WireScopeAndRetries() {
  optSub.Click = [this](int index) { optSub_Click(index); };
  chkLev.Click = [this] { chkLev_Click(); };
  lstSubLev.Click = [this] { lstSubLev_Click(); };
}

void FrmOptMain::optSub_Click(int index) {
  Choose(&OptionSlots::strOptSub, index);
  // The level stays in force, and chkLev ticked, while the list is locked.
  lstSubLev.SetEnabled(false);
}

void FrmOptMain::chkLev_Click() {
  if (chkLev.Value() == toolkit::kTicked) {
    lstSubLev.SetEnabled(true);
    // Items "1" to "13" stand at positions 0 to 12; no selection gives 0.
    slots_.strOptLev = std::string(kLevel) + std::to_string(lstSubLev.ListIndex() + 1);
  } else {
    // The selection stays, so ticking again brings the same level back.
    lstSubLev.SetEnabled(false);
    slots_.strOptLev = "";
  }
}

void FrmOptMain::lstSubLev_Click() {
  lstSubLev.SetFocus();
  slots_.strOptLev = std::string(kLevel) + std::to_string(lstSubLev.ListIndex() + 1);
}

}  // namespace marquill
