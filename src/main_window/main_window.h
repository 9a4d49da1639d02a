// frmMain, the start-up window, and AskQuit.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/job_file.h"
#include "model/option_slots.h"
#include "platform/services.h"
#include "toolkit/form.h"
#include "toolkit/form_rows.h"

// clang-format off
// The main window's controls, in tab order (see toolkit/form_rows.h).
#define MARQUILL_MAIN_WINDOW(CONTROL, DECOR, GROUP, OPTION)                                 \
  CONTROL(TextBox, txtSrcPath, "", At(32, 38, 177, 19), 0, kDropsFolder, {},               \
          NamedBy(Id::lblSrcPath))                                                          \
  CONTROL(TextBox, txtDestPath, "", At(32, 82, 177, 19), 1, kDropsFolder, {},              \
          NamedBy(Id::lblDestPath))                                                         \
  CONTROL(Button, cmdBrowseSrc, "Browse", At(216, 38, 65, 19), 2, kNoStyle, {},            \
          Named("Browse Source Path"))                                                      \
  CONTROL(Button, cmdBrowseDest, "Browse", At(216, 80, 65, 19), 3, kNoStyle, {},           \
          Named("Browse Destination Path"))                                                 \
  DECOR(Label, lblSrcPath, "Source Path", At(32, 16, 177, 19), 4)                          \
  DECOR(Label, lblDestPath, "Destination Path", At(32, 60, 177, 19), 5)                    \
  CONTROL(Button, cmdQuit, "&Quit", At(128, 128, 80, 23), 6)                               \
  CONTROL(Button, cmdRun, "RoboCopy", At(32, 128, 80, 23), 7)                              \
  CONTROL(CheckBox, chkMatchDest, "Match Destination Folder to Source Folder",             \
          At(32, 104, 249, 17), 8)                                                          \
  CONTROL(Button, cmdPreview, "&Preview", At(216, 128, 65, 23), 9)                         \
  CONTROL(TextBox, txtStatus, "", At(32, 156, 249, 40), 10, kReadOnlyText | kLiveRegion, {}, \
          Named("Last copy"))

#define MARQUILL_MAIN_MENUS(MENUBAR, MENU)          \
  MENUBAR(mnuFile, "&File")                         \
  MENU(mnuFileNew, "&New Job\tCtrl+N", mnuFile)     \
  MENU(mnuFileOpen, "&Open Job...\tCtrl+O", mnuFile) \
  MENU(mnuFileSave, "&Save Job\tCtrl+S", mnuFile)   \
  MENU(mnuFileSaveAs, "Save Job &As...", mnuFile)   \
  MENUBAR(mnuTools, "Tools")                        \
  MENU(mnuToolsOptions, "Options", mnuTools)        \
  MENUBAR(mnuHelp, "Help")                          \
  MENU(mnuHelpAbout, "&About", mnuHelp)             \
  MENU(mnuHelpSupport, "&Support", mnuHelp)
// clang-format on

namespace marquill {

// The start-up window: two folder fields, their browse buttons, destination
// matching, the run and quit buttons, and the File, Tools and Help menus. The
// File menu saves the whole setup as a job file of the engine's and opens it
// again.
class FrmMain : public toolkit::Form {
 public:
  enum class Id {
    MARQUILL_MAIN_WINDOW(MARQUILL_ID, MARQUILL_ID, MARQUILL_GROUP_ID, MARQUILL_NONE)
  };
  enum class MenuId { MARQUILL_MAIN_MENUS(MARQUILL_MENU_ID, MARQUILL_MENU_ID) };

  FrmMain(toolkit::Backend& backend, Services& services, OptionSlots& slots);

  // Set by the program: open the Options dialog and the About box.
  std::function<void()> ShowOptions;
  std::function<void()> ShowAbout;
  // Set by the program: the Options dialog shows an option state (see
  // FrmOptMain::ShowState) with the date pickers unloaded; and all three
  // unload.
  std::function<void(const OptionSlots& state)> ShowOptionState;
  std::function<void()> UnloadOptionWindows;
  // Set by the program: start an engine for its listing and show it, a List
  // Only run the user confirmed when `listOnly`; end every listing engine.
  std::function<LaunchResult(const std::string& application, const std::string& commandLine,
                             bool listOnly)>
      ShowListing;
  std::function<void()> EndListings;

