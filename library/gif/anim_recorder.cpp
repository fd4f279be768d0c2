// Recording frames as changed rectangles, and encoding them: palettes,
// mapping, dithering where it pays, transparency and cropping.
#include "gif/anim_recorder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "dib/depth_convert.h"
#include "dib/quantize.h"
#include "gif/anim_stream.h"

namespace pexa::gif {

namespace {

constexpr uint32_t kMaxColors = 255; // one index stays free for transparency
// A frame tries a local palette when its changed pixels' error with the
// global one is above kLocalFloor (mean squared error a channel) while they
// use at most kLocalUse of the global entries: the rest are spent on colours
// the frame lacks, which a palette of its own would put where its pixels
// are. It keeps the local palette when that removes at least 30% of the
// error (1.5 dB).
constexpr double kLocalFloor = 2.0;
constexpr double kLocalUse = 0.6;
constexpr double kLocalGain = 0.7;

bool Same(const uint8_t *a, const uint8_t *b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

bool Same(const uint8_t *a, const Color &c) {
    return a[0] == c.blue && a[1] == c.green && a[2] == c.red;
}

// One frame's colour indices and what they cost against the source.
struct Mapping {
    const std::vector<Color> *palette = nullptr;
    std::vector<uint8_t> indices; // per pixel of the rectangle (unchanged pixels: 0)
    double error = 0;             // squared error summed over changed pixels
    uint32_t used = 0;            // palette entries used
};

// Encodes the frames one after the other, keeping what a viewer shows.
class FrameWriter {
  public:
    FrameWriter(Sink &sink, uint32_t width, uint32_t height, std::vector<Color> global,
                uint16_t delay, AnimReport &report)
        : sink_(sink), report_(report), width_(width), global_(std::move(global)),
          globalIndex_(global_), delay_(delay), source_(size_t(width) * height * 3),
          shown_(size_t(width) * height * 3), encoder_(new LzwEncoder) {}

    bool Write(const Rect &rect, const std::vector<uint8_t> &pixels, bool first);
    // A frame equal to the one before: one transparent pixel keeps its place.
    bool WriteUnchanged() {
        Mapping none;
        none.palette = &global_;
        return Emit(Rect{0, 0, 1, 1}, {uint8_t(global_.size())}, none, int(global_.size()));
    }

  private:
    const uint8_t *SourceAt(uint32_t x, uint32_t y) const {
        return &source_[(size_t(y) * width_ + x) * 3];
    }
    uint8_t *ShownAt(uint32_t x, uint32_t y) { return &shown_[(size_t(y) * width_ + x) * 3]; }
    static void Map(const Rect &rect, const std::vector<uint8_t> &pixels,
                    const std::vector<uint8_t> &changed, bool dither, Mapping &out);
    bool Emit(const Rect &rect, const std::vector<uint8_t> &indices, const Mapping &m,
              int transparent);

    Sink &sink_;
    AnimReport &report_;
    uint32_t width_;
    std::vector<Color> global_;
    PaletteIndex globalIndex_;
    uint16_t delay_;
    std::vector<uint8_t> source_, shown_; // the last source frame and what a viewer shows
    std::unique_ptr<LzwEncoder> encoder_;
    std::unique_ptr<ColorSamples> localSamples_;
};

// Maps the rectangle's pixels with the quantiser (nearest colours, or its
// serpentine diffusion), then measures the changed pixels' error and the
// entries they use.
void FrameWriter::Map(const Rect &rect, const std::vector<uint8_t> &pixels,
                      const std::vector<uint8_t> &changed, bool dither, Mapping &out) {
    const std::vector<Color> &palette = *out.palette;
    out.indices.assign(changed.size(), 0);
    const dib::PixelRows rows{pixels.data(), rect.width, rect.height, ptrdiff_t(rect.width) * 3, 3};
    if (!dib::MapToPalette(rows, palette.data(), unsigned(palette.size()), dither,
                           out.indices.data(), ptrdiff_t(rect.width)))
        throw std::bad_alloc();
    out.error = 0;
    bool used[256] = {};
    for (size_t i = 0; i < changed.size(); ++i) {
        if (!changed[i]) continue;
        const Color &c = palette[out.indices[i]];
        const uint8_t *p = &pixels[3 * i];
        const double db = p[0] - c.blue, dg = p[1] - c.green, dr = p[2] - c.red;
        out.error += db * db + dg * dg + dr * dr;
        used[out.indices[i]] = true;
    }
    out.used = uint32_t(std::count(used, used + 256, true));
}

// Writes the image of rect with the given indices (transparent: the
// transparent index, or -1 when the image uses none) and updates the shown
// picture.
bool FrameWriter::Emit(const Rect &rect, const std::vector<uint8_t> &indices, const Mapping &m,
                       int transparent) {
    AnimImage image;
    image.left = rect.left, image.top = rect.top;
    image.width = rect.width, image.height = rect.height;
    image.localTable = m.palette == &global_ ? nullptr : m.palette;
    image.colors = uint32_t(m.palette->size()) + 1;
    image.transparent = transparent;
    image.delay = delay_;
    image.indices = indices.data();
    if (!WriteAnimImage(sink_, image, *encoder_)) return false;
    for (uint32_t y = 0; y < rect.height; ++y)
        for (uint32_t x = 0; x < rect.width; ++x) {
            const uint8_t index = indices[size_t(y) * rect.width + x];
            if (int(index) == transparent) continue;
            const Color &c = (*m.palette)[index];
            uint8_t *s = ShownAt(rect.left + x, rect.top + y);
            s[0] = c.blue, s[1] = c.green, s[2] = c.red;
        }
    return true;
}

bool FrameWriter::Write(const Rect &rect, const std::vector<uint8_t> &pixels, bool first) {
    const uint32_t w = rect.width, h = rect.height;
    std::vector<uint8_t> changed(size_t(w) * h, 1);
    size_t changedCount = changed.size();
    if (!first) {
        changedCount = 0;
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) {
                const size_t at = size_t(y) * w + x;
                changed[at] = !Same(&pixels[3 * at], SourceAt(rect.left + x, rect.top + y));
                changedCount += changed[at];
            }
    }
    for (uint32_t y = 0; y < h; ++y)
        std::memcpy(&source_[(size_t(rect.top + y) * width_ + rect.left) * 3],
                    &pixels[size_t(y) * w * 3], size_t(w) * 3);

    // The palette: global, or the frame's own where that pays.
    Mapping m;
    m.palette = &global_;
    Map(rect, pixels, changed, false, m);
    const double channels = 3.0 * double(changedCount ? changedCount : 1);
    std::vector<Color> local;
    std::unique_ptr<PaletteIndex> localIndex;
    const PaletteIndex *index = &globalIndex_;
    if (m.error / channels > kLocalFloor && m.used <= kLocalUse * double(global_.size())) {
        if (!localSamples_) localSamples_.reset(new ColorSamples);
        localSamples_->Reset();
        for (size_t i = 0; i < changed.size(); ++i)
            if (changed[i]) localSamples_->Add(&pixels[3 * i]);
        local = ChoosePalette(*localSamples_, kMaxColors);
        Mapping l;
        l.palette = &local;
        Map(rect, pixels, changed, false, l);
        if (l.error < kLocalGain * m.error) {
            m = std::move(l);
            localIndex.reset(new PaletteIndex(local));
            index = localIndex.get();
            ++report_.localPalettes;
        }
    }
    if (m.error / channels > AnimRecorder::kDitherMse) {
        Map(rect, pixels, changed, true, m);
        ++report_.dithered;
    }

    // What changes on screen: its bounding box is the image.
    const std::vector<Color> &palette = *m.palette;
    const uint8_t transparent = uint8_t(palette.size());
    std::vector<uint8_t> clear(changed.size()); // index, or transparent where nothing changes
    Rect box{w, h, 0, 0};
    uint32_t right = 0, bottom = 0;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const size_t at = size_t(y) * w + x;
            const uint8_t *s = ShownAt(rect.left + x, rect.top + y);
            const Color &c = palette[m.indices[at]];
            const bool keeps = !first && (!changed[at] || Same(s, c));
            clear[at] = keeps ? transparent : m.indices[at];
            if (keeps) continue;
            box.left = std::min(box.left, x), box.top = std::min(box.top, y);
            right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
        }
    if (right == 0) return WriteUnchanged();
    box.width = right - box.left, box.height = bottom - box.top;

