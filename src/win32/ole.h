// OLE on the interface thread.
#pragma once

namespace marquill::win32 {

// OLE on the interface thread (a single-threaded apartment), started once:
// drag and drop and the accessibility services need it. It loads several
// DLLs, so windows start it only once they are on the screen.
bool StartOle();
bool OleStarted();

}  // namespace marquill::win32
