#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "about/system_information.h"
#include "app/program.h"
#include "support/fake_services.h"
#include "support/memory_backend.h"
#include "support/ui.h"

namespace marquill::test {
namespace {

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kUnavailable = "System Information Is Unavailable At This Time";
constexpr Registry::Key kHklm = 0x80000002u;

std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// ---------------------------------------------------------------- GetKeyValue

class KeyValue : public ::testing::Test {
 protected:
  void Put(std::uint32_t type, std::vector<unsigned char> data) {
    registry.keys["K"]["V"] = {type, std::move(data)};
  }
  bool Read() { return GetKeyValue(registry, kHklm, "K", "V", value); }
  void TearDown() override {
    EXPECT_EQ(registry.openHandles, 0) << "a key was left open";
    EXPECT_EQ(registry.invalidCloses, 0) << "a key was closed that was not open";
  }

  FakeRegistry registry;
  std::string value = "left over";
};

TEST_F(KeyValue, TextDropsItsTerminator) {
  Put(1, Bytes(std::string("C:\\Tools\\msinfo32.exe") + '\0'));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
  EXPECT_EQ(registry.opened, std::vector<std::string>{"K"});
  EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>{0x00020019u});
}

TEST_F(KeyValue, TextWithoutTerminatorKeepsEveryByte) {
  Put(1, Bytes("abc"));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "abc");
}

TEST_F(KeyValue, TextOfExactlyTheBufferSizeIsReadWhole) {
  std::string text(1024, 'x');
  text.front() = 'A';
  text.back() = 'Z';
  Put(1, Bytes(text));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, text);
}

TEST_F(KeyValue, ValueLargerThanTheBufferFails) {
  Put(1, Bytes(std::string(1024, 'x') + '\0'));
  EXPECT_FALSE(Read());
  EXPECT_EQ(value, "");
}

TEST_F(KeyValue, OneZeroByteIsTheEmptyText) {
  Put(1, {0});
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "");
}

TEST_F(KeyValue, ZeroBytesRaiseAndStillCloseTheKey) {
  Put(1, {});
  EXPECT_THROW(Read(), EmptyKeyValue);
}

TEST_F(KeyValue, OtherTypesSucceedWithoutTouchingTheText) {
  Put(2, Bytes(std::string("%SystemRoot%\\msinfo32.exe") + '\0'));
  value.clear();
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "");
  Put(3, {1, 2, 3});
  value = "kept";
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "kept");
}

TEST_F(KeyValue, NumbersReadAsHexMostSignificantByteFirst) {
  Put(4, {0x78, 0x56, 0x34, 0x12});
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "&h12345678");
  // A zero top byte is dropped along with a text's terminator.
  Put(4, {0x56, 0x34, 0x12, 0x00});
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "&h123456");
  Put(4, {0x0A, 0x00, 0xBC, 0xDE});
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "&hDEBC000A");
}

TEST_F(KeyValue, MissingKeyOrValueFailsWithEmptyText) {
  EXPECT_FALSE(Read());
  EXPECT_EQ(value, "");
  registry.keys["K"]["other"] = {1, {'x', 0}};
  value = "left over";
  EXPECT_FALSE(Read());
  EXPECT_EQ(value, "");
}

TEST_F(KeyValue, RefusedOpeningFailsLikeAMissingKey) {
  Put(1, Bytes(std::string("C:\\x.exe") + '\0'));
  registry.refused.push_back("K");
  EXPECT_FALSE(Read());
  EXPECT_EQ(value, "");
  EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>{0x00020019u});
}

TEST_F(KeyValue, OnlyTheLocalMachineRootIsAsked) {
  Put(1, Bytes(std::string("x") + '\0'));
  EXPECT_FALSE(GetKeyValue(registry, 0x80000001u, "K", "V", value));
  EXPECT_TRUE(GetKeyValue(registry, kHklm, "K", "V", value));
  EXPECT_EQ(value, "x");
}

// --------------------------------------------------------------- StartSysInfo

