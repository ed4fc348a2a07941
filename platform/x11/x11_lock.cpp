// An X11 run is never the session's lock: that is the session locker's job here, which
// hosts the saver (--root). Nothing is typed, nothing checked, nothing unlocked.
#include "platform/session_lock.h"

void PlatformPasswordAppend(uint32_t) {}
void PlatformPasswordErase() {}
void PlatformPasswordClear() {}
int32_t PlatformPasswordLength() { return 0; }
bool PlatformStartPasswordCheck() { return false; }
bool PlatformUnlockSession(PlatformWindow) { return false; }
