// Splitting a command line into arguments by the standard Windows rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marquill {

// One argument of a command line: its value, and its text as the line spells
// it (quotes and escapes included).
struct Argument {
  std::string value;
  std::string_view spelled;
};

// Splits a UTF-8 command line into arguments by the rules a Windows program's
// start-up code applies (those of CommandLineToArgvW, as Wine implements it):
//
// - The first argument, the program name, runs to the next blank or tab, or,
//   when it starts with a quote, to the next quote; backslashes are plain.
// - Later arguments are separated by blanks and tabs outside quotes. 2n
//   backslashes before a quote give n backslashes and the quote toggles
//   quoting; 2n+1 give n backslashes and a literal quote. Within a run of
//   quotes, every third quote counted from the one that opened the quoted
//   part is a literal quote.
//
// An empty line gives no arguments here; Windows would substitute the
// program's own path, which a text alone cannot tell.
std::vector<Argument> SplitCommandLine(std::string_view commandLine);

}  // namespace marquill
