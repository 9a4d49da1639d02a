#pragma once

#include "platform/services.h"
#include "toolkit/form.h"

namespace marquill {

// Asks whether to quit; on Yes the main window unloads, which ends the program.
void AskQuit(toolkit::Form& mainWindow, MessageBoxes& messages);

}  // namespace marquill
