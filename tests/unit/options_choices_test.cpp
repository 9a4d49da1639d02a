#include <tuple>

#include "options_fixture.h"

namespace marquill::test {
namespace {

TEST_F(OptionsDialog, ExclusiveChoicesReplaceTheirSlotAndCombineFreely) {
  Open();
  Click("chkEta");  // the focus leaves txtFiles: " *.*" from here on
  for (auto [group, index, joined] : {std::tuple{"optFileAddA", 1, " *.* /E /M"},
                                      {"optFileAddA", 2, " *.* /E"},
                                      {"optFileAddA", 0, " *.* /E /A"},
                                      {"optFileExcl", 1, " *.* /E /A /XO"},
                                      {"optFileExcl", 2, " *.* /E /A /XN"},
                                      {"optFileExcl", 3, " *.* /E /A"},
                                      {"optFileExcl", 0, " *.* /E /A /XC"},
                                      {"optExclXtraLoneLy", 0, " *.* /E /A /XC /XX"},
                                      {"optExclXtraLoneLy", 2, " *.* /E /A /XC"},
                                      {"optExclXtraLoneLy", 1, " *.* /E /A /XC /XL"}}) {
    Click(group, index);
    EXPECT_EQ(slots.JoinedOptions(), joined) << group << index;
  }
}

TEST_F(OptionsDialog, FifteenTogglesEachWriteOnlyTheirOwnSlot) {
  // In command order, so each tick adds its switch at the end.
  const std::pair<const char*, const char*> toggles[] = {
      {"chkRestMode", " /Z"},     {"chkSecurity", " /SEC"}, {"chkFixSecurity", " /SECFIX"},
      {"chkFixTime", " /TIMFIX"}, {"chkMov", " /MOV"},      {"chkMove", " /MOVE"},
      {"chkPurge", " /PURGE"},    {"chkMir", " /MIR"},      {"chkCreate", " /CREATE"},
      {"chkFat", " /FAT"},        {"chkTbd", " /TBD"},      {"chkListOnly", " /L"},
      {"chkReportXtra", " /X"},   {"chkVerbose", " /V"},    {"chkNp", " /NP"},
  };
  Open();
  Click("chkEta");
  std::string joined = slots.JoinedOptions();
  for (auto [box, text] : toggles) {
    Click(box);
    EXPECT_EQ(slots.JoinedOptions(), joined += text) << box;
  }
  for (auto [box, text] : toggles) Click(box);
  EXPECT_EQ(Switches(), " *.* /E");
  for (auto [box, text] : toggles)
    for (int i = 0; i < 3; ++i) Click(box);  // tick, clear, tick: the switch once
  EXPECT_EQ(Switches(), joined);
}

TEST_F(OptionsDialog, AttributeLettersJoinInRashOrderAndTheGroupBoxOnlyLocksThem) {
  Open();
  EXPECT_THROW(Click("chkAttribAddH"), std::logic_error);  // locked by the load
  Click("chkAttribAdd");
  EXPECT_EQ(slots.strOptAttribAdd, "");  // the group box alone writes nothing
  Click("chkAttribAddH");
  Click("chkAttribAddR");
  EXPECT_EQ(slots.strOptAttribAdd, " /a+:RH");

  Click("chkFileInclAttrib");
  for (const char* letter : {"S", "H", "A", "R"}) Click(std::string("chkFileInclAttrib") + letter);
  Click("chkAttribSub");
  Click("chkAttribSubA");
  Click("chkAttribSubA");
  Click("chkFileExclAttrib");
  Click("chkFileExclAttribS");
  Click("chkFileExclAttrib");
  EXPECT_FALSE(ui.Enabled(kOpt, "chkFileExclAttribS"));
  EXPECT_EQ(Check("chkFileExclAttribS"), 1);
  EXPECT_EQ(Switches(), " *.* /E /a+:RH /a-: /IA:RASH /XA:S");
  Click("chkFileExclAttrib");
  EXPECT_TRUE(ui.Enabled(kOpt, "chkFileExclAttribS"));

  Click("ChkAttribAddS");
  Click("cmdCancel");
  Open();
  // The reload shows each group whose switch runs, the bare " /a-:" too.
  EXPECT_EQ(Check("chkAttribAdd") + Check("chkAttribAddA") + Check("ChkAttribAddS"), 2);
  EXPECT_TRUE(ui.Enabled(kOpt, "chkAttribAddR") && Check("chkAttribSub"));
  EXPECT_EQ(slots.strOptAttribAdd, " /a+:RSH");
}

}  // namespace
}  // namespace marquill::test
