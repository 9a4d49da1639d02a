#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/json_reader.h"

namespace marquill::test {
namespace {

std::string Read(const std::string& json) {
  JsonReader reader(json);
  std::string value = reader.ReadString();
  reader.ExpectEnd();
  return value;
}

TEST(JsonReader, DecodesEscapes) {
  EXPECT_EQ(Read(R"("a\"b\\c\/d")"), "a\"b\\c/d");
  EXPECT_EQ(Read(R"("\t\n\r\b\f")"), "\t\n\r\b\f");
}

TEST(JsonReader, DecodesUnicodeEscapesToUtf8) {
  EXPECT_EQ(Read(R"("\u0041\u00e9\u65E5")"), "A\xC3\xA9\xE6\x97\xA5");
  // U+1F600 arrives as a surrogate pair.
  EXPECT_EQ(Read(R"("\ud83d\ude00")"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Read("\"\xC3\xA9t\xC3\xA9\""), "\xC3\xA9t\xC3\xA9");
}

TEST(JsonReader, RefusesMalformedText) {
  for (const char* bad :
       {R"("open)", R"("\x")", R"("\ud83d")", R"("\ude00")", R"("\u12")", "\"a\tb\"", R"("a" x)"})
    EXPECT_THROW(Read(bad), std::runtime_error) << bad;
}

TEST(JsonReader, ReadsObjectsOfStringsAndArrays) {
  JsonReader reader(R"( {"k": "v", "list": ["a", "", "c"], "none": []} )");
  reader.Expect('{');
  EXPECT_EQ(reader.ReadString(), "k");
  reader.Expect(':');
  EXPECT_EQ(reader.ReadString(), "v");
  reader.Expect(',');
  EXPECT_EQ(reader.ReadString(), "list");
  reader.Expect(':');
  EXPECT_EQ(reader.ReadStringArray(), (std::vector<std::string>{"a", "", "c"}));
  reader.Expect(',');
  EXPECT_EQ(reader.ReadString(), "none");
  reader.Expect(':');
  EXPECT_TRUE(reader.ReadStringArray().empty());
  EXPECT_FALSE(reader.Accept(','));
  reader.Expect('}');
  reader.ExpectEnd();
}

}  // namespace
}  // namespace marquill::test
