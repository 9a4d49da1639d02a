#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace marquill::test {

// Reads the little JSON the test data is written in (objects whose values are
// strings or arrays of strings), token by token. Strings come back as UTF-8.
// Malformed input throws std::runtime_error.
class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  // Skips white space and consumes `c`, which must come next.
  void Expect(char c);
  // Skips white space and consumes `c` if it comes next.
  bool Accept(char c);
  std::string ReadString();
  std::vector<std::string> ReadStringArray();
  // Only white space may remain.
  void ExpectEnd();

 private:
  void SkipSpace();
  char Next();
  unsigned ReadHex4();
  [[noreturn]] void Fail(const std::string& what) const;

  std::string_view text_;
  size_t pos_ = 0;
};

// One line of the command-line records: the test data's and those the fake
// outside programs write, {"cmdline": "...", "argv": ["...", ...]}, with any
// further string fields kept by name. Throws std::runtime_error for a line
// that is malformed or lacks cmdline or argv.
struct CommandRecord {
  std::string cmdline;
  std::vector<std::string> argv;
  std::map<std::string, std::string> fields;
};
CommandRecord ReadCommandRecord(std::string_view line);

}  // namespace marquill::test
