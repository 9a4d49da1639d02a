// The file-open dialog component of a form.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace marquill::toolkit {

// The file-open dialog component a form holds: it has no window of its own
// until ShowOpen, and it remembers the last file chosen. Its form resets it
// when it unloads (Form::ResetComponents).
class CommonDialog {
 public:
  // `show` shows the platform's file-open dialog: the chosen file's full
  // name, or nullopt when cancelled.
  using Show = std::function<std::optional<std::string>()>;
  explicit CommonDialog(Show show) : show_(std::move(show)) {}
  CommonDialog(const CommonDialog&) = delete;
  CommonDialog& operator=(const CommonDialog&) = delete;

  // Shows the platform's dialog and returns when it closes. A chosen file
  // replaces FileName; a cancel leaves it as it was.
  void ShowOpen();
  void Reset() { FileName.clear(); }

  std::string FileName;

 private:
  Show show_;
};

}  // namespace marquill::toolkit
