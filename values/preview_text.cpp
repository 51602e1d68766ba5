#include "values/preview_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "model/image_states.h"
#include "model/setting_item.h"
#include "support/mbtext.h"

namespace orlavix {

std::uint32_t PreviewColorFromText(std::string_view text) {
  return SettingItem(SettingKind::Color, false, "", "", text).color;
}

std::string ImagePropertiesText(std::string_view imagePath, int width, int height, int states) {
  char sizes[64];
  std::snprintf(sizes, sizeof sizes, "( %3d , %3d )", width, height);
  std::string text = J("ファイル: ") + std::string(imagePath) + "\n" + J("サイズ: ") + sizes;
  if (states < 2) return text;
  const StateFrames frames = ChooseStateFrames(width, height, states);
  text += "\n" + J("状態: ") + std::to_string(states) + J(" 個");
  if (frames.split == StateFrames::None) return text + J(" (割り切れません)");
  std::snprintf(sizes, sizeof sizes, "( %3d , %3d )", static_cast<int>(frames.frameWidth),
                static_cast<int>(frames.frameHeight));
  return text + J("、1 つの大きさ: ") + sizes;
}

std::string ColorPropertiesText(std::uint32_t color) {
  char text[64];
  std::snprintf(text, sizeof text, "#%06X - ( %02X , %02X , %02X )", color, color & 0xFF,
                (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  return text;
}

std::string UndividedStatesText(int states, std::int64_t width, std::int64_t height) {
  return std::to_string(states) + J(" 個の状態に割り切れません (幅 ") + std::to_string(width) + J("・高さ ") +
         std::to_string(height) + ")";
}

ImageVerdict JudgeImage(const ImageHeader& header, std::uint64_t fileBytes) {
  // A file longer than the limit holds more than the limit once decoded.
  if (fileBytes > static_cast<std::uint64_t>(kPreviewMemoryLimit)) return ImageVerdict::TooLarge;
  if (header.format == ImageFormat::None || header.damaged || header.width <= 0 || header.height <= 0) {
    return ImageVerdict::Unreadable;
  }
  // Drawn from four bytes a pixel; the sides are below 2^31, so this fits.
  if (header.width * header.height > kPreviewMemoryLimit / 4) return ImageVerdict::TooLarge;
  return ImageVerdict::Draw;
}

std::string UndrawnImageText(std::string_view name, const ImageHeader& header, ImageVerdict verdict) {
  std::string text(name);
  if (header.format != ImageFormat::None && !header.damaged && header.width > 0) {
    std::string format = ImageFormatName(header.format);
    for (char& c : format) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    text += "\n" + format + J("、幅 ") + std::to_string(header.width) + J("・高さ ") + std::to_string(header.height);
  } else if (!header.problem.empty()) {
    text += "\n" + J(header.problem);
  }
  text += "\n" + (verdict == ImageVerdict::TooLarge ? J("大きすぎるためプレビューできません") : J("画像として読めません"));
  return text;
}

StateFramesLayout LayOutStateFrames(int frameWidth, int frameHeight, const std::vector<int>& labelWidths,
                                    int labelHeight) {
  StateFramesLayout layout;
  layout.height = frameHeight + kStateLabelGap + labelHeight + kStateLabelGap;
  int left = 0;
  for (std::size_t i = 0; i < labelWidths.size(); ++i) {
    const int column = std::max(frameWidth, labelWidths[i]);
    if (i > 0) left += kStateFrameGap;
    layout.frames.push_back({left + (column - frameWidth) / 2, 0, frameWidth, frameHeight});
    layout.labels.push_back({left + (column - labelWidths[i]) / 2, frameHeight + kStateLabelGap, labelWidths[i],
                             labelHeight});
    left += column;
  }
  layout.width = left;
  return layout;
}

}  // namespace orlavix
