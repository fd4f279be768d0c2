// Identifiers of the library's resources, shared by the resource script and
// the code that loads them.
#pragma once

#define PEXA_ICON 1
