# Cross build for 32-bit Windows with mingw-w64 (posix thread model).
# 32-bit programs cannot run on the build machines: this build is compiled
# and linked only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PEXA_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${PEXA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PEXA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PEXA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PEXA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
