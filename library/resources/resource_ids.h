// Identifiers of the library's resources, shared by the resource script and
// the code that loads them.
#pragma once

#define PEXA_ICON 1
#define PEXA_CURSOR_FLY 109
#define PEXA_CURSOR_WALK 110
#define PEXA_CURSOR_ROTATE 112
