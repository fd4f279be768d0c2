// Redirects file descriptor 1 into a temporary file; the library's console
// lines go through the same C runtime, so they land there too.
#include "support/stdout_capture.h"

#include <fcntl.h>
#include <io.h>

#include <fstream>
#include <sstream>

#include "support/pexa_test.h"

namespace pexatest {

StdoutCapture::StdoutCapture() : path_(TempPath("stdout.txt")) {
    std::fflush(stdout);
    saved_ = _dup(1);
    int fd = _open(path_.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
    _dup2(fd, 1);
    _close(fd);
}

StdoutCapture::~StdoutCapture() {
    std::fflush(stdout);
    _dup2(saved_, 1);
    _close(saved_);
    std::remove(path_.c_str());
}

std::string StdoutCapture::take() {
    std::fflush(stdout);
    std::ifstream in(path_, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    std::string text = all.str();
    std::string fresh = text.substr(size_t(offset_) <= text.size() ? size_t(offset_) : text.size());
    offset_ = long(text.size());
    return fresh;
}

} // namespace pexatest
