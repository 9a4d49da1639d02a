// The real marquill.exe under Wine as a screen reader meets it: the name
// Microsoft Active Accessibility gives each control that takes the focus.
#include <gtest/gtest.h>

#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <set>
#include <thread>

#include "marquill_app.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

struct Spoken {
  std::string name;
  long role = 0;
  bool operator<(const Spoken& other) const {
    return std::tie(name, role) < std::tie(other.name, other.role);
  }
};

bool TakesFocus(HWND child) {
  const std::string kind = ClassOf(child);
  if (kind == "Button") return (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
  return kind == "Edit" || kind == "ListBox" || kind == "SysMonthCal32";
}

// What a screen reader reads for the client area of `window`.
Spoken SpokenOf(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&object))))
    throw DriverError("no accessible object for " + QuotedTextOf(window));
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  Spoken spoken;
  BSTR name = nullptr;
  if (SUCCEEDED(object->get_accName(self, &name)) && name) spoken.name = Utf8(name);
  SysFreeString(name);
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) spoken.role = role.lVal;
  object->Release();
  return spoken;
}

// Every control of `window` that takes the focus, in tab order: each has a
// name, and no two of one kind share one.
std::vector<std::string> NamesIn(HWND window) {
  std::vector<std::string> names;
  std::set<Spoken> seen;
  for (HWND child : ChildrenOf(window, "")) {
    if (!TakesFocus(child)) continue;
    const Spoken spoken = SpokenOf(child);
    EXPECT_NE(spoken.name, "") << ClassOf(child) << " " << QuotedTextOf(child);
    EXPECT_TRUE(seen.insert(spoken).second) << "twice: " << spoken.name;
    names.push_back(spoken.name);
  }
  return names;
}

void ExpectNamed(const std::vector<std::string>& names, const std::vector<std::string>& expected) {
  for (const std::string& name : expected)
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << "no " << name;
}

TEST(AccessibilityE2E, EveryControlThatTakesTheFocusHasANameOfItsOwn) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  MarquillApp app;
  EXPECT_EQ(NamesIn(app.main()),
            (std::vector<std::string>{"Source Path", "Destination Path", "Browse Source Path",
                                      "Browse Destination Path", "Quit", "RoboCopy",
                                      "Match Destination Folder to Source Folder", "Last copy"}));

  ChooseMenu(app.main(), {"Tools", "Options"});
  const HWND options = WaitForTopWindow(app.process(), "Options");
  std::vector<std::string> expected = {
      "Enter Filenames to copy separated by a space. Wildcards are allowed. Default is *.*",
      "Exclude the Following File Names/Wildcards/Paths.",
      "Exclude the Following Directory Names/Paths",
      "Retries on Failed Copy",
      "Wait Time Between Retries",
      "Copy Only the Top Levels of the Source Dir",
      "Log File",
      "Browse Log File",
      "Exclude Files Older than:",
      "Exclude Files Newer Than:",
      "Maximum File Size (Bytes)",
      "Save Settings"};
  for (const char* group :
       {"Add the Given Attributes to Copied Files", "Remove the Given Attributes From Copied Files",
        "Include Only Files With the Given Attributes Set",
        "Exclude Only Files With the Given Attributes Set"})
    for (const char* letter : {"Read Only", "Archive", "System", "Hidden"})
      expected.push_back(std::string(letter) + " (" + group + ")");
  const std::vector<std::string> names = NamesIn(options);
  ExpectNamed(names, expected);
  // The size box says what its check box says.
  EXPECT_EQ(std::count(names.begin(), names.end(), "Minimum File Size (Bytes)"), 2);

  Click(FindChild(options, "Button", "Exclude Files Older than:"));
  const std::string picker = "Files older than this date will be excluded";
  EXPECT_EQ(NamesIn(WaitForTopWindow(app.process(), picker)),
            (std::vector<std::string>{picker, "OK", "CANCEL"}));
  ChooseMenu(app.main(), {"Help", "&About"});
  EXPECT_EQ(NamesIn(WaitForTopWindow(app.process(), "About Marquill")),
            (std::vector<std::string>{"OK", "System Info..."}));
  CoUninitialize();
}

}  // namespace
}  // namespace marquill::e2e
