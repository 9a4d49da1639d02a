// Command lines split into arguments by the standard Windows rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marquill {

// Reads arguments one at a time by the rules a Windows program's start-up code
// applies to what follows the program name (those of CommandLineToArgvW):
// arguments are separated by blanks and tabs outside quotes; 2n backslashes
// before a quote give n backslashes and the quote toggles quoting, 2n+1 give n
// and a literal quote; within a run of quotes, every third quote counted from
// the one that opened the quoted part is a literal quote.
class ArgumentReader {
 public:
  explicit ArgumentReader(std::string_view text, size_t position = 0)
      : text_(text), position_(position) {}

  // Skips blanks and tabs: false when nothing is left.
  bool AtArgument();
  // Where the next argument starts, once AtArgument has said there is one.
  size_t position() const { return position_; }
  void MoveTo(size_t position) { position_ = position; }
  // The argument that starts here.
  std::string Next();

 private:
  // A quote at position_, with `backslashes` backslashes just before it.
  void ReadQuotes(std::string& arg, size_t backslashes, int& quotes);

  std::string_view text_;
  size_t position_;
};

// The arguments of `text`, which holds no program name.
std::vector<std::string> SplitArguments(std::string_view text);

// One argument of a command line: its value, and its text as the line spells
// it (quotes and escapes included).
struct Argument {
  std::string value;
  std::string_view spelled;
};

// A whole command line: the program name first, which runs to the next blank
// or tab or, when it starts with a quote, to the next quote, backslashes plain.
// An empty line gives no arguments; Windows would give the program's own path.
std::vector<Argument> SpelledArguments(std::string_view line);
// The same, values only.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace marquill
