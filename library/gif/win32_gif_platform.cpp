// Files, global memory and messages of the GIF codec on Win32.
#include "gif/win32_gif_platform.h"

#include <cstring>
#include <string>

#include "platform/win32_messages.h"

namespace pexa::gif {

size_t FileSource::Read(void *to, size_t count) {
    auto *out = static_cast<uint8_t *>(to);
    size_t done = 0;
    while (done < count) {
        if (pos_ == end_) {
            DWORD got = 0;
            if (!ReadFile(file_, buffer_, sizeof buffer_, &got, nullptr) || got == 0) break;
            pos_ = 0;
            end_ = got;
        }
        const size_t n = count - done < end_ - pos_ ? count - done : end_ - pos_;
        std::memcpy(out + done, buffer_ + pos_, n);
        pos_ += n;
        done += n;
    }
    return done;
}

bool FileSink::Write(const void *from, size_t count) {
    const auto *in = static_cast<const uint8_t *>(from);
    while (ok_ && count > 0) {
        if (used_ == sizeof buffer_ && !Flush()) break;
        const size_t n = count < sizeof buffer_ - used_ ? count : sizeof buffer_ - used_;
        std::memcpy(buffer_ + used_, in, n);
        used_ += n;
        in += n;
        count -= n;
    }
    return ok_;
}

bool FileSink::Flush() {
    size_t done = 0;
    while (ok_ && done < used_) {
        DWORD put = 0;
        if (!WriteFile(file_, buffer_ + done, DWORD(used_ - done), &put, nullptr) || put == 0)
            ok_ = false;
        done += put;
    }
    used_ = 0;
    return ok_;
}

GlobalHost::~GlobalHost() {
    if (dib_) {
        GlobalUnlock(dib_);
        GlobalFree(dib_);
    }
}

uint8_t *GlobalHost::Allocate(Block kind, size_t bytes) {
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    if (!block) return nullptr;
    auto *p = static_cast<uint8_t *>(GlobalLock(block));
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    if (kind == Block::kDib) dib_ = block;
    return p;
}

void GlobalHost::Release(Block, uint8_t *block) {
    if (HGLOBAL handle = GlobalHandle(block)) {
        GlobalUnlock(handle);
        GlobalFree(handle);
    }
}

void GlobalHost::Error(const char *text) {
    ErrorBox(text);
}

bool GlobalHost::AskUnknownVersion(const char *text) {
    return MessageBoxA(nullptr, text, text::kVersionCaption,
                       MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL) == IDOK;
}

void GlobalHost::Busy(bool on) {
    if (on) {
        ShowWaitCursor();
    } else {
        ShowArrowCursor();
    }
}

namespace {

// The folder of a file name, for the temporary file beside it.
std::string FolderOf(const std::string &name) {
    const size_t end = name.find_last_of("\\/:");
    if (end == std::string::npos) return ".";
    return name.substr(0, end + 1);
}

} // namespace

bool CreateTemporaryBeside(const char *fileName, char *temporary) {
    if (GetTempFileNameA(FolderOf(fileName).c_str(), "gif", 0, temporary)) return true;
    ErrorBox(text::kNotCreated);
    return false;
}

bool WriteFileInPlace(const char *fileName, const std::function<bool(Sink &)> &write) {
    char temporary[MAX_PATH];
    if (!CreateTemporaryBeside(fileName, temporary)) return false;
    bool ok = false;
    {
        FileHandle file(temporary, true);
        if (file) {
            FileSink sink(file.handle());
            ok = write(sink);
            ok = sink.Flush() && ok;
        }
    }
    if (ok && MoveFileExA(temporary, fileName, MOVEFILE_REPLACE_EXISTING)) return true;
    DeleteFileA(temporary);
    if (ok) ErrorBox(text::kNotCreated);
    return false;
}

HGLOBAL GlobalHost::TakeDib() {
    HGLOBAL dib = dib_;
    if (dib) GlobalUnlock(dib);
    dib_ = nullptr;
    return dib;
}

} // namespace pexa::gif
