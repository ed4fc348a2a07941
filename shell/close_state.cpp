#include "platform/messages.h"
#include "shell/settings.h"

// The close itself waits for the frame loop to dispatch the posted WM_CLOSE.
void SaverSettings::RequestClose() {
    closeRequested = 1;
    PlatformPostMessage(window, WM_CLOSE, 0, 0);
}

// The cursor refreshes are sent, not posted, so the arrow shows before the check starts.
void SaverSettings::BeginPasswordDialog() {
    passwordDialogUp = 1;
    PlatformSendMessage(window, WM_SETCURSOR, 0, 0);
}

// Movement made while the dialog was up must not count against the saver.
void SaverSettings::EndPasswordDialog() {
    passwordDialogUp = 0;
    PlatformSendMessage(window, WM_SETCURSOR, 0, 0);
    PlatformGetCursorPos(&cursorOrigin);
}
