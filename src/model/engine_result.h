// What an engine's exit code says, and the main window's status line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace marquill {

enum class Outcome { Done, Failed, Stopped };

// The engine's exit code is a set of bits below 32: 1 files copied, 2 extra
// files, 4 mismatches, 8 some copies failed, 16 a serious error. Anything
// else (a negative code, a crash, a console closed by its close box) means the
// copy was ended from outside; so does a code the system could not tell.
Outcome OutcomeOf(std::optional<std::uint32_t> exitCode);

// "<Outcome> at <time>, exit code <N>: <meanings>."
std::string ExitReport(std::optional<std::uint32_t> exitCode, const std::string& time);

// The same for an engine that only listed what it would do: "Listed" for
// Done, and the meanings in the conditional ("files would be copied").
std::string ListingReport(std::optional<std::uint32_t> exitCode, const std::string& time);

// A listing under way: "Listing… <n> lines".
std::string ListingProgress(std::size_t lines);

// What a mirror or purge would delete, told by the *EXTRA lines of its
// listing: "Up to <k> files and folders would be deleted from the
// destination."
std::string DeletionNote(std::size_t extras);

// The status line: the latest report, if any engine has ended, then on a line
// of its own how many copies still run, if any.
std::string StatusText(const std::string& latestReport, int running);

}  // namespace marquill
