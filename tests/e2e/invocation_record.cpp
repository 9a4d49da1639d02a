#include "invocation_record.h"

#include <cstdio>

namespace marquill::e2e {
namespace {

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Just enough JSON for the lines ToJsonLine writes: an object whose values
// are strings or arrays of strings.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Consume(char c) {
    SkipBlanks();
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  bool AtEnd() {
    SkipBlanks();
    return pos_ == text_.size();
  }

  std::optional<std::string> String() {
    if (!Consume('"')) return std::nullopt;
    std::string out;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) return std::nullopt;
      const char e = text_[pos_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
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
          auto code = Hex4();
          if (!code) return std::nullopt;
          if (*code >= 0xD800 && *code < 0xDC00 && text_.substr(pos_, 2) == "\\u") {
            pos_ += 2;
            auto low = Hex4();
            if (!low) return std::nullopt;
            *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
          }
          AppendUtf8(out, *code);
          break;
        }
        default:
          return std::nullopt;
      }
    }
    return std::nullopt;
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\n'))
      ++pos_;
  }

  std::optional<unsigned> Hex4() {
    if (pos_ + 4 > text_.size()) return std::nullopt;
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char h = text_[pos_++];
      value <<= 4;
      if (h >= '0' && h <= '9')
        value |= h - '0';
      else if (h >= 'a' && h <= 'f')
        value |= h - 'a' + 10;
      else if (h >= 'A' && h <= 'F')
        value |= h - 'A' + 10;
      else
        return std::nullopt;
    }
    return value;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

std::optional<std::vector<std::string>> StringArray(Reader& reader) {
  if (!reader.Consume('[')) return std::nullopt;
  std::vector<std::string> items;
  if (reader.Consume(']')) return items;
  do {
    auto item = reader.String();
    if (!item) return std::nullopt;
    items.push_back(*item);
  } while (reader.Consume(','));
  if (!reader.Consume(']')) return std::nullopt;
  return items;
}

}  // namespace

std::string ToJsonLine(const Invocation& invocation) {
  std::string line = "{\"cmdline\": " + JsonString(invocation.cmdline) + ", \"argv\": [";
  for (size_t i = 0; i < invocation.argv.size(); ++i) {
    if (i > 0) line += ", ";
    line += JsonString(invocation.argv[i]);
  }
  return line + "], \"exe\": " + JsonString(invocation.exe) + "}\n";
}

std::optional<Invocation> ParseJsonLine(std::string_view line) {
  Reader reader(line);
  if (!reader.Consume('{')) return std::nullopt;
  Invocation invocation;
  bool seenCmdline = false, seenArgv = false, seenExe = false;
  do {
    auto key = reader.String();
    if (!key || !reader.Consume(':')) return std::nullopt;
    if (*key == "argv") {
      auto argv = StringArray(reader);
      if (!argv) return std::nullopt;
      invocation.argv = *argv;
      seenArgv = true;
      continue;
    }
    auto value = reader.String();
    if (!value) return std::nullopt;
    if (*key == "cmdline") {
      invocation.cmdline = *value;
      seenCmdline = true;
    } else if (*key == "exe") {
      invocation.exe = *value;
      seenExe = true;
    }
  } while (reader.Consume(','));
  if (!reader.Consume('}') || !reader.AtEnd()) return std::nullopt;
  if (!seenCmdline || !seenArgv || !seenExe) return std::nullopt;
  return invocation;
}

}  // namespace marquill::e2e
