// Job files: a whole command in the engine's own job format.
#include "model/job_file.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "model/app_identity.h"
#include "model/command.h"
#include "model/command_line.h"
#include "model/date.h"
#include "model/utf8.h"
#include "platform/services.h"

namespace marquill {
namespace {

using Slot = OptionSlots::Slot;
constexpr std::string_view kLineEnd = "\r\n";
constexpr auto npos = std::string_view::npos;

// What each switch does, as the comment after it in a job file says.
constexpr std::pair<std::string_view, std::string_view> kWhatSwitchesDo[] = {
    {"/IF", "include files matching these names"},
    {"/XD", "exclude folders matching these names"},
    {"/XF", "exclude files matching these names"},
    {"/S", "copy subfolders, but not empty ones"},
    {"/E", "copy subfolders, empty ones too"},
    {"/LEV:", "copy only the top n levels of the source tree"},
    {"/A", "copy only files with the archive attribute set"},
    {"/M", "copy only files with the archive attribute set, and reset it"},
    {"/Z", "copy files in restartable mode"},
    {"/SEC", "copy files with their security"},
    {"/SECFIX", "fix the security of all files, even skipped ones"},
    {"/TIMFIX", "fix the times of all files, even skipped ones"},
    {"/MOV", "move files: delete them from the source once copied"},
    {"/MOVE", "move files and folders: delete them from the source once copied"},
    {"/PURGE", "delete what no longer exists in the source from the destination"},
    {"/MIR", "mirror a folder tree"},
    {"/A+:", "add these attributes to copied files"},
    {"/A-:", "remove these attributes from copied files"},
    {"/CREATE", "create the folder tree and zero-length files only"},
    {"/FAT", "create destination files with 8.3 names only"},
    {"/IA:", "include only files with any of these attributes set"},
    {"/XA:", "exclude files with any of these attributes set"},
    {"/XC", "exclude changed files"},
    {"/XO", "exclude older files"},
    {"/XN", "exclude newer files"},
    {"/XX", "exclude extra files and folders"},
    {"/XL", "exclude lonely files and folders"},
    {"/MIN:", "exclude files smaller than this many bytes"},
    {"/MAX:", "exclude files bigger than this many bytes"},
    {"/MAXAGE:", "exclude files older than this date"},
    {"/MINAGE:", "exclude files newer than this date"},
    {"/R:", "retries on failed copies"},
    {"/W:", "seconds to wait between retries"},
    {"/REG", "save /R: and /W: in the registry as the defaults"},
    {"/TBD", "wait for share names to be defined (retry error 67)"},
    {"/L", "list only: copy, time-stamp and delete nothing"},
    {"/X", "report all extra files, not just those selected"},
    {"/V", "verbose output, showing skipped files"},
    {"/LOG:", "write the log to this file, replacing it"},
    {"/LOG+:", "add the log to this file"},
    {"/NP", "show no percentage copied"},
};

// The slots whose values stand on lines of their own after their switch.
struct ValueSection {
  Slot slot;
  std::string_view name;
  std::string_view title;
};
constexpr ValueSection kValueSections[] = {
    {&OptionSlots::strOptFiles, "/IF", "Include These Files"},
    {&OptionSlots::strOptExclDir, "/XD", "Exclude These Directories"},
    {&OptionSlots::strOptExclFile, "/XF", "Exclude These Files"},
};

// Switches whose value is the rest of their line: a path may hold blanks.
constexpr std::string_view kPathSwitches[] = {"/SD:", "/DD:", "/LOG:", "/LOG+:"};

constexpr Slot kAttributeSlots[] = {&OptionSlots::strOptAttribAdd, &OptionSlots::strOptAttribSub,
                                    &OptionSlots::strOptInclAttrib, &OptionSlots::strOptExclAttrib};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A switch's name: up to its colon, in capitals.
std::string NameOf(std::string_view word) {
  const size_t colon = word.find(':');
  return Upper(word.substr(0, colon == npos ? npos : colon + 1));
}

std::string_view WhatItDoes(std::string_view word) {
  const std::string name = NameOf(word);
  for (const auto& [known, what] : kWhatSwitchesDo)
    if (known == name) return what;
  return {};
}

// A line without its comment: "::" at its start, or after a blank or a tab,
// to the end.
std::string_view WithoutComment(std::string_view line) {
  for (size_t at = line.find("::"); at != npos; at = line.find("::", at + 1))
    if (at == 0 || IsBlank(line[at - 1])) return line.substr(0, at);
  return line;
}

void Section(std::string& text, std::string_view title) {
  text.append(kLineEnd).append("::").append(kLineEnd);
  text.append(":: ").append(title).append(" :").append(kLineEnd);
  text.append("::").append(kLineEnd);
}

void SwitchLine(std::string& text, std::string_view words, std::string_view what) {
  text.append("\t").append(words);
  if (!what.empty()) text.append("\t:: ").append(what);
  text.append(kLineEnd);
}

// Each switch starts a line of its own; a word that is none follows the
// switch before it.
void SwitchLines(std::string& text, const std::vector<std::string>& words) {
  std::string line;
  std::string_view what;
  for (const std::string& word : words) {
    if (!line.empty() && !word.starts_with('/')) {
      line += " " + ArgumentText(word);
      continue;
    }
    if (!line.empty()) SwitchLine(text, line, what);
    line = ArgumentText(word);
    what = WhatItDoes(word);
  }
  if (!line.empty()) SwitchLine(text, line, what);
}

void FolderSection(std::string& text, std::string_view title, std::string_view name,
                   std::string_view none, std::string_view field) {
  Section(text, title);
  if (field.empty()) return SwitchLine(text, none, "given on the engine's own command line");
  const std::string folder = FolderForCommand(field);
  SwitchLine(text, std::string(name) + folder + (IsRoot(folder) ? "" : "\\"),
             std::string(title) + ".");
}

// UTF-16 LE as UTF-8; none for a text that holds a zero or is cut in half.
std::optional<std::string> FromUtf16(std::string_view bytes) {
  if (bytes.size() % 2) return std::nullopt;
  auto unit = [&](size_t at) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
  };
  std::string text;
  for (size_t at = 0; at < bytes.size(); at += 2) {
    char32_t c = unit(at);
    if (c == 0) return std::nullopt;
    if (c >= 0xD800 && c < 0xDC00 && at + 3 < bytes.size() && unit(at + 2) >= 0xDC00 &&
        unit(at + 2) < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
      at += 2;
    }
    AppendUtf8(text, c >= 0xD800 && c < 0xE000 ? U'\uFFFD' : c);
  }
  return text;
}

// The file's text as UTF-8; none for a file that is not text.
std::optional<std::string> TextOf(std::string_view bytes, CodePages& codePages) {
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2));
  const bool utf8 = bytes.starts_with("\xEF\xBB\xBF");
  if (bytes.find('\0') != npos) return std::nullopt;
  return utf8 ? std::string(bytes.substr(3)) : codePages.FromAnsi(std::string(bytes));
}

