// Scoped access to a DIB handle: GlobalLock in the constructor, GlobalUnlock
// in the destructor, so every return path of a toolkit function unlocks the
// block it was given. The accessors check the block's real size (GlobalSize)
// so that a caller never reads a header or bits that the block does not hold.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dib/dib_layout.h"

namespace pexa {

class DibLock {
  public:
    // A null or invalid handle gives a lock that converts to false.
    explicit DibLock(HGLOBAL dib) noexcept : handle_(dib) {
        if (dib) bytes_ = static_cast<uint8_t *>(GlobalLock(dib));
        if (bytes_) size_ = GlobalSize(dib);
    }
    ~DibLock() { Unlock(); }
    DibLock(const DibLock &) = delete;
    DibLock &operator=(const DibLock &) = delete;

    // True while the block is locked.
    explicit operator bool() const { return bytes_ != nullptr; }

    // Unlocks early (e.g. before the handle is freed or reallocated).
    void Unlock() noexcept {
        if (bytes_) GlobalUnlock(handle_);
        bytes_ = nullptr;
        size_ = 0;
    }

    HGLOBAL handle() const { return handle_; }
    // Start of the block and its size in bytes (GlobalSize; 0 when unlocked).
    uint8_t *bytes() const { return bytes_; }
    size_t size() const { return size_; }

    // True when the block holds at least a full 40-byte info header.
    bool HasHeader() const { return bytes_ && size_ >= dib::kInfoHeaderSize; }

    // The info header at the start of the block; null when the block is
    // smaller than 40 bytes.
    BITMAPINFOHEADER *header() const {
        return HasHeader() ? reinterpret_cast<BITMAPINFOHEADER *>(bytes_) : nullptr;
    }
    BITMAPINFO *info() const { return reinterpret_cast<BITMAPINFO *>(header()); }

    // Offset of the pixel bits: 40 bytes, the colour table and, for
    // BI_BITFIELDS, the three masks. 0 without a header.
    uint64_t BitsOffset() const {
        return HasHeader() ? dib::BitsOffset(dib::ReadHeader(bytes_)) : 0;
    }
    // The pixel bits, or null when the colour table claims more than the
    // block holds.
    uint8_t *bits() const {
        uint64_t offset = BitsOffset();
        return offset != 0 && offset <= size_ ? bytes_ + offset : nullptr;
    }
    // Bytes the block holds from bits() to its end (0 when bits() is null).
    size_t BitsSize() const { return bits() ? size_t(size_ - BitsOffset()) : 0; }

  private:
    HGLOBAL handle_ = nullptr;
    uint8_t *bytes_ = nullptr;
    size_t size_ = 0;
};

} // namespace pexa
