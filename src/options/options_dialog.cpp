// frmOptMain, the Options dialog: its table, load sequence, Save and Cancel.
#include "options/options_dialog.h"

#include <string>

namespace marquill {

namespace {

using namespace toolkit;  // the rows' At, kinds and bindings
using options_layout::In;
using Id = FrmOptMain::Id;

const ControlDef kControls[] = {
    MARQUILL_OPTIONS_DIALOG(MARQUILL_ROW, MARQUILL_ROW, MARQUILL_GROUP_ROW, MARQUILL_OPTION_ROW)};

}  // namespace

const toolkit::FormDef kFrmOptMainDef = {
    "frmOptMain", "Options", 916, 703, toolkit::FormIcon::Options, true, kControls,
};

FrmOptMain::FrmOptMain(toolkit::Backend& backend, Services& services, OptionSlots& slots)
    : Form(backend, kFrmOptMainDef),
      services_(services),
      slots_(slots),
      dlgLogFile([&services] { return services.fileDialogs.Open({}); }) {
  cmdSave.Click = [this] { cmdSave_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
  WireSlotRows();
  WireScopeAndRetries();
  WireLogFile();
  WireAttributes();
  WireFilters();
  WireAges();
}

void FrmOptMain::Form_Load() {
  // The option groups first: their handlers give four slots their load
  // values, " /E" among them.
  optFileAddA[2].Select();
  optFileExcl[3].Select();
  optExclXtraLoneLy[2].Select();
  optSub[1].Select();

  // Only its loss of focus writes strOptFiles.
  txtFiles.SetText(kAllFiles);

  for (const AttribSet* set : {&attribAdd, &attribSub, &fileInclAttrib, &fileExclAttrib})
    for (toolkit::CheckBox* letter : set->letters) letter->SetEnabled(false);

  txtMinFileSize.SetEnabled(false);
  txtMaxFileSize.SetEnabled(false);
  txtMaxAge.SetEnabled(false);
  txtMinAge.SetEnabled(false);

  lstSubLev.SetEnabled(false);
  for (int level = 1; level <= 13; ++level) lstSubLev.AddItem(std::to_string(level));

  // Each item's position is its value, which the list handlers rely on.
  for (int n = 0; n <= 255; ++n) {
    lstRetry.AddItem(std::to_string(n));
    lstWait.AddItem(std::to_string(n));
  }

  // The slots the sequence left alone are shown as they stand.
  ShowState(slots_);
}

void FrmOptMain::ResetComponents() { dlgLogFile.Reset(); }

void FrmOptMain::cmdSave_Click() { Hide(); }

void FrmOptMain::cmdCancel_Click() { Unload(); }

}  // namespace marquill
