/* Resource numbers that the Win32 build loads and brisalo.rc defines; plain defines, since the
   resource compiler reads this file too. */
#pragma once

/* The saver's icon: the file's icon in Explorer, and its window class's. 100 is the number
   Windows' screen-saver library gives a saver's own icon. */
#define BRISALO_ICON_ID 100
