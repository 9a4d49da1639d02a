// The real marquill.exe under Wine at 96, 144 and 192 dpi, and at 96 dpi with
// larger and wider message fonts: every window is laid out from its 96-dpi
// table, scaled by the dpi and the font, in the message font for the dpi, with
// room for every caption, and follows a change of dpi; on a work area too
// small for it at its dpi, it is laid out smaller to fit.
#include <gtest/gtest.h>

#include "about/about_box.h"
#include "layout_check.h"
#include "main_window/main_window.h"
#include "marquill_app.h"
#include "options/date_picker.h"
#include "options/options_dialog.h"

namespace marquill::e2e {
namespace {

constexpr char kOptionsTitle[] = "Options";
constexpr char kLevelCaption[] = "Copy Only the Top               Levels of the Source Dir";
const std::vector<IntendedOverlap> kLevelInCaption{{"lstSubLev", "chkLev"}};

int CentreY(const RECT& r) { return (r.top + r.bottom) / 2; }

// The level list stands in the run of blanks of chkLev's caption, on the
// caption's line, so the two read as one sentence.
std::vector<std::string> LevelListFaults(HWND options, unsigned dpi) {
  const HWND check = FindChild(options, "Button", kLevelCaption);
  const std::string caption = TextOf(check);
  const size_t blanks = caption.find("  ");
  const size_t words = caption.find_first_not_of(' ', blanks);
  const TextMeasure text(LogFontOf(check));
  const RECT box = PixelRectOf(check);
  RECT at{};
  for (const HWND list : ChildrenOf(options, "ListBox"))
    if (RECT r = PixelRectOf(list), common; IntersectRect(&common, &r, &box)) at = r;
  const int captionLeft = box.left + CaptionOffset(check, text, dpi);
  const int firstWordsEnd = captionLeft + text.Line(caption.substr(0, blanks)).cx;
  const int blanksEnd = captionLeft + text.Line(caption.substr(0, words)).cx;
  std::vector<std::string> faults;
  if (captionLeft + text.Line(caption).cx > box.right)
    faults.push_back("chkLev's caption does not fit on one line");
  if (at.left < firstWordsEnd)
    faults.push_back("lstSubLev starts at " + std::to_string(at.left) +
                     ", over the caption's first words, which end at " +
                     std::to_string(firstWordsEnd));
  if (at.right > blanksEnd)
    faults.push_back("lstSubLev ends at " + std::to_string(at.right) +
                     ", over \"Levels\", which starts at " + std::to_string(blanksEnd));
  if (std::abs(CentreY(at) - CentreY(box)) > ScaleTo(2, dpi))
    faults.push_back("lstSubLev's middle is at " + std::to_string(CentreY(at)) +
                     ", the caption's line at " + std::to_string(CentreY(box)));
  return faults;
}

// A screen's dpi, and the message font set there at 96 dpi (none: Wine's own).
struct Screen {
  unsigned dpi;
  const char* face = nullptr;
  int height = 0;
};

// marquill.exe started with the screen at the test's dpi and font.
class LayoutE2E : public ::testing::TestWithParam<Screen> {
 protected:
  void SetUp() override { ASSERT_EQ(DpiInside(app.main()), dpi()); }

  unsigned dpi() const { return GetParam().dpi; }

  HWND OpenOptions() {
    ChooseMenu(app.main(), {"Tools", kOptionsTitle});
    return WaitForTopWindow(app.process(), kOptionsTitle);
  }

  void ExpectFits(HWND window, const toolkit::FormDef& def, unsigned atDpi,
                  const std::vector<IntendedOverlap>& intended = {}) {
    const auto faults = LayoutFaults(window, def, atDpi, intended);
    EXPECT_TRUE(faults.empty()) << def.name << " at " << atDpi << " dpi:\n" << Lines(faults);
  }

