#include "support/windows_cmdline.h"

namespace marquill::test {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

class Splitter {
 public:
  explicit Splitter(std::string_view line) : line_(line) {}

  std::vector<std::string> Split() {
    if (line_.empty()) return {};
    ReadProgramName();
    SkipBlanks();
    if (AtEnd()) return args_;
    args_.emplace_back();
    while (!AtEnd()) {
      const char c = line_[pos_];
      if (IsBlank(c) && !InQuotes()) {
        backslashes_ = 0;
        SkipBlanks();
        if (!AtEnd()) args_.emplace_back();
      } else if (c == '\\') {
        args_.back() += c;
        ++backslashes_;
        ++pos_;
      } else if (c == '"') {
        ReadQuotes();
      } else {
        args_.back() += c;
        backslashes_ = 0;
        ++pos_;
      }
    }
    return args_;
  }

 private:
  bool AtEnd() const { return pos_ >= line_.size(); }
  bool InQuotes() const { return quoteCount_ != 0; }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(line_[pos_])) ++pos_;
  }

  void ReadProgramName() {
    std::string name;
    if (line_[0] == '"') {
      pos_ = 1;
      while (!AtEnd() && line_[pos_] != '"') name += line_[pos_++];
      if (!AtEnd()) ++pos_;  // the closing quote
    } else {
      while (!AtEnd() && !IsBlank(line_[pos_])) name += line_[pos_++];
    }
    args_.push_back(std::move(name));
  }

  // A quote at pos_, preceded by backslashes_ backslashes already copied.
  void ReadQuotes() {
    std::string& arg = args_.back();
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
  size_t backslashes_ = 0;
  int quoteCount_ = 0;
  std::vector<std::string> args_;
};

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine) {
  return Splitter(commandLine).Split();
}

}  // namespace marquill::test
