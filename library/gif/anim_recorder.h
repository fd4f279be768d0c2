// An animation being recorded, and its encoding as an animated GIF.
//
// Frames arrive as 24-bit DIBs. Each is kept as the rectangle in which it
// differs from the frame before (the first frame whole), and its changed
// pixels join the colour samples, so a turning object over a still
// background costs memory for the object only.
//
// Finish chooses one global palette for all frames from those samples (the
// toolkit's quality quantiser; every colour exactly when there are no more
// than 255). A frame whose changed pixels use few of the global entries and
// are served poorly by them gets a local palette of its own, when that
// palette does markedly better. Pixels map to the nearest colour; only a
// frame whose palette is coarse (mean squared error above kDitherMse a
// channel, where bands become visible) is dithered, since below that error
// diffusion costs bytes and PSNR and hides nothing. Each frame stores the
// bounding box of the pixels whose shown colour changes; inside it, pixels
// that keep their colour are either transparent or repeat their colour,
// whichever codes smaller. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gif/anim_palette.h"
#include "gif/gif_codec.h"

namespace pexa::gif {

// A rectangle of the picture, top row first.
struct Rect {
    uint32_t left = 0, top = 0, width = 0, height = 0;
    bool empty() const { return width == 0 || height == 0; }
};

// The smallest rectangle holding every pixel where two pictures of width x
// height differ (3 bytes a pixel, rows packed, top row first); empty when
// they are equal.
Rect ChangedRect(const uint8_t *a, const uint8_t *b, uint32_t width, uint32_t height);

enum class AnimStatus {
    kOk,
    kNoDib,     // not a 24-bit uncompressed DIB with all its rows in the block
    kSize,      // a first frame without pixels or wider or higher than 65535
    kWrongSize, // a frame of another size than the first
    kNoMemory,
    kNoFrames,   // Finish without a frame
    kSinkFailed, // the sink refused bytes
};

// What Finish chose, frame by frame.
struct AnimReport {
    uint32_t globalColors = 0;
    uint32_t localPalettes = 0;    // frames with a palette of their own
    uint32_t dithered = 0;         // frames dithered
    uint32_t transparentCoded = 0; // frames whose unchanged pixels are transparent
};

class AnimRecorder {
  public:
    // Mean squared error a channel above which a frame is dithered.
    static constexpr double kDitherMse = 8.0;

    // Adds a frame: a 24-bit uncompressed DIB in a block of size bytes. A
    // refused frame is not kept (one refused for want of memory may have
    // left some of its colours among the palette's samples).
    AnimStatus Add(const uint8_t *dib, size_t size);
    // Writes the whole file to the sink, every frame shown for delay
    // hundredths of a second, the animation played `plays` times (0: forever).
    AnimStatus Finish(Sink &sink, uint16_t delay, uint16_t plays,
                      AnimReport *report = nullptr) const;

    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    size_t frames() const { return frames_.size(); }

  private:
    struct Frame {
        Rect rect;
        std::vector<uint8_t> pixels; // the rectangle's pixels, blue, green, red, top row first
    };

    uint32_t width_ = 0, height_ = 0;
    std::vector<Frame> frames_;
    std::vector<uint8_t> last_, next_; // the last frame and the one arriving, whole
    ColorSamples samples_;
};

} // namespace pexa::gif