// Digits without leading zeros, from 0 to `max`.
std::optional<std::string> Number(std::string_view value, int max) {
  if (value.empty() || value.size() > 3) return std::nullopt;
  int number = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number > max || std::to_string(number) != value) return std::nullopt;
  return std::string(value);
}

// Attribute letters in any case and order, each once, as the letter boxes
// give them: R, A, S, H.
std::optional<std::string> Letters(std::string_view value) {
  const std::string upper = Upper(value);
  std::string letters;
  for (char letter : std::string_view("RASH")) {
    const auto count = std::count(upper.begin(), upper.end(), letter);
    if (count > 1) return std::nullopt;
    if (count) letters += letter;
  }
  if (letters.size() != value.size()) return std::nullopt;
  return letters;
}

// A switch's value as the slot's control writes it; none when the control
// cannot show it.
std::optional<std::string> ValueFor(Slot slot, std::string_view value) {
  if (slot == &OptionSlots::strOptLev) return Number(value, 13);
  if (slot == &OptionSlots::strOptRetry || slot == &OptionSlots::strOptWait)
    return Number(value, 255);
  if (std::find(std::begin(kAttributeSlots), std::end(kAttributeSlots), slot) !=
      std::end(kAttributeSlots))
    return Letters(value);
  const bool age = slot == &OptionSlots::strOptMaxAge || slot == &OptionSlots::strOptMinAge;
  if ((age && !value.empty() && !DateFromDigits(value)) ||
      (slot == &OptionSlots::strOptLog && value.empty()))
    return std::nullopt;
  return std::string(value);
}

