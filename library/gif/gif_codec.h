// Pieces shared by the GIF reader and writer: the user-visible texts (German,
// Windows-1252 bytes written as escapes so that the source encoding cannot
// change them), the byte source and sink the codec reads from and writes to,
// the host that allocates memory and talks to the user, and the row order of
// interlaced images. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace pexa::gif {

// Value of GIFGetVersion.
constexpr uint16_t kCodecVersion = 512;

namespace text {
// Reader.
constexpr char kNotReadable[] = "GIF-Datei nicht lesbar!";
constexpr char kNoGif[] = "Keine GIF-Datei!";
constexpr char kUnknownVersion[] = "Unbekannte GIF-Version: %c%c%c\n\rWeiter?";
constexpr char kVersionCaption[] = "VIZA_RER_UVI";
constexpr char kNoMemoryDib[] = "Zu wenig Speicher f\xFCr DIB vorhanden!";
constexpr char kEarlyEnd[] = "Vorzeitiges Ende der GIF-Datei!";
constexpr char kIllegalBlock[] = "Illegaler GIF-Block!";
constexpr char kBadLocalTable[] = "Falsche Farbinformation im Image Descriptor";
constexpr char kNoColorTable[] = "Dieses GIF-Bild besitzt keine Farbtabelle!";
constexpr char kNoMemoryBitmap[] = "Zu wenig Speicher f\xFCr Bitmap vorhanden!";
constexpr char kShortSubBlock[] = "Fehler in Leseschleife!";
constexpr char kInvalidCode[] = "Ung\xFCltiger LZW-Code %d!";
constexpr char kLzwError[] = "Fehler im LZW-Teil des GIF-Bildes!";
// Writer.
constexpr char kNoDib[] = "Keine DIB vorhanden!";
constexpr char kNotCreated[] = "GIF-Datei konnte nicht erzeugt werden!";
constexpr char kUnknownFormat[] = "Unbekanntes GIF-Format!";
constexpr char kRleError[] = "Fehler in RLE-Bitmap!";
constexpr char kDeepDibError[] = "Fehler in 16-Bit-DIB!";
constexpr char kReductionError[] = "Fehler bei Farbreduzierung!";
constexpr char kNoMemoryPrefixTable[] = "Zu wenig Speicher f\xFCr Pr\xE4"
                                        "fixtabelle vorhanden!";
// Animation.
constexpr char kAnimNone[] = "Keine Animation vorhanden!";
constexpr char kAnimArguments[] = "Ung\xFCltige Verz\xF6gerung oder Wiederholungszahl!";
constexpr char kAnimFrameSize[] = "Ung\xFCltige Bildgr\xF6\xDF"
                                  "e %u x %u!";
constexpr char kAnimWrongSize[] = "Falsche Bildgr\xF6\xDF"
                                  "e %u x %u statt %u x %u!";
constexpr char kAnimNoFrame[] = "Die Animation hat kein Bild!";
constexpr char kPaletteDibError[] = "Fehler in Paletten-DIB!";
} // namespace text

// Where the reader takes its bytes from. Read returns how many bytes it
// delivered; fewer than asked means the end of the data (or a read error).
class Source {
  public:
    virtual size_t Read(void *to, size_t count) = 0;

  protected:
    ~Source() = default;
};

// Where the writer puts its bytes. Write returns false when not all bytes
// could be written.
class Sink {
  public:
    virtual bool Write(const void *from, size_t count) = 0;

  protected:
    ~Sink() = default;
};

// What the memory blocks that the codec asks for are used for.
enum class Block { kDib, kIndices, kPrefixTable };

// The codec's link to the platform: memory, the user and the cursor.
class Host {
  public:
    // A zero-filled block of bytes, or null. Blocks of kind kDib are handed
    // to the caller of the reader and never released by the codec.
    virtual uint8_t *Allocate(Block kind, size_t bytes) = 0;
    virtual void Release(Block kind, uint8_t *block) = 0;
    // Shows a finished text (already formatted) in the error box.
    virtual void Error(const char *text) = 0;
    // Asks whether to read a file of unknown version; true means go on.
    virtual bool AskUnknownVersion(const char *text) = 0;
    // The wait cursor on (true) and the arrow back (false).
    virtual void Busy(bool on) = 0;

  protected:
    ~Host() = default;
};

// A source over bytes in memory.
class MemorySource final : public Source {
  public:
    MemorySource(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    size_t Read(void *to, size_t count) override {
        size_t n = count < size_ - pos_ ? count : size_ - pos_;
        if (n) std::memcpy(to, data_ + pos_, n);
        pos_ += n;
        return n;
    }

  private:
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
};

// A sink that appends to a byte vector.
class VectorSink final : public Sink {
  public:
    bool Write(const void *from, size_t count) override {
        const auto *p = static_cast<const uint8_t *>(from);
        bytes.insert(bytes.end(), p, p + count);
        return true;
    }
    std::vector<uint8_t> bytes;
};

// Position in the file of row `row` of an interlaced image of `height` rows:
// rows 0, 8, 16, ... are stored first, then 4, 12, ..., then 2, 6, 10, ...,
// then the odd rows.
inline uint32_t InterlacedPosition(uint32_t row, uint32_t height) {
    uint32_t pass1 = (height + 7) / 8, pass2 = (height + 3) / 8, pass3 = (height + 1) / 4;
    if (row % 8 == 0) return row / 8;
    if (row % 8 == 4) return pass1 + row / 8;
    if (row % 4 == 2) return pass1 + pass2 + row / 4;
    return pass1 + pass2 + pass3 + row / 2;
}

// The row of an interlaced image of `height` rows that the file stores at
// position `stored`: the inverse of InterlacedPosition.
inline uint32_t InterlacedRow(uint32_t stored, uint32_t height) {
    const uint32_t pass1 = (height + 7) / 8, pass2 = (height + 3) / 8, pass3 = (height + 1) / 4;
    if (stored < pass1) return stored * 8;
    stored -= pass1;
    if (stored < pass2) return stored * 8 + 4;
    stored -= pass2;
    if (stored < pass3) return stored * 4 + 2;
    return (stored - pass3) * 2 + 1;
}

inline uint16_t ReadLe16(const uint8_t *p) {
    return uint16_t(p[0] | p[1] << 8);
}
inline void PutLe16(uint8_t *p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

} // namespace pexa::gif
