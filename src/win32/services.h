// The system services on the Win32 API.
#pragma once

#include "platform/services.h"

// The system services on the Win32 API.
namespace marquill::win32 {

class MessageBoxes : public marquill::MessageBoxes {
 public:
  MsgResult Show(const std::string& text, const std::string& title, MsgButtons buttons,
                 MsgIcon icon) override;
};

class ProcessLauncher : public marquill::ProcessLauncher {
 public:
  LaunchResult Launch(const std::string& application, const std::string& commandLine,
                      WindowStyle style) override;
};

class ProgramHost : public marquill::ProgramHost {
 public:
  std::string ProgramFolder() override;
  std::string SystemFolder() override;
  void EndProgram() override;
};

class FolderBrowser : public marquill::FolderBrowser {
 public:
  std::optional<std::string> Browse(const FolderBrowseRequest& request) override;
};

class FileOpenDialog : public marquill::FileOpenDialog {
 public:
  std::optional<std::string> ShowOpen() override;
};

class DateFormatter : public marquill::DateFormatter {
 public:
  std::string ShortDate(const Date& date) override;
};

}  // namespace marquill::win32
