// The system services on the Win32 API.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

#include "platform/services.h"
#include "win32/handles.h"

// The system services on the Win32 API.
namespace marquill::win32 {

class MessageBoxes : public marquill::MessageBoxes {
 public:
  MsgResult Show(const std::string& text, const std::string& title, MsgButtons buttons,
                 MsgIcon icon) override;
};

class ListingRun;

// Starts programs; those the caller watches it keeps a handle of, with a
// wait in the thread pool that tells a message-only window of the interface
// thread when the program ends. Nothing polls and nothing blocks. Listings
// (listing_run.h) tell the same window of their lines and their end.
class ProcessLauncher : public marquill::ProcessLauncher {
 public:
  ProcessLauncher();
  ~ProcessLauncher() override;
  ProcessLauncher(const ProcessLauncher&) = delete;
  ProcessLauncher& operator=(const ProcessLauncher&) = delete;

  LaunchResult Launch(const std::string& application, const std::string& commandLine,
                      WindowStyle style, TaskEnded ended) override;
  ListingLaunch LaunchListing(const std::string& application, const std::string& commandLine,
                              ListingHandlers handlers) override;

  // Posted by a listing's thread; wParam: the listing's id.
  static constexpr UINT kListingOutput = WM_APP + 2;
  // A listing that is gone, or has ended, hears of nothing more.
  void Forget(std::uintptr_t listing) { listings_.erase(listing); }

 private:
  struct Watch;
  // The window the ends are posted to, made when first needed; null if the
  // system cannot make it.
  HWND TaskWindow();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static void CALLBACK OnProgramEnded(PVOID watch, BOOLEAN timedOut);
  void Ended(std::uintptr_t id);
  void DeliverListing(std::uintptr_t id);

  HWND window_ = nullptr;
  std::uintptr_t nextId_ = 1;
  std::map<std::uintptr_t, std::unique_ptr<Watch>> watches_;
  std::map<std::uintptr_t, ListingRun*> listings_;  // each owned by its caller
};

class Clipboard : public marquill::Clipboard {
 public:
  Clipboard();
  std::string SetText(const std::string& text) override;

 private:
  UniqueWindow owner_;  // a window must own what is put on the clipboard
};

class ProgramHost : public marquill::ProgramHost {
 public:
  std::string ProgramFolder() override;
  std::string SystemFolder() override;
  void EndProgram() override;
};

class FolderBrowser : public marquill::FolderBrowser {
 public:
  std::optional<std::string> Browse(const FolderBrowseRequest& request) override;
};

class DateFormatter : public marquill::DateFormatter {
 public:
  std::string ShortDate(const Date& date) override;
  Date Today() override;
  std::string TimeNow() override;
};

}  // namespace marquill::win32
