// Splitting a command line into arguments by the standard Windows rules.
#include "model/command_line.h"

namespace marquill {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

class Splitter {
 public:
  explicit Splitter(std::string_view line) : line_(line) {}

  std::vector<Argument> Split() {
    if (line_.empty()) return {};
    ReadProgramName();
    SkipBlanks();
    if (AtEnd()) return args_;
    Begin();
    while (!AtEnd()) {
      const char c = line_[pos_];
      if (IsBlank(c) && !InQuotes()) {
        backslashes_ = 0;
        End();
        SkipBlanks();
        if (!AtEnd()) Begin();
      } else if (c == '\\') {
        args_.back().value += c;
        ++backslashes_;
        ++pos_;
      } else if (c == '"') {
        ReadQuotes();
      } else {
        args_.back().value += c;
        backslashes_ = 0;
        ++pos_;
      }
    }
    End();
    return args_;
  }

 private:
  bool AtEnd() const { return pos_ >= line_.size(); }
  bool InQuotes() const { return quoteCount_ != 0; }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(line_[pos_])) ++pos_;
  }

  void Begin() {
    start_ = pos_;
    args_.emplace_back();
  }
  void End() { args_.back().spelled = line_.substr(start_, pos_ - start_); }

  void ReadProgramName() {
    Begin();
    std::string& name = args_.back().value;
    if (line_[0] == '"') {
      pos_ = 1;
      while (!AtEnd() && line_[pos_] != '"') name += line_[pos_++];
      if (!AtEnd()) ++pos_;  // the closing quote
    } else {
      while (!AtEnd() && !IsBlank(line_[pos_])) name += line_[pos_++];
    }
    End();
  }

  // A quote at pos_, preceded by backslashes_ backslashes already copied.
  void ReadQuotes() {
    std::string& arg = args_.back().value;
    if (backslashes_ % 2 == 0) {
      arg.resize(arg.size() - backslashes_ / 2);
      ++quoteCount_;
    } else {
      arg.resize(arg.size() - backslashes_ / 2 - 1);
      arg += '"';
    }
    ++pos_;
    backslashes_ = 0;
    // The count already includes the opening quote and the one just read.
    while (!AtEnd() && line_[pos_] == '"') {
      if (++quoteCount_ == 3) {
        arg += '"';
        quoteCount_ = 0;
      }
      ++pos_;
    }
    if (quoteCount_ == 2) quoteCount_ = 0;
  }

  std::string_view line_;
  size_t pos_ = 0;
  size_t start_ = 0;  // where the argument being read starts
  size_t backslashes_ = 0;
  int quoteCount_ = 0;
  std::vector<Argument> args_;
};

}  // namespace

std::vector<Argument> SplitCommandLine(std::string_view commandLine) {
  return Splitter(commandLine).Split();
}

}  // namespace marquill
