// A fault on the library thread ends the program, with a word why.
//
// The system swallows a fault inside a window procedure (Wine does, and so
// does 64-bit Windows for a procedure called from the kernel): the request
// that faulted returns 0 to its sender, the frame that faulted keeps the
// scene lock, and the next call that needs the lock waits forever. A fault
// there is a fault of the program (its own object's Draw, a DIB freed under a
// Bitmap) or of the library; either way the program cannot go on. The guard
// sees the fault first (a vectored handler), prints what the library thread
// was doing (which message or request, which window's frame, which kind of
// object was drawing) and ends the process with the fault's code, as an
// unhandled fault on the program's own thread would end it, only without
// the debugger that Wine starts and waits for.
#pragma once

#include "runtime/win32_library.h"

namespace pexa {

// Watches the library thread (once; the thread that calls it).
void GuardLibraryThread();

// A C++ exception that reached the window procedure: reported and ended
// like a fault.
[[noreturn]] void EndOnException();

// Scopes that record the message being handled and the frame being drawn.
class HandlingMessage {
  public:
    explicit HandlingMessage(UINT message) : saved_(lib.activity.message) {
        lib.activity.message = message;
    }
    ~HandlingMessage() { lib.activity.message = saved_; }
    HandlingMessage(const HandlingMessage &) = delete;
    HandlingMessage &operator=(const HandlingMessage &) = delete;

  private:
    UINT saved_;
};

class DrawingFrame {
  public:
    explicit DrawingFrame(const cWind *w) : saved_(lib.activity.frame) { lib.activity.frame = w; }
    ~DrawingFrame() { lib.activity.frame = saved_; }
    DrawingFrame(const DrawingFrame &) = delete;
    DrawingFrame &operator=(const DrawingFrame &) = delete;

  private:
    const cWind *saved_;
};

} // namespace pexa
