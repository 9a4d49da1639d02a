#include "app/program.h"

namespace marquill {

Program::Program(toolkit::Backend& backend, Services& services)
    : frmMain(backend, services, slots) {}

void Program::Start() { frmMain.Show(); }

}  // namespace marquill
