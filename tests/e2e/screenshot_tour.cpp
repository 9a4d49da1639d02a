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

void Tour(const std::string& marquill) {
  // The engine beside it is the recording stand-in, ending as a copy that
  // found extra files would.
  Process program = Process::Start(marquill, {}, {{"MARQUILL_ENGINE_EXIT_CODE", "3"}});
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
