// Files, the Open and Save boxes, and the system's code pages on Win32.
#pragma once

#include "platform/services.h"

namespace marquill::win32 {

class FileDialogs : public marquill::FileDialogs {
 public:
  std::optional<std::string> Open(const FileDialogRequest& request) override;
  std::optional<std::string> Save(const FileDialogRequest& request) override;
};

class FileSystem : public marquill::FileSystem {
 public:
  bool OrdinaryFileExists(const std::string& path) override;
  FileRead ReadFile(const std::string& path, std::size_t limit) override;
  std::string WriteFileSafely(const std::string& path, const std::string& bytes) override;
};

class CodePages : public marquill::CodePages {
 public:
  std::optional<std::string> ToAnsi(const std::string& utf8) override;
  std::string FromAnsi(const std::string& bytes) override;
  std::string FromOem(const std::string& bytes) override;
};

}  // namespace marquill::win32
