// libFuzzer target of the "pexa16.ini" reader: any bytes as a configuration
// file. The reader must stay inside the text, leave every setting usable
// (a terminated name, a selection buffer that can be allocated), and what
// it read must survive writing and reading again unchanged.
//   tools/build.sh fuzz && build/fuzz/fuzz_config_reader fuzz/corpus/fuzz_config_reader
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scene/config_file.h"
#include "scene/window_state.h"

namespace {

struct Settings {
    pexa::ViewState view;
    pexa::RenderState render;
    pexa::OverlayState overlay;
    pexa::PickState pick;
    pexa::WindowConfig config() { return {view, render, overlay, pick}; }
};

std::string ReadAndWrite(const char *text, size_t size, Settings &s) {
    pexa::ParseConfig(text, size, s.config());
    std::string out;
    pexa::FormatConfig(s.config(), out);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // An exact-size copy, so that any read past the text is caught.
    std::vector<char> text(data, data + size);
    Settings first;
    std::string written = ReadAndWrite(text.data(), text.size(), first);
    if (std::memchr(first.view.iniVPName, 0, sizeof first.view.iniVPName) == nullptr) std::abort();
    if (first.pick.selectBufSize < 1 || first.pick.selectBufSize > (1 << 20)) std::abort();
    // An empty name (a token starting with a zero byte) is written as
    // nothing, and the comment's first word then reads as the name.
    if (first.view.iniVPName[0] == 0) return 0;
    Settings second;
    if (ReadAndWrite(written.data(), written.size(), second) != written) std::abort();
    return 0;
}
