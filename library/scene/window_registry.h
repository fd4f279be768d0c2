// The window registry: every scene window that has received WM_CREATE and
// not yet WM_DESTROY, so that system messages find their window object.
// Touched on the library thread only.
#pragma once

namespace pexa {

class cWind;

struct cWPWH {
    char title[64];
    cWind *wind;
    void *hwnd; // HWND, kept opaque so the registry stays portable
    cWPWH *next;
};

class cWPWHList {
  public:
    cWPWHList() = default;
    ~cWPWHList() { clear(); }
    cWPWHList(const cWPWHList &) = delete;
    cWPWHList &operator=(const cWPWHList &) = delete;

    // Appends an entry; false when it could not be allocated.
    bool append(const char *title, cWind *wind, void *hwnd);
    // Finds the entry of a window handle and remembers it for remove().
    bool find(void *hwnd);
    cWPWH *found() const { return found_; }
    // Removes the entry found last.
    void remove();
    void clear();

    cWPWH *first() const { return first_; }
    cWPWH *last() const { return last_; }

  private:
    cWPWH *first_ = nullptr;
    cWPWH *last_ = nullptr;
    cWPWH *found_ = nullptr;
};

} // namespace pexa
