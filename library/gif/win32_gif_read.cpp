// ReadGIF, IsGIFFile and GIFGetVersion: the file and global memory around
// the portable reader. Each read has its own file, blocks and LZW tables, so
// reads on different threads are independent.
#include <windows.h>

#include "gif/gif_reader.h"
#include "gif/win32_gif_platform.h"
#include "pexa.h"
#include "platform/win32_messages.h"

extern "C" {

PEXA_API HGLOBAL ReadGIF(const char *fileName) {
    using namespace pexa::gif;
    pexa::FileHandle file(fileName, false);
    if (!file) {
        pexa::ErrorBox(text::kNotReadable);
        return nullptr;
    }
    FileSource source(file.handle());
    GlobalHost host;
    if (!ReadGif(source, host)) return nullptr;
    return host.TakeDib();
}

PEXA_API int IsGIFFile(const char *fileName) {
    pexa::FileHandle file(fileName, false);
    if (!file) return 0;
    uint8_t signature[6];
    DWORD got = 0;
    if (!ReadFile(file.handle(), signature, sizeof signature, &got, nullptr)) return 0;
    return pexa::gif::IsGifSignature(signature, got) ? 1 : 0;
}

PEXA_API WORD GIFGetVersion(void) {
    return pexa::gif::kCodecVersion;
}

} // extern "C"
