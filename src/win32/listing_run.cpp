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
// Large reads and a large pipe: each read is a call into the system, and an
// engine that has more to say than the pipe holds waits for it. The reading
// thread gets this far ahead of the decoding one at most.
constexpr DWORD kReadSize = 1024 * 1024;
constexpr DWORD kPipeSize = 1024 * 1024;
constexpr int kChunks = 4;
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
  if (!TaskWindow()) return failed(ERROR_NOT_ENOUGH_MEMORY);
  // A pipe of one instance, named for this listing alone, read with
  // overlapped reads so that a batch goes out on time while a read waits.
  // Whoever connects first to the name would be its writer: that is Marquill,
  // at once, or the launch fails.
  const std::wstring name = L"\\\\.\\pipe\\Marquill-" + std::to_wstring(GetCurrentProcessId()) +
                            L"-" + std::to_wstring(nextId_);
  UniqueHandle pipe(CreateNamedPipeW(
      name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, kPipeSize,
      0, nullptr));
  if (pipe.get() == INVALID_HANDLE_VALUE) return failed(GetLastError());
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  UniqueHandle output(CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (output.get() == INVALID_HANDLE_VALUE) return failed(GetLastError());
  const HANDLE write = output.get();
  // Standard input from nothing: an engine that asks for an answer gets none.
  UniqueHandle nothing(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inheritable, OPEN_EXISTING, 0, nullptr));
  if (nothing.get() == INVALID_HANDLE_VALUE) return failed(GetLastError());
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
  if (process_) TerminateProcess(process_.get(), kStoppedCode);
  // The engine has gone, and the pipe with it; a read that still waits (the
  // pipe held open by a program the engine started) is cancelled.
  for (HANDLE thread : {reader_.get(), decoder_.get()})
    while (thread && WaitForSingleObject(thread, 100) == WAIT_TIMEOUT)
      CancelIoEx(pipe_.get(), nullptr);
}

bool ListingRun::StartReading() {
  readDone_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (readDone_)
    reader_.reset(CreateThread(nullptr, 0, &ListingRun::ReadingThread, this, 0, nullptr));
  if (reader_)
    decoder_.reset(CreateThread(nullptr, 0, &ListingRun::DecodingThread, this, 0, nullptr));
  return decoder_ != nullptr;
}

void ListingRun::Stop() {
  if (process_) TerminateProcess(process_.get(), kStoppedCode);
}

DWORD WINAPI ListingRun::ReadingThread(void* run) {
  static_cast<ListingRun*>(run)->ReadAll();
  return 0;
}

DWORD WINAPI ListingRun::DecodingThread(void* run) {
  static_cast<ListingRun*>(run)->DecodeAll();
  return 0;
}

void ListingRun::ReadAll() {
  for (;;) {
    Chunk chunk;
    {
      const Locked locked(lock_);
      while (spare_.empty() && chunks_ == kChunks)
        SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
      if (spare_.empty()) {
        ++chunks_;
        chunk.bytes = std::make_unique_for_overwrite<char[]>(kReadSize);
      } else {
        chunk = std::move(spare_.back());
        spare_.pop_back();
      }
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = readDone_.get();
    if ((!ReadFile(pipe_.get(), chunk.bytes.get(), kReadSize, nullptr, &overlapped) &&
         GetLastError() != ERROR_IO_PENDING) ||
        !GetOverlappedResult(pipe_.get(), &overlapped, &chunk.size, TRUE))
      break;
    const Locked locked(lock_);
    read_.push_back(std::move(chunk));
    WakeAllConditionVariable(&changed_);
  }
  const Locked locked(lock_);
  inputEnded_ = true;
  WakeAllConditionVariable(&changed_);
}

std::optional<ListingRun::Chunk> ListingRun::NextRead() {
  const Locked locked(lock_);
  while (read_.empty() && !inputEnded_) {
    const ULONGLONG since = GetTickCount64() - lastPost_;
    const bool news = !pending_.empty() && !posted_;
    const DWORD wait =
        news ? static_cast<DWORD>(since < kBatchMillis ? kBatchMillis - since : 0) : INFINITE;
    if (!SleepConditionVariableSRW(&changed_, &lock_, wait, 0) && news) Post();
  }
  if (read_.empty()) return std::nullopt;
  Chunk chunk = std::move(read_.front());
  read_.pop_front();
  return chunk;
}

void ListingRun::DecodeAll() {
  CodePages codePages;
  ListingDecoder decoder([&](const std::string& bytes) { return codePages.FromOem(bytes); });
  while (std::optional<Chunk> chunk = NextRead()) {
    // Decoded outside the lock, so the reading thread never waits on it.
    Listing lines;
    decoder.Feed(std::string_view(chunk->bytes.get(), chunk->size), lines);
    const Locked locked(lock_);
    spare_.push_back(std::move(*chunk));
    WakeAllConditionVariable(&changed_);
    pending_.Append(std::move(lines));
    if (!pending_.empty() && GetTickCount64() - lastPost_ >= kBatchMillis) Post();
  }
  // The pipe has ended: the engine has ended or is ending.
  Listing last;
  decoder.Finish(last);
  WaitForSingleObject(process_.get(), INFINITE);
  DWORD code = 0;
  const bool known = GetExitCodeProcess(process_.get(), &code);
  const Locked locked(lock_);
  pending_.Append(std::move(last));
  if (known) exitCode_ = code;
  outputEnded_ = true;
  Post();
}

void ListingRun::Post() {
  if (posted_) return;
  posted_ = PostMessageW(window_, ProcessLauncher::kListingOutput, static_cast<WPARAM>(id_), 0);
  lastPost_ = GetTickCount64();
}

void ListingRun::Deliver() {
  Listing lines;
  bool ended = false;
  {
    const Locked locked(lock_);
    std::swap(lines, pending_);
    posted_ = false;
    ended = outputEnded_;
  }
  if (!lines.empty() && handlers_.lines) handlers_.lines(std::move(lines));
  if (ended && !reported_) Ended();
}

void ListingRun::Ended() {
  reported_ = true;
  // The threads have done: nothing of the engine is left to hold.
  for (UniqueHandle* thread : {&reader_, &decoder_}) {
    WaitForSingleObject(thread->get(), INFINITE);
    thread->reset();
  }
  process_.reset();
  pipe_.reset();
  launcher_.Forget(id_);
  const TaskEnded report = std::move(handlers_.ended);
  handlers_ = {};
  if (report) report(exitCode_);  // last: it may destroy this run
}

}  // namespace marquill::win32
