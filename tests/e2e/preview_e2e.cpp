// The real marquill.exe under Wine listing what a copy would do: the Preview
// button, and a List Only run the user confirmed, both shown in the preview
// window with the stand-in engine's own lines.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "layout_check.h"
#include "marquill_app.h"
#include "preview/preview_window.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

using Args = std::vector<std::string>;

// A listing as the engine prints it, each line ended by CR LF; one line
// overwritten by its progress, after a lone CR.
const std::string kListing =
    "\r\n   ROBOCOPY     ::     Robust File Copy for Windows\r\n"
    "\t                   3\tC:\\Data\\\r\n"
    "\t*EXTRA File \t\t      12\told.txt\r\n"
    "\t  New File  \t\t     100\tnew.txt\r\n  0%\r100%\r\n"
    "\t*EXTRA Dir        -1\tD:\\Backup\\gone\\\r\n";
const std::string kLines =
    "\r\n   ROBOCOPY     ::     Robust File Copy for Windows\r\n"
    "\t                   3\tC:\\Data\\\r\n"
    "\t*EXTRA File \t\t      12\told.txt\r\n"
    "\t  New File  \t\t     100\tnew.txt\r\n100%\r\n"
    "\t*EXTRA Dir        -1\tD:\\Backup\\gone\\\r\n";

// Writes `bytes` to a fresh scratch file for the engine to print.
std::string ListingFile(const std::string& name, const std::string& bytes) {
  const std::string path = FreshScratchPath(name);
  std::ofstream(std::filesystem::path(Wide(path)), std::ios::binary) << bytes;
  return path;
}

std::string Utf16(const std::string& text) {
  std::string bytes;
  for (wchar_t c : Wide(text)) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

int ThreadCount(DWORD processId) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == processId;
  CloseHandle(snapshot);
  return count;
}

HWND TickInOptions(const MarquillApp& app, const std::string& caption) {
  ChooseMenu(app.main(), {"Tools", "Options"});
  const HWND options = WaitForTopWindow(app.process(), "Options");
  const HWND box = FindChild(options, "Button", caption);
  Click(box);
  WaitUntil([&] { return CheckState(box) == BST_CHECKED; }, caption + " ticked");
  return options;
}

// The preview window's summary once it says how the listing ended.
std::string EndOfListing(HWND preview, const std::string& pattern) {
  const HWND summary = ChildrenOf(preview, "Static").at(0);
  std::string said;
  try {
    WaitUntil([&] { return std::regex_match(said = GetText(summary), std::regex(pattern)); },
              "the summary");
  } catch (const DriverError&) {
    throw DriverError("the summary says " + said + ", not " + pattern);
  }
  return said;
}

TEST(PreviewE2E, ListsWhatAMirrorWouldDoAndAHundredLeaveNothingBehind) {
  MarquillApp app(ProgramFolder(), {{"MARQUILL_ENGINE_OUTPUT",
                                     ListingFile("mirror.txt", "\xFF\xFE" + Utf16(kListing))},
                                    {"MARQUILL_ENGINE_EXIT_CODE", "3"}});
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  Close(TickInOptions(app, "Mirror a Directory Tree "));
  const HWND button = FindChildAt(app.main(), "Button", kPreviewRect);
  EXPECT_EQ(TextOf(button), "&Preview");
  Click(button);
  const HWND preview = WaitForTopWindow(app.process(), "Preview");
  const std::string summary =
      "Listed at [^,]+, exit code 3: extra files or folders in the destination; files would be "
      "copied\\. Up to 2 files and folders would be deleted from the destination\\.";
  EndOfListing(preview, summary);
  const Invocation start = WaitForInvocations(app.engineRecord(), 1).at(0);
  const Args tail(start.argv.end() - 6, start.argv.end());
  EXPECT_EQ(tail, (Args{"/MIR", "/L", "/UNICODE", "/NP", "/FP", "/X"})) << start.cmdline;
  EXPECT_EQ(GetText(ChildrenOf(preview, "Edit").at(0)), start.cmdline);
  EXPECT_EQ(ReadInvocations(app.engineRecord()).size(), 1u);
  EXPECT_EQ(Lines(LayoutFaults(preview, kFrmPreviewDef, DpiOf(preview))), "");
  SettleForeground(preview);
  PressKey(preview, 'A', {VK_CONTROL});
  PressKey(preview, 'C', {VK_CONTROL});
  WaitUntil([] { return ClipboardText() == kLines; }, "the lines selected and copied");
  CopyToClipboard("");
  Click(FindChild(preview, "Button", "&Copy"));
  WaitUntil([] { return ClipboardText() == kLines; }, "the lines on the clipboard");

  // The list takes what the window gains; the main window stays usable.
  const HWND list = ChildrenOf(preview, "SysListView32").at(0);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 7);
  const RECT before = PixelRectOf(list);
  SetWindowPos(preview, nullptr, 0, 0, 1000, 800, SWP_NOMOVE | SWP_NOZORDER);
  WaitUntil([&] { return PixelRectOf(list).bottom - before.bottom > 100; }, "the list grown");
  EXPECT_EQ(GetText(app.SourceField()), "C:\\Data\\");

  const DWORD handles = app.process().HandleCount();
  const int threads = ThreadCount(app.process().Id());
  // Each preview takes the place of the last, whose engine is stopped.
  for (int i = 0; i < 100; ++i)
    SendMessageW(app.main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  EndOfListing(preview, summary);
  WaitUntil([&] { return app.process().HandleCount() <= handles; }, "the handles released");
  EXPECT_LE(ThreadCount(app.process().Id()), threads);
  EXPECT_EQ(ShownTopWindows(app.process().Id(), "Preview"), std::vector<HWND>{preview});
}

