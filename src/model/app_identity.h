// The program's title and version.
#pragma once

// The program's title and version, stated once. The About box reads them from
// here, and the version resource of marquill.exe includes this file too, which
// is why the values are macros first.
#define MARQUILL_TITLE "Marquill"
#define MARQUILL_VERSION_MAJOR 1
#define MARQUILL_VERSION_MINOR 0
#define MARQUILL_VERSION_REVISION 0
// The version as the file's version strings give it: major, ".", minor in two
// digits.
#define MARQUILL_VERSION_TEXT "1.00"

#ifndef RC_INVOKED

namespace marquill {

struct AppIdentity {
  const char* title;
  int major;
  int minor;
  int revision;
};

inline constexpr AppIdentity kApp = {
    MARQUILL_TITLE,
    MARQUILL_VERSION_MAJOR,
    MARQUILL_VERSION_MINOR,
    MARQUILL_VERSION_REVISION,
};

}  // namespace marquill

#endif
