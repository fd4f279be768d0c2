// Settings table, writer and reader of "pexa16.ini" (portable).
#include "scene/config_file.h"

#include "scene/navigation.h"
#include "scene/viewpoints.h"
#include "scene/window_state.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pexa {

const char kConfigFileName[] = "pexa16.ini";
const char kConfigSaveFailed[] = "\nSave pexa.ini file failed";

namespace {

const char kHeader[] = "Initialization Parameters for Pexa V1.5 - Brellan Graphics Interface\n";

// The reader's token buffer: tokens hold at most 199 characters.
constexpr size_t kTokenSize = 200;

// Doubles are read as float and widened; text fills char[100].
enum class Kind { Int, Float, Double, Text };

struct Setting {
    int group; // an empty line stands before each group
    const char *key;
    Kind kind;
    const char *comment;
    void *(*field)(const WindowConfig &);
};

#define PEXA_FIELD(member) [](const WindowConfig &c) -> void * { return &c.member; }

const Setting kSettings[] = {
    {1, "initDraw2D", Kind::Int, "(Boolean flag if 2D objects should be drawn after inserting)",
     PEXA_FIELD(overlay.initDraw2D)},
    {1, "relToPos2D", Kind::Int,
     "(Boolean flag if 2D objects should be drawn relative to the current position)",
     PEXA_FIELD(overlay.relToPos2D)},
    {2, "clipnear", Kind::Double, "(Distance from the eye point to near cliping plane)",
     PEXA_FIELD(view.clipnear)},
    {2, "clipfar", Kind::Double, "(Distance from the eye point to far cliping plane)",
     PEXA_FIELD(view.clipfar)},
    {2, "angle", Kind::Double, "(View angle)", PEXA_FIELD(view.angle)},
    {3, "rotate_drot", Kind::Float, "(Incremental rotation angle in ROTATE mode)",
     PEXA_FIELD(view.rotate_drot)},
    {3, "rotate_dpos", Kind::Float, "(Incremental position translation in ROTATE mode)",
     PEXA_FIELD(view.rotate_dpos)},
    {3, "fly_dspeed", Kind::Float, "(Incremental speed increase (keyboard) in FLY mode)",
     PEXA_FIELD(view.fly_dspeed)},
    {3, "walk_drot", Kind::Float, "(Incremental rotation angle (keyboard) in WALK mode)",
     PEXA_FIELD(view.walk_drot)},
    {3, "walk_dpos", Kind::Float, "(Incremental position translation (keyboard) in WALK mode)",
     PEXA_FIELD(view.walk_dpos)},
    {4, "sensib_rotate", Kind::Float, "(Mouse sensebility in ROTATE mode)",
     PEXA_FIELD(view.sensib_rotate)},
    {4, "sensib_x_fly", Kind::Float, "(Horizontal mouse sensebility in FLY mode)",
     PEXA_FIELD(view.sensib_x_fly)},
    {4, "sensib_y_fly", Kind::Float, "(Vertical mouse sensebility in FLY mode)",
     PEXA_FIELD(view.sensib_y_fly)},
    {4, "sensib_x_walk", Kind::Float, "(Horizontal mouse sensebility in WALK mode)",
     PEXA_FIELD(view.sensib_x_walk)},
    {4, "sensib_y_walk", Kind::Float, "(Vertical mouse sensebility in WALK mode)",
     PEXA_FIELD(view.sensib_y_walk)},
    {4, "auto_delay", Kind::Int, "(Delay for continuous motion in ROTATE mode)",
     PEXA_FIELD(view.auto_delay)},
    {4, "yaw_roll_ratio", Kind::Float,
     "(Ratio between yaw and roll. 0.0 -> horiz. mouse movement is 100% yaw)",
     PEXA_FIELD(view.yaw_roll_ratio)},
    {4, "yaw_around_y", Kind::Int,
     "(Boolean flag if yaw is around the world y axis. If FALSE yaw is around airplanes look "
     "up axis)",
     PEXA_FIELD(view.yaw_around_y)},
    {4, "steardelay", Kind::Float, "(For future use)", PEXA_FIELD(view.steardelay)},
    {5, "colorbits", Kind::Int, "(NO. of bits of OpenGL color buffer)",
     PEXA_FIELD(render.colorbits)},
    {5, "depthbits", Kind::Int, "(NO. of bits of OpenGL depth buffer)",
     PEXA_FIELD(render.depthbits)},
    {5, "pickvolume", Kind::Int, "(Rectangle size of the pick volume for selection mode)",
     PEXA_FIELD(pick.pickvolume)},
    {5, "selectBufSize", Kind::Int, "(Size of selection buffer)", PEXA_FIELD(pick.selectBufSize)},
    {6, "action_mode", Kind::Int, "(0=ROTATE, 1=FLY, 2=WALK)", PEXA_FIELD(view.action_mode)},
    {6, "shade_mode", Kind::Int, "(100000=SMOOTH, 100001=FLAT, 100002=NONE)",
     PEXA_FIELD(render.shade_mode)},
    {6, "draw_mode", Kind::Int, "(100010=POINT, 100011=LINE, 100012=FILL)",
     PEXA_FIELD(render.draw_mode)},
    {6, "project_mode", Kind::Int, "(0=PERSPECTIVE, 1=ORTHOGONAL)", PEXA_FIELD(view.project_mode)},
    {7, "BackColor_r", Kind::Float, "(Background color: red)", PEXA_FIELD(render.BackColor[0])},
    {7, "BackColor_g", Kind::Float, "(Background color: green)", PEXA_FIELD(render.BackColor[1])},
    {7, "BackColor_b", Kind::Float, "(Background color: blue)", PEXA_FIELD(render.BackColor[2])},
    {7, "lightmodelamb_r", Kind::Float, "(Ambient light component: red)",
     PEXA_FIELD(render.lightModelAmbient[0])},
    {7, "lightmodelamb_g", Kind::Float, "(Ambient light component: green)",
     PEXA_FIELD(render.lightModelAmbient[1])},
    {7, "lightmodelamb_b", Kind::Float, "(Ambient light component: blue)",
     PEXA_FIELD(render.lightModelAmbient[2])},
    {8, "iniVPName", Kind::Text, "(Initial viewpoint name)", PEXA_FIELD(view.iniVPName)},
    {8, "iniPos_x", Kind::Float, "(Initial eye pos.x)", PEXA_FIELD(view.iniPos[0])},
    {8, "iniPos_y", Kind::Float, "(Initial eye pos.y)", PEXA_FIELD(view.iniPos[1])},
    {8, "iniPos_z", Kind::Float, "(Initial eye pos.z)", PEXA_FIELD(view.iniPos[2])},
    {8, "iniRot", Kind::Float, "(Initial rotation angle used in ROTATE mode)",
     PEXA_FIELD(view.iniRot)},
    {8, "iniAxis_x", Kind::Float, "(Initial rotation axis.x used in ROTATE mode)",
     PEXA_FIELD(view.iniAxis[0])},
    {8, "iniAxis_y", Kind::Float, "(Initial rotation axis.y used in ROTATE mode)",
     PEXA_FIELD(view.iniAxis[1])},
    {8, "iniAxis_z", Kind::Float, "(Initial rotation axis.z used in ROTATE mode)",
     PEXA_FIELD(view.iniAxis[2])},
};

#undef PEXA_FIELD

constexpr size_t kTextSize = sizeof ViewState::iniVPName;

size_t FieldSize(Kind kind) {
    switch (kind) {
    case Kind::Int:
        return sizeof(int);
    case Kind::Float:
        return sizeof(float);
    case Kind::Double:
        return sizeof(double);
    case Kind::Text:
        return kTextSize;
    }
    return 0;
}

// The selection buffer is allocated with this many entries: fewer than one
// cannot be allocated, and the cap keeps a typing slip from asking for
// gigabytes.
bool IntUsable(const Setting &s, long value) {
    if (value < INT_MIN || value > INT_MAX) return false;
    if (std::strcmp(s.key, "selectBufSize") == 0) return value >= 1 && value <= (1L << 20);
    return true;
}

// A value that is not a number (or, for reals, not a finite one, or for
// integers, out of range) leaves the setting as it was, normally its
// default: the setting stays usable. Like "%d" and "%f", a number followed
// by other characters counts by its leading number ("12abc" reads as 12).
void Apply(const Setting &s, const char *value, const WindowConfig &config) {
    void *field = s.field(config);
    char *end = nullptr;
    errno = 0;
    switch (s.kind) {
    case Kind::Int: {
        long v = std::strtol(value, &end, 10);
        if (end != value && errno != ERANGE && IntUsable(s, v)) *static_cast<int *>(field) = int(v);
        break;
    }
    case Kind::Float:
    case Kind::Double: {
        float v = std::strtof(value, &end);
        if (end == value || !std::isfinite(v)) break;
        if (s.kind == Kind::Float)
            *static_cast<float *>(field) = v;
        else
            *static_cast<double *>(field) = v;
        break;
    }
    case Kind::Text:
        CopyName(static_cast<char *>(field), kTextSize, value, kTokenSize);
        break;
    }
}

// "%s" whitespace: the C locale's six characters.
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

struct Reader {
    const char *at;
    const char *end;

