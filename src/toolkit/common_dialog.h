#pragma once

#include <string>

#include "platform/services.h"

namespace marquill::toolkit {

// The file-open dialog component a form holds: it has no window of its own
// until ShowOpen, and it remembers the last file chosen. Its form resets it
// when it unloads (Form::ResetComponents).
class CommonDialog {
 public:
  explicit CommonDialog(FileOpenDialog& platform) : platform_(platform) {}
  CommonDialog(const CommonDialog&) = delete;
  CommonDialog& operator=(const CommonDialog&) = delete;

  // Shows the platform's dialog and returns when it closes. A chosen file
  // replaces FileName; a cancel leaves it as it was.
  void ShowOpen();
  void Reset() { FileName.clear(); }

  std::string FileName;

 private:
  FileOpenDialog& platform_;
};

}  // namespace marquill::toolkit
