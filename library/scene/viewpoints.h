// A scene window's named viewpoints: the list behind the "Viewpoints" menu,
// ViewpointAdd, ViewpointDel and ViewpointSet, and the conversions between
// a viewpoint and the window's view in every action mode.
//
// Each record keeps the menu command id it was given when added, for life.
// Ids come from a counter that only grows from 60000, so a deleted record's
// id is not handed to a later one (a menu item showing one viewpoint must
// never apply another); only once the counter has passed the last command
// id (65535) are ids of deleted records taken again, the lowest free first.
#pragma once

#include "scene/pexa_core.h"

#include <cstddef>

namespace pexa {

struct ViewState;

struct cViewpoint {
    char name[64]; // compared exactly
    float pos[3];  // eye position in the ROTATE sense
    float axis[3];
    float rot;    // degrees
    double angle; // view angle, degrees
    int menuId;
    cViewpoint *next;
};

class cVPList {
  public:
    static constexpr int kFirstMenuId = 60000;
    static constexpr int kLastMenuId = 65535; // command ids are 16-bit

    cVPList() = default;
    ~cVPList() { clear(); }
    cVPList(const cVPList &) = delete;
    cVPList &operator=(const cVPList &) = delete;

    // Appends a copy of data (the name cut to 63 characters) as the current
    // record; null when it cannot be allocated or every id is in use.
    cViewpoint *add(const ViewpointData &data);
    // The record of that exact name, or of that menu id (the first in list
    // order); a record found becomes current.
    cViewpoint *find(const char *name);
    cViewpoint *findById(int menuId);
    // Unlinks and frees a record of this list; current moves to its
    // predecessor (to the new first record when the first goes). False when
    // the record is not in the list.
    bool remove(cViewpoint *record);
    void clear();

    cViewpoint *first() const { return first_; }
    cViewpoint *last() const { return last_; }
    cViewpoint *current() const { return current_; }
    int count() const { return count_; }

  private:
    int takeMenuId(); // 0 when all are in use
    cViewpoint *first_ = nullptr;
    int nextMenuId_ = kFirstMenuId;
    cViewpoint *last_ = nullptr;
    cViewpoint *current_ = nullptr;
    int count_ = 0;
};

// Copies at most size - 1 characters of text (which need not end within
// textMax characters) and always terminates.
void CopyName(char *to, size_t size, const char *text, size_t textMax);
// The window's first viewpoint: the configured name, position and rotation.
ViewpointData InitialViewpoint(const ViewState &view);
// The view as the window shows it now, under name: ROTATE gives the
// accumulated rotation, FLY and WALK turn the camera into an orientation and
// the eye into its ROTATE-sense position (the window's view is unchanged).
ViewpointData ViewpointFromView(const ViewState &view, const char *name);
// Sets the view from a record absolutely, in any mode (stopping all motion);
// returns the NavEffect flags of the frame that shows it.
unsigned ApplyViewpoint(ViewState &view, const cViewpoint &record);

} // namespace pexa
