// How a message reaches its handler: every request (1024 to 1251) and every
// system message a scene window handles has one route, declared by the
// feature file that owns it:
//
//   const Route kRoutes[] = {
//       {PEXA_MSG_SHOW_WIND, Target::WindowArg, ShowScene, 0},
//       {WM_MOVE, Target::Receiver, OnMove, 0},
//   };
//   PEXA_ROUTES(kRoutes);
//
// The window procedure (win32_dispatch.cpp) only looks a message up, finds
// the window the route names and calls the handler. Numbers without a route
// go to DefWindowProcA. A number routed twice is a fault that the route
// check of the tests finds (a debug build stops at load).
#pragma once

#include <windows.h>

#include <cstddef>

namespace pexa {

class cWind;

// The window a handler acts on.
enum class Target {
    Current,   // the current window
    WindowArg, // the window passed in wParam
    Receiver,  // the scene window that received the message (window registry)
    None,      // no window; the handler gets w = null
};

struct Call {
    HWND hwnd; // the window that received the message
    cWind *w;  // the target window
    WPARAM wParam;
    LPARAM lParam;
};

using Handler = LRESULT (*)(const Call &call);

struct Route {
    UINT message;
    Target target;
    Handler handle;
    LRESULT noTarget; // the result when the target window does not exist
};

// Enters a feature's routes at load time (static initialisation of the
// library), before any message can arrive.
class RouteTable {
  public:
    RouteTable(const Route *routes, size_t count);
};

#define PEXA_ROUTES(routes)                                                                        \
    static const ::pexa::RouteTable routes##Entered(routes, sizeof(routes) / sizeof(routes[0]))

// The route of a message, or null.
const Route *FindRoute(UINT message);

// The route check: how many routes the feature files declared for request
// message (exactly one each), and how many routes the table refused (none:
// a message routed twice, or more system routes than the table holds).
int RoutesDeclared(UINT message);
size_t RefusedRoutes();

} // namespace pexa
