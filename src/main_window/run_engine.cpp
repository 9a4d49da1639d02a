// frmMain's run button, cmdRun_Click: confirm the command, start the engine
// and tell in txtStatus how each engine ended.
#include "main_window/main_window.h"
#include "model/command.h"
#include "model/engine_result.h"

#include <string>
#include <vector>

namespace marquill {

void FrmMain::cmdRun_Click() {
  // Only the empty text is missing: blanks are a folder name like any other.
  const std::string source = txtSrcPath.Text();
  if (source.empty()) return ReportMissing(txtSrcPath, "Please select a source directory");
  const std::string destination = txtDestPath.Text();
  if (destination.empty())
    return ReportMissing(txtDestPath, "Please select a destination directory");
  slots_.strRunSrc = FolderForCommand(source);
  slots_.strRunDest = FolderForCommand(destination);
  const std::string& from = slots_.strRunSrc;
  const std::string& to = slots_.strRunDest;

  if (services_.messages.Show(PreviewText(from, to, slots_), "Continue?", MsgButtons::OkCancel,
                              MsgIcon::Question) != MsgResult::Ok)
    return;

  // The engine beside the program comes first, as always; a Windows that has
  // none there still has its own in the system folder. Neither is searched
  // for on PATH or in the current folder.
  std::string failures;
  for (const std::string& folder : EngineFolders()) {
    const std::string engine = EnginePath(folder);
    const LaunchResult result = services_.processes.Launch(
        engine, LaunchText(folder, from, to, slots_), WindowStyle::MaximizedFocus,
        [this](std::optional<std::uint32_t> exitCode) { Engine_Ended(exitCode); });
    if (result.started) {
      // An engine whose end cannot be heard of would count as running forever.
      if (!result.unwatched) ++running_;
      return ShowStatus();
    }
    failures +=
        (failures.empty() ? "" : "\r\n") + ("Could not start " + engine + "\r\n") + result.error;
  }
  services_.messages.Show(failures, "Error", MsgButtons::Ok, MsgIcon::Exclamation);
}

void FrmMain::Engine_Ended(std::optional<std::uint32_t> exitCode) {
  // The program ends with its main window; an engine outlives both.
  if (!IsLoaded()) return;
  if (running_ > 0) --running_;
  latestReport_ = ExitReport(exitCode, services_.dates.TimeNow());
  ShowStatus();
  // Bad news draws the user back; good news waits for them.
  if (OutcomeOf(exitCode) != Outcome::Done) Alert();
}

void FrmMain::ShowStatus() { txtStatus.SetText(StatusText(latestReport_, running_)); }

void FrmMain::ReportMissing(toolkit::TextBox& field, const char* message) {
  services_.messages.Show(message, "Error", MsgButtons::Ok, MsgIcon::None);
  field.SetFocus();
}

std::vector<std::string> FrmMain::EngineFolders() {
  std::vector<std::string> folders{services_.host.ProgramFolder()};
  const std::string system = services_.host.SystemFolder();
  if (!system.empty() && EnginePath(system) != EnginePath(folders.front()))
    folders.push_back(system);
  return folders;
}

}  // namespace marquill
