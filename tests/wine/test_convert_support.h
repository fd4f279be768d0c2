// DIB handles for the Wine tests of the conversions: packed DIBs built byte
// by byte (the native tests' builder) put into global memory and read back.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

#include "../native/test_convert_support.h"

namespace dibtest {

// A new GHND block holding the bytes; the caller frees it.
inline HGLOBAL ToHandle(const std::vector<uint8_t> &bytes) {
    HGLOBAL h = GlobalAlloc(GHND, bytes.size());
    if (!h) return nullptr;
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    return h;
}

// The block's bytes (all of GlobalSize).
inline std::vector<uint8_t> BytesOf(HGLOBAL h) {
    std::vector<uint8_t> out;
    if (!h) return out;
    const auto *p = static_cast<const uint8_t *>(GlobalLock(h));
    out.assign(p, p + GlobalSize(h));
    GlobalUnlock(h);
    return out;
}

inline UINT LockCount(HGLOBAL h) {
    return GlobalFlags(h) & GMEM_LOCKCOUNT;
}

// Frees the handle when the scope ends.
struct OwnedDib {
    HGLOBAL h = nullptr;
    explicit OwnedDib(HGLOBAL handle) : h(handle) {}
    ~OwnedDib() {
        if (h) GlobalFree(h);
    }
    OwnedDib(const OwnedDib &) = delete;
    OwnedDib &operator=(const OwnedDib &) = delete;
    operator HGLOBAL() const { return h; }
};

} // namespace dibtest
