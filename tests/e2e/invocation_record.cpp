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
    test::CommandRecord record = test::ReadCommandRecord(line);
    const auto exe = record.fields.find("exe");
    if (exe == record.fields.end()) return std::nullopt;
    return Invocation{std::move(record.cmdline), std::move(record.argv), exe->second};
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

}  // namespace marquill::e2e
