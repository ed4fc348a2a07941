#pragma once

#include <string>

// XScreenSaver lists only the savers its `programs` resource names, and no package can add
// itself there: the user's ~/.xscreensaver (or, without one, the system's app-defaults)
// holds the list. These add Brisalo's entry to it, touching nothing else.

enum class ListEdit { Added, AlreadyListed, NoList };

// Adds `entry` (for example "GL: brisalo --root") as the last program of the `programs`
// resource in `text`, a ~/.xscreensaver or app-defaults file ("*programs:" there). Every
// byte of `text` is kept; the entry goes on a line of its own, ended as the list's lines
// are (LF or CRLF). AlreadyListed when a program, on or off, runs a command named brisalo
// ("GL:brisalo" too); NoList when `text` has no programs.
ListEdit AddToProgramsList(const std::string& text, const std::string& entry, std::string* edited);

// A new ~/.xscreensaver made from the system's app-defaults: their programs list as the
// user's own, with `entry` added. Empty when the defaults hold no list.
std::string NewListFromDefaults(const std::string& defaults, const std::string& entry);

// --add-to-xscreensaver: edits $HOME/.xscreensaver in place (a new file renamed over it,
// with the old one's mode; a link is followed, even to a file not there yet), says on
// standard output what it did, and returns the exit code: 0, or 1 after a line on
// standard error.
int AddToXScreenSaver();
