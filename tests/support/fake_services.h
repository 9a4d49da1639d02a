#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/services.h"

// Scripted stand-ins for the system services: each records what it was asked
// and answers from a queue the test fills.
namespace marquill::test {

struct ShownMessage {
  std::string text;
  std::string title;
  MsgButtons buttons;
  MsgIcon icon;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  MsgResult Show(const std::string& text, const std::string& title, MsgButtons buttons,
                 MsgIcon icon) override;
  std::vector<ShownMessage> shown;
  // Empty: OK, No for a Yes/No question, Cancel for Yes, No and Cancel.
  std::deque<MsgResult> answers;
  std::function<void()> whileShown;  // runs while the box is up
};

struct Launch {
  std::string application;
  std::string commandLine;
  WindowStyle style;
  TaskEnded ended;  // empty once it has ended, or when it is not watched
  // A listing's: its batches of lines, whether it was told to stop, and
  // whether its task is gone.
  std::function<void(Listing)> lines;
  bool stopped = false;
  bool gone = false;
};

class FakeLauncher : public ProcessLauncher {
 public:
  LaunchResult Launch(const std::string& application, const std::string& commandLine,
                      WindowStyle style, TaskEnded ended) override;
  ListingLaunch LaunchListing(const std::string& application, const std::string& commandLine,
                              ListingHandlers handlers) override;
  // Ends the program of launch `index` with `exitCode`, as the system tells it.
  void End(size_t index, std::optional<std::uint32_t> exitCode);
  // A batch of lines from the listing of launch `index`.
  void Output(size_t index, const std::vector<std::string>& lines);
  std::vector<test::Launch> launches;
  std::optional<std::string> failure;  // set: every launch fails with this reason
  std::vector<std::string> missing;    // these applications fail as not found
  bool unwatched = false;              // set: watches cannot be set up
};

class FakeHost : public ProgramHost {
 public:
  std::string ProgramFolder() override { return folder; }
  std::string SystemFolder() override { return systemFolder; }
  void EndProgram() override { ++ended; }
  std::string folder = "C:\\Tools";
  std::string systemFolder = "C:\\Windows\\System32";
  int ended = 0;
};

// One scripted browse: a chosen path, a cancel, or a failure of the shell.
struct BrowseOutcome {
  enum Kind { Chosen, Cancelled, Fails } kind = Cancelled;
  std::string path;
};

class FakeFolderBrowser : public FolderBrowser {
 public:
  std::optional<std::string> Browse(const FolderBrowseRequest& request) override;
  void Choose(const std::string& path) { outcomes.push_back({BrowseOutcome::Chosen, path}); }
  void Cancel() { outcomes.push_back({BrowseOutcome::Cancelled, {}}); }
  void Fail() { outcomes.push_back({BrowseOutcome::Fails, {}}); }
  std::deque<BrowseOutcome> outcomes;
  std::vector<FolderBrowseRequest> requests;
};

class FakeFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> Open(const FileDialogRequest& request) override;
  std::optional<std::string> Save(const FileDialogRequest& request) override;
  // What each box answers in turn; none left: cancelled.
  std::deque<std::optional<std::string>> outcomes;      // the Open box's
  std::deque<std::optional<std::string>> saveOutcomes;  // the Save box's
  int shown = 0;                                        // Open boxes shown
  std::vector<FileDialogRequest> requests;              // of both boxes, in order
};

class FakeDates : public DateFormatter {
 public:
  // Day/month/year, the way many locales write the short date.
  std::string ShortDate(const Date& date) override;
  Date Today() override { return {2024, 12, 1}; }
  std::string TimeNow() override { return "14:05:09"; }
};

class FakeRegistry : public Registry {
 public:
  struct Value {
    std::uint32_t type;
    std::vector<unsigned char> data;
  };
  long OpenKey(Key root, const std::string& path, std::uint32_t access, Key* opened) override;
  long QueryValue(Key key, const std::string& name, std::uint32_t* type,
                  std::vector<unsigned char>& buffer, std::uint32_t* size) override;
  long CloseKey(Key key) override;

  void SetString(const std::string& path, const std::string& name, const std::string& text);
  // path -> value name -> value
  std::map<std::string, std::map<std::string, Value>> keys;
  std::vector<std::string> refused;  // keys whose opening is refused
  std::vector<std::string> opened;   // every key opened, in order
  std::vector<std::uint32_t> accessMasks;
  int openHandles = 0;
  int invalidCloses = 0;  // closes of a key that was not open

 private:
  std::map<Key, std::string> handles_;
  Key next_ = 100;
};

class FakeFileSystem : public FileSystem {
 public:
  bool OrdinaryFileExists(const std::string& path) override;
  FileRead ReadFile(const std::string& path, std::size_t limit) override;
  std::string WriteFileSafely(const std::string& path, const std::string& bytes) override;
  std::vector<std::string> files;
  std::vector<std::string> tested;  // every path asked about, in order
  // Files to read and files written, by path.
  std::map<std::string, std::string> contents;
  // Paths that cannot be read or written, with the system's message.
  std::map<std::string, std::string> failing;
};

class FakeClipboard : public Clipboard {
 public:
  std::string SetText(const std::string& value) override {
    if (failure.empty()) text = value;
    return failure;
  }
  std::string text;
  std::string failure;  // set: the clipboard cannot be opened, for this reason
};

// Code pages of one byte a character: Latin-1 stands for both.
class FakeCodePages : public CodePages {
 public:
  std::optional<std::string> ToAnsi(const std::string& utf8) override;
  std::string FromAnsi(const std::string& bytes) override;
  std::string FromOem(const std::string& bytes) override { return FromAnsi(bytes); }
  bool ansiIsUtf8 = false;  // Windows' "Use Unicode UTF-8" option
};

// All of them, wired as the Services the forms take.
struct FakeServices {
  FakeMessageBoxes messages;
  FakeLauncher launcher;
  FakeHost host;
  FakeFolderBrowser folders;
  FakeFileDialogs fileDialogs;
  FakeDates dates;
  FakeRegistry registry;
  FakeFileSystem files;
  FakeCodePages codePages;
  FakeClipboard clipboard;
  Services services{messages, launcher, host,  folders,   fileDialogs,
                    dates,    registry, files, codePages, clipboard};
};

}  // namespace marquill::test