    // Two codings of the box: unchanged pixels transparent, or repeating
    // their shown colour where the palette holds it exactly.
    std::vector<uint8_t> transparentCoded, repeatCoded;
    bool repeatUsesTransparent = false;
    for (uint32_t y = box.top; y < box.top + box.height; ++y)
        for (uint32_t x = box.left; x < box.left + box.width; ++x) {
            const size_t at = size_t(y) * w + x;
            transparentCoded.push_back(clear[at]);
            uint8_t repeat = m.indices[at];
            if (!first && !changed[at]) {
                const int exact = index->Find(ShownAt(rect.left + x, rect.top + y));
                repeat = exact < 0 ? transparent : uint8_t(exact);
                repeatUsesTransparent |= exact < 0;
            }
            repeatCoded.push_back(repeat);
        }
    const Rect image{rect.left + box.left, rect.top + box.top, box.width, box.height};
    if (first) return Emit(image, repeatCoded, m, -1);
    VectorSink a, b;
    const bool useRepeat = [&] {
        AnimImage trial;
        trial.width = image.width, trial.height = image.height;
        trial.colors = uint32_t(palette.size()) + 1;
        trial.indices = transparentCoded.data();
        WriteAnimImage(a, trial, *encoder_);
        trial.indices = repeatCoded.data();
        WriteAnimImage(b, trial, *encoder_);
        return b.bytes.size() <= a.bytes.size();
    }();
    if (useRepeat) return Emit(image, repeatCoded, m, repeatUsesTransparent ? transparent : -1);
    ++report_.transparentCoded;
    return Emit(image, transparentCoded, m, transparent);
}

} // namespace

