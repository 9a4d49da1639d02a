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
  if (buttons == MsgButtons::YesNoCancel) return MsgResult::Cancel;
  return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
}

LaunchResult FakeLauncher::Launch(const std::string& application, const std::string& commandLine,
                                  WindowStyle style, TaskEnded ended) {
  if (failure) return {false, *failure};
  if (std::find(missing.begin(), missing.end(), application) != missing.end())
    return {false, "The system cannot find the file specified."};
  if (unwatched && ended) {
    launches.push_back({application, commandLine, style, nullptr, nullptr});
    return {true, {}, true};
  }
  launches.push_back({application, commandLine, style, std::move(ended), nullptr});
  return {true, {}};
}

namespace {

// A listing whose handlers run when the test says; gone, it reports nothing.
class FakeListingTask : public ListingTask {
 public:
  FakeListingTask(std::vector<Launch>& launches, size_t index)
      : launches_(launches), index_(index) {}
  ~FakeListingTask() override {
    Launch& launch = launches_[index_];
    launch.gone = true;
    launch.lines = nullptr;
    launch.ended = nullptr;
  }
  void Stop() override { launches_[index_].stopped = true; }

 private:
  std::vector<Launch>& launches_;
  size_t index_;
};

}  // namespace

ListingLaunch FakeLauncher::LaunchListing(const std::string& application,
                                          const std::string& commandLine,
                                          ListingHandlers handlers) {
  const LaunchResult result = Launch(application, commandLine, WindowStyle::NormalFocus, nullptr);
  if (!result.started) return {result, nullptr};
  launches.back().ended = std::move(handlers.ended);
  launches.back().lines = std::move(handlers.lines);
  return {result, std::make_unique<FakeListingTask>(launches, launches.size() - 1)};
}

void FakeLauncher::Output(size_t index, const std::vector<std::string>& lines) {
  Listing batch;
  for (const std::string& line : lines) batch.Add(line);
  if (!launches.at(index).lines)
    throw std::logic_error("launch " + std::to_string(index) + " lists nothing");
  launches[index].lines(std::move(batch));
}

void FakeLauncher::End(size_t index, std::optional<std::uint32_t> exitCode) {
  // A program ends once, and only a watched one is heard of.
  TaskEnded ended = std::exchange(launches.at(index).ended, nullptr);
  if (!ended) throw std::logic_error("launch " + std::to_string(index) + " is not running");
  launches[index].lines = nullptr;
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

namespace {

std::optional<std::string> Next(std::deque<std::optional<std::string>>& outcomes) {
  if (outcomes.empty()) return std::nullopt;
  auto outcome = std::move(outcomes.front());
  outcomes.pop_front();
  return outcome;
}

}  // namespace

std::optional<std::string> FakeFileDialogs::Open(const FileDialogRequest& request) {
  ++shown;
  requests.push_back(request);
  return Next(outcomes);
}

std::optional<std::string> FakeFileDialogs::Save(const FileDialogRequest& request) {
  requests.push_back(request);
  return Next(saveOutcomes);
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

FileRead FakeFileSystem::ReadFile(const std::string& path, std::size_t limit) {
  FileRead read;
  const auto failure = failing.find(path);
  const auto content = contents.find(path);
  if (failure != failing.end() || content == contents.end())
    read.error =
        failure != failing.end() ? failure->second : "The system cannot find the file specified.";
  else if (content->second.size() > limit)
    read.tooLarge = true;
  else
    read.bytes = content->second;
  return read;
}

std::string FakeFileSystem::WriteFileSafely(const std::string& path, const std::string& bytes) {
  const auto failure = failing.find(path);
  if (failure != failing.end()) return failure->second;
  contents[path] = bytes;
  return {};
}

std::optional<std::string> FakeCodePages::ToAnsi(const std::string& utf8) {
  if (ansiIsUtf8) return utf8;
  std::string bytes;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      bytes +=
          static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      return std::nullopt;  // beyond Latin-1
    }
  }
  return bytes;
}

std::string FakeCodePages::FromAnsi(const std::string& bytes) {
  if (ansiIsUtf8) return bytes;
  std::string utf8;
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
      utf8 += byte;
    } else {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

}  // namespace marquill::test
