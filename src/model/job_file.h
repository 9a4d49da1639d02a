// Job files: a whole command in the engine's own job format.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "model/option_slots.h"

namespace marquill {

class CodePages;

// A job as Marquill's windows take it: the two folder fields, each with one
// trailing backslash as a Browse leaves it ("" where the job leaves the folder
// to the engine's own command line), and the option slots, with every option
// the job does not name off and the switches no control writes kept.
struct Job {
  std::string sourceField;
  std::string destinationField;
  OptionSlots slots;
};

// What follows a job file's header: the command the run button would confirm
// for these fields and slots, in the engine's format: one switch a line,
// indented with a tab; /SD: and /DD: with the folders (or /NOSD and /NODD for
// an empty field); /IF, /XD and /XF with their values on lines of their own.
std::string JobBody(std::string_view sourceField, std::string_view destinationField,
                    const OptionSlots& slots);

// The comment lines that open a job file: its path in capitals, and who made
// it when.
std::string JobHeader(std::string_view path, std::string_view date, std::string_view time);

// A job file's text in the system's ANSI code page, lines ended by CR LF, as
// the engine writes its job files. A comment takes "?" for what the code page
// lacks; any other line that does not fit is named in `unfit`, and then
// `bytes` is not to be written.
struct EncodedJob {
  std::string bytes;
  std::string unfit;
};
EncodedJob EncodeJob(std::string_view text, CodePages& codePages);

// Why a file is not a job, with the line to blame if one is.
struct JobError {
  std::string reason;
  int line = 0;  // 1 for the first line; 0 for none
  std::string text;
};

// A job file is read whole only up to this size.
inline constexpr std::size_t kJobFileLimit = 1 << 20;

// Reads a job file, the engine's or Marquill's own: UTF-16 LE or UTF-8 with a
// byte-order mark, otherwise the ANSI code page; comments and blank lines
// ignored, switches in any letter case.
std::variant<Job, JobError> ReadJob(std::string_view bytes, CodePages& codePages);

}  // namespace marquill
