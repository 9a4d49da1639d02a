// The file-open dialog component of a form.
#include "toolkit/common_dialog.h"

namespace marquill::toolkit {

void CommonDialog::ShowOpen() {
  if (std::optional<std::string> chosen = show_()) FileName = std::move(*chosen);
}

}  // namespace marquill::toolkit
