// The About box's System Info button: GetKeyValue and StartSysInfo.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/services.h"

// The About box's registry lookup and the start of the System Information
// tool.
namespace marquill {

// Raised by GetKeyValue for a value that has no data bytes at all.
class EmptyKeyValue : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the value `SubKeyRef` of the key `KeyName` below `KeyRoot` as text
// into `KeyVal`: REG_SZ as its text, REG_DWORD as "&h" and hexadecimal digits,
// any other type leaves `KeyVal` untouched. False, with `KeyVal` emptied, when
// the key cannot be opened or the value cannot be read; throws EmptyKeyValue
// for a value of zero bytes. The key is closed before returning.
bool GetKeyValue(Registry& registry, Registry::Key KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// Finds the System Information tool through the registry and starts it, or
// tells the user it is unavailable.
void StartSysInfo(Services& services);

}  // namespace marquill
