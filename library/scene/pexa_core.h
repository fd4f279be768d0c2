// The part of the public header that portable code may see: the constants
// and the cObj base class, without windows.h or OpenGL.
#pragma once

#ifndef PEXA_CORE_ONLY
#define PEXA_CORE_ONLY
#include "pexa.h"
#undef PEXA_CORE_ONLY
#else
#include "pexa.h"
#endif
