#include "options_fixture.h"

namespace marquill::test {
namespace {

TEST_F(OptionsDialog, NameBoxesWriteTheirSlotWhenTheyLoseTheFocus) {
  Open();
  ui.Focus(kOpt, "txtFileExclName");
  EXPECT_EQ(slots.strOptFiles, " *.*");
  ui.Type(kOpt, "txtFileExclName", "*.tmp  ~*");
  EXPECT_EQ(slots.strOptExclFile, "");  // still in the box
  ui.Type(kOpt, "txtDirExclName", "  ");
  EXPECT_EQ(slots.strOptExclFile, " /XF *.tmp  ~*");
  Clear("txtFiles");
  ui.Focus(kOpt, "txtFiles");
  EXPECT_EQ(slots.strOptExclDir, " /XD   ");  // blanks are not empty
  ui.Focus(kOpt, "txtDirExclName");
  EXPECT_EQ(slots.strOptFiles, "");
}

TEST_F(OptionsDialog, NameBoxLeftForTheMainWindowStillReachesTheRun) {
  Open();
  Clear("txtFiles");
  ui.Type(kOpt, "txtFiles", "*.doc *.xls");
  EXPECT_EQ(Switches(), " *.doc *.xls /E");
}

TEST_F(OptionsDialog, SizeBoxesTakeMainDigitsAndBackspaceAndRejectOtherKeys) {
  Open();
  EXPECT_THROW(ui.Type(kOpt, "txtMinFileSize", "1"), std::logic_error);
  Click("chkMinFileSize");
  EXPECT_EQ(slots.strOptMinSize, "");
  ui.Type(kOpt, "txtMinFileSize", "1");
  EXPECT_EQ(slots.strOptMinSize, " /MIN:1");
  ui.Type(kOpt, "txtMinFileSize", "00");
  EXPECT_EQ(slots.strOptMinSize, " /MIN:100");
  for (int i = 0; i < 3; ++i) ui.Key(kOpt, "txtMinFileSize", kVkBack);
  EXPECT_EQ(slots.strOptMinSize, " /MIN:");
  EXPECT_TRUE(fakes.messages.shown.empty());

  ui.Type(kOpt, "txtMinFileSize", "5k");
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  const ShownMessage& shown = fakes.messages.shown[0];
  EXPECT_EQ(shown.text, "Enter A Numeric Value");
  EXPECT_EQ(shown.title, "Error");
  EXPECT_EQ(shown.buttons, MsgButtons::Ok);
  EXPECT_EQ(shown.icon, MsgIcon::Exclamation);
  EXPECT_EQ(ui.Text(kOpt, "txtMinFileSize"), "5k");
  EXPECT_EQ(slots.strOptMinSize, " /MIN:5");
  for (int key : {kVkNumpad1, kVkLeft, kVkDelete, kVkShift, int{'A'}, kVkControl})
    ui.Key(kOpt, "txtMinFileSize", key);
  // Keys that went down elsewhere: Enter or Esc dismissing the message, Tab.
  for (int key : {kVkReturn, kVkEscape, kVkTab}) ui.Release(kOpt, "txtMinFileSize", key);
  // A key an input method took goes down as VK_PROCESSKEY, and comes up as itself or as the key.
  ui.Key(kOpt, "txtMinFileSize", kVkProcessKey);
  ui.Release(kOpt, "txtMinFileSize", '1');
  EXPECT_EQ(fakes.messages.shown.size(), 7u);
  EXPECT_EQ(slots.strOptMinSize, " /MIN:5");

  // A paste releases no key; a shifted digit key is still a digit key.
  ui.Paste(kOpt, "txtMinFileSize", "!");
  EXPECT_EQ(slots.strOptMinSize, " /MIN:5");
  ui.Key(kOpt, "txtMinFileSize", '1');
  EXPECT_EQ(slots.strOptMinSize, " /MIN:5k!");

  // A keyboard paste is taken whole, and no key of its chord shows the message.
  ui.Paste(kOpt, "txtMinFileSize", "0", {kVkShift, kVkInsert});
  Click("chkMaxFileSize");
  ui.Type(kOpt, "txtMaxFileSize", "20");
  ui.Paste(kOpt, "txtMaxFileSize", "48", {kVkControl, 'V'});
  EXPECT_EQ(fakes.messages.shown.size(), 7u);
  EXPECT_EQ(Switches(), " *.* /E /MIN:5k!0 /MAX:2048");
  Click("chkMinFileSize");
  EXPECT_FALSE(ui.Enabled(kOpt, "txtMinFileSize"));
  EXPECT_EQ(ui.Text(kOpt, "txtMinFileSize"), "5k!0");
  Click("chkMinFileSize");
  EXPECT_EQ(Switches(), " *.* /E /MAX:2048");  // ticking again waits for a key
}

}  // namespace
}  // namespace marquill::test
