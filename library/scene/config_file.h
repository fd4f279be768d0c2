// "pexa16.ini": the initial settings of every scene window as a text file.
// This file owns the settings table (key, type, group, comment, field), the
// text of the file the library writes when none exists, and the reader's
// rules. Finding, reading and writing the file is the window's business;
// here everything works on text in memory.
//
// Reading rules: the first two lines are skipped whatever they hold; then
// the text is read as pairs of whitespace-separated tokens, key and value,
// the rest of the line after the value being a comment. Keys are compared
// exactly; an unknown key is ignored; a missing key keeps its value.
#pragma once

#include <cstddef>
#include <string>

namespace pexa {

struct ViewState;
struct RenderState;
struct OverlayState;
struct PickState;

// The window's settings that the file holds, by reference.
struct WindowConfig {
    ViewState &view;
    RenderState &render;
    OverlayState &overlay;
    PickState &pick;
};

extern const char kConfigFileName[];   // "pexa16.ini"
extern const char kConfigSaveFailed[]; // console line when the file cannot be written

// Gives every setting of the file its built-in default (other fields keep
// their values).
void ConfigDefaults(const WindowConfig &config);
// Applies the settings of a file's text of size bytes (no terminating zero
// needed; any bytes are safe).
void ParseConfig(const char *text, size_t size, const WindowConfig &config);
// The file's text for the current settings, lines ending in "\n" (a stream
// opened in text mode writes them as the system's line ends).
void FormatConfig(const WindowConfig &config, std::string &out);

} // namespace pexa
