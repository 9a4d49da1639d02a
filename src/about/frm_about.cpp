#include "about/frm_about.h"

#include "about/sys_info.h"
#include "model/app_identity.h"

namespace marquill {

using toolkit::ControlKind;
using toolkit::kNoTab;

namespace {

// OK is both the default and the cancel button: Enter and Esc press it.
constexpr unsigned kEnterAndEsc = toolkit::kDefaultButton | toolkit::kCancelButton;

// The two Line1 lines, grey above and white one pixel lower, draw one etched
// rule between the description and the notice.
const toolkit::ControlDef kControls[] = {
    {"picIcon", -1, ControlKind::Picture, "", {16, 16, 34, 34}, 1, toolkit::kAppIcon},
    {"cmdOK", -1, ControlKind::Button, "OK", {283, 175, 84, 23}, 0, kEnterAndEsc},
    {"cmdSysInfo", -1, ControlKind::Button, "&System Info...", {284, 205, 83, 23}, 2},
    {"Line1", 1, ControlKind::Line, "", {6, 163, 371, 1}, kNoTab, toolkit::kGreyLine},
    {"lblDescription", -1, ControlKind::Label, "App Description", {70, 75, 259, 78}, 3},
    {"lblTitle", -1, ControlKind::Label, "Application Title", {70, 16, 259, 32}, 5},
    {"Line1", 0, ControlKind::Line, "", {7, 164, 370, 2}, kNoTab, toolkit::kWhiteLine},
    {"lblVersion", -1, ControlKind::Label, "Version", {70, 52, 259, 15}, 6},
    {"lblDisclaimer", -1, ControlKind::Label, "Warning: ...", {17, 175, 255, 69}, 4},
};

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
    : Form(backend, kFrmAboutDef),
      services_(services),
      cmdOK(Get<toolkit::Button>("cmdOK")),
      cmdSysInfo(Get<toolkit::Button>("cmdSysInfo")),
      lblTitle(Get<toolkit::Label>("lblTitle")),
      lblVersion(Get<toolkit::Label>("lblVersion")),
      lblDescription(Get<toolkit::Label>("lblDescription")),
      lblDisclaimer(Get<toolkit::Label>("lblDisclaimer")) {
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
