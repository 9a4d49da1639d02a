#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>
#include <vector>

#include "model/command.h"
#include "model/command_line.h"
#include "model/engine_result.h"
#include "model/job_file.h"
#include "model/option_slots.h"
#include "support/fake_services.h"
#include "support/windows_cmdline.h"

namespace marquill {
namespace {

using test::SplitWindowsCommandLine;
using Args = std::vector<std::string>;

// Every slot and variable gets its own text; the option slots are numbered in
// the order the engine command must list them.
void FillEverySlot(OptionSlots& s) {
  s.strOptFiles = " /1";
  s.strOptSub = " /2";
  s.strOptLev = " /3";
  s.strOptArchive = " /4";
  s.strOptRestart = " /5";
  s.strOptSec = " /6";
  s.strOptSecFix = " /7";
  s.strOptTimFix = " /8";
  s.strOptMov = " /9";
  s.strOptMove = " /10";
  s.strOptPurge = " /11";
  s.strOptMir = " /12";
  s.strOptAttribAdd = " /13";
  s.strOptAttribSub = " /14";
  s.strOptCreate = " /15";
  s.strOptFat = " /16";
  s.strOptInclAttrib = " /17";
  s.strOptExclAttrib = " /18";
  s.strOptExclFile = " /19";
  s.strOptExclDir = " /20";
  s.strOptExclChange = " /21";
  s.strOptExclXtraLonely = " /22";
  s.strOptMinSize = " /23";
  s.strOptMaxSize = " /24";
  s.strOptMaxAge = " /25";
  s.strOptMinAge = " /26";
  s.strOptRetry = " /27";
  s.strOptWait = " /28";
  s.strOptReg = " /29";
  s.strOptTbd = " /30";
  s.strOptListOnly = " /31";
  s.strOptReportXtra = " /32";
  s.strOptVerbose = " /33";
  s.strOptLog = " /34";
  s.strOptNp = " /35";
  s.strRunSrc = "C:\\src";
  s.strRunDest = "D:\\dest";
  s.strBrowsePath = "E:\\browsed";
}

// ---- The slot table ----

TEST(OptionSlotTable, JoinsAllThirtyFiveSlotsInCommandOrderAndNothingElse) {
  OptionSlots slots;
  FillEverySlot(slots);
  std::string expected;
  for (int n = 1; n <= 35; ++n) expected += " /" + std::to_string(n);
  EXPECT_EQ(slots.JoinedOptions(), expected);
}

TEST(OptionSlotTable, StartValuesLeaveOnlyTheSubDirectorySwitch) {
  OptionSlots slots;
  FillEverySlot(slots);
  slots.AssignStartValues();
  EXPECT_EQ(slots.JoinedOptions(), " /S");
  EXPECT_EQ(slots.strOptSub, " /S");
  EXPECT_EQ(slots.strRunSrc, "");
  EXPECT_EQ(slots.strRunDest, "");
  EXPECT_EQ(slots.strBrowsePath, "");
}

TEST(OptionSlotTable, EmptyClearsEverySlotIncludingTheSubDirectorySwitch) {
  OptionSlots slots;
  FillEverySlot(slots);
  slots.Empty();
  EXPECT_EQ(slots.JoinedOptions(), "");
  EXPECT_EQ(slots.strOptSub, "");
  EXPECT_EQ(slots.strRunSrc, "");
  EXPECT_EQ(slots.strRunDest, "");
  EXPECT_EQ(slots.strBrowsePath, "");
}

TEST(OptionSlotTable, JoinsSlotTextsVerbatim) {
  OptionSlots slots;
  slots.AssignStartValues();
  slots.strOptFiles = "   a.txt  b.txt ";
  slots.strOptExclDir = " /XD old  stuff";
  slots.strOptLog = " /LOG:C:\\My Logs\\run.txt";
  EXPECT_EQ(slots.JoinedOptions(), "   a.txt  b.txt  /S /XD old  stuff /LOG:C:\\My Logs\\run.txt");
}

// ---- Folder text and command texts ----

TEST(CommandFolder, DropsExactlyOneTrailingBackslashAndKeepsRoots) {
  const struct {
    const char* field;
    const char* folder;
  } cases[] = {
      {"C:\\Data\\", "C:\\Data"},
      {"C:\\Data", "C:\\Data"},        // typed without one: nothing to drop
      {"C:\\Data\\\\", "C:\\Data\\"},  // only one goes
      {"D:\\", "D:\\"},                // a drive root stays a root
      {"d:\\", "d:\\"},
      {"\\", "\\"},  // so does the root of the current drive
      {"\\\\server\\share\\", "\\\\server\\share"},
      {"   ", "   "},
      {"C:\\My Data \\", "C:\\My Data "},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderForCommand(c.field), c.folder) << c.field;
}

TEST(CommandText, PreviewWithStartValues) {
  OptionSlots slots;
  slots.AssignStartValues();
  EXPECT_EQ(PreviewText(FolderForCommand("C:\\Data\\"), FolderForCommand("D:\\Backup\\"), slots),
            "robocopy.exe \"C:\\Data\" \"D:\\Backup\" /S");
}

TEST(CommandText, WorkedExample) {
  OptionSlots slots;
  slots.AssignStartValues();
  slots.strOptFiles = " *.doc";
  slots.strOptMir = " /MIR";
  slots.strOptRetry = " /R:3";
  slots.strOptWait = " /W:10";
  slots.strOptNp = " /NP";
  const std::string source = FolderForCommand("C:\\Data\\Reports\\");
  const std::string destination = FolderForCommand("D:\\Backup\\Reports\\");
  EXPECT_EQ(
      PreviewText(source, destination, slots),
      "robocopy.exe \"C:\\Data\\Reports\" \"D:\\Backup\\Reports\" *.doc /S /MIR /R:3 /W:10 /NP");
  EXPECT_EQ(LaunchText("C:\\Tools", source, destination, slots),
            "C:\\Tools\\robocopy.exe \"C:\\Data\\Reports\" \"D:\\Backup\\Reports\" *.doc /S /MIR "
            "/R:3 /W:10 /NP");
}

TEST(CommandText, EngineLiesInTheProgramFolder) {
  EXPECT_EQ(EnginePath("C:\\Tools"), "C:\\Tools\\robocopy.exe");
  EXPECT_EQ(EnginePath("C:\\"), "C:\\robocopy.exe");
}

TEST(CommandText, DriveRootsReachTheEngineAsRoots) {
  OptionSlots slots;
  slots.AssignStartValues();
  EXPECT_EQ(SplitWindowsCommandLine(
                LaunchText("C:\\Tools", FolderForCommand("D:\\"), FolderForCommand("E:\\"), slots)),
            (Args{"C:\\Tools\\robocopy.exe", "D:\\", "E:\\", "/S"}));
}

TEST(CommandText, ProgramFolderWithBlanksStaysOneArgument) {
  OptionSlots slots;
  slots.AssignStartValues();
  EXPECT_EQ(
      SplitWindowsCommandLine(LaunchText("C:\\Program Files\\Marquill", "C:\\a", "D:\\b", slots)),
      (Args{"C:\\Program Files\\Marquill\\robocopy.exe", "C:\\a", "D:\\b", "/S"}));
}

// ---- Property: every launch text parses back into what was meant ----

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool OneIn(int n) { return Below(n) == 0; }
  template <class T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

