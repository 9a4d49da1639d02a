#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "model/listing.h"
#include "model/preview_command.h"
#include "support/fake_services.h"
#include "support/memory_backend.h"
#include "support/ui.h"

namespace marquill::test {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

const std::string kEngine = "C:\\Tools\\robocopy.exe";
const std::string kRun = kEngine + " \"C:\\Data\" \"D:\\Backup\"";

TEST(PreviewCommand, ListsAndChangesNothingWhateverTheCommand) {
  const std::pair<std::string, std::string> cases[] = {
      {" /S", " /S /L /UNICODE /NP /FP"},
      {" /E /LOG:\"C:\\my logs\\run.log\" /NP", " /E /NP /L /UNICODE /FP"},
      {" /LOG+:a.log /TEE /REG /SAVE:job /QUIT /MON:1 /MOT:2 /RH:0100-0500 /UNILOG:u /UNILOG+:v",
       " /L /UNICODE /NP /FP"},
      {" /l /fp /LOG:x", " /l /fp /UNICODE /NP"},
      {" /S /MIR", " /S /MIR /L /UNICODE /NP /FP /X"},
      {" /purge /x", " /purge /x /L /UNICODE /NP /FP"},
      {" *.doc /XF a.tmp \"b c.tmp\"", " *.doc /XF a.tmp \"b c.tmp\" /L /UNICODE /NP /FP"},
  };
  for (const auto& [options, preview] : cases)
    EXPECT_EQ(PreviewCommand(kRun + options), kRun + preview) << options;
  const std::string quoted = "\"C:\\Program Files\\M\\robocopy.exe\" \"C:\\A\" \"D:\\B\"";
  EXPECT_EQ(PreviewCommand(quoted + " /REG"), quoted + " /L /UNICODE /NP /FP");
  EXPECT_EQ(ListingLogFile(kRun + " /L /LOG:\"C:\\my logs\\a.log\""), "C:\\my logs\\a.log");
  EXPECT_EQ(ListingLogFile(kRun + " /L /LOG+:a.log /TEE"), std::nullopt);
}

// Decodes `bytes` fed whole, and fed one byte at a time as a pipe may hand
// them over: the same lines either way.
Lines Decoded(const std::string& bytes) {
  FakeCodePages oem;
  Lines lines[2];
  for (size_t piece : {bytes.size(), size_t{1}}) {
    ListingDecoder decoder([&](const std::string& part) { return oem.FromOem(part); });
    Listing listing;
    for (size_t at = 0; at < bytes.size(); at += piece)
      decoder.Feed(std::string_view(bytes).substr(at, piece), listing);
    decoder.Finish(listing);
    for (size_t i = 0; i < listing.size(); ++i) lines[piece == 1].emplace_back(listing[i]);
  }
  EXPECT_EQ(lines[0], lines[1]);
  return lines[0];
}

std::string Utf16(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

TEST(ListingDecoder, TellsUtf16FromOemEndsLinesAndCutsTheLongest) {
  EXPECT_EQ(Decoded("Gr\xFC\xDF"
                    "e\r\n\tNew File\r\n  0%\r100%\r\nlast"),
            (Lines{"Gr\xC3\xBC\xC3\x9F"
                   "e",
                   "\tNew File", "100%", "last"}));
  const Lines wide{"", "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\x81", "x\xEF\xBF\xBDy"};
  EXPECT_EQ(Decoded(Utf16(u"\r\n\u65E5\u672C \U0001F4C1\r\nx\0y\r\n"s)), wide);
  EXPECT_EQ(Decoded("\xFF\xFE" + Utf16(u"\u65E5\u672C \U0001F4C1\r\nx\0y"s)),
            (Lines{wide[1], wide[2]}));
  EXPECT_EQ(Decoded(""), Lines{});
  const std::string longest(kLongestLine, 'a');
  EXPECT_EQ(Decoded(longest + "\r\n" + longest + "b\r\n"),
            (Lines{longest, longest + std::string(kCutMark)}));
}

TEST(ListingDecoder, CountsWhatAMirrorWouldDelete) {
  Listing listing;
  for (const char* line : {"\t*EXTRA File \t\t 12\told.txt", "   *EXTRA Dir  -1\tD:\\gone\\",
                           "\t  New File\t *EXTRA.txt", "*EXTRA", "x*EXTRA"})
    listing.Add(line);
  EXPECT_EQ(listing.extras(), 3u);
}

class Preview : public ::testing::Test {
 protected:
  Preview() {
    program.Start();
    ui.At("frmMain", "txtSrcPath").text = "C:\\Data\\";
    ui.At("frmMain", "txtDestPath").text = "D:\\Backup\\";
  }

  MemoryControl& At(const std::string& control) { return ui.At("frmPreview", control); }
  Launch& Last() { return fakes.launcher.launches.back(); }

  MemoryBackend backend;
  FakeServices fakes;
  Program program{backend, fakes.services};
  Ui ui{backend};
};

TEST_F(Preview, ShowsTheLinesAsTheyComeAndWhatAMirrorWouldDelete) {
  program.slots.strOptMir = " /MIR";
  ui.Click("frmMain", "cmdPreview");
  EXPECT_TRUE(fakes.messages.shown.empty());
  EXPECT_EQ(Last().commandLine, kRun + " /S /MIR /L /UNICODE /NP /FP /X");
  EXPECT_TRUE(ui.IsVisible("frmPreview"));
  EXPECT_EQ(ui.Focused(), "frmPreview.lvwListing");
  EXPECT_EQ(At("txtCommand").text, Last().commandLine);
  fakes.launcher.Output(0, {"\t*EXTRA File\told.txt", "\tNew File\tnew.txt"});
  EXPECT_EQ(At("lblSummary").text, "Listing\xE2\x80\xA6 2 lines");
  fakes.launcher.Output(0, {"\t*EXTRA Dir\tD:\\Backup\\gone\\"});
  EXPECT_EQ(At("lvwListing").Items(), (Lines{"\t*EXTRA File\told.txt", "\tNew File\tnew.txt",
                                             "\t*EXTRA Dir\tD:\\Backup\\gone\\"}));
  auto& events = At("lvwListing").events;
  EXPECT_TRUE(events.ItemMarked(0) && !events.ItemMarked(1) && events.ItemMarked(2));
  fakes.launcher.End(0, 3);
  EXPECT_EQ(At("lblSummary").text,
            "Listed at 14:05:09, exit code 3: extra files or folders in the destination; files "
            "would be copied. Up to 2 files and folders would be deleted from the destination.");
  EXPECT_EQ(At("lblSummary").announced,
            (Lines{"Listing\xE2\x80\xA6 0 lines", At("lblSummary").text}));
  EXPECT_FALSE(At("cmdStop").enabled);
  EXPECT_EQ(ui.Text("frmMain", "txtStatus"), "");  // a preview is no copy

  // Copy, Ctrl+A and Ctrl+C, and Save As keep whole lines.
  const std::string all =
      "\t*EXTRA File\told.txt\r\n\tNew File\tnew.txt\r\n\t*EXTRA Dir\tD:\\Backup\\gone\\\r\n";
  ui.Click("frmPreview", "cmdCopy");
  EXPECT_EQ(fakes.clipboard.text, all);
  At("lvwListing").selection = {1};
  backend.shift = toolkit::kCtrlMask;
  ui.Key("frmPreview", "lvwListing", 'C');
  EXPECT_EQ(fakes.clipboard.text, "\tNew File\tnew.txt\r\n");
  ui.Key("frmPreview", "lvwListing", 'A');
  EXPECT_EQ(At("lvwListing").selection.size(), 3u);
  fakes.fileDialogs.saveOutcomes = {"C:\\out.txt", "C:\\locked.txt"};
  fakes.files.failing["C:\\locked.txt"] = "Access is denied.";
  ui.Click("frmPreview", "cmdSaveAs");
  EXPECT_EQ(fakes.fileDialogs.requests.back().defaultExtension, "txt");
  EXPECT_EQ(fakes.files.contents["C:\\out.txt"], "\xEF\xBB\xBF" + all);
  ui.Click("frmPreview", "cmdSaveAs");
  EXPECT_EQ(fakes.messages.shown.back().text, "Could not save C:\\locked.txt\r\nAccess is denied.");
}

TEST_F(Preview, OneAtATimeStoppedByANewOneByCloseAndByTheProgramsEnd) {
  ui.Click("frmMain", "cmdPreview");
  fakes.launcher.Output(0, {"old"});
  fakes.launcher.failure = "The system cannot find the file specified.";
  ui.Click("frmMain", "cmdPreview");  // fails: the window stays as it was
  EXPECT_EQ(fakes.messages.shown.back().title, "Error");
  EXPECT_EQ(At("lvwListing").Items(), Lines{"old"});
  EXPECT_FALSE(Last().stopped);
  fakes.launcher.failure.reset();
  ui.Click("frmMain", "cmdPreview");
  EXPECT_TRUE(fakes.launcher.launches[0].stopped);
  fakes.launcher.End(0, 0xC000013A);  // the stopped one's end changes nothing
  EXPECT_EQ(At("lvwListing").itemCount, 0u);
  ui.Click("frmPreview", "cmdStop");
  EXPECT_TRUE(Last().stopped);
  ui.Click("frmPreview", "cmdClose");
  EXPECT_FALSE(ui.IsOpen("frmPreview"));
  EXPECT_FALSE(Last().gone);  // until its end comes
  fakes.launcher.End(1, 0xC000013A);
  EXPECT_TRUE(Last().gone);

  ui.Click("frmMain", "cmdPreview");
  ui.CloseBox("frmMain");
  EXPECT_TRUE(Last().stopped);
  EXPECT_EQ(fakes.host.ended, 1);
}

TEST_F(Preview, AListOnlyRunIsShownAsConfirmedAndReportedAsAListing) {
  program.slots.strOptListOnly = " /L";
  program.slots.strOptLog = " /LOG:C:\\run.log";
  fakes.messages.answers = {MsgResult::Ok};
  ui.Click("frmMain", "cmdRun");
  EXPECT_EQ(fakes.messages.shown.back().title, "Continue?");
  EXPECT_EQ(Last().commandLine, kRun + " /S /L /LOG:C:\\run.log");
  EXPECT_EQ(ui.Text("frmMain", "txtStatus"), "1 copy running");
  EXPECT_EQ(At("lblSummary").text,
            "Listing\xE2\x80\xA6 0 lines. The listing goes to the log file C:\\run.log.");
  fakes.launcher.End(0, 1);
  EXPECT_EQ(ui.Text("frmMain", "txtStatus"),
            "Listed at 14:05:09, exit code 1: files would be copied.");
  EXPECT_EQ(At("lblSummary").text,
            "Listed at 14:05:09, exit code 1: files would be copied. The listing went to the log "
            "file C:\\run.log.");
}

}  // namespace
}  // namespace marquill::test
