// The whole program above the platform: every window, wired together.
#include "app/program.h"

namespace marquill {

Program::Program(toolkit::Backend& backend, Services& services)
    : frmMain(backend, services, slots),
      frmOptMain(backend, services, slots),
      frmCalMaxAge(backend, services, slots, kFrmCalMaxAge, frmOptMain.txtMaxAge),
      frmCalMinAge(backend, services, slots, kFrmCalMinAge, frmOptMain.txtMinAge),
      frmAbout(backend, services) {
  frmMain.ShowOptions = [this] { frmOptMain.Show(); };
  frmOptMain.ShowMaxAgePicker = [this] { frmCalMaxAge.Show(); };
  frmOptMain.ShowMinAgePicker = [this] { frmCalMinAge.Show(); };
  frmMain.ShowAbout = [this] { frmAbout.Show(); };
}

void Program::Start() { frmMain.Show(); }

}  // namespace marquill