  // A folder name: letters, blanks, a pasted tab, punctuation and non-ASCII
  // text. A quote, which Windows names cannot hold, now and then, to show it
  // is escaped too.
  std::string Name() {
    static const std::string kSingle = "aBz09 .-_'&()%$~!\t";
    static const char* const kWide[] = {"\xC3\xA9", "\xC3\xBC", "\xE6\x97\xA5\xE6\x9C\xAC",
                                        "\xD0\x96\xD1\x83\xD1\x80"};
    std::string name;
    for (int n = 1 + Below(12); n > 0; --n) {
      if (!windowsNames && OneIn(60)) {
        name += '"';
      } else if (OneIn(4)) {
        name += kWide[Below(windowsNames ? 2 : 4)];
      } else {
        name += kSingle[Below(static_cast<int>(kSingle.size()) - windowsNames)];
      }
    }
    return name;
  }

  // Only names Windows allows, in letters of the code page: no tab, no quote.
  bool windowsNames = false;

  std::string Drive() {
    const char letter = static_cast<char>((OneIn(4) ? 'a' : 'A') + Below(26));
    return std::string(1, letter) + ":\\";
  }

  std::string Levels(std::string path, int levels) {
    // Appended, not concatenated: GCC 12 at -O2 reports a false -Wrestrict.
    for (int i = 0; i < levels; ++i) path.append(1, '\\').append(Name());
    return path;
  }

