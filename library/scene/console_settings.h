// What ResetConsole computes before it touches the console: the buffer
// size, the registry key of the console settings and their packed values.
#pragma once

#include <cstdint>
#include <string>

namespace pexa {

struct ConsoleGeometry {
    int x, y, width, height, bufferWidth, bufferHeight;
};

// A buffer dimension below the window's (or 0) becomes the window's.
ConsoleGeometry ConsoleGeometryFor(int x, int y, int width, int height, int bufferWidth,
                                   int bufferHeight);
// "CONSOLE\" and the console's startup title with every backslash of the
// title turned into an underscore.
std::string ConsoleKeyName(const char *startupTitle);
// Two 16-bit halves in one registry DWORD: low, then high.
inline uint32_t PackConsoleValue(int low, int high) {
    return (uint32_t(high) << 16) + uint32_t(low);
}

} // namespace pexa
