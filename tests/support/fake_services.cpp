#include "support/fake_services.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace marquill::test {

MsgResult FakeMessageBoxes::Show(const std::string& text, const std::string& title,
                                 MsgButtons buttons, MsgIcon icon) {
  shown.push_back({text, title, buttons, icon});
  if (whileShown) whileShown();
  if (!answers.empty()) {
    MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
}

LaunchResult FakeLauncher::Launch(const std::string& application, const std::string& commandLine,
                                  WindowStyle style, TaskEnded ended) {
  if (failure) return {false, *failure};
  if (std::find(missing.begin(), missing.end(), application) != missing.end())
    return {false, "The system cannot find the file specified."};
  launches.push_back({application, commandLine, style, std::move(ended)});
  return {true, {}};
}

void FakeLauncher::End(size_t index, std::optional<std::uint32_t> exitCode) {
  // A program ends once, and only a watched one is heard of.
  TaskEnded ended = std::exchange(launches.at(index).ended, nullptr);
  if (!ended) throw std::logic_error("launch " + std::to_string(index) + " is not running");
  ended(exitCode);
}

std::optional<std::string> FakeFolderBrowser::Browse(const FolderBrowseRequest& request) {
  requests.push_back(request);
  BrowseOutcome outcome;
  if (!outcomes.empty()) {
    outcome = outcomes.front();
    outcomes.pop_front();
  }
  switch (outcome.kind) {
    case BrowseOutcome::Chosen:
      return outcome.path;
    case BrowseOutcome::Fails:
      throw std::runtime_error("the shell failed");
    case BrowseOutcome::Cancelled:
      break;
  }
  return std::nullopt;
}

std::optional<std::string> FakeFileOpen::ShowOpen() {
  ++shown;
  if (outcomes.empty()) return std::nullopt;
  auto outcome = outcomes.front();
  outcomes.pop_front();
  return outcome;
}

std::string FakeDates::ShortDate(const Date& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
  return text;
}

long FakeRegistry::OpenKey(Key root, const std::string& path, std::uint32_t access, Key* opened_) {
  accessMasks.push_back(access);
  opened.push_back(path);
  if (root != kLocalMachine || !keys.count(path)) return 2;                        // not found
  if (std::find(refused.begin(), refused.end(), path) != refused.end()) return 5;  // denied
  *opened_ = next_++;
  handles_[*opened_] = path;
  ++openHandles;
  return 0;
}

long FakeRegistry::QueryValue(Key key, const std::string& name, std::uint32_t* type,
                              std::vector<unsigned char>& buffer, std::uint32_t* size) {
  auto handle = handles_.find(key);
  if (handle == handles_.end()) return 6;  // invalid handle
  auto& values = keys[handle->second];
  auto value = values.find(name);
  if (value == values.end()) return 2;
  if (value->second.data.size() > *size) return 234;  // more data
  std::copy(value->second.data.begin(), value->second.data.end(), buffer.begin());
  *type = value->second.type;
  *size = static_cast<std::uint32_t>(value->second.data.size());
  return 0;
}

long FakeRegistry::CloseKey(Key key) {
  if (!handles_.erase(key)) {
    ++invalidCloses;
    return 6;
  }
  --openHandles;
  return 0;
}

void FakeRegistry::SetString(const std::string& path, const std::string& name,
                             const std::string& text) {
  std::vector<unsigned char> data(text.begin(), text.end());
  data.push_back(0);
  keys[path][name] = {1, data};
}

bool FakeFileSystem::OrdinaryFileExists(const std::string& path) {
  tested.push_back(path);
  return std::find(files.begin(), files.end(), path) != files.end();
}

}  // namespace marquill::test