  // A folder as the engine should receive it: never ending in a backslash
  // unless it is a root.
  std::string Folder() {
    switch (Below(7)) {
      case 0:
        return Drive();
      case 1:
        return "\\";
      case 2:
        return Levels("\\\\" + Name() + "\\" + Name(), Below(3));
      case 3: {
        std::string path = (OneIn(3) ? "\\\\?\\" : "") + Drive() + Name();
        while (path.size() <= 300) path += "\\" + Name();
        return path;
      }
      case 4:
        return std::string(1 + Below(3), ' ');
      default:
        return Levels(Drive() + Name(), Below(4));
    }
  }

  // One fragment as an option slot may hold it.
  std::string Fragment() {
    static const char* const kSwitches[] = {" /MIR",   " /PURGE", " /S",     " /E",  " /Z", " /NP",
                                            " /a+:RA", " /a-:",   " /XA:SH", " /XO", " /XX"};
    static const char* const kValued[] = {" /R:", " /W:", " /LEV:", " /MIN:", " /MAXAGE:"};
    static const char* const kWords[] = {
        "*.doc", "a", "b", "old", "stuff", "\xC3\xA9t\xC3\xA9.txt", "C:\\logs\\", "x\\y"};
    switch (Below(6)) {
      case 0:
      case 1:
        return Pick(kSwitches);
      case 2:
        return Pick(kValued) + std::to_string(Below(100000));
      case 3:
        return std::string(" /LOG") + (OneIn(2) ? "+:" : ":") + Pick(kWords) + "run.txt";
      default: {
        std::string fragment = OneIn(3) ? " " : OneIn(2) ? " /XF " : " /XD ";
        for (int n = 1 + Below(3), i = 0; i < n; ++i)
          fragment += std::string(i ? " " : "") + Pick(kWords) + (OneIn(5) ? " " : "");
        return fragment;
      }
    }
  }

