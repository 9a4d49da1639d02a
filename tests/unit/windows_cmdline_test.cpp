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
  std::string cmdline;
  std::vector<std::string> argv;
};

RecordedLine ParseRecord(const std::string& json, int lineNumber) {
  RecordedLine record;
  record.lineNumber = lineNumber;
  JsonReader reader(json);
  reader.Expect('{');
  bool sawCmdline = false;
  bool sawArgv = false;
  do {
    const std::string key = reader.ReadString();
    reader.Expect(':');
    if (key == "cmdline") {
      record.cmdline = reader.ReadString();
      sawCmdline = true;
    } else if (key == "argv") {
      record.argv = reader.ReadStringArray();
      sawArgv = true;
    } else {
      throw std::runtime_error("unknown key " + key);
    }
  } while (reader.Accept(','));
  reader.Expect('}');
  reader.ExpectEnd();
  if (!sawCmdline || !sawArgv) throw std::runtime_error("incomplete record");
  return record;
}

std::vector<RecordedLine> LoadRecordedLines() {
  const std::string path = std::string(MARQUILL_TESTDATA_DIR) + "/cmdline-argv.jsonl";
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  std::vector<RecordedLine> records;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number)
    if (!line.empty()) records.push_back(ParseRecord(line, number));
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
  for (const RecordedLine& record : records) {
    const std::vector<std::string> argv = SplitWindowsCommandLine(record.cmdline);
    EXPECT_EQ(argv, record.argv) << "line " << record.lineNumber << ": <" << record.cmdline
                                 << ">\n  got      " << Printable(argv) << "\n  expected "
                                 << Printable(record.argv);
  }
}

TEST(WindowsCommandLine, EmptyLineGivesNoArguments) {
  EXPECT_TRUE(SplitWindowsCommandLine("").empty());
}

}  // namespace
}  // namespace marquill::test
