#pragma once

// Makes the C library hand every large block (the GL's window-sized buffers) back to the
// system when it is freed, as at a fresh start, instead of keeping it for later.
void X11ReturnLargeBlocksToTheSystem();