 private:
  std::mt19937 rng_;
};

Args Words(const std::string& text) {
  Args words;
  std::string word;
  for (char c : text + " ") {
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

std::string Shown(const Args& args) {
  std::string out;
  for (const auto& arg : args) out += "\n    <" + arg + ">";
  return out;
}

TEST(CommandProperty, LaunchAndPreviewTextsParseBackExactly) {
  const char* const kProgramFolders[] = {
      "C:\\Tools",
      "C:\\Program Files\\Marquill",
      "D:\\Donn\xC3\xA9\x65s \xC3\xA9t\xC3\xA9\\\xE6\x97\xA5\xE6\x9C\xAC x",
      "C:\\",
      "\\\\srv\\apps\\Mar quill",
      "E:\\Apps(x86)\\M&Q",
  };
  Generator gen(20240611u);
  for (int round = 0; round < 10000; ++round) {
    const std::string source = gen.Folder();
    const std::string destination = gen.Folder();
    const int sourceBackslashes = gen.Below(3);
    const int destinationBackslashes = gen.Below(3);
    const std::string sourceField = source + std::string(sourceBackslashes, '\\');
    const std::string destinationField = destination + std::string(destinationBackslashes, '\\');
    // Exactly one trailing backslash of the field is dropped, when there is one.
    const std::string sourceMeant = source + std::string(std::max(sourceBackslashes - 1, 0), '\\');
    const std::string destinationMeant =
        destination + std::string(std::max(destinationBackslashes - 1, 0), '\\');

    OptionSlots slots;
    slots.AssignStartValues();
    for (const SlotSwitches& row : kCommandOrder)
      slots.*row.slot = gen.OneIn(3) ? gen.Fragment() : "";
    const std::string from = FolderForCommand(sourceField);
    const std::string to = FolderForCommand(destinationField);

    const std::string programFolder = gen.Pick(kProgramFolders);
    const std::string engine =
        programFolder + (programFolder.back() == '\\' ? "" : "\\") + "robocopy.exe";
    Args meant = {engine, sourceMeant, destinationMeant};
    for (const std::string& word : Words(slots.JoinedOptions())) meant.push_back(word);

    const std::string launch = LaunchText(programFolder, from, to, slots);
    const Args launched = SplitWindowsCommandLine(launch);
    EXPECT_EQ(launched, meant) << "round " << round << "\n  source field      <" << sourceField
                               << ">\n  destination field <" << destinationField
                               << ">\n  program folder    <" << programFolder
                               << ">\n  launch text       <" << launch << ">\n  parsed"
                               << Shown(launched) << "\n  meant" << Shown(meant);

    meant[0] = "robocopy.exe";
    const std::string preview = PreviewText(from, to, slots);
    EXPECT_EQ(SplitWindowsCommandLine(preview), meant)
        << "round " << round << "\n  preview text <" << preview << ">";
    if (HasFailure()) break;
  }
}

// ---- Job files ----

// What a job file opens to: the command after "robocopy.exe ", or why not.
std::string OpenedTo(const std::string& file) {
  test::FakeCodePages codePages;
  const std::variant<Job, JobError> read = ReadJob(file, codePages);
  if (const auto* error = std::get_if<JobError>(&read))
    return "refused: " + error->reason + " @" + std::to_string(error->line);
  const Job& job = std::get<Job>(read);
  return PreviewText(FolderForCommand(job.sourceField), FolderForCommand(job.destinationField),
                     job.slots)
      .substr(kEngineFileName.size() + 1);
}

// Latin-1 text as UTF-16 LE with its byte-order mark.
std::string Utf16(std::string_view latin1) {
  std::string bytes = "\xFF\xFE";
  for (char c : latin1) bytes.append(1, c).append(1, '\0');
  return bytes;
}

TEST(JobFile, HandWrittenJobsOpenToTheirCommands) {
  const std::pair<std::string, std::string> cases[] = {
      // As the engine writes them: header, sections, defaults commented out.
      {"::\r\n:: Robocopy Job C:\\JOBS\\WEEKLY.RCJ\r\n::\r\n\r\n::\r\n:: Source Directory :\r\n"
       "::\r\n\t/SD:C:\\Data\\\t:: Source Directory.\r\n\t/DD:D:\\Backup Set\\\r\n"
       "\t/IF\t\t:: Include Files matching these names\r\n::\t\t*.*\t:: Include all names\r\n"
       "\t/XD\t\t:: eXclude Directories matching these names\r\n\t\ttmp\r\n\t\tOld Stuff\r\n"
       "\t/S\t\t:: copy Subdirectories, but not empty ones.\r\n\t/COPY:DAT\t:: what to COPY\r\n"
       "\t/R:1000000\t:: number of Retries\r\n\t/W:30\t\t:: Wait time between retries\r\n",
       "\"C:\\Data\" \"D:\\Backup Set\" /S /XD tmp \"Old Stuff\" /W:30 /COPY:DAT /R:1000000"},
      // By hand: LF, several switches a line, any case, paths with blanks.
      {"/NOSD\n/dd:E:\\\n/mir /r:3 /xf *.bak \"my file.txt\"\n/log+:C:\\My Logs\\run.txt :: log\n"
       "/a+:hr /MT:8 extra.doc\n",
       "\"\" \"E:\\\\\" extra.doc /MIR /a+:RH /XF *.bak \"my file.txt\" /R:3 "
       "/LOG+:\"C:\\My Logs\\run.txt\" /MT:8"},
      // A second switch for one control, and values no control shows, are kept.
      {"/A /M /R:3 /R:5 /LEV:14 /MAXAGE:30 /MINAGE:20240229 /ETA\r\n/IF a.doc\r\n\tb.doc\r\n",
       "\"\" \"\" a.doc b.doc /A /MINAGE:20240229 /R:3 /M /R:5 /LEV:14 /MAXAGE:30 /ETA"},
      {"\xEF\xBB\xBF/SD:C:\\D\xC3\xA9j\xC3\xA0\\", "\"C:\\D\xC3\xA9j\xC3\xA0\" \"\""},
      {Utf16("/SD:C:\\D\xE9j\xE0\\\r\n/NP"), "\"C:\\D\xC3\xA9j\xC3\xA0\" \"\" /NP"},
      {"/S\r\n\r\nfoo\r\n", "refused: this line is not a switch @3"},
      {"/SD:C:\\a\\\n/NOSD", "refused: it gives the source folder a second time @2"},
      {std::string("/S\0", 3), "refused: it is not text @0"},
  };
  for (const auto& [file, command] : cases) EXPECT_EQ(OpenedTo(file), command) << file;
}

// A random option state as the Options dialog leaves it, with switches that
// no control writes kept.
OptionSlots RandomJobState(Generator& gen) {
  static const char* const kNames[] = {
      "*.doc", "a", "Old Stuff", "\xC3\xA9t\xC3\xA9.txt", "C:\\T\\x y", "~$*.tmp", "(1)"};
  static const std::string kKept =
      " /MT:8 /COPY:DAT /XJ /ETA /R:1000 /LEV:14 /UNILOG:\"C:\\My Logs\\x.log\"";
  OptionSlots slots;
  for (const SlotSwitches& row : kCommandOrder) {
    const auto choices = Choices(row.slot);
    std::string text(choices[gen.Below(static_cast<int>(choices.size()))]);
    if (text.empty() || gen.OneIn(2)) continue;
    if (text == " " || text.back() == ' ') {  // a name box: names as typed, some quoted
      for (int n = 1 + gen.Below(3); n > 0; --n) {
        const std::string name = gen.Pick(kNames);
        const bool quoted = name.find(' ') != std::string::npos || gen.OneIn(3);
        text += (text.back() == ' ' ? "" : " ") + (quoted ? "\"" + name + "\"" : name);
      }
    } else if (row.slot == &OptionSlots::strOptLog) {
      text += QuoteIfBlank(gen.Levels(gen.Drive() + gen.Name(), gen.Below(2)) + ".log");
    } else if (row.slot == &OptionSlots::strOptMaxAge || row.slot == &OptionSlots::strOptMinAge) {
      text += gen.OneIn(3)
                  ? ""
                  : DateDigits({1990 + gen.Below(40), 1 + gen.Below(12), 1 + gen.Below(28)});
    } else if (text.back() == ':' &&
               std::string_view(" /a+: /a-: /IA: /XA:").find(text) != std::string::npos) {
      for (char letter : std::string_view("RASH"))
        text += gen.OneIn(2) ? std::string(1, letter) : "";
    } else if (text.back() == ':') {  // a level, a list's number or a size
      text += std::to_string(gen.Below(row.slot == &OptionSlots::strOptLev ? 14 : 256));
    }
    slots.*row.slot = text;
  }
  for (const std::string& word : SplitArguments(kKept))
    if (gen.OneIn(5)) slots.keptSwitches += " " + ArgumentText(word);
  return slots;
}

TEST(JobFileProperty, SavedAndOpenedAgainTheCommandParsesToTheSameArguments) {
  Generator gen(20241201u);
  gen.windowsNames = true;
  test::FakeCodePages codePages;
  const auto command = [](const std::string& from, const std::string& to, const OptionSlots& s) {
    return SplitWindowsCommandLine(PreviewText(FolderForCommand(from), FolderForCommand(to), s));
  };
  for (int round = 0; round < 10000 && !HasFailure(); ++round) {
    codePages.ansiIsUtf8 = gen.OneIn(4);
    std::string fields[2];
    for (std::string& field : fields)
      if (!gen.OneIn(8)) field = gen.Folder() + (gen.OneIn(2) ? "\\" : "");
    const OptionSlots slots = RandomJobState(gen);
    const std::string text = JobHeader("C:\\Jobs\\x.rcj", "01/12/2024", "14:05:09") +
                             JobBody(fields[0], fields[1], slots);
    const EncodedJob encoded = EncodeJob(text, codePages);
    const std::variant<Job, JobError> read = ReadJob(encoded.bytes, codePages);
    const Job* job = std::get_if<Job>(&read);
    ASSERT_TRUE(job && encoded.unfit.empty()) << "round " << round << "\n" << text;
    EXPECT_EQ(command(job->sourceField, job->destinationField, job->slots),
              command(fields[0], fields[1], slots))
        << "round " << round << "\n"
        << text;
  }
}

TEST(EngineExitReport, SaysWhatEachCodeMeansTheWorstFirst) {
  const std::pair<std::optional<std::uint32_t>, std::string> cases[] = {
      {0, "Done at 9:01:02, exit code 0: nothing to copy."},
      {1, "Done at 9:01:02, exit code 1: files copied."},
      {7,
       "Done at 9:01:02, exit code 7: mismatched files or folders found; extra files or folders "
       "in the destination; files copied."},
      {8, "Failed at 9:01:02, exit code 8: some files or folders could not be copied."},
      {9,
       "Failed at 9:01:02, exit code 9: some files or folders could not be copied; files "
       "copied."},
      {16, "Failed at 9:01:02, exit code 16: serious error, nothing copied."},
      {31,
       "Failed at 9:01:02, exit code 31: serious error, nothing copied; some files or folders "
       "could not be copied; mismatched files or folders found; extra files or folders in the "
       "destination; files copied."},
      {32, "Stopped at 9:01:02, exit code 32: the copy was ended before it finished."},
      {0xC000013A,
       "Stopped at 9:01:02, exit code 3221225786: the copy was ended before it finished."},
      {0xFFFFFFFF,
       "Stopped at 9:01:02, exit code 4294967295: the copy was ended before it finished."},
      {std::nullopt,
       "Stopped at 9:01:02, exit code unknown: the copy was ended before it finished."},
  };
  for (const auto& [code, report] : cases) EXPECT_EQ(ExitReport(code, "9:01:02"), report);
  // A listing tells what the copy would do.
  const std::pair<std::optional<std::uint32_t>, std::string> listings[] = {
      {0, "Listed at 9:01:02, exit code 0: nothing would be copied."},
      {3,
       "Listed at 9:01:02, exit code 3: extra files or folders in the destination; files would "
       "be copied."},
      {24,
       "Failed at 9:01:02, exit code 24: serious error, nothing would be copied; some files or "
       "folders could not be listed."},
      {std::nullopt,
       "Stopped at 9:01:02, exit code unknown: the listing was ended before it finished."},
  };
  for (const auto& [code, report] : listings) EXPECT_EQ(ListingReport(code, "9:01:02"), report);
}

}  // namespace
}  // namespace marquill
