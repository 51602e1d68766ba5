// The preview window's texts, its colour rule and where it draws the frames
// of an image with states, free of any window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/image_header.h"

namespace orlavix {

// A colour text read as skin.ini holds it ("#rrggbb"); anything else is black.
std::uint32_t PreviewColorFromText(std::string_view text);

// "ファイル: <path>\nサイズ: ( w , h )", each size right-aligned in three places;
// for an image of two or more states, a third line names their number and
// the size of one frame, or that the image does not divide into them.
std::string ImagePropertiesText(std::string_view imagePath, int width, int height, int states = 0);

// "#BBGGRR - ( RR , GG , BB )": the stored colour as one number (blue first),
// then red, green and blue.
std::string ColorPropertiesText(std::uint32_t color);

// The line under an image that does not divide into its states.
std::string UndividedStatesText(int states, std::int64_t width, std::int64_t height);

// Decoded pixels above this many bytes are not drawn.
constexpr std::int64_t kPreviewMemoryLimit = std::int64_t{256} << 20;

enum class ImageVerdict { Draw, TooLarge, Unreadable };

// What the preview does with an image, from its header alone (and the
// file's length, for a file too long to read whole).
ImageVerdict JudgeImage(const ImageHeader& header, std::uint64_t fileBytes);

// The lines shown in place of an image that is not drawn: its name, its
// format and size (or what the header says is wrong), and why.
std::string UndrawnImageText(std::string_view name, const ImageHeader& header, ImageVerdict verdict);

struct PreviewBox {
  int left = 0, top = 0, width = 0, height = 0;
};

// Frames side by side, each over its state's name.
struct StateFramesLayout {
  int width = 0, height = 0;  // the client area that holds them
  std::vector<PreviewBox> frames, labels;
};

// Space between two frames, and between a frame and its name (and below
// the name).
constexpr int kStateFrameGap = 6;
constexpr int kStateLabelGap = 2;

// Each column is as wide as its frame or its name, whichever is wider, with
// the frame and the name centred in it.
StateFramesLayout LayOutStateFrames(int frameWidth, int frameHeight, const std::vector<int>& labelWidths,
                                    int labelHeight);

}  // namespace orlavix
