// Texts that objects keep (portable): an owned copy, and the length GDI and
// OpenGL are given.
#pragma once

#include <climits>
#include <cstring>
#include <new>

namespace pexa {

// A new copy of text (freed with delete[]); null for a null text or when
// there is no memory.
inline char *CopyText(const char *text) {
    if (!text) return nullptr;
    size_t n = std::strlen(text) + 1;
    char *copy = new (std::nothrow) char[n];
    if (copy) std::memcpy(copy, text, n);
    return copy;
}

// Characters of text, held at INT_MAX for the int counts of the calls that
// draw it.
inline int TextLength(const char *text) {
    size_t n = std::strlen(text);
    return n > size_t(INT_MAX) ? INT_MAX : int(n);
}

} // namespace pexa
