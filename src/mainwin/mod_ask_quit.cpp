#include "mainwin/mod_ask_quit.h"

namespace marquill {

void AskQuit(toolkit::Form& mainWindow, MessageBoxes& messages) {
  if (messages.Show("Quit the Program?", "Close Marquill", MsgButtons::YesNo, MsgIcon::Question) ==
      MsgResult::Yes)
    mainWindow.Unload();
}

}  // namespace marquill
