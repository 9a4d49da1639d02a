// An engine started for its listing, on the Win32 API: a pipe only the
// engine writes to, read and decoded off the interface thread.
#include "win32/listing_run.h"

#include <string>
#include <vector>

#include "win32/files.h"
#include "win32/services.h"
#include "win32/text.h"

namespace marquill::win32 {
namespace {

constexpr ULONGLONG kBatchMillis = 50;
constexpr DWORD kReadSize = 64 * 1024;
// The code a stopped listing ends with: that of a console program the user
// ended.
constexpr UINT kStoppedCode = 0xC000013A;

class Locked {
 public:
  explicit Locked(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~Locked() { ReleaseSRWLockExclusive(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  SRWLOCK& lock_;
};

// The handles the engine inherits, and only those, whatever else of
// Marquill's may be inheritable.
class InheritedHandles {
 public:
  explicit InheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_.resize(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    ready_ = InitializeProcThreadAttributeList(list_, 1, 0, &size) &&
             UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                       handles_.size() * sizeof(HANDLE), nullptr, nullptr);
  }
  ~InheritedHandles() {
    if (ready_) DeleteProcThreadAttributeList(list_);
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;
  LPPROC_THREAD_ATTRIBUTE_LIST list() const { return ready_ ? list_ : nullptr; }

 private:
  std::vector<HANDLE> handles_;
  std::vector<char> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
  bool ready_ = false;
};

}  // namespace

ListingLaunch ProcessLauncher::LaunchListing(const std::string& application,
                                             const std::string& commandLine,
                                             ListingHandlers handlers) {
  auto failed = [](DWORD error) { return ListingLaunch{{false, ErrorText(error)}, nullptr}; };
  if (!window_) return failed(ERROR_NOT_ENOUGH_MEMORY);
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, nullptr, 0)) return failed(GetLastError());
  UniqueHandle pipe(read), output(write);
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  // Standard input from nothing: an engine that asks for an answer gets none.
  UniqueHandle nothing(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inheritable, OPEN_EXISTING, 0, nullptr));
  if (nothing.get() == INVALID_HANDLE_VALUE) return failed(GetLastError());
  if (!SetHandleInformation(write, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT))
    return failed(GetLastError());
  const InheritedHandles inherited({write, nothing.get()});
  if (!inherited.list()) return failed(GetLastError());

  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = nothing.get();
  startup.StartupInfo.hStdOutput = write;
  startup.StartupInfo.hStdError = write;
  startup.lpAttributeList = inherited.list();
  std::wstring app = Widen(application);
  std::wstring line = Widen(commandLine);  // CreateProcessW may write to it
  PROCESS_INFORMATION process{};
  const BOOL created = CreateProcessW(app.c_str(), line.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr,
                                      nullptr, &startup.StartupInfo, &process);
  const DWORD error = GetLastError();
  // From here only the engine holds the pipe's writing end: when it ends, so
  // does the pipe.
  output.reset();
  nothing.reset();
  if (!created) return failed(error);
  CloseHandle(process.hThread);
  const std::uintptr_t id = nextId_++;
  auto run = std::make_unique<ListingRun>(*this, window_, id, UniqueHandle(process.hProcess),
                                          std::move(pipe), std::move(handlers));
  if (!run->StartReading()) {
    const DWORD threadError = GetLastError();
    run.reset();  // and its engine with it
    return failed(threadError);
  }
  listings_[id] = run.get();
  return {{true, {}}, std::move(run)};
}

void ProcessLauncher::DeliverListing(std::uintptr_t id) {
  const auto run = listings_.find(id);
  if (run != listings_.end()) run->second->Deliver();
}

ListingRun::ListingRun(ProcessLauncher& launcher, HWND window, std::uintptr_t id,
                       UniqueHandle process, UniqueHandle pipe, ListingHandlers handlers)
    : launcher_(launcher),
      window_(window),
      id_(id),
      process_(std::move(process)),
      pipe_(std::move(pipe)),
      handlers_(std::move(handlers)) {}

ListingRun::~ListingRun() {
  launcher_.Forget(id_);
  if (!thread_) {
    if (process_) TerminateProcess(process_.get(), kStoppedCode);
    return;
  }
  // The engine goes first, and the pipe with it; a read that still waits
  // (the pipe held open by a program the engine started) is cancelled.
  TerminateProcess(process_.get(), kStoppedCode);
  while (WaitForSingleObject(thread_.get(), 100) == WAIT_TIMEOUT)
    CancelSynchronousIo(thread_.get());
}

bool ListingRun::StartReading() {
  thread_.reset(CreateThread(nullptr, 0, &ListingRun::ReadingThread, this, 0, nullptr));
  return thread_ != nullptr;
}

void ListingRun::Stop() {
  if (process_) TerminateProcess(process_.get(), kStoppedCode);
}

DWORD WINAPI ListingRun::ReadingThread(void* run) {
  static_cast<ListingRun*>(run)->ReadAll();
  return 0;
}

bool ListingRun::HasNews() {
  const Locked locked(lock_);
  return !pending_.empty() && !posted_;
}

void ListingRun::ReadAll() {
  CodePages codePages;
  ListingDecoder decoder([&](const std::string& bytes) { return codePages.FromOem(bytes); });
  std::vector<char> buffer(kReadSize);
  ULONGLONG lastPost = 0;
  for (;;) {
    // Lines go as a batch at most every 50 ms, and at once when the engine
    // has no more for now: a pause never holds any back.
    if (HasNews()) {
      DWORD waiting = 0;
      const bool idle =
          PeekNamedPipe(pipe_.get(), nullptr, 0, nullptr, &waiting, nullptr) && waiting == 0;
      const ULONGLONG since = GetTickCount64() - lastPost;
      if (idle && since < kBatchMillis) Sleep(static_cast<DWORD>(kBatchMillis - since));
      if (idle || since >= kBatchMillis) {
        Post();
        lastPost = GetTickCount64();
      }
    }
    DWORD got = 0;
    if (!ReadFile(pipe_.get(), buffer.data(), kReadSize, &got, nullptr)) break;
    const Locked locked(lock_);
    decoder.Feed(std::string_view(buffer.data(), got), pending_);
  }
  // The pipe has ended: the engine has ended or is ending.
  WaitForSingleObject(process_.get(), INFINITE);
  DWORD code = 0;
  const bool known = GetExitCodeProcess(process_.get(), &code);
  {
    const Locked locked(lock_);
    decoder.Finish(pending_);
    if (known) exitCode_ = code;
    outputEnded_ = true;
  }
  Post();
}

void ListingRun::Post() {
  const Locked locked(lock_);
  if (posted_) return;
  posted_ = PostMessageW(window_, ProcessLauncher::kListingOutput, static_cast<WPARAM>(id_), 0);
}

void ListingRun::Deliver() {
  Listing lines;
  bool ended = false;
  std::optional<std::uint32_t> exitCode;
  {
    const Locked locked(lock_);
    std::swap(lines, pending_);
    posted_ = false;
    ended = outputEnded_;
    exitCode = exitCode_;
  }
  if (!lines.empty() && handlers_.lines) handlers_.lines(lines);
  if (!ended || reported_) return;
  reported_ = true;
  // The thread has posted its last: nothing of the engine is left to hold.
  WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
  process_.reset();
  pipe_.reset();
  launcher_.Forget(id_);
  const TaskEnded report = std::move(handlers_.ended);
  handlers_ = {};
  if (report) report(exitCode);  // last: it may destroy this run
}

}  // namespace marquill::win32
