// frmMain, the start-up window: its table, start and end, menus, and AskQuit.
// The File menu's job files are in job_menu.cpp.
#include "main_window/main_window.h"

namespace marquill {

namespace {

using namespace toolkit;  // the rows' At, styles and names
using Id = FrmMain::Id;
using MenuId = FrmMain::MenuId;

const toolkit::ControlDef kControls[] = {
    MARQUILL_MAIN_WINDOW(MARQUILL_ROW, MARQUILL_ROW, MARQUILL_GROUP_ROW, MARQUILL_OPTION_ROW)};
const toolkit::MenuDef kMenus[] = {MARQUILL_MAIN_MENUS(MARQUILL_MENUBAR_ROW, MARQUILL_MENU_ROW)};

}  // namespace

const toolkit::FormDef kFrmMainDef = {
    "frmMain",
    "Marquill 1.0",
    290,
    199,
    toolkit::FormIcon::Program,
    true,
    kControls,
    kMenus,
    toolkit::FormBorder::FixedSingle,
    toolkit::kDropsFile,  // a job file
};

FrmMain::FrmMain(toolkit::Backend& backend, Services& services, OptionSlots& slots)
    : Form(backend, kFrmMainDef), services_(services), slots_(slots) {
  cmdRun.Click = [this] { cmdRun_Click(); };
  cmdPreview.Click = [this] { cmdPreview_Click(); };
  cmdQuit.Click = [this] { cmdQuit_Click(); };
  cmdBrowseSrc.Click = [this] { cmdBrowseSrc_Click(); };
  cmdBrowseDest.Click = [this] { cmdBrowseDest_Click(); };
  txtSrcPath.Drop = [this](const std::string& folder) { txtSrcPath_Drop(folder); };
  txtDestPath.Drop = [this](const std::string& folder) { txtDestPath_Drop(folder); };
  Drop = [this](const std::string& file) { Form_Drop(file); };
  mnuToolsOptions.Click = [this] { mnuToolsOptions_Click(); };
  mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
  mnuHelpSupport.Click = [this] { mnuHelpSupport_Click(); };
  WireJobMenu();
}

void FrmMain::Form_Load() {
  // chkMatchDest has no click handler: only the next destination browse
  // reads the box.
  chkMatchDest.SetValue(toolkit::kTicked);
  slots_.AssignStartValues();
}

void FrmMain::Form_Unload() {
  // A listing engine copies nothing and goes with the program; copies go on.
  if (EndListings) EndListings();
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

void AskQuit(FrmMain& mainWindow, MessageBoxes& messages) {
  if (messages.Show("Quit the Program?", "Close Marquill", MsgButtons::YesNo, MsgIcon::Question) ==
          MsgResult::Yes &&
      mainWindow.SaveChangesFirst())
    mainWindow.Unload();
}

}  // namespace marquill
