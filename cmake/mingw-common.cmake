# Shared part of the mingw-w64 toolchain files: compilers of PEXA_TRIPLE
# (posix thread model), and look-ups confined to its sysroot.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${PEXA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PEXA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PEXA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PEXA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
