#include "options_fixture.h"

namespace marquill::test {
namespace {

const Date kDesignDate{2003, 3, 6};

TEST_F(OptionsDialog, AgePickersConfirmTheirCalendarDateIntoSlotAndDateBox) {
  Open();
  Click("chkMaxAge");
  EXPECT_EQ(ui.Window("frmCalMaxAge").caption, "Files older than this date will be excluded");
  EXPECT_EQ(ui.At("frmCalMaxAge", "CalMaxAge").date, kDesignDate);
  EXPECT_TRUE(ui.Enabled(kOpt, "txtMaxAge"));
  EXPECT_EQ(Switches(), " *.* /E /MAXAGE:");  // no date confirmed yet

  Click("chkMinAge");
  EXPECT_EQ(ui.Window("frmCalMinAge").caption, "Files newer than this date will be excluded");
  ui.At("frmCalMinAge", "calMinAge").date = {2024, 12, 1};
  ui.Click("frmCalMinAge", "cmdOk", 0);
  EXPECT_FALSE(ui.IsOpen("frmCalMinAge"));
  EXPECT_EQ(ui.Text(kOpt, "txtMinAge"), "01/12/2024");
  ui.Click("frmCalMaxAge", "cmdOk", 0);  // its calendar untouched
  EXPECT_EQ(ui.Text(kOpt, "txtMaxAge"), "06/03/2003");
  EXPECT_EQ(Switches(), " *.* /E /MAXAGE:20030306 /MINAGE:20241201");

  Click("chkMinAge");  // cleared
  Click("chkMinAge");
  ui.Click("frmCalMinAge", "cmdOk", 1);
  EXPECT_FALSE(ui.IsOpen("frmCalMinAge"));
  EXPECT_EQ(Check("chkMinAge"), 1);
  EXPECT_EQ(ui.Text(kOpt, "txtMinAge"), "01/12/2024");
  EXPECT_EQ(slots.strOptMinAge, " /MINAGE:");
  Click("chkMinAge");
  Click("chkMinAge");
  ui.CloseBox("frmCalMinAge");
  EXPECT_FALSE(ui.IsOpen("frmCalMinAge"));
  EXPECT_EQ(slots.strOptMinAge, " /MINAGE:");
}

TEST_F(OptionsDialog, PickerOutlivesItsBoxAndStartsOverOnlyWhenReloaded) {
  Open();
  Click("chkMaxAge");
  ui.At("frmCalMaxAge", "CalMaxAge").date = {1999, 12, 31};
  Click("chkMaxAge");
  EXPECT_EQ(slots.strOptMaxAge, "");
  Click("chkMaxAge");  // still open: it keeps the date picked so far
  EXPECT_EQ(ui.At("frmCalMaxAge", "CalMaxAge").date, (Date{1999, 12, 31}));
  Click("chkMaxAge");
  EXPECT_FALSE(ui.Enabled(kOpt, "txtMaxAge"));
  ui.Click("frmCalMaxAge", "cmdOk", 0);  // the box is cleared, OK confirms all the same
  EXPECT_EQ(slots.strOptMaxAge, " /MAXAGE:19991231");
  EXPECT_EQ(ui.Text(kOpt, "txtMaxAge"), "31/12/1999");

  Click("chkMaxAge");
  EXPECT_EQ(Loads("frmCalMaxAge"), 2);
  EXPECT_EQ(ui.At("frmCalMaxAge", "CalMaxAge").date, kDesignDate);
  EXPECT_EQ(ui.Text(kOpt, "txtMaxAge"), "31/12/1999");
  EXPECT_EQ(slots.strOptMaxAge, " /MAXAGE:");
}

TEST_F(OptionsDialog, OkWhileTheOptionsDialogIsUnloadedLoadsItHidden) {
  Open();
  Click("chkMaxAge");
  Click("cmdCancel");
  slots.strOptSub = " /S";
  ui.Click("frmCalMaxAge", "cmdOk", 0);
  EXPECT_TRUE(ui.IsOpen(kOpt) && !ui.IsVisible(kOpt));
  EXPECT_EQ(slots.strOptSub, " /E");  // its load sequence ran
  EXPECT_EQ(slots.strOptMaxAge, " /MAXAGE:20030306");
  Open();
  EXPECT_EQ(Loads(kOpt), 2);
  EXPECT_EQ(ui.Text(kOpt, "txtMaxAge"), "06/03/2003");
  EXPECT_TRUE(ui.Enabled(kOpt, "txtMaxAge") &&
              Check("chkMaxAge"));  // the bare switch, shown at load
}

TEST_F(OptionsDialog, PickersShareOneLayoutButTheirCalendarName) {
  for (const FrmCalAge* picker : {&program.frmCalMaxAge, &program.frmCalMinAge}) {
    const toolkit::FormDef& def = picker->def();
    std::string shown = std::to_string(def.clientWidth) + "x" + std::to_string(def.clientHeight);
    for (const toolkit::ControlDef* c : toolkit::CreationOrder(def))
      shown += std::string(" ") + c->name + ":" + c->caption + "@" + std::to_string(c->rect.left) +
               "," + std::to_string(c->rect.top) + "," + std::to_string(c->rect.width) + "," +
               std::to_string(c->rect.height);
    EXPECT_EQ(shown, std::string("312x235 ") +
                         (picker == &program.frmCalMaxAge ? "CalMaxAge" : "calMinAge") +
                         ":@20,10,273,193 cmdOk:OK@24,208,73,25 cmdOk:CANCEL@104,208,73,25");
    EXPECT_TRUE(def.icon == toolkit::FormIcon::None && !def.centred);
  }
}

}  // namespace
}  // namespace marquill::test
