#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <tuple>

#include "model/command.h"

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
  EXPECT_EQ(Check("chkMir") + ui.At(kOpt, "lstRetry").selected, 4);  // still in force: shown
  EXPECT_EQ(Check("optExclXtraLoneLy", 2), 1);
  EXPECT_EQ(Switches(), " *.* /E /MIR /R:3");  // the load reset only the option groups

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

// The slots as the dialog's controls tell them, the way their handlers write.
OptionSlots ReadBack(Ui& ui, FrmOptMain& f, OptionSlots read) {
  const auto prefix = [](OptionSlots::Slot s, int i = 0) { return std::string(Choices(s)[i]); };
  for (const toolkit::ControlDef& row : f.def().controls) {
    const MemoryControl& c = ui.At(kOpt, row.name, row.index);
    const OptionSlots::Slot slot = row.writes.slot;
    if (row.writes.how == toolkit::Writes::Switch)
      read.*slot = c.check == toolkit::kTicked ? prefix(slot) : "";
    for (int n = 0; row.writes.how == toolkit::Writes::Choice && n < 4; ++n)
      if (n < static_cast<int>(Choices(slot).size()) && ui.At(kOpt, row.name, n).check)
        read.*slot = prefix(slot, n);  // the option group's selected button
    if (row.writes.how == toolkit::Writes::Text &&
        !(&c.def == &f.txtFiles.def() && c.text == kAllFiles))
      read.*slot = c.text.empty() ? "" : prefix(slot) + c.text;
    if (row.writes.how == toolkit::Writes::Position)
      read.*slot = c.selected < 0 ? "" : prefix(slot) + std::to_string(c.selected);
  }
  const int sub = f.optSub.Selected(), log = f.optLogFile.Selected();
  read.strOptSub = sub < 0 ? "" : prefix(&OptionSlots::strOptSub, sub);
  read.strOptLev = f.chkLev.Value() ? " /LEV:" + std::to_string(f.lstSubLev.ListIndex() + 1) : "";
  read.strOptLog = log < 0 || f.txtLogFile.Text().empty()
                       ? ""
                       : prefix(&OptionSlots::strOptLog, log) + QuoteIfBlank(f.txtLogFile.Text());
  for (const FrmOptMain::AttribSet* set :
       {&f.attribAdd, &f.attribSub, &f.fileInclAttrib, &f.fileExclAttrib}) {
    const OptionSlots::Slot slot = set->letters[0]->def().writes.slot;
    read.*slot = set->box.Value() ? prefix(slot) : "";
    for (int i = 0; i < 4; ++i)
      read.*slot += set->box.Value() && set->letters[i]->Value() ? std::string(1, "RASH"[i]) : "";
  }
  for (auto [box, text, slot] :
       {std::tuple{&f.chkMinFileSize, &f.txtMinFileSize, &OptionSlots::strOptMinSize},
        {&f.chkMaxFileSize, &f.txtMaxFileSize, &OptionSlots::strOptMaxSize},
        {&f.chkMaxAge, &f.txtMaxAge, &OptionSlots::strOptMaxAge},
        {&f.chkMinAge, &f.txtMinAge, &OptionSlots::strOptMinAge}}) {
    Date date;  // the fake's short date: day/month/year
    const bool dated =
        std::sscanf(text->Text().c_str(), "%d/%d/%d", &date.day, &date.month, &date.year) == 3;
    read.*slot = box->Value() ? prefix(slot) + (dated ? DateDigits(date) : text->Text()) : "";
  }
  return read;
}

TEST_F(OptionsDialog, EveryLoadShowsWhatWillRunAndChangesOnlyTheFourOptionGroups) {
  std::mt19937 rng(18);
  const auto below = [&](size_t n) { return static_cast<int>(rng() % n); };
  const auto& rows = program.frmOptMain.def().controls;
  for (int step = 0; step < 4000 && !HasFailure(); ++step) {
    OptionSlots expected = slots;
    const bool loaded = ui.IsOpen(kOpt);
    const std::string picker = below(2) ? "frmCalMaxAge" : "frmCalMinAge";
    const toolkit::ControlDef& row = rows[below(rows.size())];
    const int action = below(10);
    if (action == 0) {
      Open();
    } else if (action == 1 && ui.IsVisible(kOpt)) {
      below(3) ? Click(below(2) ? "cmdSave" : "cmdCancel") : ui.CloseBox(kOpt);
    } else if (action == 2 && ui.IsOpen(picker)) {
      below(3) ? ui.Click(picker, "cmdOk", below(2)) : ui.CloseBox(picker);
      // OK confirms its date after the load it may set off.
      expected.strOptMaxAge = slots.strOptMaxAge;
      expected.strOptMinAge = slots.strOptMinAge;
    } else if (ui.IsVisible(kOpt) && ui.At(kOpt, row.name, row.index).enabled) {
      if (row.kind == ControlKind::ListBox)
        ui.SelectItem(kOpt, row.name, below(ui.At(kOpt, row.name).items.size()));
      if (row.kind == ControlKind::TextBox && below(3) == 0) Clear(row.name);
      if (row.kind == ControlKind::TextBox) ui.Type(kOpt, row.name, below(2) ? "12" : "a b");
      if (row.kind == ControlKind::CheckBox || row.kind == ControlKind::OptionButton)
        Click(row.name, row.index);
    }
    if (loaded || !ui.IsOpen(kOpt)) continue;
    expected.strOptArchive = expected.strOptExclChange = expected.strOptExclXtraLonely = "";
    expected.strOptSub = " /E";
    EXPECT_EQ(slots.JoinedOptions(), expected.JoinedOptions()) << "step " << step;
    if (action == 0) {
      EXPECT_EQ(ReadBack(ui, program.frmOptMain, slots).JoinedOptions(), slots.JoinedOptions())
          << "step " << step;
    }
  }
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