  // Checks the box `title` and closes it with the button `answer`.
  void ExpectBoxFits(const std::string& title, int answer) {
    const MessageBoxView box = WaitForMessageBox(app.process(), title);
    const auto faults = MessageBoxFaults(box.window, dpi());
    EXPECT_TRUE(faults.empty()) << "\"" << title << "\":\n" << Lines(faults);
    PressMessageBoxButton(box, answer);
  }

  ScreenDpi screen{GetParam().dpi};
  SystemMessageFont font{GetParam().face, GetParam().height};
  MarquillApp app;
};

TEST_P(LayoutE2E, MainWindowIsScaledInTheMessageFontWithRoomForItsTexts) {
  // The font grows with the dpi, a 96-dpi height scaled.
  const LOGFONTW font = MessageFontFor(dpi());
  EXPECT_NEAR(std::abs(font.lfHeight), ScaleTo(std::abs(MessageFontFor(96).lfHeight), dpi()), 1);
  EXPECT_EQ(FontOf(app.RunButton()).height, std::abs(font.lfHeight));

  RECT client{};
  GetClientRect(app.main(), &client);
  const SIZE table = LayoutClientFor(kFrmMainDef, dpi());
  EXPECT_EQ(client.right, table.cx);
  EXPECT_EQ(client.bottom, table.cy);
  ExpectFits(app.main(), kFrmMainDef, dpi());
}

TEST_P(LayoutE2E, OptionsDialogHasRoomForEveryCaption) {
  const HWND options = OpenOptions();
  ExpectFits(options, kFrmOptMainDef, dpi(), kLevelInCaption);
  const auto faults = LevelListFaults(options, dpi());
  EXPECT_TRUE(faults.empty()) << Lines(faults);
}

TEST_P(LayoutE2E, DatePickersAndAboutBoxHaveRoomForTheirContents) {
  const HWND options = OpenOptions();
  Click(FindChild(options, "Button", "Exclude Files Older than:"));
  ExpectFits(WaitForTopWindow(app.process(), kFrmCalMaxAge.def.caption), kFrmCalMaxAge.def, dpi());
  Click(FindChild(options, "Button", "Exclude Files Newer Than:"));
  ExpectFits(WaitForTopWindow(app.process(), kFrmCalMinAge.def.caption), kFrmCalMinAge.def, dpi());

  ChooseMenu(app.main(), {"Help", "&About"});
  ExpectFits(WaitForTopWindow(app.process(), "About Marquill"), kFrmAboutDef, dpi());
}

TEST_P(LayoutE2E, MessageBoxesHaveRoomForTheirTexts) {
  ChooseMenu(app.main(), {"Help", "&Support"});
  ExpectBoxFits("Support Info.", IDOK);
  Click(app.RunButton());
  ExpectBoxFits("Error", IDOK);
  app.SetFolders("C:\\Data\\Reports\\", "D:\\Backup\\Reports\\");
  Click(app.RunButton());
  ExpectBoxFits("Continue?", IDCANCEL);
  Click(app.QuitButton());
  ExpectBoxFits("Close Marquill", IDNO);
}

// The size of `window` with the layout's client area scaled to `dpi` in a
// frame at `frameDpi`.
SIZE WindowSizeFor(HWND window, const toolkit::FormDef& def, unsigned dpi, unsigned frameDpi) {
  const SIZE client = LayoutClientFor(def, dpi);
  const SIZE frame = FrameFor(window, frameDpi);
  return {client.cx + frame.cx, client.cy + frame.cy};
}

void ExpectSize(HWND window, SIZE expected, const std::string& what) {
  RECT at{};
  GetWindowRect(window, &at);
  const SIZE size{at.right - at.left, at.bottom - at.top};
  EXPECT_TRUE(size.cx == expected.cx && size.cy == expected.cy)
      << what << ": " << size.cx << "x" << size.cy << ", not " << expected.cx << "x" << expected.cy;
}

// The window keeps its client area at the layout's size scaled to `dpi`, in a
// frame at `frameDpi`.
void ExpectClientSizeFor(HWND window, const toolkit::FormDef& def, unsigned dpi,
                         unsigned frameDpi) {
  ExpectSize(window, WindowSizeFor(window, def, dpi, frameDpi),
             std::string(def.name) + " at " + std::to_string(dpi));
}

TEST_P(LayoutE2E, WindowsFollowAChangeOfDpi) {
  // Told of a move to a screen of another dpi, a window rescales its frame,
  // its controls and their font, to the size it answered when asked before
  // (in Wine's font, its table scaled and no more); told of the way back, it
  // is as it was.
  const HWND options = OpenOptions();
  for (unsigned to : {dpi() == 96 ? 144u : 96u, dpi()}) {
    for (const auto& [window, def] :
         {std::pair{app.main(), &kFrmMainDef}, std::pair{options, &kFrmOptMainDef}}) {
      const SIZE answered = DpiScaledSize(window, to);
      SendDpiChanged(window, to);
      ExpectSize(window, answered, "as answered for " + std::to_string(to));
      if (!GetParam().face) ExpectClientSizeFor(window, *def, to, to);
      const auto faults = PlacementFaults(window, *def, to, kLevelInCaption);
      EXPECT_TRUE(faults.empty()) << def->name << " told of " << to << " dpi:\n" << Lines(faults);
    }
  }
  ExpectFits(app.main(), kFrmMainDef, dpi());
}

// A 1920 x 1080 screen at 150 % less a 48-pixel taskbar. The Options dialog,
// 1380 x 1089 at 144 dpi, is laid out at the largest smaller dpi that fits
// (136 under Wine: 1304 x 1030), its frame still at 144, and opens whole
// inside the work area; told of 96 dpi and back, it follows the same rule.
TEST(LayoutE2EWorkArea, OptionsDialogScalesDownToFitTheWorkArea) {
  const RECT work{0, 0, 1920, 1032};
  const WorkArea area(work);
  const ScreenDpi screen(144);
  const MarquillApp app;
  ChooseMenu(app.main(), {"Tools", kOptionsTitle});
  const HWND options = WaitForTopWindow(app.process(), kOptionsTitle);
  unsigned layout = 145;
  SIZE size{};
  do size = WindowSizeFor(options, kFrmOptMainDef, --layout, 144);
  while (size.cx > work.right || size.cy > work.bottom);
  EXPECT_LT(layout, 144u);
  ExpectClientSizeFor(options, kFrmOptMainDef, layout, 144);
  const auto faults = LayoutFaults(options, kFrmOptMainDef, layout, kLevelInCaption);
  EXPECT_TRUE(faults.empty()) << "at " << layout << " dpi:\n" << Lines(faults);
  for (const HWND window : {options, FindChild(options, "Button", "&Save Settings"),
                            FindChild(options, "Button", "&Cancel")}) {
    RECT at{}, inside{};
    GetWindowRect(window, &at);
    IntersectRect(&inside, &at, &work);
    EXPECT_TRUE(IsWindowVisible(window) && EqualRect(&inside, &at)) << TextOf(window);
  }
  for (unsigned to : {96u, 144u}) SendDpiChanged(options, to);
  ExpectClientSizeFor(options, kFrmOptMainDef, layout, 144);
}

// Wine's own font at three dpi; at 96 dpi, one of the size of Windows' Segoe
// UI 9 pt (base units 7 x 14), 150 % of it, and a wider face.
INSTANTIATE_TEST_SUITE_P(
    Screens, LayoutE2E,
    ::testing::Values(Screen{96}, Screen{144}, Screen{192}, Screen{96, "Liberation Sans", -12},
                      Screen{96, "Liberation Sans", -18}, Screen{96, "DejaVu Sans", -12}),
    [](const auto& info) {
      std::string name = info.param.face ? info.param.face : "Dpi";
      std::erase(name, ' ');
      return name + std::to_string(info.param.face ? -info.param.height : info.param.dpi);
    });

}  // namespace
}  // namespace marquill::e2e
