#include "mainwin/frm_main.h"
#include "model/command.h"

namespace marquill {

void FrmMain::cmdRun_Click() {
  const std::string source = txtSrcPath.Text();
  if (source.empty()) {
    services_.messages.Show("Please select a source directory", "Error", MsgButtons::Ok,
                            MsgIcon::None);
    txtSrcPath.SetFocus();
    return;
  }
  const std::string destination = txtDestPath.Text();
  if (destination.empty()) {
    services_.messages.Show("Please select a destination directory", "Error", MsgButtons::Ok,
                            MsgIcon::None);
    txtDestPath.SetFocus();
    return;
  }
  slots_.strRunSrc = FolderForCommand(source);
  slots_.strRunDest = FolderForCommand(destination);

  if (services_.messages.Show(PreviewText(slots_), "Continue?", MsgButtons::OkCancel,
                              MsgIcon::Question) != MsgResult::Ok)
    return;

  const std::string folder = services_.host.ProgramFolder();
  const std::string engine = EnginePath(folder);
  const LaunchResult result =
      services_.processes.Launch(engine, LaunchText(slots_, folder), WindowStyle::MaximizedFocus);
  if (!result.started)
    services_.messages.Show("Could not start " + engine + "\r\n" + result.error, "Error",
                            MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace marquill
