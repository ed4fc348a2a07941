#pragma once

// What the X11 and Wayland layers share beyond the window-free services: the one registered
// class, the emulated message queue, the launch read at the start and the stop signal.
// platform/unix holds the shared code; each window system defines the hooks at the end.
#include <csignal>
#include <string>

#include "platform/emulated_queue.h"
#include "platform/platform.h"

struct UnixLayer {
    std::string className;  // the one registered class
    WindowProcedure procedure = nullptr;
    EmulatedQueue queue;
};

extern UnixLayer unixLayer;

// The number of the stop signal (SIGTERM, SIGINT or SIGHUP) once one came, else 0. The
// message pump then ends the run through the normal teardown.
extern volatile sig_atomic_t unixStopSignal;

// execv(path, argv) that keeps a stop which came before it, or comes while the new program
// starts, for that program to handle; returns only when exec failed (errno says why).
void UnixExecKeepingTheStop(const char* path, char* const* argv);

// Hooks, one definition in each window system's layer.
// The saver window; 0 before its creation and once it is destroyed.
PlatformWindow UnixSaverWindow();
// Turns what the display has sent into queued messages, without waiting, and sends what
// is waiting to go to it.
void UnixPumpEvents();
// The display connection's file descriptor, which a pause waits on; -1 without one.
int UnixDisplayFd();
// Whether a pause should end although no message waits (the display has news for the
// frame loop of its own).
bool UnixWakeEarly();
// Reads the command line in this window system's words; runs once the stop handling is in
// place. `failure` keeps the text that the launch's failure points to.
PlatformLaunch UnixReadLaunch(int argc, char** argv, std::string* failure);
// Dialogs: the owner a dialog may honour (0 where the window system has no foreign windows),
// what the module installs around GTK's display, and letting go of the keyboard and pointer
// so that a message box can take them.
PlatformWindow UnixDialogOwner(PlatformWindow owner);
void UnixInstallDisplayErrorHandlers(bool chainPrevious);
void UnixReleaseInput();
