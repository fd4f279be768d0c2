// Context menu check marks, mode commands and bitmap file names (portable).
#include "scene/context_menu.h"

#include "resources/resource_ids.h"
#include "scene/navigation.h"
#include "scene/window_state.h"

#include <cstring>

namespace pexa {

namespace {

// Command id, the mode value it stands for, and its group.
enum class Group { Shade, Draw, Action, Projection };
struct ModeItem {
    int command;
    int mode;
    Group group;
};
const ModeItem kModeItems[kMenuCheckCount] = {
    {PEXA_CMD_SMOOTH, PEXA_SMOOTH, Group::Shade},
    {PEXA_CMD_FLAT, PEXA_FLAT, Group::Shade},
    {PEXA_CMD_SHADE_NONE, PEXA_SHADE_NONE, Group::Shade},
    {PEXA_CMD_FILLED, PEXA_FILL, Group::Draw},
    {PEXA_CMD_LINES, PEXA_LINE, Group::Draw},
    {PEXA_CMD_POINTS, PEXA_POINT, Group::Draw},
    {PEXA_CMD_ROTATE, PEXA_ROTATE, Group::Action},
    {PEXA_CMD_FLY, PEXA_FLY, Group::Action},
    {PEXA_CMD_WALK, PEXA_WALK, Group::Action},
    {PEXA_CMD_PERSPECTIVE, PEXA_PERSPECTIVE, Group::Projection},
    {PEXA_CMD_ORTHOGONAL, PEXA_ORTHOGONAL, Group::Projection},
};

int CurrentMode(Group group, const ViewState &view, const RenderState &render) {
    switch (group) {
    case Group::Shade:
        return render.shade_mode;
    case Group::Draw:
        return render.draw_mode;
    case Group::Action:
        return view.action_mode;
    case Group::Projection:
        return view.project_mode;
    }
    return -1;
}

} // namespace

void MenuChecks(const ViewState &view, const RenderState &render, MenuCheck out[kMenuCheckCount]) {
    for (int i = 0; i < kMenuCheckCount; ++i) {
        const ModeItem &item = kModeItems[i];
        out[i] = {item.command, CurrentMode(item.group, view, render) == item.mode};
    }
}

bool RunMenuModeCommand(int command, ViewState &view, RenderState &render, unsigned &effects) {
    if (command == PEXA_CMD_STOP_MOTION) {
        StopNav(view);
        effects = kNavNone;
        return true;
    }
    for (const ModeItem &item : kModeItems) {
        if (item.command != command) continue;
        switch (item.group) {
        case Group::Shade:
            effects = SetShadeMode(render, item.mode);
            break;
        case Group::Draw:
            effects = SetDrawMode(render, item.mode);
            break;
        case Group::Action:
            effects = SetActionMode(view, item.mode);
            break;
        case Group::Projection:
            effects = SetProjectionMode(view, item.mode, view.angle, view.clipnear, view.clipfar);
            break;
        }
        return true;
    }
    return false;
}

bool BitmapFileName(char *name, size_t size) {
    static const char kExtension[] = ".bmp";
    const size_t extension = sizeof kExtension - 1;
    size_t length = 0;
    while (length < size && name[length])
        ++length;
    if (length == size) return false; // not terminated within the buffer
    if (length >= extension && std::memcmp(name + length - extension, kExtension, extension) == 0)
        return true;
    if (size - length < sizeof kExtension) return false;
    std::memcpy(name + length, kExtension, sizeof kExtension);
    return true;
}

} // namespace pexa
