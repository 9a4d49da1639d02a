#include "marquill_app.h"

namespace marquill::e2e {
namespace {

std::string NextEngineRecord() {
  static int runs = 0;
  return FreshScratchPath("engine-" + std::to_string(++runs) + ".jsonl");
}

std::map<std::string, std::string> WithEngineRecord(std::map<std::string, std::string> environment,
                                                    const std::string& record) {
  environment.emplace("MARQUILL_ENGINE_RECORD", record);
  return environment;
}

}  // namespace

MarquillApp::MarquillApp(const std::string& programFolder,
                         std::map<std::string, std::string> environment, int show)
    : folder_(programFolder),
      engineRecord_(NextEngineRecord()),
      process_(Process::Start(programFolder + "\\marquill.exe", {},
                              WithEngineRecord(std::move(environment), engineRecord_), show)),
      main_(WaitForTopWindow(process_, kMainTitle)) {}

void MarquillApp::SetFolders(const std::string& source, const std::string& destination) const {
  SetText(SourceField(), source);
  SetText(DestinationField(), destination);
}

MessageBoxView MarquillApp::ClickForBox(HWND button, const std::string& boxTitle) const {
  Click(button);
  return WaitForMessageBox(process_, boxTitle);
}

void MarquillApp::WaitUntilIdle() const {
  // A sent message is answered only from a message loop: the main one, or
  // that of a box the handler has opened.
  GetText(main_);
}

}  // namespace marquill::e2e
