#pragma once

#include <csignal>

// A run that goes to the background once it is ready, as `swaylock -f` does: the process
// splits before it connects to anything or starts a thread (a fork after Mesa has started
// its threads is unsafe). The parent only waits: it exits 0 when the child says it is
// ready, and otherwise with the child's failing exit status (1 when it had none). A
// stop signal to the waiting parent (its handler sets `stop`) is passed on to the child as
// SIGTERM. The child goes on in a session of its own, in /, with standard input and output
// on /dev/null and standard error kept, so that what it says still reaches the caller.

// Returns in the child (true), or, when the process cannot split (errno says why), in the
// one process there is (false).
bool DaemonizeUntilReady(volatile sig_atomic_t& stop);

// In the child: lets the waiting parent go. Nothing in a run that did not split.
void DaemonReady();
