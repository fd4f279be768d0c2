// The Win32 side of the toolkit's pixel operations: result blocks in global
// memory, the wait cursor, and the error box, whose text the failure table
// renders from the function and the reason. Each exported function is one
// call of RunOnDib with its portable operation.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dib/depth_convert.h"
#include "dib/failure.h"
#include "dib/win32_dib.h"
#include "dib/win32_dib_lock.h"
#include "platform/win32_messages.h"

namespace pexa {

// Whether an operation writes every byte of its result, so that bringing the
// block's pages in first pays (see PrefaultBlock), or only where its data
// says (RLE decoding), so that untouched pages must stay untouched.
enum class Fill { kWhole, kSparse };

// A result block: GlobalAlloc(GHND), locked while the pixel code writes it.
// The wait cursor appears once the block exists. Freed on destruction unless
// released.
class GlobalResult final : public dib::ResultSink {
  public:
    explicit GlobalResult(Fill fill = Fill::kWhole) : fill_(fill) {}
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
        if (fill_ == Fill::kWhole) PrefaultBlock(bytes_, size);
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
    Fill fill_;
    HGLOBAL handle_ = nullptr;
    uint8_t *bytes_ = nullptr;
};

// Shows the box of failure in function.
inline void FailureBox(dib::Function function, dib::Failure failure) {
    ErrorBox(dib::FailureText(function, failure).c_str());
}

// Runs operation(block, sink) on the locked DIB as function. A null (or
// unlockable) DIB shows the function's "No DIB passed!". On failure the
// result is freed, the arrow cursor restored and the failure's box shown;
// the DIB is unlocked on every path.
template <class Operation>
HGLOBAL RunOnDib(HGLOBAL dib, dib::Function function, Operation operation,
                 Fill fill = Fill::kWhole) {
    DibLock lock(dib);
    if (!lock) {
        FailureBox(function, dib::Failure::kNoDib);
        return nullptr;
    }
    GlobalResult result(fill);
    const dib::Failure failure = operation(dib::Block{lock.bytes(), lock.size()}, result);
    lock.Unlock();
    const bool waited = result.allocated();
    const bool failed = failure != dib::Failure::kNone;
    HGLOBAL out = failed ? nullptr : result.Release();
    if (waited) ShowArrowCursor();
    if (failed) FailureBox(function, failure);
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
