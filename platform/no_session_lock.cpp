// A window system whose runs are never the session's lock: on X11 that is the session
// locker's job (it hosts the saver with --root), and Windows asks for the password itself.
// Nothing is typed, nothing checked, nothing unlocked.
#include "platform/session_lock.h"

void PlatformPasswordAppend(uint32_t) {}
void PlatformPasswordErase() {}
void PlatformPasswordClear() {}
int32_t PlatformPasswordLength() { return 0; }
bool PlatformStartPasswordCheck() { return false; }
bool PlatformUnlockSession(PlatformWindow) { return false; }
