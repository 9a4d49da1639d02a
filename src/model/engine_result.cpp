// What an engine's exit code says, and the main window's status line.
#include "model/engine_result.h"

#include <string_view>

namespace marquill {
namespace {

constexpr std::uint32_t kFirstOutsideCode = 32;

// What a bit says of a copy, and of a listing (what the copy would do).
struct Meaning {
  std::uint32_t bit;
  std::string_view text;
  std::string_view conditional;
};

// In the order a report lists them: the worst news first; bit 0 is the code 0.
constexpr Meaning kMeanings[] = {
    {16, "serious error, nothing copied", "serious error, nothing would be copied"},
    {8, "some files or folders could not be copied", "some files or folders could not be listed"},
    {4, "mismatched files or folders found", "mismatched files or folders found"},
    {2, "extra files or folders in the destination", "extra files or folders in the destination"},
    {1, "files copied", "files would be copied"},
    {0, "nothing to copy", "nothing would be copied"},
};

std::string Meanings(std::optional<std::uint32_t> exitCode, bool listing) {
  if (OutcomeOf(exitCode) == Outcome::Stopped)
    return listing ? "the listing was ended before it finished"
                   : "the copy was ended before it finished";
  std::string text;
  for (const Meaning& meaning : kMeanings)
    if (meaning.bit ? (*exitCode & meaning.bit) != 0 : *exitCode == 0)
      text +=
          (text.empty() ? "" : "; ") + std::string(listing ? meaning.conditional : meaning.text);
  return text;
}

std::string Report(std::optional<std::uint32_t> exitCode, const std::string& time, bool listing) {
  static constexpr std::string_view kOutcomeNames[] = {"Done", "Failed", "Stopped"};
  const Outcome outcome = OutcomeOf(exitCode);
  const std::string_view name =
      listing && outcome == Outcome::Done ? "Listed" : kOutcomeNames[static_cast<int>(outcome)];
  return std::string(name) + " at " + time + ", exit code " +
         (exitCode ? std::to_string(*exitCode) : std::string("unknown")) + ": " +
         Meanings(exitCode, listing) + ".";
}

}  // namespace

Outcome OutcomeOf(std::optional<std::uint32_t> exitCode) {
  if (!exitCode || *exitCode >= kFirstOutsideCode) return Outcome::Stopped;
  return *exitCode >= 8 ? Outcome::Failed : Outcome::Done;
}

std::string ExitReport(std::optional<std::uint32_t> exitCode, const std::string& time) {
  return Report(exitCode, time, false);
}

std::string ListingReport(std::optional<std::uint32_t> exitCode, const std::string& time) {
  return Report(exitCode, time, true);
}

std::string ListingProgress(std::size_t lines) {
  return "Listing\xE2\x80\xA6 " + std::to_string(lines) + (lines == 1 ? " line" : " lines");
}

std::string DeletionNote(std::size_t extras) {
  if (extras == 0) return "No files or folders would be deleted from the destination.";
  if (extras == 1) return "Up to 1 file or folder would be deleted from the destination.";
  return "Up to " + std::to_string(extras) +
         " files and folders would be deleted from the destination.";
}

std::string StatusText(const std::string& latestReport, int running) {
  std::string text = latestReport;
  if (running <= 0) return text;
  if (!text.empty()) text += "\r\n";
  return text + (running == 1 ? std::string("1 copy running")
                              : std::to_string(running) + " copies running");
}

}  // namespace marquill
