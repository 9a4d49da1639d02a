#include <map>
#include <sstream>

#include "options_fixture.h"

namespace marquill::test {
namespace {

using toolkit::ControlKind;
using toolkit::Rect;

TEST_F(OptionsDialog, LoadSelectsTheNoneChoicesAllSubDirectoriesAndFillsTheLists) {
  slots.strOptMir = " /MIR";  // written before: loading must not touch it
  Open();
  EXPECT_EQ(ui.Window(kOpt).caption, "Options");
  EXPECT_EQ(ui.Focused(), "frmOptMain.txtFiles");
  EXPECT_EQ(ui.Text(kOpt, "txtFiles"), "*.*");
  EXPECT_EQ(slots.strOptFiles, "");  // until the box loses the focus
  for (auto [group, none] : {std::pair{"optFileAddA", 2},
                             {"optFileExcl", 3},
                             {"optExclXtraLoneLy", 2},
                             {"optSub", 1},
                             {"optLogFile", -1}})
    for (int i = 0; i <= std::max(none, 1); ++i) EXPECT_EQ(Check(group, i), i == none) << group;

  for (const char* list : {"lstRetry", "lstWait", "lstSubLev"}) {
    const MemoryControl& c = ui.At(kOpt, list);
    const int first = list == std::string("lstSubLev") ? 1 : 0;
    ASSERT_EQ(c.items.size(), first ? 13u : 256u);
    for (size_t i = 0; i < c.items.size(); ++i) EXPECT_EQ(c.items[i], std::to_string(i + first));
    EXPECT_EQ(c.selected, -1);
  }
  int disabled = 0;
  for (MemoryControl* c : ui.Window(kOpt).controls) disabled += !c->enabled;
  EXPECT_EQ(disabled, 21);  // sixteen letter boxes, four text boxes, the level list
  for (const char* box : {"ChkAttribAddS", "chkFileExclAttribH", "txtMaxAge", "lstSubLev"})
    EXPECT_FALSE(ui.Enabled(kOpt, box)) << box;

  // The run button takes the focus from txtFiles, which writes its slot.
  EXPECT_EQ(Switches(), " *.* /E /MIR");
}

TEST_F(OptionsDialog, SaveKeepsTheControlsCancelAndCloseBoxForgetThemButNotTheSlots) {
  Open();
  Click("chkMir");
  Click("optExclXtraLoneLy", 1);
  ui.SelectItem(kOpt, "lstRetry", 3);
  Click("cmdSave");
  EXPECT_TRUE(ui.IsOpen(kOpt) && !ui.IsVisible(kOpt));
  Open();
  EXPECT_EQ(Loads(kOpt), 1);
  EXPECT_EQ(Check("chkMir") + Check("optExclXtraLoneLy", 1), 2);

  Click("cmdCancel");
  EXPECT_FALSE(ui.IsOpen(kOpt));
  EXPECT_EQ(Switches(), " *.* /E /MIR /XL /R:3");
  Open();
  // The load reset only the option groups, and shows what still runs.
  EXPECT_EQ(Check("chkMir") + Check("optExclXtraLoneLy", 2) + ui.At(kOpt, "lstRetry").selected, 5);
  EXPECT_EQ(Switches(), " *.* /E /MIR /R:3");

  Click("chkPurge");
  ui.Type(kOpt, "txtDirExclName", "tmp");  // still being edited: the close box writes it, as Cancel
  ui.CloseBox(kOpt);
  EXPECT_FALSE(ui.IsOpen(kOpt));
  EXPECT_EQ(Loads(kOpt), 2);
  EXPECT_EQ(slots.strOptPurge, " /PURGE");
  EXPECT_EQ(slots.strOptExclDir, " /XD tmp");
}

TEST_F(OptionsDialog, OpeningAgainOnlyBringsTheOneDialogForwardAndEtaChangesNothing) {
  Open();
  const std::string before = slots.JoinedOptions();
  Click("chkEta");
  ui.Menu("frmMain", "mnuHelpAbout");
  Open();
  EXPECT_EQ(backend.front, &ui.Window(kOpt));
  EXPECT_EQ(Loads(kOpt), 1);
  Click("chkEta");
  Click("chkEta");
  EXPECT_EQ(slots.JoinedOptions(), " *.*" + before);  // only the focus leaving txtFiles
}

bool Inside(const Rect& a, const Rect& b) {
  return a.left >= b.left && a.top >= b.top && a.left + a.width <= b.left + b.width &&
         a.top + a.height <= b.top + b.height;
}

std::string Shown(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) +
         "," + std::to_string(r.height);
}

TEST_F(OptionsDialog, LayoutPutsEveryControlInItsBoxWithoutOverlaps) {
  // Each box, its rectangle relative to fmOption and what it holds.
  const char* const kBoxes[] = {
      "fmFiles 16,16,265,81 lblFiles txtFiles",
      "fmAttribA 16,98,265,89 optFileAddA optFileAddA optFileAddA",
      "fmRestart 16,189,265,49 chkRestMode",
      "fmSecurity 16,239,265,78 chkSecurity chkFixSecurity chkFixTime",
      "fmMove 16,319,265,57 chkMov chkMove",
      "fmSize 16,377,265,65 chkMinFileSize txtMinFileSize chkMaxFileSize txtMaxFileSize",
      "fmAge 16,443,265,65 chkMaxAge txtMaxAge chkMinAge txtMinAge",
      "fmRetry 16,510,265,89 lstRetry lbl lstWait lblWait chkReg",
      "fmStatus 16,600,569,81 chkNp chkEta txtLogFile cmdLogFile optLogFile optLogFile",
      "Frame2 288,16,297,57 chkCreate chkFat",
      "fmMir 288,72,297,97 chkPurge chkMir",
      "fmExclFile 288,168,297,81 lblFileExclName txtFileExclName",
      "fmExclDir 288,248,297,81 lblDirExclName txtDirExclName",
      "fmExclChange 288,328,297,73 optFileExcl optFileExcl optFileExcl optFileExcl",
      "fmExclXtraLonely 288,400,297,73 optExclXtraLoneLy optExclXtraLoneLy optExclXtraLoneLy",
      "frmSubDir 288,472,297,81 optSub optSub lstSubLev chkLev",
      "fmShareWait 288,552,297,41 chkTbd",
      "fmAttribAdd 592,16,297,121 chkAttribAdd chkAttribAddR chkAttribAddA ChkAttribAddS "
      "chkAttribAddH",
      "fmAttribRem 592,140,297,121 chkAttribSub chkAttribSubR chkAttribSubA chkAttribSubS "
      "chkAttribSubH",
      "fmAttribIncl 592,264,297,121 chkFileInclAttrib chkFileInclAttribR chkFileInclAttribA "
      "chkFileInclAttribS chkFileInclAttribH",
      "fmAttribExcl 592,388,297,121 chkFileExclAttrib chkFileExclAttribR chkFileExclAttribA "
      "chkFileExclAttribS chkFileExclAttribH",
      "fmReport 592,512,297,65 chkListOnly chkReportXtra chkVerbose",
      "fmOption 0,0,905,688 cmdSave cmdCancel",  // what no inner box holds
  };
  const toolkit::FormDef& def = program.frmOptMain.def();
  std::map<std::string, std::string> described, laidOut;
  for (const char* row : kBoxes)
    described[std::string(row).substr(0, std::string(row).find(' '))] = row;
  for (const toolkit::ControlDef& box : def.controls)
    if (box.kind == ControlKind::Frame)
      laidOut[box.name] =
          std::string(box.name) + " " +
          Shown({box.rect.left - 8, box.rect.top - 8, box.rect.width, box.rect.height});
  std::string overlaps;
  for (const toolkit::ControlDef& c : def.controls) {
    if (c.kind == ControlKind::Frame) continue;
    const toolkit::ControlDef* holder = nullptr;  // the innermost box around it
    for (const toolkit::ControlDef& box : def.controls)
      if (box.kind == ControlKind::Frame && Inside(c.rect, box.rect) &&
          (!holder || Inside(box.rect, holder->rect)))
        holder = &box;
    laidOut[holder ? holder->name : "none"] += std::string(" ") + c.name;
    for (const toolkit::ControlDef& d : def.controls)
      if (&d < &c && d.kind != ControlKind::Frame && c.rect.left < d.rect.left + d.rect.width &&
          d.rect.left < c.rect.left + c.rect.width && c.rect.top < d.rect.top + d.rect.height &&
          d.rect.top < c.rect.top + c.rect.height)
        overlaps += std::string(d.name) + "/" + c.name + " ";
  }
  EXPECT_EQ(laidOut, described);
  EXPECT_EQ(overlaps, "lstSubLev/chkLev ");  // the list sits in the blank run of the caption
  // txtFiles first, its label just before it.
  EXPECT_EQ(Shown(toolkit::CreationOrder(def)[1]->rect), "28,70,257,21");
  EXPECT_EQ(def.clientWidth, 916);
  EXPECT_EQ(def.clientHeight, 703);
  EXPECT_TRUE(def.icon == toolkit::FormIcon::Options && def.centred);
}

TEST_F(OptionsDialog, OptionGroupsFollowOneAnotherInTabOrderAndCaptionsKeepTheirOddities) {
  std::ostringstream tabs;
  for (const toolkit::ControlDef* c : toolkit::CreationOrder(program.frmOptMain.def()))
    if (c->tabIndex != toolkit::kNoTab && c->kind == ControlKind::OptionButton)
      tabs << c->name << c->index << "@" << c->tabIndex << " ";
  EXPECT_EQ(tabs.str(),
            "optFileAddA0@1 optFileAddA1@2 optFileAddA2@3 optLogFile0@25 optLogFile1@26 "
            "optFileExcl0@33 optFileExcl1@34 optFileExcl2@35 optFileExcl3@36 "
            "optExclXtraLoneLy0@37 optExclXtraLoneLy1@38 optExclXtraLoneLy2@39 optSub0@40 "
            "optSub1@41 ");
  Open();
  EXPECT_EQ(ui.Text(kOpt, "chkLev"),
            "Copy Only the Top" + std::string(15, ' ') + "Levels of the Source Dir");
  EXPECT_EQ(ui.Text(kOpt, "chkEta"), "Show \"Estimated Time of Arrival on Copied Files");
  EXPECT_EQ(ui.Text(kOpt, "chkMir"), "Mirror a Directory Tree ");
  EXPECT_EQ(ui.Text(kOpt, "optFileExcl", 3) + ui.Text(kOpt, "optExclXtraLoneLy", 2),
            "None of the Above.None of the Above");
  EXPECT_EQ(ui.Text(kOpt, "cmdSave") + ui.Text(kOpt, "cmdCancel"), "&Save Settings&Cancel");
}

}  // namespace
}  // namespace marquill::test
