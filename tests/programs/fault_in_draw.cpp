// A program whose own object faults in its Draw: the library must end it
// with a line that says so, not leave the next call waiting for ever.
#include "pexa.h"

class Faulty : public cObj {
  public:
    Faulty() : cObj(0) {}
    void Draw() override { *static_cast<volatile int *>(nullptr) = 1; }
    void DrawExtra() override {}
};

int main() {
    void *w = CreateWind(" faulty object", 200, 150);
    SendPexaMsg(PEXA_MSG_INSERT_3D, reinterpret_cast<WPARAM>(static_cast<cObj *>(new Faulty)), 0);
    ShowWind(w);
    RefreshWind(w);
    Text2D(NULL, "after the fault", 0, 0);
    return 0;
}
