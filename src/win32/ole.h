// OLE on the interface thread.
#pragma once

namespace marquill::win32 {

// OLE on the interface thread (a single-threaded apartment), started once:
// drag and drop and the accessibility services need it. It loads several
// DLLs, so windows start it only once they are on the screen.
bool StartOle();
bool OleStarted();

// COM alone on the interface thread (a single-threaded apartment), for the
// calls that need no more of OLE: started once, on the way to the first of
// them, so that start-up does not pay for it.
bool StartCom();

}  // namespace marquill::win32
