// frmOptMain's layout: every control of the Options dialog.
#pragma once

#include "model/option_slots.h"
#include "toolkit/form_rows.h"
#include "toolkit/layout.h"

// clang-format off
// The Options dialog's controls, one row each (see toolkit/form_rows.h), with
// the slot each option control writes. Everything stands in the caption-less
// box fmOption at (8, 8) of the client area, and In() takes rectangles
// relative to it. Tab order runs down the left column, then the middle, then
// the right; the buttons of each option group follow one another, and
// lstSubLev comes before chkLev so that it stays above the caption it sits in.
#define MARQUILL_OPTIONS_DIALOG(CONTROL, DECOR, GROUP, OPTION) \
  DECOR(Frame, fmOption, "", At(8, 8, 905, 688), kNoTab) \
  DECOR(Frame, fmFiles, "", In(16, 16, 265, 81), kNoTab) \
  DECOR(Label, lblFiles, "Enter Filenames to copy separated by a space. Wildcards are allowed. Default is *.*", In(20, 23, 257, 34), kNoTab) \
  CONTROL(TextBox, txtFiles, "", In(20, 62, 257, 21), 0, kNoStyle, WritesText(&OptionSlots::strOptFiles), NamedBy(Id::lblFiles)) \
  DECOR(Frame, fmAttribA, "", In(16, 98, 265, 89), kNoTab) \
  GROUP(optFileAddA, "Copy Only Files With Archive Attribute Set.", In(20, 108, 257, 17), 1, WritesChoice(&OptionSlots::strOptArchive)) \
  OPTION(optFileAddA, 1, "Copy Only Files With Archive Attribute Set and Reset Archive Bit on Source", In(20, 127, 257, 32), 2) \
  OPTION(optFileAddA, 2, "Ignore Archive Attribute", In(20, 161, 257, 17), 3) \
  DECOR(Frame, fmRestart, "", In(16, 189, 265, 49), kNoTab) \
  CONTROL(CheckBox, chkRestMode, "Copy Files in Restartable Mode", In(20, 205, 257, 17), 4, kNoStyle, WritesSwitch(&OptionSlots::strOptRestart)) \
  DECOR(Frame, fmSecurity, "", In(16, 239, 265, 78), kNoTab) \
  CONTROL(CheckBox, chkSecurity, "Copy Security Info", In(20, 250, 257, 17), 5, kNoStyle, WritesSwitch(&OptionSlots::strOptSec)) \
  CONTROL(CheckBox, chkFixSecurity, "Fix Security Info", In(20, 270, 257, 17), 6, kNoStyle, WritesSwitch(&OptionSlots::strOptSecFix)) \
  CONTROL(CheckBox, chkFixTime, "Fix Timestamps", In(20, 290, 257, 17), 7, kNoStyle, WritesSwitch(&OptionSlots::strOptTimFix)) \
  DECOR(Frame, fmMove, "", In(16, 319, 265, 57), kNoTab) \
  CONTROL(CheckBox, chkMov, "Move Files (Delete From Source)", In(20, 330, 257, 17), 8, kNoStyle, WritesSwitch(&OptionSlots::strOptMov)) \
  CONTROL(CheckBox, chkMove, "Move Files and Folders (Delete From Source)", In(19, 351, 259, 17), 9, kNoStyle, WritesSwitch(&OptionSlots::strOptMove)) \
  DECOR(Frame, fmSize, "", In(16, 377, 265, 65), kNoTab) \
  CONTROL(CheckBox, chkMinFileSize, "Minimum File Size (Bytes)", In(20, 389, 165, 17), 10, kNoStyle, WritesByHandler(&OptionSlots::strOptMinSize)) \
  CONTROL(TextBox, txtMinFileSize, "", In(189, 387, 88, 21), 11, kNoInputMethod, WritesByHandler(&OptionSlots::strOptMinSize), NamedBy(Id::chkMinFileSize)) \
  CONTROL(CheckBox, chkMaxFileSize, "Maximum File Size (Bytes)", In(20, 414, 165, 17), 12, kNoStyle, WritesByHandler(&OptionSlots::strOptMaxSize)) \
  CONTROL(TextBox, txtMaxFileSize, "", In(189, 412, 88, 21), 13, kNoInputMethod, WritesByHandler(&OptionSlots::strOptMaxSize), NamedBy(Id::chkMaxFileSize)) \
  DECOR(Frame, fmAge, "", In(16, 443, 265, 65), kNoTab) \
  CONTROL(CheckBox, chkMaxAge, "Exclude Files Older than:", In(20, 455, 165, 17), 14, kNoStyle, WritesByHandler(&OptionSlots::strOptMaxAge)) \
  CONTROL(TextBox, txtMaxAge, "", In(189, 453, 88, 21), 15, kNoStyle, {}, NamedBy(Id::chkMaxAge)) \
  CONTROL(CheckBox, chkMinAge, "Exclude Files Newer Than:", In(20, 480, 165, 17), 16, kNoStyle, WritesByHandler(&OptionSlots::strOptMinAge)) \
  CONTROL(TextBox, txtMinAge, "", In(189, 478, 88, 21), 17, kNoStyle, {}, NamedBy(Id::chkMinAge)) \
  DECOR(Frame, fmRetry, "", In(16, 510, 265, 89), kNoTab) \
  CONTROL(ListBox, lstRetry, "", In(20, 522, 41, 17), 18, kNoStyle, WritesPosition(&OptionSlots::strOptRetry), NamedBy(Id::lbl)) \
  DECOR(Label, lbl, "Retries on Failed Copy", In(67, 523, 210, 16), kNoTab) \
  CONTROL(ListBox, lstWait, "", In(20, 545, 41, 17), 19, kNoStyle, WritesPosition(&OptionSlots::strOptWait), NamedBy(Id::lblWait)) \
  DECOR(Label, lblWait, "Wait Time Between Retries", In(67, 546, 210, 16), kNoTab) \
  CONTROL(CheckBox, chkReg, "Save As Default", In(20, 570, 257, 17), 20, kNoStyle, WritesSwitch(&OptionSlots::strOptReg)) \
  DECOR(Frame, fmStatus, "", In(16, 600, 569, 81), kNoTab) \
  CONTROL(CheckBox, chkNp, "Don't Display % Copied", In(20, 612, 266, 17), 21, kNoStyle, WritesSwitch(&OptionSlots::strOptNp)) \
  DECOR(CheckBox, chkEta, "Show \"Estimated Time of Arrival on Copied Files", In(20, 633, 266, 32), 22) \
  CONTROL(TextBox, txtLogFile, "", In(292, 611, 206, 21), 23, kDropsFile, {}, Named("Log File")) \
  CONTROL(Button, cmdLogFile, "Browse", In(504, 610, 75, 23), 24, kNoStyle, WritesByHandler(&OptionSlots::strOptLog), Named("Browse Log File")) \
  GROUP(optLogFile, "Append Log File", In(292, 637, 286, 17), 25, WritesByHandler(&OptionSlots::strOptLog)) \
  OPTION(optLogFile, 1, "Overwrite Log File", In(292, 657, 286, 17), 26) \
  DECOR(Frame, Frame2, "", In(288, 16, 297, 57), kNoTab) \
  CONTROL(CheckBox, chkCreate, "Create Direcoty Structure and Zero Length Files Only", In(292, 23, 289, 30), 27, kNoStyle, WritesSwitch(&OptionSlots::strOptCreate)) \
  CONTROL(CheckBox, chkFat, "Create Destination Files Using 8.3 Format.", In(292, 53, 289, 17), 28, kNoStyle, WritesSwitch(&OptionSlots::strOptFat)) \
  DECOR(Frame, fmMir, "", In(288, 72, 297, 97), kNoTab) \
  CONTROL(CheckBox, chkPurge, "Delete Dirs in Dest. that no longer Exist in Source", In(292, 86, 289, 32), 29, kNoStyle, WritesSwitch(&OptionSlots::strOptPurge)) \
  CONTROL(CheckBox, chkMir, "Mirror a Directory Tree ", In(292, 124, 289, 17), 30, kNoStyle, WritesSwitch(&OptionSlots::strOptMir)) \
  DECOR(Frame, fmExclFile, "", In(288, 168, 297, 81), kNoTab) \
  DECOR(Label, lblFileExclName, "Exclude the Following File Names/Wildcards/Paths.", In(292, 179, 289, 30), kNoTab) \
  CONTROL(TextBox, txtFileExclName, "", In(292, 212, 289, 21), 31, kNoStyle, WritesText(&OptionSlots::strOptExclFile), NamedBy(Id::lblFileExclName)) \
  DECOR(Frame, fmExclDir, "", In(288, 248, 297, 81), kNoTab) \
  DECOR(Label, lblDirExclName, "Exclude the Following Directory Names/Paths", In(292, 259, 289, 30), kNoTab) \
  CONTROL(TextBox, txtDirExclName, "", In(292, 292, 289, 21), 32, kNoStyle, WritesText(&OptionSlots::strOptExclDir), NamedBy(Id::lblDirExclName)) \
  DECOR(Frame, fmExclChange, "", In(288, 328, 297, 73), kNoTab) \
  GROUP(optFileExcl, "Exclude Changed Files", In(292, 335, 289, 16), 33, WritesChoice(&OptionSlots::strOptExclChange)) \
  OPTION(optFileExcl, 1, "Exclude Older Files", In(292, 351, 289, 16), 34) \
  OPTION(optFileExcl, 2, "Exclude Newer Files", In(292, 367, 289, 16), 35) \
  OPTION(optFileExcl, 3, "None of the Above.", In(292, 383, 289, 16), 36) \
  DECOR(Frame, fmExclXtraLonely, "", In(288, 400, 297, 73), kNoTab) \
  GROUP(optExclXtraLoneLy, "Exclude Extra Files and Directories", In(292, 410, 289, 17), 37, WritesChoice(&OptionSlots::strOptExclXtraLonely)) \
  OPTION(optExclXtraLoneLy, 1, "Exclude Lonely Files and Directories", In(292, 429, 289, 17), 38) \
  OPTION(optExclXtraLoneLy, 2, "None of the Above", In(292, 448, 289, 17), 39) \
  DECOR(Frame, frmSubDir, "", In(288, 472, 297, 81), kNoTab) \
  GROUP(optSub, "Copy Non-Empty Sub-Directories", In(292, 479, 289, 17), 40, WritesByHandler(&OptionSlots::strOptSub)) \
  OPTION(optSub, 1, "Copy All Sub-Directories", In(292, 497, 289, 17), 41) \
  CONTROL(ListBox, lstSubLev, "", In(401, 515, 41, 17), 42, kNoStyle, WritesByHandler(&OptionSlots::strOptLev), NamedBy(Id::chkLev)) \
  CONTROL(CheckBox, chkLev, "Copy Only the Top               Levels of the Source Dir", In(292, 515, 289, 17), 43, kNoStyle, WritesByHandler(&OptionSlots::strOptLev)) \
  DECOR(Frame, fmShareWait, "", In(288, 552, 297, 41), kNoTab) \
  CONTROL(CheckBox, chkTbd, "Wait For Sharenames To Be Defined (Retry Error 67)", In(292, 559, 289, 31), 44, kNoStyle, WritesSwitch(&OptionSlots::strOptTbd)) \
  DECOR(Frame, fmAttribAdd, "", In(592, 16, 297, 121), kNoTab) \
  CONTROL(CheckBox, chkAttribAdd, "Add the Given Attributes to Copied Files", In(596, 25, 289, 17), 45) \
  CONTROL(CheckBox, chkAttribAddR, "Read Only", In(616, 45, 120, 17), 46, kNoStyle, WritesByHandler(&OptionSlots::strOptAttribAdd), InGroupOf(Id::chkAttribAdd)) \
  CONTROL(CheckBox, chkAttribAddA, "Archive", In(616, 66, 120, 17), 47, kNoStyle, WritesByHandler(&OptionSlots::strOptAttribAdd), InGroupOf(Id::chkAttribAdd)) \
  CONTROL(CheckBox, ChkAttribAddS, "System", In(616, 87, 120, 17), 48, kNoStyle, WritesByHandler(&OptionSlots::strOptAttribAdd), InGroupOf(Id::chkAttribAdd)) \
  CONTROL(CheckBox, chkAttribAddH, "Hidden", In(616, 108, 120, 17), 49, kNoStyle, WritesByHandler(&OptionSlots::strOptAttribAdd), InGroupOf(Id::chkAttribAdd)) \
  DECOR(Frame, fmAttribRem, "", In(592, 140, 297, 121), kNoTab) \
  CONTROL(CheckBox, chkAttribSub, "Remove the Given Attributes From Copied Files", In(596, 149, 289, 17), 50) \
  CONTROL(CheckBox, chkAttribSubR, "Read Only", In(616, 169, 120, 17), 51, kNoStyle, WritesByHandler(&OptionSlots::strOptAttribSub), InGroupOf(Id::chkAttribSub)) \
  CONTROL(CheckBox, chkAttribSubA, "Archive", In(616, 190, 120, 17), 52, kNoStyle, WritesByHandler(&OptionSlots::strOptAttribSub), InGroupOf(Id::chkAttribSub)) \
  CONTROL(CheckBox, chkAttribSubS, "System", In(616, 211, 120, 17), 53, kNoStyle, WritesByHandler(&OptionSlots::strOptAttribSub), InGroupOf(Id::chkAttribSub)) \
  CONTROL(CheckBox, chkAttribSubH, "Hidden", In(616, 232, 120, 17), 54, kNoStyle, WritesByHandler(&OptionSlots::strOptAttribSub), InGroupOf(Id::chkAttribSub)) \
  DECOR(Frame, fmAttribIncl, "", In(592, 264, 297, 121), kNoTab) \
  CONTROL(CheckBox, chkFileInclAttrib, "Include Only Files With the Given Attributes Set", In(596, 273, 289, 17), 55) \
  CONTROL(CheckBox, chkFileInclAttribR, "Read Only", In(616, 293, 120, 17), 56, kNoStyle, WritesByHandler(&OptionSlots::strOptInclAttrib), InGroupOf(Id::chkFileInclAttrib)) \
  CONTROL(CheckBox, chkFileInclAttribA, "Archive", In(616, 314, 120, 17), 57, kNoStyle, WritesByHandler(&OptionSlots::strOptInclAttrib), InGroupOf(Id::chkFileInclAttrib)) \
  CONTROL(CheckBox, chkFileInclAttribS, "System", In(616, 335, 120, 17), 58, kNoStyle, WritesByHandler(&OptionSlots::strOptInclAttrib), InGroupOf(Id::chkFileInclAttrib)) \
  CONTROL(CheckBox, chkFileInclAttribH, "Hidden", In(616, 356, 120, 17), 59, kNoStyle, WritesByHandler(&OptionSlots::strOptInclAttrib), InGroupOf(Id::chkFileInclAttrib)) \
  DECOR(Frame, fmAttribExcl, "", In(592, 388, 297, 121), kNoTab) \
  CONTROL(CheckBox, chkFileExclAttrib, "Exclude Only Files With the Given Attributes Set", In(596, 397, 289, 17), 60) \
  CONTROL(CheckBox, chkFileExclAttribR, "Read Only", In(616, 417, 120, 17), 61, kNoStyle, WritesByHandler(&OptionSlots::strOptExclAttrib), InGroupOf(Id::chkFileExclAttrib)) \
  CONTROL(CheckBox, chkFileExclAttribA, "Archive", In(616, 438, 120, 17), 62, kNoStyle, WritesByHandler(&OptionSlots::strOptExclAttrib), InGroupOf(Id::chkFileExclAttrib)) \
  CONTROL(CheckBox, chkFileExclAttribS, "System", In(616, 459, 120, 17), 63, kNoStyle, WritesByHandler(&OptionSlots::strOptExclAttrib), InGroupOf(Id::chkFileExclAttrib)) \
  CONTROL(CheckBox, chkFileExclAttribH, "Hidden", In(616, 480, 120, 17), 64, kNoStyle, WritesByHandler(&OptionSlots::strOptExclAttrib), InGroupOf(Id::chkFileExclAttrib)) \
  DECOR(Frame, fmReport, "", In(592, 512, 297, 65), kNoTab) \
  CONTROL(CheckBox, chkListOnly, "List Only. Don't Copy, Timestamp, or Delete.", In(596, 520, 289, 17), 65, kNoStyle, WritesSwitch(&OptionSlots::strOptListOnly)) \
  CONTROL(CheckBox, chkReportXtra, "Report All Extra Files. Not Just Selected Files", In(596, 538, 289, 17), 66, kNoStyle, WritesSwitch(&OptionSlots::strOptReportXtra)) \
  CONTROL(CheckBox, chkVerbose, "Produce Verbose Output Showing Skipped Files", In(596, 556, 289, 17), 67, kNoStyle, WritesSwitch(&OptionSlots::strOptVerbose)) \
  CONTROL(Button, cmdSave, "&Save Settings", In(592, 608, 81, 25), 68) \
  CONTROL(Button, cmdCancel, "&Cancel", In(592, 640, 81, 25), 69)
// clang-format on

namespace marquill::options_layout {

constexpr toolkit::Rect In(int left, int top, int width, int height) {
  return {left + 8, top + 8, width, height};
}

}  // namespace marquill::options_layout
