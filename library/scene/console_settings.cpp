// What ResetConsole computes (see console_settings.h).
#include "scene/console_settings.h"

#include <algorithm>

namespace pexa {

ConsoleGeometry ConsoleGeometryFor(int x, int y, int width, int height, int bufferWidth,
                                   int bufferHeight) {
    ConsoleGeometry g{x, y, width, height, bufferWidth, bufferHeight};
    if (g.bufferWidth == 0 || g.bufferWidth < width) g.bufferWidth = width;
    if (g.bufferHeight == 0 || g.bufferHeight < height) g.bufferHeight = height;
    return g;
}

std::string ConsoleKeyName(const char *startupTitle) {
    std::string title = startupTitle ? startupTitle : "";
    std::replace(title.begin(), title.end(), '\\', '_');
    return "CONSOLE\\" + title;
}

} // namespace pexa
