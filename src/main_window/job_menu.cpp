// frmMain's File menu: the whole setup saved as the engine's own job file and
// opened again (mnuFileNew_Click, mnuFileOpen_Click, mnuFileSave_Click,
// mnuFileSaveAs_Click), a job file named on the command line, and the
// question whether to save changes first.
#include <string>
#include <variant>
#include <vector>

#include "main_window/main_window.h"
#include "model/app_identity.h"
#include "model/command.h"
#include "model/command_line.h"

namespace marquill {
namespace {

const FileDialogRequest kJobFiles{{{"Robocopy Jobs (*.rcj)", "*.rcj"}, {"All Files (*.*)", "*.*"}},
                                  "rcj"};

std::string FileNameOf(const std::string& path) {
  return path.substr(path.find_last_of("\\/") + 1);
}

}  // namespace

void FrmMain::WireJobMenu() {
  mnuFileNew.Click = [this] { mnuFileNew_Click(); };
  mnuFileOpen.Click = [this] { mnuFileOpen_Click(); };
  mnuFileSave.Click = [this] { mnuFileSave_Click(); };
  mnuFileSaveAs.Click = [this] { mnuFileSaveAs_Click(); };
}

void FrmMain::mnuFileNew_Click() {
  if (!SaveChangesFirst()) return;
  if (UnloadOptionWindows) UnloadOptionWindows();
  txtSrcPath.SetText("");
  txtDestPath.SetText("");
  roboSrc_.clear();
  roboDest_.clear();
  // Everything else as the program starts.
  Form_Load();
  SetJobFile("", "");
}

void FrmMain::mnuFileOpen_Click() {
  if (!SaveChangesFirst()) return;
  FileDialogRequest request = kJobFiles;
  request.existingOnly = true;
  if (const std::optional<std::string> path = services_.fileDialogs.Open(request))
    ReadJobFile(*path, services_.files.ReadFile(*path, kJobFileLimit));
}

void FrmMain::mnuFileSave_Click() { SaveJob(); }

void FrmMain::mnuFileSaveAs_Click() { SaveJobAs(); }

void FrmMain::OpenJob(const std::string& path) {
  if (SaveChangesFirst()) ReadJobFile(path, services_.files.ReadFile(path, kJobFileLimit));
}

void FrmMain::Form_Drop(const std::string& file) { OpenJob(file); }

void FrmMain::OpenArguments(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return;
  FileRead read;
  if (arguments.size() == 1) read = services_.files.ReadFile(arguments.front(), kJobFileLimit);
  if (arguments.size() == 1 && read.error.empty()) return ReadJobFile(arguments.front(), read);
  std::string given;
  for (const std::string& argument : arguments) given += "\r\n" + QuoteArgument(argument);
  if (!read.error.empty()) given += "\r\n" + read.error;
  services_.messages.Show(
      "Marquill takes one job file to open, as in\r\nmarquill.exe \"D:\\Jobs\\weekly.rcj\"\r\n\r\n"
      "It was given:" +
          given,
      "Error", MsgButtons::Ok, MsgIcon::Exclamation);
}

bool FrmMain::SaveChangesFirst() {
  if (jobPath_.empty() || JobBodyNow() == savedBody_) return true;
  switch (services_.messages.Show("Save changes to " + FileNameOf(jobPath_) + "?", kApp.title,
                                  MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgResult::Yes:
      return SaveJob();
    case MsgResult::No:
      return true;
    default:
      return false;
  }
}

void FrmMain::OnCloseBox() {
  if (SaveChangesFirst()) Unload();
}

bool FrmMain::SaveJob() { return jobPath_.empty() ? SaveJobAs() : WriteJob(jobPath_); }

bool FrmMain::SaveJobAs() {
  const std::optional<std::string> path = services_.fileDialogs.Save(kJobFiles);
  return path && WriteJob(*path);
}

// What the run button would confirm now, in a new file that takes the old
// one's place only once it is whole on the disk.
bool FrmMain::WriteJob(const std::string& path) {
  const std::string body = JobBodyNow();
  DateFormatter& dates = services_.dates;
  const EncodedJob job = EncodeJob(
      JobHeader(path, dates.ShortDate(dates.Today()), dates.TimeNow()) + body, services_.codePages);
  const std::string error =
      job.unfit.empty()
          ? services_.files.WriteFileSafely(path, job.bytes)
          : job.unfit +
                "\r\nholds characters that are not in the system's code page, and job files "
                "hold only characters of the system's code page.";
  if (!error.empty()) {
    services_.messages.Show("Cannot save " + path + "\r\n\r\n" + error, "Error", MsgButtons::Ok,
                            MsgIcon::Exclamation);
    return false;
  }
  SetJobFile(path, body);
  return true;
}

// The job is read and checked whole before anything changes.
void FrmMain::ReadJobFile(const std::string& path, const FileRead& read) {
  std::string problem = read.error;
  if (read.tooLarge) problem = "This is not a job file: it is larger than 1 MiB.";
  const std::variant<Job, JobError> parsed =
      problem.empty() ? ReadJob(read.bytes, services_.codePages) : JobError{{}, 0, {}};
  if (const JobError* error = std::get_if<JobError>(&parsed); error && problem.empty()) {
    problem = "This is not a job file: " + error->reason + ".";
    if (error->line > 0)
      problem += "\r\n\r\nLine " + std::to_string(error->line) + ": " + error->text;
  }
  if (!problem.empty()) {
    services_.messages.Show("Cannot open " + path + "\r\n\r\n" + problem, "Error", MsgButtons::Ok,
                            MsgIcon::Exclamation);
    return;
  }
  const Job& job = std::get<Job>(parsed);
  txtSrcPath.SetText(job.sourceField);
  txtDestPath.SetText(job.destinationField);
  if (ShowOptionState) ShowOptionState(job.slots);
  SetJobFile(path, JobBodyNow());
  if (job.slots.keptSwitches.empty()) return;
  std::string kept;
  for (const std::string& word : SplitArguments(job.slots.keptSwitches))
    kept += "\r\n" + ArgumentText(word);
  services_.messages.Show(FileNameOf(path) +
                              " holds switches that Marquill has no control for. They are "
                              "passed to the engine as they are:\r\n" +
                              kept,
                          kApp.title, MsgButtons::Ok, MsgIcon::Information);
}

std::string FrmMain::JobBodyNow() { return JobBody(txtSrcPath.Text(), txtDestPath.Text(), slots_); }

void FrmMain::SetJobFile(const std::string& path, const std::string& body) {
  jobPath_ = path;
  savedBody_ = body;
  // As Windows programs name the document they show.
  SetCaption(path.empty() ? def().caption : FileNameOf(path) + " - " + def().caption);
}

}  // namespace marquill