// The slot a switch fills and the text the slot's control would give it; none
// for a switch no control writes, or a value its control cannot show.
std::optional<std::pair<Slot, std::string>> SlotText(std::string_view word) {
  const std::string name = NameOf(word);
  for (const SlotSwitches& row : kCommandOrder) {
    for (std::string_view text : Choices(row.slot)) {
      if (text.empty() || Upper(text.substr(1)) != name) continue;
      const std::optional<std::string> value = ValueFor(row.slot, word.substr(name.size()));
      if (!value) return std::nullopt;
      const std::string slotText =
          std::string(text) + (row.slot == &OptionSlots::strOptLog ? QuoteIfBlank(*value) : *value);
      // The control's text must reach the engine as this one word.
      if (SplitArguments(slotText) != std::vector{std::string(text.substr(1)) + *value})
        return std::nullopt;
      return std::pair{row.slot, slotText};
    }
  }
  return std::nullopt;
}

// A path switch's value: the rest of its line, without surrounding quotes.
std::string PathValue(std::string_view rest) {
  while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);
  if (!rest.starts_with('"')) return std::string(rest);
  const std::vector<std::string> words = SplitArguments(rest);
  if (words.size() == 1) return words.front();
  if (rest.size() >= 2 && rest.ends_with('"')) rest = rest.substr(1, rest.size() - 2);
  return std::string(rest);
}

// Reads a job line by line into what Marquill's windows show.
class JobReader {
 public:
  // Why the line cannot stand in a job; none when it can.
  std::optional<std::string> Line(std::string_view line);
  Job Finish();

 private:
  std::optional<std::string> Word(const std::string& word);
  std::optional<std::string> Folder(std::string& field, bool& given, const char* which,
                                    std::string_view value);
  void AddValue(std::string_view value) { values_[section_ - kValueSections].emplace_back(value); }

  Job job_;
  const ValueSection* section_ = nullptr;  // whose values the next lines may be
  std::vector<std::string> values_[std::size(kValueSections)];
  std::vector<Slot> filled_;  // slots a switch has filled: later ones are kept
  bool sourceGiven_ = false;
  bool destinationGiven_ = false;
};

std::optional<std::string> JobReader::Line(std::string_view line) {
  const std::string_view body = WithoutComment(line);
  const std::string_view trimmed = Trim(body);
  if (trimmed.empty()) return std::nullopt;
  // A value line is indented with two tabs, or is anything but a switch.
  if (section_ && (body.starts_with("\t\t") || !trimmed.starts_with('/'))) {
    std::string_view value = trimmed;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    AddValue(value);
    return std::nullopt;
  }
  if (!trimmed.starts_with('/')) return "this line is not a switch";
  ArgumentReader words(body);
  while (words.AtArgument()) {
    const std::string_view rest = body.substr(words.position());
    const auto path = std::find_if(
        std::begin(kPathSwitches), std::end(kPathSwitches),
        [&](std::string_view name) { return Upper(rest.substr(0, name.size())) == name; });
    std::string word;
    if (path != std::end(kPathSwitches)) {
      const size_t end = std::min(rest.find('\t'), rest.find("::", path->size()));
      word = std::string(*path) + PathValue(rest.substr(path->size(), end - path->size()));
      words.MoveTo(end == npos ? body.size() : words.position() + end);
    } else {
      word = words.Next();
    }
    if (auto error = Word(word)) return error;
  }
  return std::nullopt;
}

std::optional<std::string> JobReader::Word(const std::string& word) {
  // A word that is no switch names files, as on the engine's command line.
  if (!word.starts_with('/')) {
    values_[section_ ? section_ - kValueSections : 0].push_back(word);
    return std::nullopt;
  }
  section_ = nullptr;
  const std::string name = NameOf(word);
  for (const ValueSection& section : kValueSections)
    if (name == section.name) section_ = &section;
  if (section_) return std::nullopt;
  const std::string_view value = std::string_view(word).substr(name.size());
  if (name == "/SD:" || name == "/NOSD")
    return Folder(job_.sourceField, sourceGiven_, "source", value);
  if (name == "/DD:" || name == "/NODD")
    return Folder(job_.destinationField, destinationGiven_, "destination", value);
  const auto filled = SlotText(word);
  if (filled && std::find(filled_.begin(), filled_.end(), filled->first) == filled_.end()) {
    filled_.push_back(filled->first);
    job_.slots.*filled->first = filled->second;
  } else {
    job_.slots.keptSwitches += " " + ArgumentText(word);
  }
  return std::nullopt;
}

