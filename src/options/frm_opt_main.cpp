#include "options/frm_opt_main.h"

#include <string>

namespace marquill {

using toolkit::ControlKind;
using toolkit::kNoTab;

namespace {

// Everything stands in the caption-less box fmOption, which sits at (8, 8) of
// the client area; the rectangles below are given relative to it.
constexpr toolkit::Rect In(int left, int top, int width, int height) {
  return {left + 8, top + 8, width, height};
}

constexpr ControlKind kBox = ControlKind::Frame;
constexpr ControlKind kCheck = ControlKind::CheckBox;
constexpr ControlKind kOption = ControlKind::OptionButton;
constexpr ControlKind kText = ControlKind::TextBox;
constexpr ControlKind kList = ControlKind::ListBox;
constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kButton = ControlKind::Button;

// Tab order runs down the left column, then the middle, then the right; the
// buttons of each option group follow one another. lstSubLev comes before
// chkLev so that it stays above the caption it sits in.
const toolkit::ControlDef kControls[] = {
    {"fmOption", -1, kBox, "", {8, 8, 905, 688}, kNoTab},

    {"fmFiles", -1, kBox, "", In(16, 16, 265, 81), kNoTab},
    {"lblFiles", -1, kLabel,
     "Enter Filenames to copy separated by a space. Wildcards are allowed. Default is *.*",
     In(20, 23, 257, 34), kNoTab},
    {"txtFiles", -1, kText, "", In(20, 62, 257, 21), 0},

    {"fmAttribA", -1, kBox, "", In(16, 98, 265, 89), kNoTab},
    {"optFileAddA", 0, kOption, "Copy Only Files With Archive Attribute Set.", In(20, 108, 257, 17),
     1},
    {"optFileAddA", 1, kOption,
     "Copy Only Files With Archive Attribute Set and Reset Archive Bit on Source",
     In(20, 127, 257, 32), 2},
    {"optFileAddA", 2, kOption, "Ignore Archive Attribute", In(20, 161, 257, 17), 3},

    {"fmRestart", -1, kBox, "", In(16, 189, 265, 49), kNoTab},
    {"chkRestMode", -1, kCheck, "Copy Files in Restartable Mode", In(20, 205, 257, 17), 4},

    {"fmSecurity", -1, kBox, "", In(16, 239, 265, 78), kNoTab},
    {"chkSecurity", -1, kCheck, "Copy Security Info", In(20, 250, 257, 17), 5},
    {"chkFixSecurity", -1, kCheck, "Fix Security Info", In(20, 270, 257, 17), 6},
    {"chkFixTime", -1, kCheck, "Fix Timestamps", In(20, 290, 257, 17), 7},

    {"fmMove", -1, kBox, "", In(16, 319, 265, 57), kNoTab},
    {"chkMov", -1, kCheck, "Move Files (Delete From Source)", In(20, 330, 257, 17), 8},
    {"chkMove", -1, kCheck, "Move Files and Folders (Delete From Source)", In(19, 351, 259, 17), 9},

    {"fmSize", -1, kBox, "", In(16, 377, 265, 65), kNoTab},
    {"chkMinFileSize", -1, kCheck, "Minimum File Size (Bytes)", In(20, 389, 165, 17), 10},
    {"txtMinFileSize", -1, kText, "", In(189, 387, 88, 21), 11},
    {"chkMaxFileSize", -1, kCheck, "Maximum File Size (Bytes)", In(20, 414, 165, 17), 12},
    {"txtMaxFileSize", -1, kText, "", In(189, 412, 88, 21), 13},

    {"fmAge", -1, kBox, "", In(16, 443, 265, 65), kNoTab},
    {"chkMaxAge", -1, kCheck, "Exclude Files Older than:", In(20, 455, 165, 17), 14},
    {"txtMaxAge", -1, kText, "", In(189, 453, 88, 21), 15},
    {"chkMinAge", -1, kCheck, "Exclude Files Newer Than:", In(20, 480, 165, 17), 16},
    {"txtMinAge", -1, kText, "", In(189, 478, 88, 21), 17},

    {"fmRetry", -1, kBox, "", In(16, 510, 265, 89), kNoTab},
    {"lstRetry", -1, kList, "", In(20, 522, 41, 17), 18},
    {"lbl", -1, kLabel, "Retries on Failed Copy", In(67, 523, 210, 16), kNoTab},
    {"lstWait", -1, kList, "", In(20, 545, 41, 17), 19},
    {"lblWait", -1, kLabel, "Wait Time Between Retries", In(67, 546, 210, 16), kNoTab},
    {"chkReg", -1, kCheck, "Save As Default", In(20, 570, 257, 17), 20},

    {"fmStatus", -1, kBox, "", In(16, 600, 569, 81), kNoTab},
    {"chkNp", -1, kCheck, "Don't Display % Copied", In(20, 612, 266, 17), 21},
    {"chkEta", -1, kCheck, "Show \"Estimated Time of Arrival on Copied Files", In(20, 633, 266, 32),
     22},
    {"txtLogFile", -1, kText, "", In(292, 611, 206, 21), 23},
    {"cmdLogFile", -1, kButton, "Browse", In(504, 610, 75, 23), 24},
    {"optLogFile", 0, kOption, "Append Log File", In(292, 637, 286, 17), 25},
    {"optLogFile", 1, kOption, "Overwrite Log File", In(292, 657, 286, 17), 26},

    {"Frame2", -1, kBox, "", In(288, 16, 297, 57), kNoTab},
    {"chkCreate", -1, kCheck, "Create Direcoty Structure and Zero Length Files Only",
     In(292, 23, 289, 30), 27},
    {"chkFat", -1, kCheck, "Create Destination Files Using 8.3 Format.", In(292, 53, 289, 17), 28},

    {"fmMir", -1, kBox, "", In(288, 72, 297, 97), kNoTab},
    {"chkPurge", -1, kCheck, "Delete Dirs in Dest. that no longer Exist in Source",
     In(292, 86, 289, 32), 29},
    {"chkMir", -1, kCheck, "Mirror a Directory Tree ", In(292, 124, 289, 17), 30},

    {"fmExclFile", -1, kBox, "", In(288, 168, 297, 81), kNoTab},
    {"lblFileExclName", -1, kLabel, "Exclude the Following File Names/Wildcards/Paths.",
     In(292, 179, 289, 30), kNoTab},
    {"txtFileExclName", -1, kText, "", In(292, 212, 289, 21), 31},

    {"fmExclDir", -1, kBox, "", In(288, 248, 297, 81), kNoTab},
    {"lblDirExclName", -1, kLabel, "Exclude the Following Directory Names/Paths",
     In(292, 259, 289, 30), kNoTab},
    {"txtDirExclName", -1, kText, "", In(292, 292, 289, 21), 32},

    {"fmExclChange", -1, kBox, "", In(288, 328, 297, 73), kNoTab},
    {"optFileExcl", 0, kOption, "Exclude Changed Files", In(292, 335, 289, 16), 33},
    {"optFileExcl", 1, kOption, "Exclude Older Files", In(292, 351, 289, 16), 34},
    {"optFileExcl", 2, kOption, "Exclude Newer Files", In(292, 367, 289, 16), 35},
    {"optFileExcl", 3, kOption, "None of the Above.", In(292, 383, 289, 16), 36},

    {"fmExclXtraLonely", -1, kBox, "", In(288, 400, 297, 73), kNoTab},
    {"optExclXtraLoneLy", 0, kOption, "Exclude Extra Files and Directories", In(292, 410, 289, 17),
     37},
    {"optExclXtraLoneLy", 1, kOption, "Exclude Lonely Files and Directories", In(292, 429, 289, 17),
     38},
    {"optExclXtraLoneLy", 2, kOption, "None of the Above", In(292, 448, 289, 17), 39},

    {"frmSubDir", -1, kBox, "", In(288, 472, 297, 81), kNoTab},
    {"optSub", 0, kOption, "Copy Non-Empty Sub-Directories", In(292, 479, 289, 17), 40},
    {"optSub", 1, kOption, "Copy All Sub-Directories", In(292, 497, 289, 17), 41},
    {"lstSubLev", -1, kList, "", In(401, 515, 41, 17), 42},
    {"chkLev", -1, kCheck, "Copy Only the Top               Levels of the Source Dir",
     In(292, 515, 289, 17), 43},

    {"fmShareWait", -1, kBox, "", In(288, 552, 297, 41), kNoTab},
    {"chkTbd", -1, kCheck, "Wait For Sharenames To Be Defined (Retry Error 67)",
     In(292, 559, 289, 31), 44},

    {"fmAttribAdd", -1, kBox, "", In(592, 16, 297, 121), kNoTab},
    {"chkAttribAdd", -1, kCheck, "Add the Given Attributes to Copied Files", In(596, 25, 289, 17),
     45},
    {"chkAttribAddR", -1, kCheck, "Read Only", In(616, 45, 120, 17), 46},
    {"chkAttribAddA", -1, kCheck, "Archive", In(616, 66, 120, 17), 47},
    {"ChkAttribAddS", -1, kCheck, "System", In(616, 87, 120, 17), 48},
    {"chkAttribAddH", -1, kCheck, "Hidden", In(616, 108, 120, 17), 49},

    {"fmAttribRem", -1, kBox, "", In(592, 140, 297, 121), kNoTab},
    {"chkAttribSub", -1, kCheck, "Remove the Given Attributes From Copied Files",
     In(596, 149, 289, 17), 50},
    {"chkAttribSubR", -1, kCheck, "Read Only", In(616, 169, 120, 17), 51},
    {"chkAttribSubA", -1, kCheck, "Archive", In(616, 190, 120, 17), 52},
    {"chkAttribSubS", -1, kCheck, "System", In(616, 211, 120, 17), 53},
    {"chkAttribSubH", -1, kCheck, "Hidden", In(616, 232, 120, 17), 54},

    {"fmAttribIncl", -1, kBox, "", In(592, 264, 297, 121), kNoTab},
    {"chkFileInclAttrib", -1, kCheck, "Include Only Files With the Given Attributes Set",
     In(596, 273, 289, 17), 55},
    {"chkFileInclAttribR", -1, kCheck, "Read Only", In(616, 293, 120, 17), 56},
    {"chkFileInclAttribA", -1, kCheck, "Archive", In(616, 314, 120, 17), 57},
    {"chkFileInclAttribS", -1, kCheck, "System", In(616, 335, 120, 17), 58},
    {"chkFileInclAttribH", -1, kCheck, "Hidden", In(616, 356, 120, 17), 59},

    {"fmAttribExcl", -1, kBox, "", In(592, 388, 297, 121), kNoTab},
    {"chkFileExclAttrib", -1, kCheck, "Exclude Only Files With the Given Attributes Set",
     In(596, 397, 289, 17), 60},
    {"chkFileExclAttribR", -1, kCheck, "Read Only", In(616, 417, 120, 17), 61},
    {"chkFileExclAttribA", -1, kCheck, "Archive", In(616, 438, 120, 17), 62},
    {"chkFileExclAttribS", -1, kCheck, "System", In(616, 459, 120, 17), 63},
    {"chkFileExclAttribH", -1, kCheck, "Hidden", In(616, 480, 120, 17), 64},

    {"fmReport", -1, kBox, "", In(592, 512, 297, 65), kNoTab},
    {"chkListOnly", -1, kCheck, "List Only. Don't Copy, Timestamp, or Delete.",
     In(596, 520, 289, 17), 65},
    {"chkReportXtra", -1, kCheck, "Report All Extra Files. Not Just Selected Files",
     In(596, 538, 289, 17), 66},
    {"chkVerbose", -1, kCheck, "Produce Verbose Output Showing Skipped Files",
     In(596, 556, 289, 17), 67},

    {"cmdSave", -1, kButton, "&Save Settings", In(592, 608, 81, 25), 68},
    {"cmdCancel", -1, kButton, "&Cancel", In(592, 640, 81, 25), 69},
};

}  // namespace

const toolkit::FormDef kFrmOptMainDef = {
    "frmOptMain", "Options", 916, 703, toolkit::FormIcon::Options, true, kControls,
};

FrmOptMain::FrmOptMain(toolkit::Backend& backend, Services& services, OptionSlots& slots)
    : Form(backend, kFrmOptMainDef),
      services_(services),
      slots_(slots),
      txtFiles(Get<toolkit::TextBox>("txtFiles")),
      optFileAddA(Group("optFileAddA")),
      chkMinFileSize(Get<toolkit::CheckBox>("chkMinFileSize")),
      txtMinFileSize(Get<toolkit::TextBox>("txtMinFileSize")),
      chkMaxFileSize(Get<toolkit::CheckBox>("chkMaxFileSize")),
      txtMaxFileSize(Get<toolkit::TextBox>("txtMaxFileSize")),
      chkMaxAge(Get<toolkit::CheckBox>("chkMaxAge")),
      txtMaxAge(Get<toolkit::TextBox>("txtMaxAge")),
      chkMinAge(Get<toolkit::CheckBox>("chkMinAge")),
      txtMinAge(Get<toolkit::TextBox>("txtMinAge")),
      lstRetry(Get<toolkit::ListBox>("lstRetry")),
      lstWait(Get<toolkit::ListBox>("lstWait")),
      chkReg(Get<toolkit::CheckBox>("chkReg")),
      txtLogFile(Get<toolkit::TextBox>("txtLogFile")),
      cmdLogFile(Get<toolkit::Button>("cmdLogFile")),
      optLogFile(Group("optLogFile")),
      dlgLogFile([&services] { return services.fileOpen.ShowOpen(); }),
      txtFileExclName(Get<toolkit::TextBox>("txtFileExclName")),
      txtDirExclName(Get<toolkit::TextBox>("txtDirExclName")),
      optFileExcl(Group("optFileExcl")),
      optExclXtraLoneLy(Group("optExclXtraLoneLy")),
      optSub(Group("optSub")),
      chkLev(Get<toolkit::CheckBox>("chkLev")),
      lstSubLev(Get<toolkit::ListBox>("lstSubLev")),
      attribAdd(MakeAttribSet(
          "chkAttribAdd", {"chkAttribAddR", "chkAttribAddA", "ChkAttribAddS", "chkAttribAddH"})),
      attribSub(MakeAttribSet(
          "chkAttribSub", {"chkAttribSubR", "chkAttribSubA", "chkAttribSubS", "chkAttribSubH"})),
      fileInclAttrib(
          MakeAttribSet("chkFileInclAttrib", {"chkFileInclAttribR", "chkFileInclAttribA",
                                              "chkFileInclAttribS", "chkFileInclAttribH"})),
      fileExclAttrib(
          MakeAttribSet("chkFileExclAttrib", {"chkFileExclAttribR", "chkFileExclAttribA",
                                              "chkFileExclAttribS", "chkFileExclAttribH"})),
      cmdSave(Get<toolkit::Button>("cmdSave")),
      cmdCancel(Get<toolkit::Button>("cmdCancel")) {
  cmdSave.Click = [this] { cmdSave_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
  WireScopeAndRetries();
  WireLogFile();
  WireExclusiveChoices();
  WireToggles();
  WireAttributes();
  WireFilters();
  WireAges();
}

FrmOptMain::AttribSet FrmOptMain::MakeAttribSet(const char* box,
                                                const std::array<const char*, 4>& letters) {
  AttribSet set{Get<toolkit::CheckBox>(box), {}};
  for (size_t i = 0; i < letters.size(); ++i) set.letters[i] = &Get<toolkit::CheckBox>(letters[i]);
  return set;
}

void FrmOptMain::Form_Load() {
  // The option groups first: their handlers give four slots their load
  // values, " /E" among them.
  optFileAddA[2].Select();
  optFileExcl[3].Select();
  optExclXtraLoneLy[2].Select();
  optSub[1].Select();

  // Only its loss of focus writes strOptFiles.
  txtFiles.SetText("*.*");

  for (const AttribSet* set : {&attribAdd, &attribSub, &fileInclAttrib, &fileExclAttrib})
    for (toolkit::CheckBox* letter : set->letters) letter->SetEnabled(false);

  txtMinFileSize.SetEnabled(false);
  txtMaxFileSize.SetEnabled(false);
  txtMaxAge.SetEnabled(false);
  txtMinAge.SetEnabled(false);

  lstSubLev.SetEnabled(false);
  for (int level = 1; level <= 13; ++level) lstSubLev.AddItem(std::to_string(level));

  // Each item's position is its value, which the list handlers rely on.
  for (int n = 0; n <= 255; ++n) {
    lstRetry.AddItem(std::to_string(n));
    lstWait.AddItem(std::to_string(n));
  }
}

void FrmOptMain::ResetComponents() { dlgLogFile.Reset(); }

void FrmOptMain::cmdSave_Click() { Hide(); }

void FrmOptMain::cmdCancel_Click() { Unload(); }

}  // namespace marquill
