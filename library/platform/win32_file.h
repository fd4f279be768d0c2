// A file handle owned for the length of one toolkit call: opened for
// sequential reading, or created (replacing an old file) for writing, and
// closed on every path. Shared by the BMP and GIF file functions.
#pragma once

#include <windows.h>

namespace pexa {

class FileHandle {
  public:
    // A null name gives a handle that converts to false.
    FileHandle(const char *name, bool write)
        : handle_(name ? CreateFileA(name, write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, write ? CREATE_ALWAYS : OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)
                       : INVALID_HANDLE_VALUE) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE handle() const { return handle_; }

  private:
    HANDLE handle_;
};

} // namespace pexa