    // Skips the rest of the line, however long, with its line end. (A line
    // reader of fixed size would hand the tail of a long comment back to
    // the token reader, which would take its words for settings.)
    void skipLine() {
        const void *nl = std::memchr(at, '\n', size_t(end - at));
        at = nl ? static_cast<const char *>(nl) + 1 : end;
    }

    // The next whitespace-separated token, across line ends. A token longer
    // than the buffer is cut to 199 characters and its tail dropped, so the
    // tail is not taken for the next token.
    bool token(char out[kTokenSize]) {
        while (at < end && IsSpace(*at))
            ++at;
        if (at == end) return false;
        size_t n = 0;
        for (; at < end && !IsSpace(*at); ++at)
            if (n < kTokenSize - 1) out[n++] = *at;
        out[n] = 0;
        return true;
    }
};

void Append(std::string &out, const char *format, ...) {
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (n > 0) {
        size_t at = out.size();
        out.resize(at + size_t(n) + 1);
        std::vsnprintf(&out[at], size_t(n) + 1, format, again);
        out.resize(at + size_t(n));
    }
    va_end(again);
}

} // namespace

void ConfigDefaults(const WindowConfig &config) {
    ViewState view;
    RenderState render;
    OverlayState overlay;
    PickState pick;
    const WindowConfig defaults{view, render, overlay, pick};
    for (const Setting &s : kSettings)
        std::memcpy(s.field(config), s.field(defaults), FieldSize(s.kind));
}

