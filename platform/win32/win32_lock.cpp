// Windows asks for the password itself (the NT family locks the workstation); a run here
// is never the session's lock. Nothing is typed, nothing checked, nothing unlocked.
#include "platform/session_lock.h"

void PlatformPasswordAppend(uint32_t) {}
void PlatformPasswordErase() {}
void PlatformPasswordClear() {}
int32_t PlatformPasswordLength() { return 0; }
bool PlatformStartPasswordCheck() { return false; }
bool PlatformUnlockSession(PlatformWindow) { return false; }
