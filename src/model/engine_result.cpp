// What an engine's exit code says, and the main window's status line.
#include "model/engine_result.h"

#include <string_view>

namespace marquill {
namespace {

constexpr std::uint32_t kFirstOutsideCode = 32;

struct Meaning {
  std::uint32_t bit;
  std::string_view text;
};

// In the order a report lists them: the worst news first.
constexpr Meaning kMeanings[] = {
    {16, "serious error, nothing copied"},
    {8, "some files or folders could not be copied"},
    {4, "mismatched files or folders found"},
    {2, "extra files or folders in the destination"},
    {1, "files copied"},
};

std::string Meanings(std::optional<std::uint32_t> exitCode) {
  if (OutcomeOf(exitCode) == Outcome::Stopped) return "the copy was ended before it finished";
  if (*exitCode == 0) return "nothing to copy";
  std::string text;
  for (const Meaning& meaning : kMeanings)
    if (*exitCode & meaning.bit) text += (text.empty() ? "" : "; ") + std::string(meaning.text);
  return text;
}

constexpr std::string_view kOutcomeNames[] = {"Done", "Failed", "Stopped"};

}  // namespace

Outcome OutcomeOf(std::optional<std::uint32_t> exitCode) {
  if (!exitCode || *exitCode >= kFirstOutsideCode) return Outcome::Stopped;
  return *exitCode >= 8 ? Outcome::Failed : Outcome::Done;
}

std::string ExitReport(std::optional<std::uint32_t> exitCode, const std::string& time) {
  return std::string(kOutcomeNames[static_cast<int>(OutcomeOf(exitCode))]) + " at " + time +
         ", exit code " + (exitCode ? std::to_string(*exitCode) : std::string("unknown")) + ": " +
         Meanings(exitCode) + ".";
}

std::string StatusText(const std::string& latestReport, int running) {
  std::string text = latestReport;
  if (running <= 0) return text;
  if (!text.empty()) text += "\r\n";
  return text + (running == 1 ? std::string("1 copy running")
                              : std::to_string(running) + " copies running");
}

}  // namespace marquill
