// An engine started for its listing, on the Win32 API.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/services.h"
#include "win32/handles.h"

namespace marquill::win32 {

class ProcessLauncher;

// An engine started without a window, its output and errors in one pipe that
// only it holds the writing end of. A thread of its own reads the pipe,
// decodes what comes into lines and, at most every 50 ms, posts them to the
// interface thread as one batch; once the pipe has ended it waits for the
// engine to end too, and posts that last.
class ListingRun : public marquill::ListingTask {
 public:
  // `window` hears of each batch by message, with `id`.
  ListingRun(ProcessLauncher& launcher, HWND window, std::uintptr_t id, UniqueHandle process,
             UniqueHandle pipe, ListingHandlers handlers);
  ~ListingRun() override;
  ListingRun(const ListingRun&) = delete;
  ListingRun& operator=(const ListingRun&) = delete;

  // Starts the reading thread; false when the system could not.
  bool StartReading();
  void Stop() override;
  // On the interface thread, for each message posted: the lines so far, and
  // the end once it has come. The handlers may destroy the run.
  void Deliver();

 private:
  static DWORD WINAPI ReadingThread(void* run);
  void ReadAll();
  // On the reading thread: tells the interface thread, unless it has been
  // told and has not come yet.
  void Post();
  bool HasNews();

  ProcessLauncher& launcher_;
  HWND window_;
  std::uintptr_t id_;
  UniqueHandle process_;
  UniqueHandle pipe_;
  UniqueHandle readDone_;  // signalled as each read of the pipe completes
  UniqueHandle thread_;
  ListingHandlers handlers_;
  bool reported_ = false;  // the end has been delivered
  // Shared with the reading thread, under the lock.
  SRWLOCK lock_ = SRWLOCK_INIT;
  Listing pending_;
  bool outputEnded_ = false;
  bool posted_ = false;
  std::optional<std::uint32_t> exitCode_;
};

}  // namespace marquill::win32
