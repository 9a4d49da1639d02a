// The About box's System Info button: GetKeyValue and StartSysInfo.
#include "about/system_information.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "model/app_identity.h"
#include "model/command.h"

namespace marquill {
namespace {

// KEY_READ: the lookup only reads. Windows refuses set-value, create-sub-key
// and create-link rights on HKEY_LOCAL_MACHINE to every process that is not
// elevated, so asking for more would fail for a standard user.
constexpr std::uint32_t kKeyAccess = 0x00020019;
constexpr std::uint32_t kBufferSize = 1024;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;

const char kPathKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char kProgramFile[] = "\\MSINFO32.EXE";

// A key opened for one lookup; closed when the lookup ends, by whatever road.
class OpenedKey {
 public:
  explicit OpenedKey(Registry& registry) : registry_(registry) {}
  ~OpenedKey() {
    if (open_) registry_.CloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  bool Open(Registry::Key root, const std::string& path) {
    open_ = registry_.OpenKey(root, path, kKeyAccess, &key_) == 0;
    return open_;
  }
  Registry::Key get() const { return key_; }

 private:
  Registry& registry_;
  Registry::Key key_ = 0;
  bool open_ = false;
};

// The bytes from the last to the first, two upper-case hex digits each: a
// little-endian number, most significant byte first.
std::string HexFromLastByte(const std::vector<unsigned char>& bytes, std::size_t count) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "&h";
  for (std::size_t i = count; i-- > 0;) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0x0F];
  }
  return text;
}

// Row 1 names the tool itself and is taken as it stands; row 2 names its
// folder, which must hold the program file.
std::optional<std::string> SysInfoPath(Services& services) {
  std::string path;
  if (GetKeyValue(services.registry, Registry::kLocalMachine, kPathKey, "PATH", path)) return path;
  std::string folder;
  if (!GetKeyValue(services.registry, Registry::kLocalMachine, kFolderKey, "MSINFO", folder))
    return std::nullopt;
  path = folder + kProgramFile;
  if (!services.files.OrdinaryFileExists(path)) return std::nullopt;
  return path;
}

bool StartTool(Services& services) {
  std::optional<std::string> path = SysInfoPath(services);
  if (!path || path->empty()) return false;
  // The path goes in as the application name, so exactly that file starts. As
  // a bare command line, "C:\Program Files\..." would be read up to its first
  // blank and could start some other program.
  return services.processes.Launch(*path, QuoteProgramName(*path), WindowStyle::NormalFocus, {})
      .started;
}

}  // namespace

bool GetKeyValue(Registry& registry, Registry::Key KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
  OpenedKey key(registry);
  std::vector<unsigned char> buffer(kBufferSize, 0);
  std::uint32_t type = 0;
  std::uint32_t size = kBufferSize;
  if (!key.Open(KeyRoot, KeyName) ||
      registry.QueryValue(key.get(), SubKeyRef, &type, buffer, &size) != 0 ||
      size > buffer.size()) {
    KeyVal.clear();
    return false;
  }
  if (size == 0) throw EmptyKeyValue(KeyName + "\\" + SubKeyRef + " holds no data");
  // A trailing zero is the text's terminator, and for a number its zero top
  // byte: either way it is dropped.
  const std::size_t kept = buffer[size - 1] == 0 ? size - 1 : size;
  if (type == kRegSz)
    KeyVal.assign(buffer.begin(), buffer.begin() + kept);
  else if (type == kRegDword)
    KeyVal = HexFromLastByte(buffer, kept);
  return true;
}

void StartSysInfo(Services& services) {
  bool started = false;
  try {
    started = StartTool(services);
  } catch (const std::exception&) {
    // Whatever went wrong, the user gets the one message below.
  }
  if (!started)
    services.messages.Show("System Information Is Unavailable At This Time", kApp.title,
                           MsgButtons::Ok, MsgIcon::None);
}

}  // namespace marquill
