// frmPreview, the window that shows an engine's listing: its table, the
// engine's lines as they arrive, Stop, Copy, Save As and Close.
#include "preview/preview_window.h"

#include "model/engine_result.h"
#include "model/preview_command.h"

namespace marquill {

namespace {

using namespace toolkit;  // the rows' At, styles and names
using Id = FrmPreview::Id;

const toolkit::ControlDef kControls[] = {
    MARQUILL_PREVIEW_WINDOW(MARQUILL_ROW, MARQUILL_ROW, MARQUILL_GROUP_ROW, MARQUILL_OPTION_ROW)};

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

const toolkit::FormDef kFrmPreviewDef = {
    "frmPreview",
    "Preview",
    640,
    437,
    toolkit::FormIcon::Program,
    false,
    kControls,
    {},
    toolkit::FormBorder::Sizable,
};

FrmPreview::FrmPreview(toolkit::Backend& backend, Services& services)
    : Form(backend, kFrmPreviewDef), services_(services) {
  cmdStop.Click = [this] { cmdStop_Click(); };
  cmdCopy.Click = [this] { cmdCopy_Click(); };
  cmdSaveAs.Click = [this] { cmdSaveAs_Click(); };
  cmdClose.Click = [this] { cmdClose_Click(); };
  lvwListing.Copy = [this] { lvwListing_Copy(); };
  lvwListing.Item = [this](std::size_t index) {
    return index < lines_.size() ? lines_[index] : std::string_view();
  };
  // What a mirror or purge would delete stands out.
  lvwListing.Marked = [this](std::size_t index) {
    return deletes_ && index < lines_.size() && IsExtraLine(lines_[index]);
  };
}

FrmPreview::~FrmPreview() = default;

LaunchResult FrmPreview::ShowListing(const std::string& application, const std::string& commandLine,
                                     bool listOnly) {
  const std::uint64_t serial = ++serials_;
  ListingHandlers handlers{
      [this, serial](Listing lines) {
        if (serial == shown_.serial) Listing_Lines(std::move(lines));
      },
      [this, serial](std::optional<std::uint32_t> exitCode) { Ended(serial, exitCode); }};
  ListingLaunch launch =
      services_.processes.LaunchListing(application, commandLine, std::move(handlers));
  if (!launch.result.started) return launch.result;
  StopShown();
  shown_ = {serial, listOnly, std::move(launch.task)};
  deletes_ = DeletesExtras(commandLine);
  logFile_ = ListingLogFile(commandLine);
  lines_.Clear();
  txtCommand.SetText(commandLine);
  lvwListing.SetItemCount(0);
  cmdStop.SetEnabled(true);
  lblSummary.SetText(Progress());
  Show();
  return launch.result;
}

void FrmPreview::StopShown() {
  if (!shown_.task) return;
  shown_.task->Stop();
  stopping_.push_back(std::move(shown_));
  shown_ = {};
}

void FrmPreview::EndListings() {
  if (shown_.task) shown_.task->Stop();
  for (Run& run : stopping_) run.task->Stop();
}

void FrmPreview::Ended(std::uint64_t serial, std::optional<std::uint32_t> exitCode) {
  bool listOnly = false;
  if (serial == shown_.serial) {
    listOnly = shown_.listOnly;
    shown_ = {};  // its task goes: it has ended
    Listing_Ended(exitCode);
  } else {
    for (auto run = stopping_.begin(); run != stopping_.end(); ++run)
      if (run->serial == serial) {
        listOnly = run->listOnly;
        stopping_.erase(run);
        break;
      }
  }
  if (listOnly && ListOnlyEnded) ListOnlyEnded(exitCode);
}

void FrmPreview::Listing_Lines(Listing lines) {
  lines_.Append(std::move(lines));
  lvwListing.SetItemCount(lines_.size());
  // Many times a second: a screen reader hears the start and the end.
  lblSummary.SetTextQuietly(Progress());
}

void FrmPreview::Listing_Ended(std::optional<std::uint32_t> exitCode) {
  std::string summary = ListingReport(exitCode, services_.dates.TimeNow());
  // "Up to": the engine reports as extra what its filters keep from deletion too.
  if (deletes_) summary += " " + DeletionNote(lines_.extras());
  lblSummary.SetText(summary + LogNote("went"));
  if (cmdStop.HasFocus()) cmdClose.SetFocus();
  cmdStop.SetEnabled(false);
}

std::string FrmPreview::Progress() const {
  return ListingProgress(lines_.size()) + (logFile_ ? "." : "") + LogNote("goes");
}

std::string FrmPreview::LogNote(const char* verb) const {
  return logFile_ ? std::string(" The listing ") + verb + " to the log file " + *logFile_ + "."
                  : std::string();
}

void FrmPreview::cmdStop_Click() {
  if (shown_.task) shown_.task->Stop();
}

void FrmPreview::cmdCopy_Click() { CopyToClipboard(lines_.Joined()); }

void FrmPreview::lvwListing_Copy() {
  const std::vector<std::size_t> selected = lvwListing.SelectedItems();
  if (!selected.empty()) CopyToClipboard(lines_.Joined(selected));
}

void FrmPreview::CopyToClipboard(const std::string& text) {
  const std::string error = services_.clipboard.SetText(text);
  if (!error.empty())
    services_.messages.Show("Could not copy the listing to the clipboard.\r\n" + error, "Error",
                            MsgButtons::Ok, MsgIcon::Exclamation);
}

void FrmPreview::cmdSaveAs_Click() {
  const std::optional<std::string> file = services_.fileDialogs.Save(
      {{{"Text Files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}}, "txt"});
  if (!file) return;
  const std::string error =
      services_.files.WriteFileSafely(*file, kByteOrderMark + lines_.Joined());
  if (!error.empty())
    services_.messages.Show("Could not save " + *file + "\r\n" + error, "Error", MsgButtons::Ok,
                            MsgIcon::Exclamation);
}

void FrmPreview::cmdClose_Click() { Unload(); }

void FrmPreview::Form_Unload() {
  // A listing changes nothing: closing its window ends its engine.
  StopShown();
  lines_.Clear();
  deletes_ = false;
  logFile_.reset();
}

}  // namespace marquill
