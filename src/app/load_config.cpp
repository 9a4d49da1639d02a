// marquill.exe's load configuration, for MinGW builds (MSVC's link writes its
// own): the loader looks for the program's own DLLs in the system folder only.
#include <windows.h>

namespace {

// The first 0x70 bytes of IMAGE_LOAD_CONFIG_DIRECTORY64 (its Size tells the
// loader how far it goes), every field zero but DependentLoadFlags, which
// Windows 10 1607 and later read. Spelled out because MinGW's older headers
// name that field Reserved1.
struct LoadConfig {
  DWORD size;
  BYTE before[0x4E - sizeof(DWORD)];
  WORD dependentLoadFlags;
  BYTE after[0x70 - 0x50];
};
static_assert(sizeof(LoadConfig) == 0x70);

}  // namespace

// The name lld and newer GNU ld fill the directory from; older GNU ld leaves
// it empty, and the build points it at this section afterwards
// (fill_load_config.py).
extern "C" __attribute__((section(".ldcfg"), used))
const LoadConfig _load_config_used = {sizeof(LoadConfig), {}, LOAD_LIBRARY_SEARCH_SYSTEM32, {}};
