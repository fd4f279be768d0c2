// The Win32 side of the toolkit's pixel operations: result blocks in global
// memory, the wait cursor, and the error box. Each exported function is one
// call of RunOnDib with its portable operation.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dib/depth_convert.h"
#include "dib/win32_dib.h"
#include "dib/win32_dib_lock.h"
#include "runtime/win32_messages.h"

namespace pexa {

// A result block: GlobalAlloc(GHND), locked while the pixel code writes it.
// The wait cursor appears once the block exists. Freed on destruction unless
// released.
class GlobalResult final : public dib::ResultSink {
  public:
    GlobalResult() = default;
    GlobalResult(const GlobalResult &) = delete;
    GlobalResult &operator=(const GlobalResult &) = delete;
    ~GlobalResult() {
        if (bytes_) GlobalUnlock(handle_);
        if (handle_) GlobalFree(handle_);
    }

    uint8_t *Allocate(size_t size) override {
        if (handle_) return nullptr; // one block per operation
        handle_ = GlobalAlloc(GHND, size);
        if (!handle_) return nullptr;
        bytes_ = static_cast<uint8_t *>(GlobalLock(handle_));
        if (!bytes_) {
            GlobalFree(handle_);
            handle_ = nullptr;
            return nullptr;
        }
        PrefaultBlock(bytes_, size);
        ShowWaitCursor();
        return bytes_;
    }
    bool allocated() const { return handle_ != nullptr; }
    // Unlocks the block and hands it to the caller.
    HGLOBAL Release() {
        if (bytes_) GlobalUnlock(handle_);
        bytes_ = nullptr;
        HGLOBAL h = handle_;
        handle_ = nullptr;
        return h;
    }

  private:
    HGLOBAL handle_ = nullptr;
    uint8_t *bytes_ = nullptr;
};

// Runs operation(block, sink) on the locked DIB. A null (or unlockable) DIB
// shows nullText. On failure the result is freed, the arrow cursor restored
// and the operation's text shown; the DIB is unlocked on every path.
template <class Operation>
HGLOBAL RunOnDib(HGLOBAL dib, const char *nullText, Operation operation) {
    DibLock lock(dib);
    if (!lock) {
        ErrorBox(nullText);
        return nullptr;
    }
    GlobalResult result;
    const dib::Error error = operation(dib::Block{lock.bytes(), lock.size()}, result);
    lock.Unlock();
    const bool waited = result.allocated();
    HGLOBAL out = error ? nullptr : result.Release();
    if (waited) ShowArrowCursor();
    if (error) ErrorBox(error);
    return out;
}

// Runs the next step of a chain on an intermediate DIB and frees the
// intermediate, whether the step worked or not.
template <class Step> HGLOBAL ThenFree(HGLOBAL intermediate, Step step) {
    if (!intermediate) return nullptr;
    HGLOBAL out = step(intermediate);
    GlobalFree(intermediate);
    return out;
}

} // namespace pexa
