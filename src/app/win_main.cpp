// marquill.exe: the program on the Win32 backend.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "app/program.h"
#include "model/command_line.h"
#include "win32/backend.h"
#include "win32/files.h"
#include "win32/registry.h"
#include "win32/services.h"
#include "win32/text.h"

namespace {

// The manifest asks for per-monitor DPI awareness; this covers systems that
// read only the call.
void BecomeDpiAware() {
  using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto setContext = user32 ? reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
                                 GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                           : nullptr;
  if (setContext) setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // Every DLL loaded from here on comes from the system folder, never from the
  // program's folder or the current one, where anybody may have put one.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  BecomeDpiAware();

  marquill::win32::Backend backend(instance, show);
  marquill::win32::MessageBoxes messages;
  marquill::win32::ProcessLauncher processes;
  marquill::win32::ProgramHost host;
  marquill::win32::FolderBrowser folders;
  marquill::win32::FileDialogs fileDialogs;
  marquill::win32::DateFormatter dates;
  marquill::win32::Registry registry;
  marquill::win32::FileSystem files;
  marquill::win32::CodePages codePages;
  marquill::win32::Clipboard clipboard;
  marquill::Services services{messages, processes, host,  folders,   fileDialogs,
                              dates,    registry,  files, codePages, clipboard};

  try {
    marquill::Program program(backend, services);
    // Split by the rules of CommandLineToArgvW, without loading the shell at
    // every start for it.
    std::vector<std::string> arguments =
        marquill::SplitCommandLine(marquill::win32::Narrow(GetCommandLineW()));
    if (!arguments.empty()) arguments.erase(arguments.begin());
    program.Start(arguments);
    return marquill::win32::RunMessageLoop();
  } catch (const std::exception& error) {
    // Only the start can get here: the window procedures keep their own.
    const std::wstring text =
        L"Marquill cannot start.\r\n\r\n" + marquill::win32::Widen(error.what());
    MessageBoxW(nullptr, text.c_str(), L"Marquill", MB_OK | MB_ICONERROR);
    return 1;
  }
}