std::optional<std::string> JobReader::Folder(std::string& field, bool& given, const char* which,
                                             std::string_view value) {
  if (given) return std::string("it gives the ") + which + " folder a second time";
  given = true;
  field = value;
  if (!value.empty() && !value.ends_with('\\')) field += '\\';
  return std::nullopt;
}

Job JobReader::Finish() {
  for (size_t i = 0; i < std::size(kValueSections); ++i) {
    const std::vector<std::string>& values = values_[i];
    if (values.empty()) continue;
    std::string text(Choices(kValueSections[i].slot).front());
    for (size_t v = 0; v < values.size(); ++v) text += (v ? " " : "") + ArgumentText(values[v]);
    job_.slots.*kValueSections[i].slot = text;
  }
  return job_;
}

}  // namespace

std::string JobBody(std::string_view sourceField, std::string_view destinationField,
                    const OptionSlots& slots) {
  std::string text;
  FolderSection(text, "Source Directory", "/SD:", "/NOSD", sourceField);
  FolderSection(text, "Destination Directory", "/DD:", "/NODD", destinationField);
  for (const ValueSection& section : kValueSections) {
    const std::vector<std::string> words = SplitArguments(slots.*section.slot);
    // The exclusion slots start with their own switch; the file list has none.
    const size_t first = section.slot == &OptionSlots::strOptFiles ? 0 : 1;
    if (words.size() <= first) continue;
    Section(text, section.title);
    SwitchLine(text, section.name, WhatItDoes(section.name));
    for (size_t i = first; i < words.size(); ++i)
      text.append("\t\t").append(words[i]).append(kLineEnd);
  }
  std::vector<std::string> words;
  for (const SlotSwitches& row : kCommandOrder) {
    const auto isSection = [&](const ValueSection& section) { return section.slot == row.slot; };
    if (std::none_of(std::begin(kValueSections), std::end(kValueSections), isSection))
      for (std::string& word : SplitArguments(slots.*row.slot)) words.push_back(std::move(word));
  }
  if (!words.empty()) {
    Section(text, "Options");
    SwitchLines(text, words);
  }
  if (!slots.keptSwitches.empty()) {
    Section(text, "Options Marquill has no control for");
    SwitchLines(text, SplitArguments(slots.keptSwitches));
  }
  return text;
}

std::string JobHeader(std::string_view path, std::string_view date, std::string_view time) {
  std::string text = "::\r\n:: Robocopy Job " + Upper(path) + "\r\n:: Created by ";
  text.append(kApp.title).append(" ").append(std::to_string(kApp.major)).append(".");
  text.append(std::to_string(kApp.minor)).append(" on ").append(date).append(" at ");
  return text.append(time).append("\r\n::\r\n");
}

EncodedJob EncodeJob(std::string_view text, CodePages& codePages) {
  EncodedJob encoded;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find(kLineEnd, start), text.size());
    const std::string line(text.substr(start, end - start));
    if (std::optional<std::string> ansi = codePages.ToAnsi(line)) {
      encoded.bytes += *ansi;
    } else if (Trim(line).starts_with("::")) {
      // A comment keeps what the code page has of it.
      for (size_t at = 0; at < line.size();) {
        const auto lead = static_cast<unsigned char>(line[at]);
        const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        encoded.bytes += codePages.ToAnsi(line.substr(at, length)).value_or("?");
        at += length;
      }
    } else {
      encoded.unfit = Trim(WithoutComment(line));
      return encoded;
    }
    if (end < text.size()) encoded.bytes += kLineEnd;
    start = end + kLineEnd.size();
  }
  return encoded;
}

std::variant<Job, JobError> ReadJob(std::string_view bytes, CodePages& codePages) {
  const std::optional<std::string> text = TextOf(bytes, codePages);
  if (!text) return JobError{"it is not text", 0, {}};
  JobReader reader;
  int number = 1;
  for (size_t start = 0; start <= text->size(); ++number) {
    size_t end = text->find_first_of("\r\n", start);
    if (end == npos) end = text->size();
    const std::string_view line = std::string_view(*text).substr(start, end - start);
    if (std::optional<std::string> reason = reader.Line(line))
      return JobError{*reason, number, std::string(line)};
    start = end + (text->compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return reader.Finish();
}

}  // namespace marquill
