// Opens every window of marquill.exe in turn, for scripts/screenshots.sh.
//
//   screenshot_tour.exe <path of marquill.exe> [<font face> <height> <name>]
//
// With a font, it first sets the system's message font (face, lfHeight at
// 96 dpi), as a user who makes text larger does, and shoots the Options
// dialog only, as <name>. For each window it prints "SHOT <name> <left> <top> <width> <height>"
// (the window's rectangle on the screen, in pixels) once the window is
// shown and painted, then waits for a line on its input before it moves on,
// so the script can take the picture meanwhile. Ends with "DONE", or with
// "ERROR <what>" and exit code 1.
#include <windows.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "driver.h"

namespace marquill::e2e {
namespace {

constexpr char kMainTitle[] = "Marquill 1.0";

// Lets the window paint, reports it and waits for the go-ahead.
void Shoot(HWND window, const std::string& name) {
  Activate(window);
  GetText(window);  // its thread is back at its message loop
  Sleep(400);       // and has had the time to paint
  RECT rect{};
  GetWindowRect(window, &rect);
  std::cout << "SHOT " << name << " " << rect.left << " " << rect.top << " "
            << rect.right - rect.left << " " << rect.bottom - rect.top << std::endl;
  std::string line;
  if (!std::getline(std::cin, line)) throw DriverError("the script went away");
}

void ShootBox(const Process& program, const std::string& title, const std::string& name,
              int answer) {
  const MessageBoxView box = WaitForMessageBox(program, title);
  Shoot(box.window, name);
  PressMessageBoxButton(box, answer);
}

// Ticks an age check box of the Options dialog and shoots the date picker
// it opens, then cancels the picker.
void ShootPicker(const Process& program, HWND options, const std::string& checkBox,
                 const std::string& title, const std::string& name) {
  Click(FindChild(options, "Button", checkBox));
  const HWND picker = WaitForTopWindow(program, title);
  Shoot(picker, name);
  Click(FindChild(picker, "Button", "CANCEL"));
  WaitForTopWindowGone(program, title);
}

// What the stand-in engine prints for the preview: a mirror's listing with
// files and a folder only the destination has.
constexpr char kListing[] =
    "\r\n-------------------------------------------------------------------------------\r\n"
    "   ROBOCOPY     ::     Robust File Copy for Windows\r\n"
    "-------------------------------------------------------------------------------\r\n\r\n"
    "   Source : C:\\Data\\Reports\\\r\n     Dest : D:\\Backup\\Reports\\\r\n\r\n"
    "\t                   6\tC:\\Data\\Reports\\\r\n"
    "\t    New File  \t\t   18432\tC:\\Data\\Reports\\summary 2026.xlsx\r\n"
    "\t    Newer     \t\t   20480\tC:\\Data\\Reports\\quarter 3.docx\r\n"
    "\t*EXTRA File \t\t    2048\tD:\\Backup\\Reports\\draft (old).docx\r\n"
    "\t*EXTRA File \t\t     512\tD:\\Backup\\Reports\\notes.txt\r\n"
    "\t*EXTRA Dir        -1\tD:\\Backup\\Reports\\archive 2019\\\r\n"
    "\t                   2\tC:\\Data\\Reports\\charts\\\r\n"
    "\t    New File  \t\t    9216\tC:\\Data\\Reports\\charts\\sales.png\r\n";

std::string ListingFile() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "marquill-tour-listing.txt";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, kListing, sizeof kListing - 1, &written, nullptr);
  CloseHandle(file);
  return path;
}

void Tour(const std::string& marquill) {
  // The engine beside it is the recording stand-in, ending as a copy that
  // found extra files would, and printing a listing for the preview.
  Process program = Process::Start(
      marquill, {},
      {{"MARQUILL_ENGINE_EXIT_CODE", "3"}, {"MARQUILL_ENGINE_OUTPUT", ListingFile()}});
  const HWND main = WaitForTopWindow(program, kMainTitle);

  // The boxes first, while the command holds the start values only.
  ChooseMenu(main, {"Help", "&Support"});
  ShootBox(program, "Support Info.", "support-info", IDOK);
  Click(FindChild(main, "Button", "RoboCopy"));
  ShootBox(program, "Error", "error", IDOK);
  const auto fields = ChildrenOf(main, "Edit");
  SetText(fields.at(0), "C:\\Data\\Reports\\");
  SetText(fields.at(1), "D:\\Backup\\Reports\\");
  Click(FindChild(main, "Button", "RoboCopy"));
  ShootBox(program, "Continue?", "continue", IDCANCEL);
  // The main window once a copy has ended, its status line telling how.
  Click(FindChild(main, "Button", "RoboCopy"));
  PressMessageBoxButton(WaitForMessageBox(program, "Continue?"), IDOK);
  const HWND status = fields.at(2);
  WaitUntil([&] { return GetText(status).find("exit code") != std::string::npos; },
            "the status line");
  Shoot(main, "main-window");

  ChooseMenu(main, {"Help", "&About"});
  const HWND about = WaitForTopWindow(program, "About Marquill");
  Shoot(about, "about");
  Click(FindChild(about, "Button", "OK"));
  WaitForTopWindowGone(program, "About Marquill");

  ChooseMenu(main, {"Tools", "Options"});
  const HWND options = WaitForTopWindow(program, "Options");
  Shoot(options, "options");
  // A mirror's preview, what it would delete in red.
  Click(FindChild(options, "Button", "Mirror a Directory Tree "));
  Click(FindChild(main, "Button", "&Preview"));
  const HWND preview = WaitForTopWindow(program, "Preview");
  const HWND summary = ChildrenOf(preview, "Static").at(0);
  WaitUntil([&] { return GetText(summary).find("Up to") != std::string::npos; }, "the summary");
  Shoot(preview, "preview");
  Close(preview);
  WaitForTopWindowGone(program, "Preview");
  ShootPicker(program, options,
              "Exclude Files Older than:", "Files older than this date will be excluded",
              "date-older-than");
  ShootPicker(program, options,
              "Exclude Files Newer Than:", "Files newer than this date will be excluded",
              "date-newer-than");
  Close(options);
  WaitForTopWindowGone(program, "Options");

  Click(FindChild(main, "Button", "&Quit"));
  ShootBox(program, "Close Marquill", "close-marquill", IDYES);
  program.WaitForExit();
}

void OptionsTour(const std::string& marquill, const std::string& name) {
  Process program = Process::Start(marquill);
  ChooseMenu(WaitForTopWindow(program, kMainTitle), {"Tools", "Options"});
  Shoot(WaitForTopWindow(program, "Options"), name);
}

}  // namespace
}  // namespace marquill::e2e

int main(int argc, char** argv) {
  if (argc != 2 && argc != 5) {
    std::cout << "ERROR usage: screenshot_tour.exe <path of marquill.exe> [<font face> <height> "
                 "<name>]"
              << std::endl;
    return 1;
  }
  try {
    if (argc == 5) {
      const marquill::e2e::SystemMessageFont font(argv[2], std::atoi(argv[3]));
      marquill::e2e::OptionsTour(argv[1], argv[4]);
    } else {
      marquill::e2e::Tour(argv[1]);
    }
  } catch (const std::exception& error) {
    std::cout << "ERROR " << error.what() << std::endl;
    return 1;
  }
  std::cout << "DONE" << std::endl;
  return 0;
}
