// Files, the Open and Save boxes, and the system's code pages on Win32.
#include "win32/files.h"

#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <climits>

#include "win32/handles.h"
#include "win32/system_function.h"
#include "win32/text.h"

namespace marquill::win32 {
namespace {

// The box's list of file types: name and pattern, each ended by a zero, and
// one more zero after the last.
std::wstring Filter(const std::vector<FileType>& types) {
  std::wstring filter;
  for (const FileType& type : types) {
    filter += Widen(type.name);
    filter += L'\0';
    filter += Widen(type.pattern);
    filter += L'\0';
  }
  return filter;
}

using FileBoxFn = BOOL(WINAPI*)(LPOPENFILENAMEW);

std::optional<std::string> ShowFileBox(const char* function, const FileDialogRequest& request,
                                       DWORD flags) {
  const std::wstring filter = Filter(request.types);
  const std::wstring extension = Widen(request.defaultExtension);
  std::wstring name(kLongPath, L'\0');
  OPENFILENAMEW box{};
  box.lStructSize = sizeof box;
  box.hwndOwner = GetActiveWindow();
  box.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  box.nFilterIndex = 1;
  box.lpstrFile = name.data();
  box.nMaxFile = kLongPath;
  box.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  box.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | flags;
  const auto show = SystemFunction<FileBoxFn>(L"comdlg32.dll", function);
  // Without the box nothing can be chosen: the same as a cancel.
  if (!show || !show(&box)) return std::nullopt;
  name.resize(wcslen(name.c_str()));
  return Narrow(name);
}

// Bytes of up to 2 GiB in `codePage`, as UTF-8.
std::string FromCodePage(UINT codePage, const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX));
  std::wstring wide(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return Narrow(wide);
}

// A new file beside `target`, for its next content; none when the folder
// takes no new file.
UniqueHandle NewFileBeside(const std::wstring& target, std::wstring& name, DWORD& error) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L".tmp";
    HANDLE file = CreateFileW(ExtendedPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return UniqueHandle(file);
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS) break;
  }
  return nullptr;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + at, piece, &written, nullptr) || written == 0)
      return false;
    at += written;
  }
  return true;
}

}  // namespace

std::optional<std::string> FileDialogs::Open(const FileDialogRequest& request) {
  return ShowFileBox("GetOpenFileNameW", request,
                     request.existingOnly ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0);
}

std::optional<std::string> FileDialogs::Save(const FileDialogRequest& request) {
  return ShowFileBox("GetSaveFileNameW", request, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
}

bool FileSystem::OrdinaryFileExists(const std::string& path) {
  // A path cut short at a zero byte would name some other file.
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

FileRead FileSystem::ReadFile(const std::string& path, std::size_t limit) {
  FileRead read;
  if (path.find('\0') != std::string::npos) {
    read.error = ErrorText(ERROR_INVALID_NAME);
    return read;
  }
  const UniqueHandle file(CreateFileW(ExtendedPath(Widen(path)).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size)) {
    read.error = ErrorText(GetLastError());
    return read;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > limit) {
    read.tooLarge = true;
    return read;
  }
  read.bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t at = 0;
  while (at < read.bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(read.bytes.size() - at, 1u << 30));
    if (!::ReadFile(file.get(), read.bytes.data() + at, want, &got, nullptr)) {
      read.error = ErrorText(GetLastError());
      read.bytes.clear();
      return read;
    }
    if (got == 0) break;  // it grew shorter meanwhile
    at += got;
  }
  read.bytes.resize(at);
  return read;
}

std::string FileSystem::WriteFileSafely(const std::string& path, const std::string& bytes) {
  if (path.empty() || path.find('\0') != std::string::npos) return ErrorText(ERROR_INVALID_NAME);
  const std::wstring target = Widen(path);
  std::wstring temporary;
  DWORD error = ERROR_SUCCESS;
  UniqueHandle file = NewFileBeside(target, temporary, error);
  if (!file) return ErrorText(error);
  // The new content is whole on the disk before it takes the old one's place.
  bool done = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  if (!done) error = GetLastError();
  file.reset();
  if (done) {
    done = MoveFileExW(ExtendedPath(temporary).c_str(), ExtendedPath(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!done) error = GetLastError();
  }
  if (done) return {};
  DeleteFileW(ExtendedPath(temporary).c_str());
  return ErrorText(error);
}

std::optional<std::string> CodePages::ToAnsi(const std::string& utf8) {
  // Windows' "Use Unicode UTF-8" option: every character fits, and the call
  // below would refuse both its flag and the question.
  if (GetACP() == CP_UTF8) return utf8;
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return std::string();
  BOOL defaulted = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                          nullptr, 0, nullptr, &defaulted);
  if (length <= 0 || defaulted) return std::nullopt;
  std::string text(length, '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                      text.data(), length, nullptr, &defaulted);
  if (defaulted) return std::nullopt;
  return text;
}

std::string CodePages::FromAnsi(const std::string& bytes) { return FromCodePage(CP_ACP, bytes); }

std::string CodePages::FromOem(const std::string& bytes) { return FromCodePage(CP_OEMCP, bytes); }

}  // namespace marquill::win32
