// GIFAnimBegin, GIFAnimAdd, GIFAnimEnd: the Win32 side of the animated GIF
// writer. A recorder handle is an Animation (file name, delay, loops and the
// portable recorder) that a registry knows, so that a handle already ended,
// or any other pointer, is refused with a box instead of being used. Frames
// of any depth the toolkit reads reach 24 bits through its own conversions.
// The file is written at the end under a temporary name beside it and put in
// place only when complete (WriteFileInPlace). Recorders on different
// threads are independent.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <new>
#include <set>
#include <string>

#include "dib/dib_layout.h"
#include "dib/win32_dib_lock.h"
#include "gif/anim_recorder.h"
#include "gif/win32_gif_platform.h"
#include "pexa.h"
#include "platform/win32_messages.h"

namespace {

using namespace pexa::gif;

struct Animation {
    std::string fileName;
    uint16_t delay = 0, loops = 0;
    AnimRecorder recorder;
};

std::mutex registryMutex;
std::set<Animation *> registry;

// The live animation behind a handle, or null after the box. End also takes
// it out of the registry.
Animation *Find(void *handle, bool take) {
    {
        std::lock_guard<std::mutex> lock(registryMutex);
        const auto it = registry.find(static_cast<Animation *>(handle));
        if (it != registry.end()) {
            Animation *found = *it;
            if (take) registry.erase(it);
            return found;
        }
    }
    pexa::ErrorBox(text::kAnimNone);
    return nullptr;
}

void ShowWrongSize(unsigned width, unsigned height, const AnimRecorder &recorder) {
    char message[128];
    std::snprintf(message, sizeof message, text::kAnimWrongSize, width, height, recorder.width(),
                  recorder.height());
    pexa::ErrorBox(message);
}

// A 24-bit DIB made from dib by the toolkit's conversions (they show their
// own boxes), or null after the codec's box. *converted is false when dib
// has 24 bits already.
HGLOBAL To24(HGLOBAL dib, WORD bitCount, DWORD compression, bool *converted) {
    *converted = true;
    HGLOBAL out = nullptr;
    const char *failure = text::kPaletteDibError;
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        HGLOBAL plain = RLEtoDIB(dib);
        if (plain) out = compression == BI_RLE8 ? DIB8To24(plain) : DIB4To24(plain);
        if (plain) GlobalFree(plain);
        failure = text::kRleError;
    } else if (bitCount == 1) {
        out = DIB1To24(dib);
    } else if (bitCount == 4) {
        out = DIB4To24(dib);
    } else if (bitCount == 8) {
        out = DIB8To24(dib);
    } else if (bitCount == 16 || bitCount == 32) {
        out = bitCount == 16 ? DIB16To24(dib) : DIB32To24(dib);
        failure = text::kDeepDibError;
    } else if (bitCount == 24) {
        *converted = false;
        return dib;
    } else {
        failure = text::kNoDib;
    }
    if (!out) pexa::ErrorBox(failure);
    return out;
}

bool Add(Animation &animation, HGLOBAL dib) {
    WORD bitCount = 0;
    DWORD compression = 0;
    {
        pexa::DibLock lock(dib);
        if (!lock.HasHeader()) {
            pexa::ErrorBox(text::kNoDib);
            return false;
        }
        const BITMAPINFOHEADER &h = *lock.header();
        const unsigned width = unsigned(h.biWidth), height = pexa::dib::AbsHeight(h.biHeight);
        const AnimRecorder &recorder = animation.recorder;
        if (recorder.frames() > 0 && (width != recorder.width() || height != recorder.height())) {
            ShowWrongSize(width, height, recorder);
            return false;
        }
        bitCount = h.biBitCount;
        compression = h.biCompression;
    }
    bool converted = false;
    HGLOBAL source = To24(dib, bitCount, compression, &converted);
    if (!source) return false;
    AnimStatus status;
    unsigned width = 0, height = 0;
    {
        pexa::DibLock lock(source);
        status = animation.recorder.Add(lock.bytes(), lock.size());
        if (lock.HasHeader()) {
            width = unsigned(lock.header()->biWidth);
            height = pexa::dib::AbsHeight(lock.header()->biHeight);
        }
    }
    if (converted) GlobalFree(source);
    char message[128];
    switch (status) {
    case AnimStatus::kOk:
        return true;
    case AnimStatus::kSize:
        std::snprintf(message, sizeof message, text::kAnimFrameSize, width, height);
        pexa::ErrorBox(message);
        break;
    case AnimStatus::kWrongSize:
        ShowWrongSize(width, height, animation.recorder);
        break;
    case AnimStatus::kNoMemory:
        pexa::ErrorBox(text::kNoMemoryBitmap);
        break;
    default:
        pexa::ErrorBox(text::kNoDib);
        break;
    }
    return false;
}

} // namespace

extern "C" {

PEXA_API void *GIFAnimBegin(const char *fileName, int delay, int loops) {
    if (!fileName) {
        pexa::ErrorBox(text::kNotCreated);
        return nullptr;
    }
    if (delay < 0 || delay > 0xFFFF || loops < 0 || loops > 0xFFFF) {
        pexa::ErrorBox(text::kAnimArguments);
        return nullptr;
    }
    // The folder must take a file now, not only after every frame is in.
    char probe[MAX_PATH];
    if (!CreateTemporaryBeside(fileName, probe)) return nullptr;
    DeleteFileA(probe);
    std::unique_ptr<Animation> animation(new (std::nothrow) Animation);
    try {
        if (!animation) throw std::bad_alloc();
        animation->fileName = fileName;
        animation->delay = uint16_t(delay);
        animation->loops = uint16_t(loops);
        std::lock_guard<std::mutex> lock(registryMutex);
        registry.insert(animation.get());
    } catch (const std::bad_alloc &) {
        pexa::ErrorBox(text::kNoMemoryBitmap);
        return nullptr;
    }
    return animation.release();
}

PEXA_API int GIFAnimAdd(void *anim, HGLOBAL dib) {
    Animation *animation = Find(anim, false);
    if (!animation) return 0;
    if (!dib) {
        pexa::ErrorBox(text::kNoDib);
        return 0;
    }
    return Add(*animation, dib) ? 1 : 0;
}

PEXA_API int GIFAnimEnd(void *anim) {
    std::unique_ptr<Animation> animation(Find(anim, true));
    if (!animation) return 0;
    if (animation->recorder.frames() == 0) {
        pexa::ErrorBox(text::kAnimNoFrame);
        return 0;
    }
    pexa::ShowWaitCursor();
    const bool ok = WriteFileInPlace(animation->fileName.c_str(), [&](Sink &sink) {
        const AnimStatus status =
            animation->recorder.Finish(sink, animation->delay, animation->loops);
        if (status == AnimStatus::kNoMemory) pexa::ErrorBox(text::kNoMemoryBitmap);
        return status == AnimStatus::kOk;
    });
    pexa::ShowArrowCursor();
    return ok ? 1 : 0;
}

} // extern "C"
