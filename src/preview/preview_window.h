// frmPreview, the window that shows an engine's listing.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>

#include "model/listing.h"
#include "platform/services.h"
#include "toolkit/form.h"
#include "toolkit/form_rows.h"

// clang-format off
// The preview window's controls (see toolkit/form_rows.h). The window can be
// resized: the list takes what it gains, the summary and the buttons keep to
// its bottom edge. Close is the cancel button: Esc presses it.
#define MARQUILL_PREVIEW_WINDOW(CONTROL, DECOR, GROUP, OPTION)                                \
  CONTROL(ListView, lvwListing, "", At(8, 48, 624, 304), 0, kGrowsRight | kGrowsDown, {},    \
          Named("Listing"))                                                                   \
  CONTROL(Button, cmdStop, "&Stop", At(288, 406, 80, 23), 1, kFollowsRight | kFollowsBottom) \
  CONTROL(Button, cmdCopy, "&Copy", At(376, 406, 80, 23), 2, kFollowsRight | kFollowsBottom) \
  CONTROL(Button, cmdSaveAs, "Save &As...", At(464, 406, 80, 23), 3,                         \
          kFollowsRight | kFollowsBottom)                                                     \
  CONTROL(Button, cmdClose, "C&lose", At(552, 406, 80, 23), 4,                               \
          kCancelButton | kFollowsRight | kFollowsBottom)                                     \
  CONTROL(TextBox, txtCommand, "", At(8, 8, 624, 34), 5, kReadOnlyText | kGrowsRight, {},    \
          Named("Command line"))                                                              \
  CONTROL(Label, lblSummary, "", At(8, 360, 624, 40), kNoTab,                                \
          kLiveRegion | kGrowsRight | kFollowsBottom)
// clang-format on

namespace marquill {

// The listing of an engine that copies nothing: the command that ran, its
// lines as they arrive (those a mirror would delete in red), and a summary.
// One listing at a time: a new one takes the place of the one shown.
class FrmPreview : public toolkit::Form {
 public:
  enum class Id {
    MARQUILL_PREVIEW_WINDOW(MARQUILL_ID, MARQUILL_ID, MARQUILL_GROUP_ID, MARQUILL_NONE)
  };

  FrmPreview(toolkit::Backend& backend, Services& services);
  ~FrmPreview() override;

  // Starts `application` with `commandLine` for its listing and shows it
  // here, in place of the listing shown, whose engine is stopped. A List Only
  // run the user confirmed (`listOnly`) reports its end to ListOnlyEnded.
  // When the engine does not start, the window stays as it was.
  LaunchResult ShowListing(const std::string& application, const std::string& commandLine,
                           bool listOnly);
  // The program is ending: every listing engine still running is ended.
  void EndListings();
  std::function<void(std::optional<std::uint32_t> exitCode)> ListOnlyEnded;

  void cmdStop_Click();
  void cmdCopy_Click();
  void cmdSaveAs_Click();
  void cmdClose_Click();
  // Ctrl+C in the list: the selected lines to the clipboard.
  void lvwListing_Copy();
  // The engine shown has written `lines`, or has ended.
  void Listing_Lines(Listing lines);
  void Listing_Ended(std::optional<std::uint32_t> exitCode);

 protected:
  void Form_Unload() override;

 private:
  // An engine started for a listing; `serial` tells its reports apart.
  struct Run {
    std::uint64_t serial = 0;
    bool listOnly = false;
    std::unique_ptr<ListingTask> task;
  };
  // The engine whose listing is shown stops; its end still comes.
  void StopShown();
  void Ended(std::uint64_t serial, std::optional<std::uint32_t> exitCode);
  void CopyToClipboard(const std::string& text);
  // "Listing… <n> lines", and where the listing goes when not here.
  std::string Progress() const;
  std::string LogNote(const char* verb) const;

  Services& services_;
  std::uint64_t serials_ = 0;
  Run shown_;                // the listing shown, while its engine runs
  std::list<Run> stopping_;  // engines stopped, until their end comes
  Listing lines_;
  bool deletes_ = false;  // the command mirrors or purges
  std::optional<std::string> logFile_;

 public:
  MARQUILL_PREVIEW_WINDOW(MARQUILL_MEMBER, MARQUILL_MEMBER, MARQUILL_GROUP_MEMBER, MARQUILL_NONE)
};

extern const toolkit::FormDef kFrmPreviewDef;

}  // namespace marquill
