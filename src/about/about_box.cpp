// frmAbout, the About box: its table, load texts and buttons.
#include "about/about_box.h"

#include "about/system_information.h"
#include "model/app_identity.h"

namespace marquill {

namespace {

using namespace toolkit;  // the rows' At, styles and kinds
using Id = FrmAbout::Id;

const ControlDef kControls[] = {
    MARQUILL_ABOUT_BOX(MARQUILL_ROW, MARQUILL_ROW, MARQUILL_GROUP_ROW, MARQUILL_OPTION_ROW)};

}  // namespace

const toolkit::FormDef kFrmAboutDef = {
    .name = "frmAbout",
    .caption = "About MyApp",
    .clientWidth = 382,
    .clientHeight = 251,
    .icon = toolkit::FormIcon::Program,
    .centred = true,
    .controls = kControls,
    .border = toolkit::FormBorder::FixedDialog,
};

FrmAbout::FrmAbout(toolkit::Backend& backend, Services& services)
    : Form(backend, kFrmAboutDef), services_(services) {
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdSysInfo.Click = [this] { cmdSysInfo_Click(); };
}

void FrmAbout::Form_Load() {
  SetCaption(std::string("About ") + kApp.title);
  lblVersion.SetText("Version " + std::to_string(kApp.major) + "." + std::to_string(kApp.minor) +
                     "." + std::to_string(kApp.revision));
  lblTitle.SetText(kApp.title);
  lblDescription.SetText("A Handy GUI that Unleashes the Power\r\nof Microsoft's RoboCopy");
  lblDisclaimer.SetText(
      "Warning: Users of Marquill must have already\r\n"
      "purchased Microsoft Windows NT 4.0 Resource Kit\r\n"
      "to legally use this application.\r\n"
      "Marquill is written by the Marquill maintainers.");
}

void FrmAbout::cmdOK_Click() { Unload(); }

void FrmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void FrmAbout::StartSysInfo() { marquill::StartSysInfo(services_); }

bool FrmAbout::GetKeyValue(Registry::Key KeyRoot, const std::string& KeyName,
                           const std::string& SubKeyRef, std::string& KeyVal) {
  return marquill::GetKeyValue(services_.registry, KeyRoot, KeyName, SubKeyRef, KeyVal);
}

}  // namespace marquill
