// Command assembly: folder arguments, preview and launch texts.
#include "model/command.h"

namespace marquill {
namespace {

std::string FoldersAndOptions(std::string_view source, std::string_view destination,
                              const OptionSlots& slots) {
  return QuoteArgument(source) + " " + QuoteArgument(destination) + slots.JoinedOptions();
}

}  // namespace

bool IsRoot(std::string_view text) {
  if (text == "\\") return true;
  return text.size() == 3 && text[1] == ':' && text[2] == '\\' &&
         ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

std::string FolderForCommand(std::string_view fieldText) {
  if (!fieldText.empty() && fieldText.back() == '\\' && !IsRoot(fieldText))
    fieldText.remove_suffix(1);
  return std::string(fieldText);
}

std::string QuoteArgument(std::string_view text) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there they must be doubled, and
    // the quote itself escaped.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

std::string ArgumentText(std::string_view arg) {
  if (arg.empty()) return "\"\"";
  if (arg.find_first_of(" \t\"") == std::string_view::npos) return std::string(arg);
  const size_t colon = arg.find(':');
  if (arg.front() != '/' || colon == std::string_view::npos ||
      arg.substr(0, colon).find_first_of(" \t\"") != std::string_view::npos)
    return QuoteArgument(arg);
  return std::string(arg.substr(0, colon + 1)) + QuoteArgument(arg.substr(colon + 1));
}

std::string QuoteIfBlank(std::string_view name) {
  if (name.find_first_of(" \t") == std::string_view::npos) return std::string(name);
  // A name the user quoted is quoted again from its inside, so that a trailing
  // backslash cannot swallow the closing quote.
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
    name = name.substr(1, name.size() - 2);
  return QuoteArgument(name);
}

std::string QuoteProgramName(std::string_view path) {
  // The program name is read up to the next blank unless quoted, and up to the
  // next quote when quoted, backslashes or not; Windows paths cannot hold a
  // quote, so wrapping it is enough.
  if (path.find_first_of(" \t") == std::string_view::npos) return std::string(path);
  // One buffer, appended to: GCC 12 at -O2 reports a false -Wrestrict overlap
  // on "\"" + std::string(path).
  std::string quoted;
  quoted.reserve(path.size() + 2);
  return quoted.append(1, '"').append(path).append(1, '"');
}

std::string EnginePath(std::string_view programFolder) {
  std::string path(programFolder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += kEngineFileName;
  return path;
}

std::string PreviewText(std::string_view source, std::string_view destination,
                        const OptionSlots& slots) {
  return std::string(kEngineFileName) + " " + FoldersAndOptions(source, destination, slots);
}

std::string LaunchText(std::string_view engineFolder, std::string_view source,
                       std::string_view destination, const OptionSlots& slots) {
  return QuoteProgramName(EnginePath(engineFolder)) + " " +
         FoldersAndOptions(source, destination, slots);
}

}  // namespace marquill
