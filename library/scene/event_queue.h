// A scene window's queue of its most recent input events (keys, characters,
// menu commands, mouse buttons), newest first, bounded in length. Plain data
// touched only on the library thread.
#pragma once

#include <cstdint>

#include "scene/pexa_core.h"

namespace pexa {

struct cEvent {
    int message;
    uint32_t wParam;
    uint32_t lParam;
    cEvent *next; // the next older event
};

// What GetEvent hands out: a copy of the event taken last.
struct TakenEvent {
    uint32_t message;
    uint32_t wParam;
    uint32_t lParam;
};

class cEventList {
  public:
    static constexpr int kDefaultCapacity = 20;
    static constexpr int kClearAll = PEXA_EVENT_CLEAR; // GetEvent empties the queue

    explicit cEventList(int capacity = kDefaultCapacity) : capacity_(capacity) {}
    ~cEventList() { clear(); }
    cEventList(const cEventList &) = delete;
    cEventList &operator=(const cEventList &) = delete;

    // Queues an event as the newest; drops the oldest beyond the capacity.
    // An event that cannot be allocated is not queued.
    void append(int message, uint32_t wParam, uint32_t lParam);
    // Takes the newest event of the kind (0 = any) into taken(); returns
    // &taken() or null when there is none. kClearAll empties and returns null.
    TakenEvent *take(int kind);
    bool exists(int kind) const;
    void clear();

    int count() const { return count_; }
    const cEvent *newest() const { return first_; }
    TakenEvent &taken() { return taken_; }

  private:
    cEvent *first_ = nullptr;
    int count_ = 0;
    int capacity_;
    TakenEvent taken_ = {0, 0, 0};
};

} // namespace pexa
