// The window procedure of the dispatch window and every scene window: looks
// the message up among the routes the feature files declared, finds the
// window the route names and calls its handler.
#include <cstdio>
#include <cstdlib>

#include "runtime/win32_fault_guard.h"
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

// A window the library still serves: one CreateWind made and not deleted.
// Any other pointer (a deleted window, a stale or foreign one) answers with
// the route's no-target result and is never dereferenced.
cWind *Live(cWind *w) {
    return w && IsKnownWindow(w) && !w->tornDown ? w : nullptr;
}

// A request acts on the calling thread's 3D list: its innermost open group,
// else the root list. Requests may nest (an object's Draw may call the
// library), so the list of the request outside is put back after.
class ThreadList {
  public:
    ThreadList(cWind *w, DWORD thread) : w_(w), thread_(thread), outer_(w->lists.current3D) {
        if (w->lists.list3D) w->lists.current3D = w->lists.openGroups.Of(thread, w->lists.list3D);
    }
    ~ThreadList() {
        SceneLists &l = w_->lists;
        if (!l.list3D) return; // torn down meanwhile
        l.openGroups.Set(thread_, l.current3D, l.list3D);
        // A group destroyed meanwhile is no longer in the scene's index.
        const bool outerLives = outer_ && w_->graph.DepthOf(outer_) >= 0;
        l.current3D = outerLives ? outer_ : l.list3D;
    }
    ThreadList(const ThreadList &) = delete;
    ThreadList &operator=(const ThreadList &) = delete;

  private:
    cWind *w_;
    DWORD thread_;
    cGroup *outer_;
};

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const Route *route = FindRoute(message);
    if (!route) {
        // The dispatch window lives as long as the process: closing it would
        // leave every later request unanswered.
        if (message == WM_CLOSE && hwnd == lib.hDispatchWnd) return 0;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HandlingMessage handling(message);
    Call call{hwnd, nullptr, wParam, lParam};
    switch (route->target) {
    case Target::Current:
        call.w = Live(CurrentWindow());
        if (call.w) {
            ThreadList list(call.w, lib.requestThread);
            return route->handle(call);
        }
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

// Sets the thread on whose behalf a request runs, for its duration.
class OnBehalfOf {
  public:
    explicit OnBehalfOf(DWORD thread) : saved_(lib.requestThread) { lib.requestThread = thread; }
    ~OnBehalfOf() { lib.requestThread = saved_; }
    OnBehalfOf(const OnBehalfOf &) = delete;
    OnBehalfOf &operator=(const OnBehalfOf &) = delete;

  private:
    DWORD saved_;
};

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
    // A C++ exception must not cross into the system, which would swallow
    // it as it swallows faults (win32_fault_guard.h).
    try {
        if (message == kThreadRequest) {
            const auto *request = reinterpret_cast<const RequestFromThread *>(wParam);
            if (hwnd != lib.hDispatchWnd || !request) return 0;
            OnBehalfOf sender(request->thread);
            return Dispatch(hwnd, request->message, request->wParam, request->lParam);
        }
        OnBehalfOf sender(0); // from elsewhere: a thread without open groups
        return Dispatch(hwnd, message, wParam, lParam);
    } catch (...) {
        EndOnException();
    }
}

} // namespace pexa
