#include "platform/emulated_queue.h"

#include "platform/default_window_proc.h"
#include "platform/messages.h"

bool EmulatedQueue::take(PlatformMessage* message) {
    if (!messages.empty()) {
        *message = messages.front();
        // A character of a lock's password may have passed through here: none stays behind.
        messages.front() = PlatformMessage{};
        messages.pop_front();
        return true;
    }
    if (!quitPosted) return false;
    quitPosted = false;
    *message = PlatformMessage{0, WM_QUIT, static_cast<uintptr_t>(quitCode), 0};
    return true;
}

bool EmulatedQueue::post(PlatformWindow saverWindow, const PlatformMessage& message) {
    if (!AcceptsMessages(message.window, saverWindow)) return false;
    messages.push_back(message);
    return true;
}

void EmulatedQueue::postQuit(int32_t exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}
