// Resource identifiers shared by the .rc file and the code.
#pragma once

// Resource identifiers shared by the .rc file and the Win32 backend.
#define IDI_PROGRAM 1
#define IDI_OPTIONS 2
