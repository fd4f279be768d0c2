// Bounded per-window event queue (portable).
#include "scene/event_queue.h"

#include <new>

namespace pexa {

void cEventList::append(int message, uint32_t wParam, uint32_t lParam) {
    cEvent *event = new (std::nothrow) cEvent{message, wParam, lParam, first_};
    if (!event) return;
    first_ = event;
    if (++count_ <= capacity_) return;
    // Drop the oldest: the end of the chain.
    cEvent *beforeLast = first_;
    while (beforeLast->next && beforeLast->next->next)
        beforeLast = beforeLast->next;
    delete beforeLast->next;
    beforeLast->next = nullptr;
    --count_;
}

TakenEvent *cEventList::take(int kind) {
    if (kind == kClearAll) {
        clear();
        return nullptr;
    }
    cEvent **link = &first_;
    while (*link && kind != 0 && (*link)->message != kind)
        link = &(*link)->next;
    cEvent *event = *link;
    if (!event) return nullptr;
    taken_ = {uint32_t(event->message), event->wParam, event->lParam};
    *link = event->next;
    delete event;
    --count_;
    return &taken_;
}

bool cEventList::exists(int kind) const {
    for (const cEvent *e = first_; e; e = e->next)
        if (kind == 0 || e->message == kind) return true;
    return false;
}

void cEventList::clear() {
    while (first_) {
        cEvent *next = first_->next;
        delete first_;
        first_ = next;
    }
    count_ = 0;
}

} // namespace pexa
