// Command lines split into arguments by the standard Windows rules.
#include "model/command_line.h"

namespace marquill {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool ArgumentReader::AtArgument() {
  while (position_ < text_.size() && IsBlank(text_[position_])) ++position_;
  return position_ < text_.size();
}

std::string ArgumentReader::Next() {
  std::string arg;
  size_t backslashes = 0;
  int quotes = 0;  // quotes counted since the quoted part opened; 0 outside one
  while (position_ < text_.size()) {
    const char c = text_[position_];
    if (IsBlank(c) && quotes == 0) break;
    if (c == '"') {
      ReadQuotes(arg, backslashes, quotes);
      backslashes = 0;
      continue;
    }
    arg += c;
    backslashes = c == '\\' ? backslashes + 1 : 0;
    ++position_;
  }
  return arg;
}

void ArgumentReader::ReadQuotes(std::string& arg, size_t backslashes, int& quotes) {
  if (backslashes % 2 == 0) {
    arg.resize(arg.size() - backslashes / 2);
    ++quotes;
  } else {
    arg.resize(arg.size() - backslashes / 2 - 1);
    arg += '"';
  }
  ++position_;
  // The count already includes the opening quote and the one just read.
  while (position_ < text_.size() && text_[position_] == '"') {
    if (++quotes == 3) {
      arg += '"';
      quotes = 0;
    }
    ++position_;
  }
  if (quotes == 2) quotes = 0;
}

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> args;
  ArgumentReader reader(text);
  while (reader.AtArgument()) args.push_back(reader.Next());
  return args;
}

std::vector<Argument> SpelledArguments(std::string_view line) {
  if (line.empty()) return {};
  size_t end = 0;
  std::string name;
  if (line[0] == '"') {
    end = line.find('"', 1);
    name = line.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
    end = end == std::string_view::npos ? line.size() : end + 1;
  } else {
    while (end < line.size() && !IsBlank(line[end])) ++end;
    name = line.substr(0, end);
  }
  std::vector<Argument> args{{std::move(name), line.substr(0, end)}};
  ArgumentReader reader(line, end);
  while (reader.AtArgument()) {
    const size_t start = reader.position();
    std::string value = reader.Next();
    args.push_back({std::move(value), line.substr(start, reader.position() - start)});
  }
  return args;
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> values;
  for (Argument& argument : SpelledArguments(line)) values.push_back(std::move(argument.value));
  return values;
}

}  // namespace marquill
