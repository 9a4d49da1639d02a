#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/json_reader.h"
#include "support/windows_cmdline.h"

namespace marquill::test {
namespace {

struct RecordedLine {
  int lineNumber = 0;
  CommandRecord record;
};

std::vector<RecordedLine> LoadRecordedLines() {
  const std::string path = std::string(MARQUILL_TESTDATA_DIR) + "/cmdline-argv.jsonl";
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  std::vector<RecordedLine> records;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number)
    if (!line.empty()) records.push_back({number, ReadCommandRecord(line)});
  return records;
}

std::string Printable(const std::vector<std::string>& args) {
  std::string out = "[";
  for (const auto& arg : args) out += (out.size() > 1 ? ", <" : "<") + arg + ">";
  return out + "]";
}

TEST(WindowsCommandLine, AgreesWithEveryRecordedLine) {
  const std::vector<RecordedLine> records = LoadRecordedLines();
  ASSERT_EQ(records.size(), 330u);
  for (const auto& [lineNumber, record] : records) {
    const std::vector<std::string> argv = SplitWindowsCommandLine(record.cmdline);
    EXPECT_EQ(argv, record.argv) << "line " << lineNumber << ": <" << record.cmdline
                                 << ">\n  got      " << Printable(argv) << "\n  expected "
                                 << Printable(record.argv);
  }
}

TEST(WindowsCommandLine, EmptyLineGivesNoArguments) {
  EXPECT_TRUE(SplitWindowsCommandLine("").empty());
}

}  // namespace
}  // namespace marquill::test
