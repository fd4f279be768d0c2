// The window procedure of the dispatch window and every scene window: looks
// the message up among the routes the feature files declared, finds the
// window the route names and calls its handler.
#include <cstdio>
#include <cstdlib>

#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

// Requests by number; other messages (a few dozen) in a short list.
constexpr UINT kRequestCount = PEXA_MSG_LAST - PEXA_MSG_FIRST + 1;
const Route *requestRoutes[kRequestCount];
constexpr size_t kMaxSystemRoutes = 64;
const Route *systemRoutes[kMaxSystemRoutes];
size_t systemRouteCount;
// What the feature files declared, refused routes included, for the route
// check of the tests. Zero-initialised storage, like the tables.
unsigned char requestRoutesDeclared[kRequestCount];
size_t refusedRoutes;

bool IsRequest(UINT message) {
    return message >= PEXA_MSG_FIRST && message <= PEXA_MSG_LAST;
}

// A window the library still serves: a deleted one answers with the route's
// no-target result.
cWind *Live(cWind *w) {
    return w && !w->tornDown ? w : nullptr;
}

// A second route for one message, or more system routes than the table
// holds, is a fault of the library: which route would win would depend on
// the order of static initialisation. Counted for the route check; a debug
// build stops at load.
void Refuse(UINT message, const char *why) {
    ++refusedRoutes;
#ifndef NDEBUG
    std::fprintf(stderr, "pexa: the route of message %u is refused: %s\n", message, why);
    std::abort();
#else
    (void)message;
    (void)why;
#endif
}

} // namespace

// Static initialisation fills the tables; zero-initialised storage is in
// place before any of it runs.
RouteTable::RouteTable(const Route *routes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const Route *route = &routes[i];
        if (IsRequest(route->message)) {
            unsigned char &declared = requestRoutesDeclared[route->message - PEXA_MSG_FIRST];
            if (declared < 255) ++declared;
        }
        if (FindRoute(route->message)) {
            Refuse(route->message, "the message has a route already");
        } else if (IsRequest(route->message)) {
            requestRoutes[route->message - PEXA_MSG_FIRST] = route;
        } else if (systemRouteCount < kMaxSystemRoutes) {
            systemRoutes[systemRouteCount++] = route;
        } else {
            Refuse(route->message, "the table of system routes is full");
        }
    }
}

int RoutesDeclared(UINT message) {
    return IsRequest(message) ? requestRoutesDeclared[message - PEXA_MSG_FIRST] : 0;
}

size_t RefusedRoutes() {
    return refusedRoutes;
}

const Route *FindRoute(UINT message) {
    if (IsRequest(message)) return requestRoutes[message - PEXA_MSG_FIRST];
    for (size_t i = 0; i < systemRouteCount; ++i)
        if (systemRoutes[i]->message == message) return systemRoutes[i];
    return nullptr;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const Route *route = FindRoute(message);
    if (!route) return DefWindowProcA(hwnd, message, wParam, lParam);
    Call call{hwnd, nullptr, wParam, lParam};
    switch (route->target) {
    case Target::Current:
        call.w = Live(CurrentWindow());
        break;
    case Target::WindowArg:
        call.w = Live(reinterpret_cast<cWind *>(wParam));
        break;
    case Target::Receiver:
        // The window whose message is handled is the one object drawing and
        // the dialogs take their window from.
        call.w = lib.windowRegistry.find(hwnd) ? lib.windowRegistry.found()->wind : nullptr;
        lib.handledWind = call.w;
        break;
    case Target::None:
        return route->handle(call);
    }
    return call.w ? route->handle(call) : route->noTarget;
}

} // namespace pexa
