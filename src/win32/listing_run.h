// An engine started for its listing, on the Win32 API.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/services.h"
#include "win32/handles.h"

namespace marquill::win32 {

class ProcessLauncher;

// An engine started without a window, its output and errors in one pipe that
// only it holds the writing end of. One thread of its own reads the pipe, into
// a few buffers in turn, so the engine seldom waits; another decodes what was
// read into lines and, at most every 50 ms, posts them to the interface thread
// as one batch. Once the pipe has ended it waits for the engine to end too,
// and posts that last.
class ListingRun : public marquill::ListingTask {
 public:
  // `window` hears of each batch by message, with `id`.
  ListingRun(ProcessLauncher& launcher, HWND window, std::uintptr_t id, UniqueHandle process,
             UniqueHandle pipe, ListingHandlers handlers);
  ~ListingRun() override;
  ListingRun(const ListingRun&) = delete;
  ListingRun& operator=(const ListingRun&) = delete;

  // Starts the threads; false when the system could not.
  bool StartReading();
  void Stop() override;
  // On the interface thread, for each message posted: the lines so far, and
  // the end once it has come. The handlers may destroy the run.
  void Deliver();

 private:
  // Bytes read from the pipe.
  struct Chunk {
    std::unique_ptr<char[]> bytes;
    DWORD size = 0;
  };
  static DWORD WINAPI ReadingThread(void* run);
  static DWORD WINAPI DecodingThread(void* run);
  void ReadAll();
  void DecodeAll();
  // The next chunk read, or none once the pipe has ended; meanwhile the
  // lines kept back go out 50 ms after the last batch.
  std::optional<Chunk> NextRead();
  // Tells the interface thread, unless it has been told and has not come yet;
  // under the lock.
  void Post();
  void Ended();

  ProcessLauncher& launcher_;
  HWND window_;
  std::uintptr_t id_;
  UniqueHandle process_;
  UniqueHandle pipe_;
  UniqueHandle readDone_;  // signalled as each read of the pipe completes
  UniqueHandle reader_;
  UniqueHandle decoder_;
  ListingHandlers handlers_;
  bool reported_ = false;   // the end has been delivered
  ULONGLONG lastPost_ = 0;  // the decoding thread's
  // Shared by the threads, under the lock; `changed` wakes them.
  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
  std::vector<Chunk> spare_;
  std::deque<Chunk> read_;
  int chunks_ = 0;
  bool inputEnded_ = false;
  Listing pending_;
  bool outputEnded_ = false;
  bool posted_ = false;
  std::optional<std::uint32_t> exitCode_;
};

}  // namespace marquill::win32
