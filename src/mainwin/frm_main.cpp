#include "mainwin/frm_main.h"

#include "mainwin/mod_ask_quit.h"

namespace marquill {

using toolkit::ControlKind;
using toolkit::kNoTab;

namespace {

const toolkit::ControlDef kControls[] = {
    {"txtSrcPath", -1, ControlKind::TextBox, "", {32, 38, 177, 19}, 0},
    {"txtDestPath", -1, ControlKind::TextBox, "", {32, 82, 177, 19}, 1},
    {"cmdBrowseSrc", -1, ControlKind::Button, "Browse", {216, 38, 65, 19}, 2},
    {"cmdBrowseDest", -1, ControlKind::Button, "Browse", {216, 80, 65, 19}, 3},
    {"lblSrcPath", -1, ControlKind::Label, "Source Path", {32, 16, 177, 19}, 4},
    {"lblDestPath", -1, ControlKind::Label, "Destination Path", {32, 60, 177, 19}, 5},
    {"cmdQuit", -1, ControlKind::Button, "&Quit", {128, 128, 80, 23}, 6},
    {"cmdRun", -1, ControlKind::Button, "RoboCopy", {32, 128, 80, 23}, 7},
    {"chkMatchDest",
     -1,
     ControlKind::CheckBox,
     "Match Destination Folder to Source Folder",
     {32, 104, 249, 17},
     8},
};

const toolkit::MenuDef kMenus[] = {
    {"mnuTools", "Tools", -1},     {"mnuToolsOptions", "Options", 0}, {"mnuHelp", "Help", -1},
    {"mnuHelpAbout", "&About", 2}, {"mnuHelpSupport", "&Support", 2},
};

}  // namespace

const toolkit::FormDef kFrmMainDef = {
    "frmMain", "Marquill 1.0", 290, 199, toolkit::FormIcon::Program, true, kControls, kMenus,
};

FrmMain::FrmMain(toolkit::Backend& backend, Services& services, OptionSlots& slots)
    : Form(backend, kFrmMainDef),
      services_(services),
      slots_(slots),
      txtSrcPath(Get<toolkit::TextBox>("txtSrcPath")),
      txtDestPath(Get<toolkit::TextBox>("txtDestPath")),
      cmdBrowseSrc(Get<toolkit::Button>("cmdBrowseSrc")),
      cmdBrowseDest(Get<toolkit::Button>("cmdBrowseDest")),
      cmdQuit(Get<toolkit::Button>("cmdQuit")),
      cmdRun(Get<toolkit::Button>("cmdRun")),
      chkMatchDest(Get<toolkit::CheckBox>("chkMatchDest")),
      mnuToolsOptions(Menu("mnuToolsOptions")),
      mnuHelpAbout(Menu("mnuHelpAbout")),
      mnuHelpSupport(Menu("mnuHelpSupport")) {
  cmdRun.Click = [this] { cmdRun_Click(); };
  cmdQuit.Click = [this] { cmdQuit_Click(); };
  cmdBrowseSrc.Click = [this] { cmdBrowseSrc_Click(); };
  cmdBrowseDest.Click = [this] { cmdBrowseDest_Click(); };
  mnuToolsOptions.Click = [this] { mnuToolsOptions_Click(); };
  mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
  mnuHelpSupport.Click = [this] { mnuHelpSupport_Click(); };
}

void FrmMain::Form_Load() {
  // chkMatchDest has no click handler: only the next destination browse
  // reads the box.
  chkMatchDest.SetValue(toolkit::kTicked);
  slots_.AssignStartValues();
}

void FrmMain::Form_Unload() {
  slots_.Empty();
  services_.host.EndProgram();
}

void FrmMain::cmdQuit_Click() { AskQuit(*this, services_.messages); }

void FrmMain::mnuToolsOptions_Click() {
  if (ShowOptions) ShowOptions();
}

void FrmMain::mnuHelpAbout_Click() {
  if (ShowAbout) ShowAbout();
}

void FrmMain::mnuHelpSupport_Click() {
  services_.messages.Show(
      "For Support or to report bugs contact:\r\nThe Marquill maintainers, "
      "support@marquill.example",
      "Support Info.", MsgButtons::Ok, MsgIcon::Information);
}

}  // namespace marquill
