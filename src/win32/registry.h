// The registry and the file test, on the Win32 API.
#pragma once

// What the About box asks of the system to find the System Information tool:
// the registry and a file test.

#include <windows.h>

#include <map>

#include "platform/services.h"

namespace marquill::win32 {

// Owns one open registry key and closes it.
class UniqueKey {
 public:
  UniqueKey() = default;
  explicit UniqueKey(HKEY key) : key_(key) {}
  ~UniqueKey() { Close(); }
  UniqueKey(UniqueKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  UniqueKey& operator=(UniqueKey&& other) noexcept;
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;

  HKEY get() const { return key_; }
  // The status of RegCloseKey; ERROR_INVALID_HANDLE when nothing is open.
  LONG Close();

 private:
  HKEY key_ = nullptr;
};

// The registry through its narrow-character calls, because the About box's
// lookup rules are stated in the bytes those calls return. Key paths and
// value names come in as UTF-8 and text data go back as UTF-8; the system's
// ANSI code page is what the registry sees in between.
class Registry : public marquill::Registry {
 public:
  long OpenKey(Key root, const std::string& path, std::uint32_t access, Key* opened) override;
  long QueryValue(Key key, const std::string& name, std::uint32_t* type,
                  std::vector<unsigned char>& buffer, std::uint32_t* size) override;
  long CloseKey(Key key) override;

 private:
  HKEY Handle(Key key) const;
  // Keys handed out and not closed yet; any left over go with this object.
  std::map<Key, UniqueKey> open_;
};

}  // namespace marquill::win32
