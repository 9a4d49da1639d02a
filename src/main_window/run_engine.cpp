// frmMain's run and preview buttons, cmdRun_Click and cmdPreview_Click:
// confirm the command, start the engine (a List Only run and a preview into
// the preview window) and tell in txtStatus how each copy ended.
#include "main_window/main_window.h"
#include "model/command.h"
#include "model/engine_result.h"
#include "model/preview_command.h"

#include <string>
#include <vector>

namespace marquill {

bool FrmMain::TakeFolders() {
  // Only the empty text is missing: blanks are a folder name like any other.
  const std::string source = txtSrcPath.Text();
  if (source.empty()) {
    ReportMissing(txtSrcPath, "Please select a source directory");
    return false;
  }
  const std::string destination = txtDestPath.Text();
  if (destination.empty()) {
    ReportMissing(txtDestPath, "Please select a destination directory");
    return false;
  }
  slots_.strRunSrc = FolderForCommand(source);
  slots_.strRunDest = FolderForCommand(destination);
  return true;
}

void FrmMain::cmdRun_Click() {
  if (!TakeFolders()) return;
  const std::string& from = slots_.strRunSrc;
  const std::string& to = slots_.strRunDest;
  if (services_.messages.Show(PreviewText(from, to, slots_), "Continue?", MsgButtons::OkCancel,
                              MsgIcon::Question) != MsgResult::Ok)
    return;

  // A List Only run prints a listing the console would take away when it
  // closes: it is shown in the preview window, exactly as confirmed.
  const LaunchResult result =
      StartEngine([&](const std::string& engine, const std::string& folder) {
        const std::string command = LaunchText(folder, from, to, slots_);
        if (HasSwitch(command, "/L") && ShowListing) return ShowListing(engine, command, true);
        return services_.processes.Launch(
            engine, command, WindowStyle::MaximizedFocus,
            [this](std::optional<std::uint32_t> exitCode) { Engine_Ended(exitCode); });
      });
  if (!result.started) return;
  // An engine whose end cannot be heard of would count as running forever.
  if (!result.unwatched) ++running_;
  ShowStatus();
}

void FrmMain::cmdPreview_Click() {
  // A preview changes nothing: nothing to confirm, and nothing the status
  // line counts.
  if (!TakeFolders() || !ShowListing) return;
  StartEngine([&](const std::string& engine, const std::string& folder) {
    return ShowListing(
        engine, PreviewCommand(LaunchText(folder, slots_.strRunSrc, slots_.strRunDest, slots_)),
        false);
  });
}

LaunchResult FrmMain::StartEngine(
    const std::function<LaunchResult(const std::string& engine, const std::string& folder)>&
        start) {
  // The engine beside the program comes first, as always; a Windows that has
  // none there still has its own in the system folder. Neither is searched
  // for on PATH or in the current folder.
  std::string failures;
  for (const std::string& folder : EngineFolders()) {
    const std::string engine = EnginePath(folder);
    const LaunchResult result = start(engine, folder);
    if (result.started) return result;
    failures +=
        (failures.empty() ? "" : "\r\n") + ("Could not start " + engine + "\r\n") + result.error;
  }
  services_.messages.Show(failures, "Error", MsgButtons::Ok, MsgIcon::Exclamation);
  return {};
}

void FrmMain::Engine_Ended(std::optional<std::uint32_t> exitCode) {
  Ended(ExitReport(exitCode, services_.dates.TimeNow()), exitCode);
}

void FrmMain::Listing_Ended(std::optional<std::uint32_t> exitCode) {
  Ended(ListingReport(exitCode, services_.dates.TimeNow()), exitCode);
}

void FrmMain::Ended(const std::string& report, std::optional<std::uint32_t> exitCode) {
  // The program ends with its main window; an engine outlives both.
  if (!IsLoaded()) return;
  if (running_ > 0) --running_;
  latestReport_ = report;
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
