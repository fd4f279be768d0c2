// Captures what the library prints on standard output while it lives.
#pragma once

#include <cstdio>
#include <string>

namespace pexatest {

class StdoutCapture {
  public:
    StdoutCapture();
    ~StdoutCapture();
    // Everything printed since construction (or the last call).
    std::string take();

  private:
    std::string path_;
    int saved_ = -1;
    long offset_ = 0;
};

} // namespace pexatest
