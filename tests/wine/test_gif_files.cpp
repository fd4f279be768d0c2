// The GIF functions as a program meets them: files on disk, DIB handles in
// global memory, the German texts in their boxes (exact Windows-1252 bytes),
// the version question, the conversions of deep DIBs, and ImageMagick
// (started from Wine) as an independent decoder and encoder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pexa.h"
#include "support/dib_test.h"
#include "support/pexa_test.h"

using namespace pexatest;

namespace {

SharedFile GifPath(const std::string &name) {
    return SharedPathIn(PEXA_TEST_DATA_DIR "/gif", name);
}

// Image data without compression: 9-bit codes, a clear code before every
// 250 indices so the code size never grows.
std::vector<uint8_t> PlainData(const std::vector<uint8_t> &indices) {
    std::vector<uint8_t> stream;
    uint32_t bits = 0;
    int count = 0;
    auto put = [&](uint32_t code) {
        bits |= code << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8)
            stream.push_back(uint8_t(bits));
    };
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i % 250 == 0) put(256);
        put(indices[i]);
    }
    put(257);
    if (count > 0) stream.push_back(uint8_t(bits));
    std::vector<uint8_t> data{8};
    for (size_t p = 0; p < stream.size(); p += 255) {
        const size_t n = std::min<size_t>(255, stream.size() - p);
        data.push_back(uint8_t(n));
        data.insert(data.end(), stream.begin() + p, stream.begin() + p + n);
    }
    data.push_back(0);
    return data;
}

// A one-image GIF with a 256-entry grey global table.
std::vector<uint8_t> GreyGif(const char *signature, int width, int height,
                             const std::vector<uint8_t> &indices) {
    std::vector<uint8_t> f(signature, signature + 6);
    const uint8_t screen[] = {
        uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8), 0xF7, 0, 0};
    f.insert(f.end(), screen, screen + 7);
    for (int i = 0; i < 256; ++i)
        f.insert(f.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
    const uint8_t image[] = {0x2C,
                             0,
                             0,
                             0,
                             0,
                             uint8_t(width),
                             uint8_t(width >> 8),
                             uint8_t(height),
                             uint8_t(height >> 8),
                             0};
    f.insert(f.end(), image, image + 10);
    const auto data = PlainData(indices);
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(0x3B);
    return f;
}

// Index of pixel (x, y), y from the top, of an 8-bit bottom-up DIB block.
int Index8(const std::vector<uint8_t> &dib, int x, int y) {
    BITMAPINFOHEADER h;
    std::memcpy(&h, dib.data(), sizeof h);
    const size_t row = (size_t(h.biWidth) + 3) / 4 * 4;
    const size_t colors = h.biClrUsed ? h.biClrUsed : 256;
    return dib[40 + 4 * colors + (h.biHeight - 1 - y) * row + x];
}

TEST(GifFiles, VersionIs512) {
    EXPECT_EQ(GIFGetVersion(), 512);
}

