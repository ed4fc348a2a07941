#pragma once

// The settings file is read and parsed once per process, on the first read of a key; a save
// rereads it. Tests that rewrite the file between reads start over with this.
void ForgetSettingsSnapshot();