  // The last browsed source and destination folders, each with one trailing
  // backslash.
  const std::string& RoboSrc() const { return roboSrc_; }
  const std::string& RoboDest() const { return roboDest_; }

  void cmdRun_Click();
  // Lists what the run button's command would do, changing nothing.
  void cmdPreview_Click();
  void cmdQuit_Click();
  void cmdBrowseSrc_Click();
  void cmdBrowseDest_Click();
  // A folder dropped on a field, taken as if chosen with its Browse button.
  void txtSrcPath_Drop(const std::string& folder);
  void txtDestPath_Drop(const std::string& folder);
  // A file dropped on the window outside the folder fields: a job to open.
  void Form_Drop(const std::string& file);
  void mnuToolsOptions_Click();
  void mnuHelpAbout_Click();
  void mnuHelpSupport_Click();
  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  // Opens the job file at `path`, as if chosen in the Open box: first asks
  // whether to save changes to the job open now.
  void OpenJob(const std::string& path);
  // The program's own command-line arguments: none, or one job file to open.
  void OpenArguments(const std::vector<std::string>& arguments);
  // When the open job file has changed since it was opened or saved, asks
  // "Save changes to <file name>?" and saves on Yes. False when the user
  // cancelled or the job could not be saved: what was to follow must not.
  bool SaveChangesFirst();
  // An engine that cmdRun_Click started has ended; one that only listed.
  void Engine_Ended(std::optional<std::uint32_t> exitCode);
  void Listing_Ended(std::optional<std::uint32_t> exitCode);

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  void OnCloseBox() override;

 private:
  // The message for an empty folder field, then the focus to it.
  void ReportMissing(toolkit::TextBox& field, const char* message);
  // The two fields checked and taken into strRunSrc and strRunDest; false
  // when one is empty (the user has been told).
  bool TakeFolders();
  // Where the run button looks for the engine, in order.
  std::vector<std::string> EngineFolders();
  // Starts the engine of the first folder that has one, with `start`; when
  // none starts, tells the user why. What the start that worked gave.
  LaunchResult StartEngine(const std::function<LaunchResult(const std::string& engine,
                                                            const std::string& folder)>& start);
  void Ended(const std::string& report, std::optional<std::uint32_t> exitCode);
  void ShowStatus();
  // What a browsed or dropped folder does to each field.
  void TakeSource(const std::string& chosen);
  void TakeDestination(const std::string& chosen, const std::string& matched);
  std::string MatchedName();
  // The File menu's job files.
  void WireJobMenu();
  bool SaveJob();
  bool SaveJobAs();
  bool WriteJob(const std::string& path);
  void ReadJobFile(const std::string& path, const FileRead& read);
  // What saving would write now, after the header.
  std::string JobBodyNow();
  // The job file the window stands for, and the body it holds.
  void SetJobFile(const std::string& path, const std::string& body);

  Services& services_;
  OptionSlots& slots_;
  std::string roboSrc_;
  std::string roboDest_;
  // What txtStatus tells: the latest engine's end, and how many still run.
  std::string latestReport_;
  int running_ = 0;
  std::string jobPath_;
  std::string savedBody_;  // the body as last opened or saved

 public:
  MARQUILL_MAIN_WINDOW(MARQUILL_MEMBER, MARQUILL_NONE, MARQUILL_GROUP_MEMBER, MARQUILL_NONE)
  MARQUILL_MAIN_MENUS(MARQUILL_NONE, MARQUILL_MENU_MEMBER)
};

extern const toolkit::FormDef kFrmMainDef;

// Asks whether to quit; on Yes, once changes to an open job file are saved or
// given up, the main window unloads, which ends the program.
void AskQuit(FrmMain& mainWindow, MessageBoxes& messages);

}  // namespace marquill
