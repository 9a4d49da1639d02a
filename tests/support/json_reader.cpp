#include "support/json_reader.h"

#include <stdexcept>

#include "model/utf8.h"

namespace marquill::test {
namespace {

bool IsHighSurrogate(unsigned code) { return code >= 0xD800 && code <= 0xDBFF; }
bool IsLowSurrogate(unsigned code) { return code >= 0xDC00 && code <= 0xDFFF; }

}  // namespace

void JsonReader::Fail(const std::string& what) const {
  throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(pos_));
}

void JsonReader::SkipSpace() {
  while (pos_ < text_.size() &&
         (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
    ++pos_;
}

char JsonReader::Next() {
  if (pos_ >= text_.size()) Fail("unexpected end");
  return text_[pos_++];
}

void JsonReader::Expect(char c) {
  if (!Accept(c)) Fail(std::string("expected '") + c + "'");
}

bool JsonReader::Accept(char c) {
  SkipSpace();
  if (pos_ < text_.size() && text_[pos_] == c) {
    ++pos_;
    return true;
  }
  return false;
}

void JsonReader::ExpectEnd() {
  SkipSpace();
  if (pos_ != text_.size()) Fail("trailing text");
}

unsigned JsonReader::ReadHex4() {
  unsigned code = 0;
  for (int i = 0; i < 4; ++i) {
    const char c = Next();
    code <<= 4;
    if (c >= '0' && c <= '9') {
      code |= static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      code |= static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      code |= static_cast<unsigned>(c - 'A' + 10);
    } else {
      Fail("bad \\u escape");
    }
  }
  return code;
}

std::string JsonReader::ReadString() {
  Expect('"');
  std::string out;
  for (;;) {
    const char c = Next();
    if (c == '"') return out;
    if (static_cast<unsigned char>(c) < 0x20) Fail("control character in string");
    if (c != '\\') {
      out += c;
      continue;
    }
    switch (const char e = Next()) {
      case '"':
      case '\\':
      case '/':
        out += e;
        break;
      case 'b':
        out += '\b';
        break;
      case 'f':
        out += '\f';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'u': {
        unsigned code = ReadHex4();
        if (IsLowSurrogate(code)) Fail("lone low surrogate");
        if (IsHighSurrogate(code)) {
          if (Next() != '\\' || Next() != 'u') Fail("high surrogate without its pair");
          const unsigned low = ReadHex4();
          if (!IsLowSurrogate(low)) Fail("high surrogate without its pair");
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        break;
      }
      default:
        Fail("bad escape");
    }
  }
}

std::vector<std::string> JsonReader::ReadStringArray() {
  Expect('[');
  std::vector<std::string> items;
  if (Accept(']')) return items;
  do {
    items.push_back(ReadString());
  } while (Accept(','));
  Expect(']');
  return items;
}

CommandRecord ReadCommandRecord(std::string_view line) {
  JsonReader reader(line);
  CommandRecord record;
  bool sawCmdline = false, sawArgv = false;
  reader.Expect('{');
  do {
    const std::string key = reader.ReadString();
    reader.Expect(':');
    if (key == "argv") {
      record.argv = reader.ReadStringArray();
      sawArgv = true;
    } else if (key == "cmdline") {
      record.cmdline = reader.ReadString();
      sawCmdline = true;
    } else {
      record.fields[key] = reader.ReadString();
    }
  } while (reader.Accept(','));
  reader.Expect('}');
  reader.ExpectEnd();
  if (!sawCmdline || !sawArgv) throw std::runtime_error("a record without cmdline or argv");
  return record;
}

}  // namespace marquill::test
