// frmOptMain's log file: optLogFile_Click, cmdLogFile_Click and a file
// dropped on txtLogFile.
#include <string>

#include "model/command.h"
#include "options/options_dialog.h"

namespace marquill {

void FrmOptMain::WireLogFile() {
  optLogFile.Click = [this](int index) { optLogFile_Click(index); };
  cmdLogFile.Click = [this] { cmdLogFile_Click(); };
  txtLogFile.Drop = [this](const std::string& file) { txtLogFile_Drop(file); };
}

void FrmOptMain::optLogFile_Click(int index) {
  const auto switches = Choices(&OptionSlots::strOptLog);
  const std::string name = txtLogFile.Text();
  if (name.empty()) {
    slots_.strOptLog = "";
    return;
  }
  if (index < 0 || static_cast<size_t>(index) >= switches.size()) return;
  // A name with a blank would otherwise reach the engine as several words.
  slots_.strOptLog = std::string(switches[index]) + QuoteIfBlank(name);
}

void FrmOptMain::cmdLogFile_Click() {
  // A cancelled dialog keeps the last chosen name, which still replaces
  // whatever was typed in the box.
  dlgLogFile.ShowOpen();
  TakeLogFile();
}

// A dropped file counts as the file-open dialog's choice would.
void FrmOptMain::txtLogFile_Drop(const std::string& file) {
  dlgLogFile.FileName = file;
  TakeLogFile();
}

void FrmOptMain::TakeLogFile() {
  txtLogFile.SetText(dlgLogFile.FileName);
  // The new name counts even when "Overwrite" was already selected, which
  // selecting alone would not report.
  const bool wasSelected = optLogFile.Selected() == 1;
  optLogFile[1].Select();
  if (wasSelected) optLogFile_Click(1);
}

}  // namespace marquill