class SysInfo : public ::testing::Test {
 protected:
  void Start() { StartSysInfo(fakes.services); }
  void PathRow(std::vector<unsigned char> data, std::uint32_t type = 1) {
    fakes.registry.keys[kPathKey]["PATH"] = {type, std::move(data)};
  }
  void FolderRow(const std::string& folder) {
    fakes.registry.SetString(kFolderKey, "MSINFO", folder);
  }
  void ExpectUnavailable() {
    EXPECT_TRUE(fakes.launcher.launches.empty());
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, kUnavailable);
    EXPECT_EQ(fakes.messages.shown[0].title, "Marquill");
    EXPECT_EQ(fakes.messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::None);
  }
  void ExpectStarted(const std::string& application, const std::string& commandLine) {
    EXPECT_TRUE(fakes.messages.shown.empty());
    ASSERT_EQ(fakes.launcher.launches.size(), 1u);
    EXPECT_EQ(fakes.launcher.launches[0].application, application);
    EXPECT_EQ(fakes.launcher.launches[0].commandLine, commandLine);
    EXPECT_EQ(fakes.launcher.launches[0].style, WindowStyle::NormalFocus);
  }
  void TearDown() override {
    EXPECT_EQ(fakes.registry.openHandles, 0);
    EXPECT_EQ(fakes.registry.invalidCloses, 0);
  }

  FakeServices fakes;
};

TEST_F(SysInfo, FirstRowStartsThatPathAsItStands) {
  fakes.registry.SetString(kPathKey, "PATH", "C:\\WINNT\\msinfo32.exe");
  FolderRow("C:\\Elsewhere");
  Start();
  ExpectStarted("C:\\WINNT\\msinfo32.exe", "C:\\WINNT\\msinfo32.exe");
  EXPECT_EQ(fakes.registry.opened, std::vector<std::string>{kPathKey});
  EXPECT_TRUE(fakes.files.tested.empty());
}

TEST_F(SysInfo, PathWithBlanksIsTheApplicationNameAndQuotedOnTheCommandLine) {
  const std::string path =
      "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
  fakes.registry.SetString(kPathKey, "PATH", path);
  Start();
  ExpectStarted(path, "\"" + path + "\"");
}

