// The whole program above the platform: every window, wired together.
#include "app/program.h"

namespace marquill {

Program::Program(toolkit::Backend& backend, Services& services)
    : frmMain(backend, services, slots),
      frmOptMain(backend, services, slots),
      frmCalMaxAge(backend, services, slots, kFrmCalMaxAge, frmOptMain.txtMaxAge),
      frmCalMinAge(backend, services, slots, kFrmCalMinAge, frmOptMain.txtMinAge),
      frmAbout(backend, services),
      frmPreview(backend, services) {
  frmMain.ShowOptions = [this] { frmOptMain.Show(); };
  frmOptMain.ShowMaxAgePicker = [this] { frmCalMaxAge.Show(); };
  frmOptMain.ShowMinAgePicker = [this] { frmCalMinAge.Show(); };
  frmMain.ShowAbout = [this] { frmAbout.Show(); };
  frmMain.ShowOptionState = [this](const OptionSlots& state) {
    frmCalMaxAge.Unload();
    frmCalMinAge.Unload();
    frmOptMain.ShowState(state);
  };
  frmMain.UnloadOptionWindows = [this] {
    frmCalMaxAge.Unload();
    frmCalMinAge.Unload();
    frmOptMain.Unload();
  };
  frmMain.ShowListing = [this](const std::string& application, const std::string& commandLine,
                               bool listOnly) {
    return frmPreview.ShowListing(application, commandLine, listOnly);
  };
  frmMain.EndListings = [this] { frmPreview.EndListings(); };
  frmPreview.ListOnlyEnded = [this](std::optional<std::uint32_t> exitCode) {
    frmMain.Listing_Ended(exitCode);
  };
}

void Program::Start(const std::vector<std::string>& arguments) {
  frmMain.Show();
  frmMain.OpenArguments(arguments);
}

}  // namespace marquill
