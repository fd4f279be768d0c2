# Platform helpers every folder uses: console lines, error boxes, the wait
# cursor, file handles, the clock.
set(PEXA_PLATFORM_WIN32
    platform/win32_messages.cpp)