Rect ChangedRect(const uint8_t *a, const uint8_t *b, uint32_t width, uint32_t height) {
    const size_t row = size_t(width) * 3;
    uint32_t top = 0, bottom = height;
    while (top < height && std::memcmp(a + top * row, b + top * row, row) == 0)
        ++top;
    if (top == height) return Rect{};
    while (bottom > top && std::memcmp(a + (bottom - 1) * row, b + (bottom - 1) * row, row) == 0)
        --bottom;
    uint32_t left = width, right = 0;
    for (uint32_t y = top; y < bottom; ++y) {
        const uint8_t *p = a + y * row, *q = b + y * row;
        uint32_t x = 0;
        while (x < left && Same(p + 3 * x, q + 3 * x))
            ++x;
        left = std::min(left, x);
        uint32_t end = width;
        while (end > right && Same(p + 3 * (end - 1), q + 3 * (end - 1)))
            --end;
        right = std::max(right, end);
    }
    return Rect{left, top, right - left, bottom - top};
}

AnimStatus AnimRecorder::Add(const uint8_t *dib, size_t size) {
    const dib::SourceDib src(dib::Block{dib, size});
    if (!src.hasHeader || src.header.size != dib::kInfoHeaderSize || src.header.bitCount != 24 ||
        src.header.compression != dib::kCompressionRgb || !src.PixelsInside())
        return AnimStatus::kNoDib;
    const bool first = frames_.empty();
    if (first && (src.width == 0 || src.height == 0 || src.width > 0xFFFF || src.height > 0xFFFF))
        return AnimStatus::kSize;
    if (!first && (src.width != width_ || src.height != height_)) return AnimStatus::kWrongSize;
    const uint32_t w = src.width, h = src.height;
    const size_t row = size_t(w) * 3;
    try {
        if (first) {
            samples_.Reset();
            last_.assign(row * h, 0);
        }
        next_.resize(row * h);
        for (uint32_t y = 0; y < h; ++y) // stored bottom-up unless the height is negative
            std::memcpy(&next_[y * row], src.Row(src.header.height > 0 ? h - 1 - y : y), row);
        Frame frame;
        frame.rect = first ? Rect{0, 0, w, h} : ChangedRect(last_.data(), next_.data(), w, h);
        frame.pixels.resize(size_t(frame.rect.width) * frame.rect.height * 3);
        for (uint32_t y = 0; y < frame.rect.height; ++y)
            std::memcpy(&frame.pixels[size_t(y) * frame.rect.width * 3],
                        &next_[(frame.rect.top + y) * row + size_t(frame.rect.left) * 3],
                        size_t(frame.rect.width) * 3);
        // The changed pixels join the samples.
        for (uint32_t y = 0; y < frame.rect.height; ++y)
            for (uint32_t x = 0; x < frame.rect.width; ++x) {
                const uint8_t *p = &frame.pixels[(size_t(y) * frame.rect.width + x) * 3];
                const size_t at = (frame.rect.top + y) * row + (frame.rect.left + x) * 3;
                if (first || !Same(p, &last_[at])) samples_.Add(p);
            }
        frames_.push_back(std::move(frame));
    } catch (const std::bad_alloc &) {
        return AnimStatus::kNoMemory;
    }
    last_.swap(next_);
    width_ = w, height_ = h;
    return AnimStatus::kOk;
}

AnimStatus AnimRecorder::Finish(Sink &sink, uint16_t delay, uint16_t plays,
                                AnimReport *report) const {
    if (frames_.empty()) return AnimStatus::kNoFrames;
    AnimReport unused;
    AnimReport &r = report ? *report : unused;
    r = AnimReport();
    try {
        std::vector<Color> global = ChoosePalette(samples_, kMaxColors);
        // Frames may need local tables only when the global one is not exact.
        const bool exact = samples_.exact() && samples_.exactColors().size() <= kMaxColors;
        if (!WriteAnimHeader(sink, width_, height_, global, !exact, plays))
            return AnimStatus::kSinkFailed;
        r.globalColors = uint32_t(global.size());
        FrameWriter writer(sink, width_, height_, std::move(global), delay, r);
        for (size_t k = 0; k < frames_.size(); ++k) {
            const Frame &f = frames_[k];
            const bool ok =
                f.rect.empty() ? writer.WriteUnchanged() : writer.Write(f.rect, f.pixels, k == 0);
            if (!ok) return AnimStatus::kSinkFailed;
        }
        return WriteAnimTrailer(sink) ? AnimStatus::kOk : AnimStatus::kSinkFailed;
    } catch (const std::bad_alloc &) {
        return AnimStatus::kNoMemory;
    }
}

} // namespace pexa::gif
