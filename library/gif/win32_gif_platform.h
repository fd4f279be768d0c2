// The GIF codec's Win32 side shared by reader and writers: files through
// buffered ReadFile and WriteFile, files put in place only when complete,
// blocks in global memory (GHND), the toolkit's error box and cursors, and
// the version question box.
#pragma once

#include <windows.h>

#include <functional>

#include "gif/gif_codec.h"
#include "platform/win32_file.h"

namespace pexa::gif {

// Reads the file in 4 KiB pieces.
class FileSource final : public Source {
  public:
    explicit FileSource(HANDLE file) : file_(file) {}
    size_t Read(void *to, size_t count) override;

  private:
    HANDLE file_;
    uint8_t buffer_[4096];
    size_t pos_ = 0, end_ = 0;
};

// Collects writes and puts them into the file in 4 KiB pieces; Flush writes
// the rest. A failed write fails every later one.
class FileSink final : public Sink {
  public:
    explicit FileSink(HANDLE file) : file_(file) {}
    bool Write(const void *from, size_t count) override;
    bool Flush();

  private:
    HANDLE file_;
    uint8_t buffer_[4096];
    size_t used_ = 0;
    bool ok_ = true;
};

// Blocks from GlobalAlloc(GHND), locked while the codec uses them. The DIB
// block stays allocated and is handed over by TakeDib.
class GlobalHost final : public Host {
  public:
    ~GlobalHost();
    uint8_t *Allocate(Block kind, size_t bytes) override;
    void Release(Block kind, uint8_t *block) override;
    void Error(const char *text) override;
    bool AskUnknownVersion(const char *text) override;
    void Busy(bool on) override;
    // The unlocked DIB block, now the caller's.
    HGLOBAL TakeDib();

  private:
    HGLOBAL dib_ = nullptr;
};

// Creates a temporary file in the folder of fileName (false, after the box
// "GIF-Datei konnte nicht erzeugt werden!", when it cannot) and names it in
// temporary, which holds MAX_PATH characters.
bool CreateTemporaryBeside(const char *fileName, char *temporary);

// Lets write fill a temporary file beside fileName and puts the file in
// place when write returned true and every byte reached the disk. False
// after a box (write's own, or "GIF-Datei konnte nicht erzeugt werden!"
// when the file cannot be created or put in place), or when the disk
// failed; fileName then stays as it was.
bool WriteFileInPlace(const char *fileName, const std::function<bool(Sink &)> &write);

} // namespace pexa::gif
