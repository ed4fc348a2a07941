# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRISALO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRISALO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRISALO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRISALO_MINGW_TRIPLE}-windres)

# Headers and libraries come from the mingw tree only, never from the host's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${BRISALO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime libraries go into the executable: it needs only the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
