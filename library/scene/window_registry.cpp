// Window registry (portable): a singly linked list with links to its first
// and last entries and to the entry the last lookup found.
#include "scene/window_registry.h"

#include <cstring>
#include <new>

namespace pexa {

bool cWPWHList::append(const char *title, cWind *wind, void *hwnd) {
    cWPWH *entry = new (std::nothrow) cWPWH{};
    if (!entry) return false;
    if (title) {
        std::strncpy(entry->title, title, sizeof entry->title - 1);
        entry->title[sizeof entry->title - 1] = 0;
    }
    entry->wind = wind;
    entry->hwnd = hwnd;
    if (last_)
        last_->next = entry;
    else
        first_ = entry;
    last_ = entry;
    return true;
}

bool cWPWHList::find(void *hwnd) {
    for (cWPWH *e = first_; e; e = e->next) {
        if (e->hwnd == hwnd) {
            found_ = e;
            return true;
        }
    }
    found_ = nullptr; // so a remove() after a failed lookup removes nothing
    return false;
}

void cWPWHList::remove() {
    if (!found_) return;
    cWPWH *previous = nullptr;
    cWPWH *e = first_;
    while (e && e != found_) {
        previous = e;
        e = e->next;
    }
    if (!e) { // the found link no longer names an entry
        found_ = nullptr;
        return;
    }
    if (previous)
        previous->next = e->next;
    else
        first_ = e->next;
    if (last_ == e) last_ = previous;
    found_ = previous ? previous : first_;
    delete e;
}

void cWPWHList::clear() {
    while (first_) {
        found_ = first_;
        remove();
    }
    found_ = nullptr;
}

} // namespace pexa
