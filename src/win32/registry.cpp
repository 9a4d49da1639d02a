// The registry and the file test, on the Win32 API.
#include "win32/registry.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "win32/text.h"

namespace marquill::win32 {
namespace {

// Root keys travel as their 32-bit values (HKEY_LOCAL_MACHINE is 0x80000002);
// a 64-bit HKEY holds them sign-extended.
HKEY ToHkey(Registry::Key key) {
  if (key >= 0x80000000u && key <= 0xFFFFFFFFu)
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(key)));
  return reinterpret_cast<HKEY>(key);
}

// UTF-8 to the ANSI code page; nullopt when the text has no ANSI form, so a
// key is never looked up under a name with '?' in place of a letter.
std::optional<std::string> ToAnsi(std::string_view utf8) {
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return std::string();
  const int wideLength = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, &lossy);
  if (length == 0 || lossy) return std::nullopt;
  std::string ansi(length, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

std::string FromAnsi(const unsigned char* bytes, DWORD count) {
  if (count == 0) return {};
  const char* text = reinterpret_cast<const char*>(bytes);
  const int length = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(count), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(count), wide.data(), length);
  return Narrow(wide);
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

}  // namespace

UniqueKey& UniqueKey::operator=(UniqueKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.key_;
    other.key_ = nullptr;
  }
  return *this;
}

LONG UniqueKey::Close() {
  if (!key_) return ERROR_INVALID_HANDLE;
  const LONG status = RegCloseKey(key_);
  key_ = nullptr;
  return status;
}

long Registry::OpenKey(Key root, const std::string& path, std::uint32_t access, Key* opened) {
  const std::optional<std::string> ansiPath = ToAnsi(path);
  if (!ansiPath) return ERROR_NO_UNICODE_TRANSLATION;
  HKEY key = nullptr;
  const LONG status = RegOpenKeyExA(ToHkey(root), ansiPath->c_str(), 0, access, &key);
  if (status != ERROR_SUCCESS) return status;
  *opened = reinterpret_cast<Key>(key);
  open_[*opened] = UniqueKey(key);
  return ERROR_SUCCESS;
}

HKEY Registry::Handle(Key key) const {
  const auto found = open_.find(key);
  return found != open_.end() ? found->second.get() : ToHkey(key);
}

long Registry::QueryValue(Key key, const std::string& name, std::uint32_t* type,
                          std::vector<unsigned char>& buffer, std::uint32_t* size) {
  const std::optional<std::string> ansiName = ToAnsi(name);
  if (!ansiName) return ERROR_NO_UNICODE_TRANSLATION;
  const DWORD capacity = static_cast<DWORD>(std::min<std::size_t>(*size, buffer.size()));
  DWORD count = capacity;
  DWORD valueType = REG_NONE;
  const LONG status =
      RegQueryValueExA(Handle(key), ansiName->c_str(), nullptr, &valueType, buffer.data(), &count);
  if (status != ERROR_SUCCESS) return status;
  if (IsText(valueType)) {
    // The ANSI bytes, terminator included, become UTF-8; a text that no longer
    // fits fails as a longer value would.
    const std::string utf8 = FromAnsi(buffer.data(), count);
    if (utf8.size() > capacity) return ERROR_MORE_DATA;
    const auto end = std::copy(utf8.begin(), utf8.end(), buffer.begin());
    if (end < buffer.begin() + count) std::fill(end, buffer.begin() + count, 0);
    count = static_cast<DWORD>(utf8.size());
  }
  *type = valueType;
  *size = count;
  return ERROR_SUCCESS;
}

long Registry::CloseKey(Key key) {
  const auto found = open_.find(key);
  if (found == open_.end()) return ERROR_INVALID_HANDLE;
  const LONG status = found->second.Close();
  open_.erase(found);
  return status;
}

}  // namespace marquill::win32