TEST(GifFiles, IsGifFileKnowsTheTwoVersionsAndShowsNoBox) {
    MessageBoxCatcher catcher;
    const auto a = GifPath("a87.gif"), b = GifPath("b89.gif"), c = GifPath("c88.gif");
    WriteBytes(a.windows, GreyGif("GIF87a", 1, 1, {0}));
    WriteBytes(b.windows, GreyGif("GIF89a", 1, 1, {0}));
    WriteBytes(c.windows, GreyGif("GIF88a", 1, 1, {0}));
    EXPECT_EQ(IsGIFFile(a.windows.c_str()), 1);
    EXPECT_EQ(IsGIFFile(b.windows.c_str()), 1);
    EXPECT_EQ(IsGIFFile(c.windows.c_str()), 0);
    EXPECT_EQ(IsGIFFile((a.windows + ".missing").c_str()), 0);
    EXPECT_EQ(IsGIFFile(nullptr), 0);
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST(GifFiles, ReadGifGivesTheLogicalScreenAsAnEightBitDib) {
    std::vector<uint8_t> indices(13 * 7);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = uint8_t(i * 3);
    const auto path = GifPath("plain.gif");
    WriteBytes(path.windows, GreyGif("GIF89a", 13, 7, indices));
    MessageBoxCatcher catcher;
    HGLOBAL dib = ReadGIF(path.windows.c_str());
    ASSERT_NE(dib, nullptr);
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(GetDIBWidth(dib), 13);
    EXPECT_EQ(GetDIBHeight(dib), 7);
    EXPECT_EQ(GetDIBBitPerPixel(dib), 8);
    EXPECT_EQ(GetDIBXPelsPerMeter(dib), 2953);
    const auto bytes = DibBytes(dib);
    EXPECT_EQ(bytes.size(), 40u + 1024 + 16 * 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            EXPECT_EQ(Index8(bytes, x, y), uint8_t((y * 13 + x) * 3));
    EXPECT_EQ(bytes[40 + 4 * 200], 200); // grey entry 200
    GlobalFree(dib);
}

TEST(GifFiles, MissingFileAndWrongSignatureShowTheirBoxes) {
    MessageBoxCatcher catcher;
    EXPECT_EQ(ReadGIF(GifPath("none.gif").windows.c_str()), nullptr);
    const auto bmp = GifPath("not.gif");
    WriteBytes(bmp.windows, {'B', 'M', 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(ReadGIF(bmp.windows.c_str()), nullptr);
    ASSERT_EQ(catcher.boxes().size(), 2u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Error Message");
    EXPECT_FALSE(catcher.boxes()[0].hasOwner);
    EXPECT_EQ(catcher.texts(),
              (std::vector<std::string>{"GIF-Datei nicht lesbar!", "Keine GIF-Datei!"}));
}

// Answers the task-modal question box of the calling thread. Its text is
// read once the dialog has finished WM_INITDIALOG: a task-modal box is
// activated before its text is set, too early for MessageBoxCatcher.
class QuestionAnswerer {
  public:
    explicit QuestionAnswerer(int answer) : answer_(answer) {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId());
    }
    ~QuestionAnswerer() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    int count = 0;
    std::string caption, text;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto *msg = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
        char name[16] = {};
        if (code == HC_ACTION && current_ && msg->message == WM_INITDIALOG &&
            GetClassNameA(msg->hwnd, name, sizeof name) && std::strcmp(name, "#32770") == 0) {
            char buffer[256] = {};
            GetWindowTextA(msg->hwnd, buffer, sizeof buffer);
            current_->caption = buffer;
            GetDlgItemTextA(msg->hwnd, 0xFFFF, buffer, sizeof buffer);
            current_->text = buffer;
            ++current_->count;
            PostMessageA(msg->hwnd, WM_COMMAND, WPARAM(current_->answer_), 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline QuestionAnswerer *current_ = nullptr;
    HHOOK hook_;
    int answer_;
};

TEST(GifFiles, UnknownVersionQuestionAnsweredOk) {
    const auto path = GifPath("v88ok.gif");
    WriteBytes(path.windows, GreyGif("GIF88a", 2, 1, {9, 8}));
    MessageBoxCatcher errors;
    QuestionAnswerer question(IDOK);
    HGLOBAL dib = ReadGIF(path.windows.c_str());
    EXPECT_EQ(question.count, 1);
    EXPECT_EQ(question.caption, "VIZA_RER_UVI");
    EXPECT_EQ(question.text, "Unbekannte GIF-Version: 88a\n\rWeiter?");
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(Index8(DibBytes(dib), 1, 0), 8);
    GlobalFree(dib);
}

TEST(GifFiles, UnknownVersionQuestionAnsweredCancel) {
    const auto path = GifPath("v88cancel.gif");
    WriteBytes(path.windows, GreyGif("GIF88a", 2, 1, {9, 8}));
    QuestionAnswerer question(IDCANCEL);
    EXPECT_EQ(ReadGIF(path.windows.c_str()), nullptr);
    EXPECT_EQ(question.count, 1);
    EXPECT_EQ(question.text, "Unbekannte GIF-Version: 88a\n\rWeiter?");
}

TEST(GifFiles, DamagedFilesShowTheGermanTextsByteForByte) {
    // Ends right after the screen descriptor.
    auto cut = GreyGif("GIF89a", 3, 2, {1, 2, 3, 4, 5, 6});
    cut.resize(13 + 768);
    const auto a = GifPath("cut.gif");
    WriteBytes(a.windows, cut);
    // A code above the next free slot: clear, 5, 300 with 9 bits.
    auto bad = GreyGif("GIF89a", 2, 1, {0, 0});
    const size_t data = 13 + 768 + 10;
    const uint32_t bits = 256 | 5u << 9 | 300u << 18;
    const uint8_t coded[] = {
        8, 4, uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24), 0, 0x3B};
    bad.resize(data);
    bad.insert(bad.end(), coded, coded + sizeof coded);
    const auto b = GifPath("badcode.gif");
    WriteBytes(b.windows, bad);

    MessageBoxCatcher catcher;
    HGLOBAL first = ReadGIF(a.windows.c_str());
    ASSERT_NE(first, nullptr);
    const auto bytes = DibBytes(first);
    EXPECT_EQ(bytes[40 + 4 * 77], 77);
    for (size_t i = 40 + 1024; i < bytes.size(); ++i)
        EXPECT_EQ(bytes[i], 0);
    GlobalFree(first);
    HGLOBAL second = ReadGIF(b.windows.c_str());
    ASSERT_NE(second, nullptr);
    GlobalFree(second);
    EXPECT_EQ(catcher.texts(), (std::vector<std::string>{"Vorzeitiges Ende der GIF-Datei!",
                                                         "Ung\xFCltiger LZW-Code 300!",
                                                         "Fehler im LZW-Teil des GIF-Bildes!"}));
}

TEST(GifFiles, WriteGifWithoutDibShowsItsBox) {
    MessageBoxCatcher catcher;
    EXPECT_EQ(WriteGIF(GifPath("nodib.gif").windows.c_str(), nullptr, 89, 0), 0);
    EXPECT_EQ(catcher.texts(), std::vector<std::string>{"Keine DIB vorhanden!"});
}

TEST(GifFiles, FailedWriteLeavesAnExistingFileAlone) {
    HGLOBAL dib = DibFromBytes(MakeDibBytes(4, 4, 8, 256));
    auto unknownCompression = MakeDibBytes(4, 4, 8, 256);
    unknownCompression[16] = 7;
    HGLOBAL bogus = DibFromBytes(unknownCompression);
    HGLOBAL tenBytes = DibFromBytes(std::vector<uint8_t>(10, 40));
    const auto path = GifPath("kept.gif"), fresh = GifPath("v88.gif");
    ASSERT_EQ(WriteGIF(path.windows.c_str(), dib, 89, 0), 1);
    const auto before = ReadBytes(path.windows);
    ASSERT_GT(before.size(), 800u);
    MessageBoxCatcher catcher;
    EXPECT_EQ(WriteGIF(path.windows.c_str(), tenBytes, 89, 0), 0);
    EXPECT_EQ(WriteGIF(path.windows.c_str(), bogus, 89, 0), 0);
    EXPECT_EQ(WriteGIF(path.windows.c_str(), dib, 88, 0), 0);
    EXPECT_EQ(WriteGIF(fresh.windows.c_str(), dib, 88, 0), 0);
    EXPECT_EQ(catcher.texts(),
              (std::vector<std::string>{"Keine DIB vorhanden!", "Keine DIB vorhanden!",
                                        "Unbekanntes GIF-Format!", "Unbekanntes GIF-Format!"}));
    EXPECT_EQ(ReadBytes(path.windows), before);
    EXPECT_EQ(GetFileAttributesA(fresh.windows.c_str()), INVALID_FILE_ATTRIBUTES);
    // Nor is a temporary file left behind.
    WIN32_FIND_DATAA found;
    const std::string folder = path.windows.substr(0, path.windows.find_last_of('/'));
    HANDLE search = FindFirstFileA((folder + "/gif*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    for (HGLOBAL h : {dib, bogus, tenBytes})
        GlobalFree(h);
}

TEST(GifFiles, FileThatCannotBeCreated) {
    HGLOBAL dib = DibFromBytes(MakeDibBytes(4, 4, 8, 256));
    MessageBoxCatcher catcher;
    EXPECT_EQ(WriteGIF("Z:\\no\\such\\folder\\x.gif", dib, 89, 0), 0);
    EXPECT_EQ(catcher.texts(), std::vector<std::string>{"GIF-Datei konnte nicht erzeugt werden!"});
    GlobalFree(dib);
}

TEST(GifFiles, WriteThenReadKeepsIndicesAndColours) {
    for (WORD bits : {1, 4, 8}) {
        for (int interlace : {0, 1}) {
            const int width = 21, height = 11;
            std::vector<uint8_t> pixels;
            const size_t row = (size_t(width) * bits + 31) / 32 * 4;
            for (int y = 0; y < height; ++y) {
                for (size_t i = 0; i < row; ++i) {
                    // Padding bytes (and the bits past the last pixel) stay 0.
                    const size_t used = (size_t(width) * bits + 7) / 8;
                    uint8_t v = i < used ? uint8_t(y * 37 + i * 11) : 0;
                    if (i + 1 == used && (width * bits) % 8)
                        v &= uint8_t(0xFF << (8 - (width * bits) % 8));
                    pixels.push_back(v);
                }
            }
            const auto original = MakeDibBytes(width, height, bits, 1u << bits, BI_RGB, pixels);
            HGLOBAL dib = DibFromBytes(original);
            const auto path = GifPath("round.gif");
            MessageBoxCatcher catcher;
            ASSERT_EQ(WriteGIF(path.windows.c_str(), dib, interlace ? 87 : 89, interlace), 1);
            HGLOBAL back = ReadGIF(path.windows.c_str());
            ASSERT_NE(back, nullptr);
            EXPECT_TRUE(catcher.boxes().empty());
            const auto read = DibBytes(back);
            const size_t body = 40 + 4 * (size_t(1) << bits) + row * height;
            ASSERT_GE(read.size(), body);
            // Same header fields that matter, same table, same rows.
            EXPECT_EQ(std::memcmp(read.data() + 40, original.data() + 40, body - 40), 0)
                << bits << " " << interlace;
            EXPECT_EQ(GetDIBBitPerPixel(back), bits);
            GlobalFree(back);
            GlobalFree(dib);
        }
    }
}

// 16-, 24- and 32-bit pictures keep their colours: a few colours come back
// exactly, through the table the reduction chose.
TEST(GifFiles, TrueColourDibsKeepTheirColours) {
    std::vector<uint8_t> sixteen, twentyFour, thirtyTwo;
    for (int i = 0; i < 4; ++i) {
        sixteen.insert(sixteen.end(), {uint8_t(0x1F + i * 0x40), uint8_t(0x7C - i * 9)});
        thirtyTwo.insert(thirtyTwo.end(), {uint8_t(255 - i * 50), uint8_t(i * 70), 30, 0});
    }
    for (int y = 0; y < 2; ++y) {
        twentyFour.insert(twentyFour.end(), {0, 0, 255, 255, 0, 0}); // red, blue
        twentyFour.insert(twentyFour.end(), {0, 0});                 // row padding
    }
    struct Case {
        WORD bits;
        std::vector<uint8_t> pixels;
        HGLOBAL (*widen)(HGLOBAL);
    } cases[] = {{16, sixteen, DIB16To24}, {24, twentyFour, CopyDIB}, {32, thirtyTwo, DIB32To24}};
    for (const Case &c : cases) {
        HGLOBAL dib = DibFromBytes(MakeDibBytes(2, 2, c.bits, 0, BI_RGB, c.pixels));
        HGLOBAL wide = c.widen(dib);
        const auto path = GifPath("deep.gif");
        MessageBoxCatcher catcher;
        ASSERT_EQ(WriteGIF(path.windows.c_str(), dib, 89, 1), 1) << c.bits;
        HGLOBAL back = ReadGIF(path.windows.c_str());
        ASSERT_NE(back, nullptr);
        const auto read = DibBytes(back), expected = DibBytes(wide);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                const uint8_t *quad = &read[40 + 4 * Index8(read, x, y)];
                const uint8_t *pixel = &expected[40 + 8 * (1 - y) + 3 * x]; // bottom-up
                EXPECT_EQ(std::vector<uint8_t>(quad, quad + 3),
                          std::vector<uint8_t>(pixel, pixel + 3))
                    << c.bits << " bits, pixel " << x << "," << y;
            }
        EXPECT_TRUE(catcher.boxes().empty());
        for (HGLOBAL h : {back, wide, dib})
            GlobalFree(h);
    }
}

TEST(GifFiles, RleDibIsDecodedFirst) {
    // RLE8 2 x 2: a run of two 7s, end of line, two 9s, end of bitmap.
    const std::vector<uint8_t> rle = {2, 7, 0, 0, 2, 9, 0, 1};
    auto bytes = MakeDibBytes(2, 2, 8, 256, BI_RLE8, rle);
    HGLOBAL dib = DibFromBytes(bytes);
    const auto path = GifPath("rle.gif");
    MessageBoxCatcher catcher;
    ASSERT_EQ(WriteGIF(path.windows.c_str(), dib, 89, 0), 1);
    HGLOBAL back = ReadGIF(path.windows.c_str());
    ASSERT_NE(back, nullptr);
    const auto read = DibBytes(back);
    EXPECT_EQ(Index8(read, 0, 1), 7); // the first stored row is the bottom
    EXPECT_EQ(Index8(read, 1, 0), 9);
    EXPECT_TRUE(catcher.boxes().empty());
    GlobalFree(back);
    GlobalFree(dib);
}

TEST(GifFiles, ImageMagickDecodesWhatWriteGifWrites) {
    std::vector<uint8_t> pixels;
    const int width = 45, height = 19;
    const size_t row = (width * 4 + 31) / 32 * 4;
    for (int y = 0; y < height; ++y)
        for (size_t i = 0; i < row; ++i)
            pixels.push_back(i < 23 ? uint8_t(y * 17 + i * 5) : 0);
    for (int y = 0; y < height; ++y)
        pixels[y * row + 22] &= 0xF0;
    HGLOBAL dib = DibFromBytes(MakeDibBytes(width, height, 4, 16, BI_RGB, pixels));
    const auto path = GifPath("magick_in.gif");
    ASSERT_EQ(WriteGIF(path.windows.c_str(), dib, 89, 1), 1);
    int w = 0, h = 0;
    const auto theirs = MagickPixels(path, &w, &h);
    ASSERT_EQ(w, width);
    ASSERT_EQ(h, height);
    EXPECT_EQ(theirs, RenderDib(dib));
    GlobalFree(dib);
}

TEST(GifFiles, ReadGifMatchesImageMagickOnItsOwnFile) {
    const auto path = GifPath("magick_out.gif");
    ASSERT_TRUE(Magick("-seed 5 -size 57x33 plasma: -colors 100 -interlace GIF", "GIF", path));
    HGLOBAL dib = ReadGIF(path.windows.c_str());
    ASSERT_NE(dib, nullptr);
    int w = 0, h = 0;
    const auto theirs = MagickPixels(path, &w, &h);
    EXPECT_EQ(w, 57);
    EXPECT_EQ(theirs, RenderDib(dib));
    GlobalFree(dib);
}

// Two threads read different files again and again, one of them writing
// its file anew now and then: every read gives the pixels of a read on its
// own.
TEST(GifFiles, ReadsAndWritesOnTwoThreadsAreIndependent) {
    struct Job {
        SharedFile file;
        HGLOBAL dib;
        bool writes; // writes its file anew every eighth round
        std::vector<uint8_t> expected;
        int wrong = 0;
    } jobs[2];
    const struct { int width, height, bits; } pictures[2] = {{200, 150, 8}, {160, 100, 4}};
    for (int t = 0; t < 2; ++t) {
        const auto &p = pictures[t];
        std::vector<uint8_t> bits(size_t(p.width * p.bits + 31) / 32 * 4 * p.height);
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] = uint8_t((i * i) >> (5 + t) ^ i >> 6);
        jobs[t].dib = DibFromBytes(
            MakeDibBytes(p.width, p.height, uint16_t(p.bits), 1u << p.bits, BI_RGB, bits));
        jobs[t].file = GifPath(t ? "thread_b.gif" : "thread_a.gif");
        jobs[t].writes = t == 1;
        ASSERT_EQ(WriteGIF(jobs[t].file.windows.c_str(), jobs[t].dib, 89, t), 1);
        HGLOBAL back = ReadGIF(jobs[t].file.windows.c_str());
        jobs[t].expected = DibBytes(back);
        GlobalFree(back);
        ASSERT_GE(jobs[t].expected.size(), 40u + 1024 + 8000);
    }
    auto run = [](void *p) -> DWORD {
        Job &job = *static_cast<Job *>(p);
        for (int i = 0; i < 600; ++i) {
            if (job.writes && i % 8 == 0 && WriteGIF(job.file.windows.c_str(), job.dib, 89, 1) != 1)
                ++job.wrong;
            HGLOBAL dib = ReadGIF(job.file.windows.c_str());
            if (DibBytes(dib) != job.expected) ++job.wrong;
            GlobalFree(dib);
        }
        return 0;
    };
    MessageBoxCatcher catcher;
    HANDLE threads[2];
    for (int t = 0; t < 2; ++t)
        threads[t] = CreateThread(nullptr, 0, run, &jobs[t], 0, nullptr);
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    for (int t = 0; t < 2; ++t) {
        CloseHandle(threads[t]);
        EXPECT_EQ(jobs[t].wrong, 0) << t;
        GlobalFree(jobs[t].dib);
    }
    EXPECT_TRUE(catcher.boxes().empty());
}

// A few hundred bytes of images, each claiming 65535 x 65535 pixels on a
// screen of that size, with no pixel data: the DIB block the screen needs
// is asked for, but neither it nor the images cost time or resident memory.
TEST(GifFiles, HugeImagesWithoutDataCostLittle) {
    std::vector<uint8_t> file = GreyGif("GIF89a", 65535, 65535, {});
    file.resize(13 + 768);
    for (int i = 0; i < 20; ++i) {
        // At (0, 0), 65535 x 65535, no local table; code size 8; one block
        // of three bytes: the 9-bit codes clear (256) and end (257).
        const uint8_t image[] = {0x2C, 0, 0, 0, 0,    0xFF, 0xFF, 0xFF,
                                 0xFF, 0, 8, 3, 0x00, 0x03, 0x02, 0};
        file.insert(file.end(), image, image + sizeof image);
    }
    file.push_back(0x3B);
    const auto path = GifPath("bomb.gif");
    WriteBytes(path.windows, file);
    MessageBoxCatcher catcher;
    HGLOBAL dib = nullptr;
    const Cost cost = Measure([&] { dib = ReadGIF(path.windows.c_str()); });
    if (dib) {
        EXPECT_EQ(GetDIBWidth(dib), 65535);
        EXPECT_TRUE(catcher.boxes().empty());
    } else { // a system that cannot give 4 GB refuses the screen
        EXPECT_EQ(catcher.texts(),
                  std::vector<std::string>{"Zu wenig Speicher f\xFCr DIB vorhanden!"});
    }
    GlobalFree(dib);
    ExpectCheap(cost);
}

} // namespace
