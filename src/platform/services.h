// What the operating system provides to the forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/listing.h"

// What the operating system provides to the forms, as small interfaces. The
// real implementation lives in platform/win32; tests use in-memory ones.
namespace marquill {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Question, Information, Exclamation };
enum class MsgResult { Ok, Cancel, Yes, No };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal for the whole program; returns the button pressed (closing the box
  // without a button answers Cancel or No).
  virtual MsgResult Show(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon icon) = 0;
};

enum class WindowStyle { NormalFocus, MaximizedFocus };

struct LaunchResult {
  bool started = false;
  std::string error;  // the system's reason when not started
  // Started and asked to be watched, but its end will never be told: the
  // system could not set up the watch.
  bool unwatched = false;
};

// How a started program ended: its exit code, or nullopt when the system
// could not tell.
using TaskEnded = std::function<void(std::optional<std::uint32_t> exitCode)>;

// What a program started for its listing reports, on the interface thread.
struct ListingHandlers {
  // The lines decoded since the last batch; batches come at most every 50 ms.
  std::function<void(Listing lines)> lines;
  // Once, after the last batch: its output has ended and so has the program.
  TaskEnded ended;
};

// A program started for its listing. Its handlers may destroy it.
class ListingTask {
 public:
  // Ends the program if it still runs; no handler runs afterwards.
  virtual ~ListingTask() = default;
  // Ends the program at once (a listing changes nothing); its end is still
  // reported.
  virtual void Stop() = 0;
};

struct ListingLaunch {
  LaunchResult result;
  std::unique_ptr<ListingTask> task;  // null when not started
};

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts `application` with `commandLine` and returns at once; never waits.
  // With `ended`, the program is watched, and `ended` runs on the interface
  // thread once it has ended; without, it is started and forgotten.
  virtual LaunchResult Launch(const std::string& application, const std::string& commandLine,
                              WindowStyle style, TaskEnded ended) = 0;
  // Starts `application` with `commandLine` and no window, reading nothing,
  // its output and errors read off the interface thread and decoded into
  // lines (ListingDecoder, with the system's OEM code page).
  virtual ListingLaunch LaunchListing(const std::string& application,
                                      const std::string& commandLine, ListingHandlers handlers) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Puts `text` on the clipboard: "" when done, else the system's reason.
  virtual std::string SetText(const std::string& text) = 0;
};

class ProgramHost {
 public:
  virtual ~ProgramHost() = default;
  // The folder marquill.exe was started from, without a trailing backslash
  // (except for a drive root).
  virtual std::string ProgramFolder() = 0;
  // The Windows system folder (System32), without a trailing backslash; ""
  // when the system cannot say.
  virtual std::string SystemFolder() = 0;
  // Ends the program at once: every window goes, none runs its unload step.
  virtual void EndProgram() = 0;
};

// The request the shell's folder browser is given.
struct FolderBrowseRequest {
  std::intptr_t owner = 0;  // window handle, 0 for none
  std::string title;
  unsigned flags = 0;
};

class FolderBrowser {
 public:
  virtual ~FolderBrowser() = default;
  // nullopt when the user cancelled; "" when the chosen item has no
  // file-system path. Throws std::exception when the shell call fails.
  virtual std::optional<std::string> Browse(const FolderBrowseRequest& request) = 0;
};

// A kind of file an Open or Save box offers: its name as the box shows it,
// and the pattern of its files.
struct FileType {
  std::string name;     // "Text Files (*.txt)"
  std::string pattern;  // "*.txt"
};

// What an Open or Save box is asked for; left empty, the system's defaults.
// Neither box gets a title of Marquill's own.
struct FileDialogRequest {
  std::vector<FileType> types;
  // Without its dot; the Save box gives it to a name typed without one.
  std::string defaultExtension;
  // The Open box takes only a file that exists.
  bool existingOnly = false;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The system's Open box: the chosen file's full path, or nullopt when
  // cancelled.
  virtual std::optional<std::string> Open(const FileDialogRequest& request) = 0;
  // The system's Save box, which asks before a file is replaced: the chosen
  // full path, or nullopt when cancelled.
  virtual std::optional<std::string> Save(const FileDialogRequest& request) = 0;
};

class DateFormatter {
 public:
  virtual ~DateFormatter() = default;
  // The user's short date format.
  virtual std::string ShortDate(const Date& date) = 0;
  // Today's date, local time.
  virtual Date Today() = 0;
  // The local time now, in the user's own time format with seconds.
  virtual std::string TimeNow() = 0;
};

// The registry, in the narrow-character terms its byte rules are defined in.
class Registry {
 public:
  virtual ~Registry() = default;
  using Key = std::uintptr_t;
  static constexpr Key kLocalMachine = 0x80000002u;
  // 0 on success, a system error code otherwise.
  virtual long OpenKey(Key root, const std::string& path, std::uint32_t access, Key* opened) = 0;
  // Queries into `buffer` (its size is the size passed); sets type and the
  // number of data bytes. Fails when the value is larger than the buffer.
  virtual long QueryValue(Key key, const std::string& name, std::uint32_t* type,
                          std::vector<unsigned char>& buffer, std::uint32_t* size) = 0;
  virtual long CloseKey(Key key) = 0;
};

// What reading a whole file gave.
struct FileRead {
  std::string bytes;
  // The system's reason when it could not be read; "" when it was.
  std::string error;
  // Larger than the limit asked for: nothing was read.
  bool tooLarge = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True for an existing ordinary file: not a folder, not hidden, not system.
  virtual bool OrdinaryFileExists(const std::string& path) = 0;
  // The whole file, if it holds at most `limit` bytes.
  virtual FileRead ReadFile(const std::string& path, std::size_t limit) = 0;
  // Makes `bytes` the whole content of `path` without ever leaving a
  // half-written or lost file: they go to a new file in the same folder,
  // flushed to the disk, which then takes the old one's place. "" when
  // written; otherwise the system's message, the old file untouched and the
  // new one gone.
  virtual std::string WriteFileSafely(const std::string& path, const std::string& bytes) = 0;
};

// The system's 8-bit code pages, for text that other programs write or read
// in them.
class CodePages {
 public:
  virtual ~CodePages() = default;
  // `utf8` in the system's ANSI code page; nullopt when a character has no
  // place there (no look-alike stands in for it). Where the ANSI code page is
  // UTF-8, the text as it is.
  virtual std::optional<std::string> ToAnsi(const std::string& utf8) = 0;
  // Bytes in the ANSI code page, as UTF-8.
  virtual std::string FromAnsi(const std::string& bytes) = 0;
  // Bytes in the OEM code page, a console program's, as UTF-8.
  virtual std::string FromOem(const std::string& bytes) = 0;
};

// Everything the forms may ask of the system, handed to them together.
struct Services {
  MessageBoxes& messages;
  ProcessLauncher& processes;
  ProgramHost& host;
  FolderBrowser& folders;
  FileDialogs& fileDialogs;
  DateFormatter& dates;
  Registry& registry;
  FileSystem& files;
  CodePages& codePages;
  Clipboard& clipboard;
};

}  // namespace marquill