TEST_F(SysInfo, SecondRowFolderHoldingTheToolStartsIt) {
  FolderRow("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
  const std::string path =
      "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE";
  fakes.files.files.push_back(path);
  Start();
  ExpectStarted(path, "\"" + path + "\"");
  EXPECT_EQ(fakes.registry.opened, (std::vector<std::string>{kPathKey, kFolderKey}));
  EXPECT_EQ(fakes.files.tested, std::vector<std::string>{path});
  EXPECT_EQ(fakes.registry.accessMasks, (std::vector<std::uint32_t>{0x00020019u, 0x00020019u}));
}

TEST_F(SysInfo, FolderEndingInABackslashIsPassedOnDoubled) {
  FolderRow("D:\\MSInfo\\");
  fakes.files.files.push_back("D:\\MSInfo\\\\MSINFO32.EXE");
  Start();
  ExpectStarted("D:\\MSInfo\\\\MSINFO32.EXE", "D:\\MSInfo\\\\MSINFO32.EXE");
}

TEST_F(SysInfo, SecondRowFolderWithoutTheToolTellsTheUser) {
  FolderRow("D:\\MSInfo");
  Start();
  EXPECT_EQ(fakes.files.tested, std::vector<std::string>{"D:\\MSInfo\\MSINFO32.EXE"});
  ExpectUnavailable();
}

TEST_F(SysInfo, NeitherRowTellsTheUser) {
  Start();
  EXPECT_EQ(fakes.registry.opened, (std::vector<std::string>{kPathKey, kFolderKey}));
  ExpectUnavailable();
}

TEST_F(SysInfo, RefusedFirstRowFallsBackToTheSecond) {
  fakes.registry.SetString(kPathKey, "PATH", "C:\\WINNT\\msinfo32.exe");
  fakes.registry.refused.push_back(kPathKey);
  FolderRow("D:\\MSInfo");
  fakes.files.files.push_back("D:\\MSInfo\\MSINFO32.EXE");
  Start();
  ExpectStarted("D:\\MSInfo\\MSINFO32.EXE", "D:\\MSInfo\\MSINFO32.EXE");
}

TEST_F(SysInfo, FirstRowTooLongFallsBackToTheSecond) {
  PathRow(Bytes(std::string(1025, 'x')));
  FolderRow("D:\\MSInfo");
  fakes.files.files.push_back("D:\\MSInfo\\MSINFO32.EXE");
  Start();
  ExpectStarted("D:\\MSInfo\\MSINFO32.EXE", "D:\\MSInfo\\MSINFO32.EXE");
}

TEST_F(SysInfo, EmptyFirstRowEndsInTheMessageWithoutTryingTheSecond) {
  PathRow({0});
  FolderRow("D:\\MSInfo");
  fakes.files.files.push_back("D:\\MSInfo\\MSINFO32.EXE");
  Start();
  EXPECT_EQ(fakes.registry.opened, std::vector<std::string>{kPathKey});
  ExpectUnavailable();
}

TEST_F(SysInfo, FirstRowOfAnotherTypeActsAsAnEmptyText) {
  PathRow(Bytes(std::string("%SystemRoot%\\msinfo32.exe") + '\0'), 2);
  FolderRow("D:\\MSInfo");
  fakes.files.files.push_back("D:\\MSInfo\\MSINFO32.EXE");
  Start();
  EXPECT_EQ(fakes.registry.opened, std::vector<std::string>{kPathKey});
  ExpectUnavailable();
}

TEST_F(SysInfo, ZeroByteFirstRowEndsInTheMessageWithoutTryingTheSecond) {
  PathRow({});
  FolderRow("D:\\MSInfo");
  fakes.files.files.push_back("D:\\MSInfo\\MSINFO32.EXE");
  Start();
  EXPECT_EQ(fakes.registry.opened, std::vector<std::string>{kPathKey});
  ExpectUnavailable();
}

TEST_F(SysInfo, ZeroByteSecondRowEndsInTheMessage) {
  fakes.registry.keys[kFolderKey]["MSINFO"] = {1, {}};
  Start();
  EXPECT_TRUE(fakes.files.tested.empty());
  ExpectUnavailable();
}

TEST_F(SysInfo, FailedStartTellsTheUser) {
  fakes.registry.SetString(kPathKey, "PATH", "C:\\Gone\\msinfo32.exe");
  fakes.launcher.failure = "The system cannot find the file specified.";
  Start();
  ExpectUnavailable();
}

// ------------------------------------------------------------------ the box

class AboutBox : public ::testing::Test {
 protected:
  AboutBox() { program.Start(); }
  void Open() { ui.Menu("frmMain", "mnuHelpAbout"); }
  long Loads() const {
    return std::count(backend.created.begin(), backend.created.end(), "frmAbout");
  }

  MemoryBackend backend;
  FakeServices fakes;
  Program program{backend, fakes.services};
  Ui ui{backend};
};

TEST_F(AboutBox, OpensWithTheProgramsIdentity) {
  EXPECT_FALSE(ui.IsOpen("frmAbout"));
  Open();
  ASSERT_TRUE(ui.IsVisible("frmAbout"));
  EXPECT_EQ(ui.Window("frmAbout").caption, "About Marquill");
  EXPECT_EQ(ui.Text("frmAbout", "lblTitle"), "Marquill");
  EXPECT_EQ(ui.Text("frmAbout", "lblVersion"), "Version 1.0.0");
  EXPECT_EQ(ui.Text("frmAbout", "lblDescription"),
            "A Handy GUI that Unleashes the Power\r\nof Microsoft's RoboCopy");
  const std::string notice = ui.Text("frmAbout", "lblDisclaimer");
  EXPECT_EQ(notice.rfind("Warning: Users of Marquill must have already\r\n"
                         "purchased Microsoft Windows NT 4.0 Resource Kit\r\n"
                         "to legally use this application.\r\n",
                         0),
            0u);
  // Four lines, the last a credit line with no line break after it.
  EXPECT_EQ(std::count(notice.begin(), notice.end(), '\n'), 3);
  EXPECT_NE(notice.back(), '\n');
  EXPECT_NE(notice.find("Marquill", notice.rfind('\n')), std::string::npos);
  EXPECT_EQ(ui.Text("frmAbout", "cmdOK"), "OK");
  EXPECT_EQ(ui.Text("frmAbout", "cmdSysInfo"), "&System Info...");
  EXPECT_TRUE(ui.IsVisible("frmMain"));
}

TEST_F(AboutBox, DesignPlaceholdersNeverReachTheScreen) {
  const toolkit::FormDef& def = program.frmAbout.def();
  EXPECT_STREQ(def.caption, "About MyApp");
  Open();
  for (const char* label : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
    for (const char* placeholder : {"Application Title", "App Description", "Warning: ..."})
      EXPECT_NE(ui.Text("frmAbout", label), placeholder) << label;
  EXPECT_NE(ui.Text("frmAbout", "lblVersion"), "Version");
}

TEST_F(AboutBox, OkUnloadsAndTheNextOpeningLoadsAfresh) {
  Open();
  ui.Click("frmAbout", "cmdOK");
  EXPECT_FALSE(ui.IsOpen("frmAbout"));
  EXPECT_FALSE(program.frmAbout.IsLoaded());
  EXPECT_EQ(program.frmAbout.Caption(), "About MyApp");
  Open();
  EXPECT_EQ(Loads(), 2);
  EXPECT_EQ(ui.Window("frmAbout").caption, "About Marquill");
  EXPECT_EQ(ui.Text("frmAbout", "lblVersion"), "Version 1.0.0");
}

TEST_F(AboutBox, CloseBoxUnloads) {
  Open();
  ui.CloseBox("frmAbout");
  EXPECT_FALSE(ui.IsOpen("frmAbout"));
  EXPECT_TRUE(ui.IsVisible("frmMain"));
}

TEST_F(AboutBox, OpeningTwiceKeepsOneBoxAndDoesNotReload) {
  Open();
  program.frmMain.Show();  // the main window comes to the front
  Open();
  EXPECT_EQ(Loads(), 1);
  EXPECT_EQ(std::count_if(backend.forms.begin(), backend.forms.end(),
                          [](MemoryForm* f) { return std::string(f->def.name) == "frmAbout"; }),
            1);
  EXPECT_EQ(backend.front, &ui.Window("frmAbout"));
}

TEST_F(AboutBox, OkIsTheDefaultAndCancelButtonAndHasTheFocusFirst) {
  const toolkit::FormDef& def = program.frmAbout.def();
  const auto order = toolkit::CreationOrder(def);
  ASSERT_FALSE(order.empty());
  EXPECT_STREQ(order.front()->name, "cmdOK");
  EXPECT_EQ(order.front()->style & (toolkit::kDefaultButton | toolkit::kCancelButton),
            toolkit::kDefaultButton | toolkit::kCancelButton);
  std::vector<std::string> tabOrder;
  for (const toolkit::ControlDef* c : order)
    if (c->tabIndex != toolkit::kNoTab) tabOrder.push_back(c->name);
  EXPECT_EQ(tabOrder, (std::vector<std::string>{"cmdOK", "picIcon", "cmdSysInfo", "lblDescription",
                                                "lblDisclaimer", "lblTitle", "lblVersion"}));
  EXPECT_EQ(def.clientWidth, 382);
  EXPECT_EQ(def.clientHeight, 251);
  EXPECT_EQ(def.icon, toolkit::FormIcon::Program);
}

TEST_F(AboutBox, SystemInfoButtonStartsTheToolAndTheBoxStaysOpen) {
  fakes.registry.SetString(kPathKey, "PATH", "C:\\WINNT\\msinfo32.exe");
  Open();
  ui.Click("frmAbout", "cmdSysInfo");
  ASSERT_EQ(fakes.launcher.launches.size(), 1u);
  EXPECT_EQ(fakes.launcher.launches[0].application, "C:\\WINNT\\msinfo32.exe");
  EXPECT_TRUE(ui.IsVisible("frmAbout"));
}

TEST_F(AboutBox, SystemInfoUnavailableLeavesTheBoxOpenAndUnchanged) {
  Open();
  ui.Click("frmAbout", "cmdSysInfo");
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, kUnavailable);
  EXPECT_TRUE(ui.IsVisible("frmAbout"));
  EXPECT_EQ(ui.Text("frmAbout", "lblVersion"), "Version 1.0.0");
  EXPECT_EQ(Loads(), 1);
}

TEST_F(AboutBox, GetKeyValueOfTheFormReadsTheRegistry) {
  fakes.registry.SetString(kPathKey, "PATH", "C:\\x.exe");
  std::string value;
  EXPECT_TRUE(program.frmAbout.GetKeyValue(kHklm, kPathKey, "PATH", value));
  EXPECT_EQ(value, "C:\\x.exe");
  EXPECT_EQ(fakes.registry.openHandles, 0);
}

}  // namespace
}  // namespace marquill::test
