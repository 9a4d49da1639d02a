#include "invocation_record.h"

#include <cstdio>
#include <stdexcept>

#include "support/json_reader.h"

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
  try {
    test::JsonReader reader(line);
    reader.Expect('{');
    Invocation invocation;
    bool seenCmdline = false, seenArgv = false, seenExe = false;
    do {
      const std::string key = reader.ReadString();
      reader.Expect(':');
      if (key == "argv") {
        invocation.argv = reader.ReadStringArray();
        seenArgv = true;
      } else if (key == "cmdline") {
        invocation.cmdline = reader.ReadString();
        seenCmdline = true;
      } else if (key == "exe") {
        invocation.exe = reader.ReadString();
        seenExe = true;
      } else {
        reader.ReadString();
      }
    } while (reader.Accept(','));
    reader.Expect('}');
    reader.ExpectEnd();
    if (!seenCmdline || !seenArgv || !seenExe) return std::nullopt;
    return invocation;
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

}  // namespace marquill::e2e