TEST(PreviewE2E, AListOnlyRunIsShownThereWithTheConfirmedArguments) {
  MarquillApp app(ProgramFolder(), {{"MARQUILL_ENGINE_OUTPUT", ListingFile("list-only.txt",
                                                                           "Gr\x81\xE1"
                                                                           "e\r\n")},
                                    {"MARQUILL_ENGINE_EXIT_CODE", "1"}});
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  TickInOptions(app, "List Only. Don't Copy, Timestamp, or Delete.");
  const MessageBoxView box = app.ClickForBox(app.RunButton(), "Continue?");
  PressMessageBoxButton(box, IDOK);
  const HWND preview = WaitForTopWindow(app.process(), "Preview");
  EndOfListing(preview, "Listed at [^,]+, exit code 1: files would be copied\\.");
  const Invocation start = WaitForInvocations(app.engineRecord(), 1).at(0);
  EXPECT_EQ(start.cmdline.substr(start.cmdline.find(" \"C:")),
            box.text.substr(box.text.find(" \"C:")));
  EXPECT_EQ(start.argv.back(), "/L");
  Click(FindChild(preview, "Button", "&Copy"));
  WaitUntil(
      [] {
        return ClipboardText() ==
               "Gr\xC3\xBC\xC3\x9F"
               "e\r\n";
      },
      "the OEM line");
  const HWND status = FindChildAt(app.main(), "Edit", kStatusRect);
  WaitUntil([&] { return GetText(status).starts_with("Listed at "); }, "the status line");
  EXPECT_EQ(GetText(status).substr(GetText(status).find(',')),
            ", exit code 1: files would be copied.");
  SettleForeground(preview);
  PressKey(preview, VK_ESCAPE);
  WaitForTopWindowGone(app.process(), "Preview");
}

TEST(PreviewE2E, ClosingMarquillEndsAListingEngineButNoCopy) {
  const HANDLE hold = CreateEventW(nullptr, TRUE, FALSE, L"MarquillE2EHoldListing");
  MarquillApp app(ProgramFolder(), {{"MARQUILL_ENGINE_HOLD", "MarquillE2EHoldListing"}});
  app.SetFolders("C:\\Data\\", "D:\\Backup\\");
  PressMessageBoxButton(app.ClickForBox(app.RunButton(), "Continue?"), IDOK);
  Click(FindChildAt(app.main(), "Button", kPreviewRect));
  WaitForInvocations(app.engineRecord(), 2);
  Close(app.main());
  EXPECT_TRUE(app.process().WaitForExit());
  WaitUntil([&] { return app.process().ProcessesRunning() == 1; }, "the listing engine ended");
  SetEvent(hold);
  WaitUntil([&] { return app.process().ProcessesRunning() == 0; }, "the copy ended");
  CloseHandle(hold);
}

}  // namespace
}  // namespace marquill::e2e