void ParseConfig(const char *text, size_t size, const WindowConfig &config) {
    if (!text) return;
    Reader in{text, text + size};
    in.skipLine(); // header
    in.skipLine(); // empty line
    char key[kTokenSize], value[kTokenSize];
    // A key without a value at the end of the text is ignored.
    while (in.token(key) && in.token(value)) {
        in.skipLine(); // the comment
        for (const Setting &s : kSettings)
            if (std::strcmp(key, s.key) == 0) {
                Apply(s, value, config);
                break;
            }
    }
    config.view.angle = ClampViewAngle(config.view.angle, ViewState().angle);
}

void FormatConfig(const WindowConfig &config, std::string &out) {
    out.assign(kHeader);
    out += "\n";
    int group = 0;
    for (const Setting &s : kSettings) {
        if (s.group != group) out += "\n";
        group = s.group;
        const void *field = s.field(config);
        switch (s.kind) {
        case Kind::Int:
            Append(out, "%-17s %d %s\n", s.key, *static_cast<const int *>(field), s.comment);
            break;
        case Kind::Float:
            Append(out, "%-17s %f %s\n", s.key, double(*static_cast<const float *>(field)),
                   s.comment);
            break;
        case Kind::Double:
            Append(out, "%-17s %f %s\n", s.key, *static_cast<const double *>(field), s.comment);
            break;
        case Kind::Text: {
            char name[kTextSize];
            CopyName(name, sizeof name, static_cast<const char *>(field), kTextSize);
            Append(out, "%-17s %s %s\n", s.key, name, s.comment);
            break;
        }
        }
    }
}

} // namespace pexa
