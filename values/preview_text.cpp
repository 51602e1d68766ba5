#include "values/preview_text.h"

#include <cstdio>

#include "model/setting_item.h"
#include "support/mbtext.h"

namespace orlavix {

std::uint32_t PreviewColorFromText(std::string_view text) {
  return SettingItem(SettingKind::Color, false, "", "", text).color;
}

std::string ImagePropertiesText(std::string_view imagePath, int width, int height) {
  char sizes[64];
  std::snprintf(sizes, sizeof sizes, "( %3d , %3d )", width, height);
  return J("ファイル: ") + std::string(imagePath) + "\n" + J("サイズ: ") + sizes;
}

std::string ColorPropertiesText(std::uint32_t color) {
  char text[64];
  std::snprintf(text, sizeof text, "#%06X - ( %02X , %02X , %02X )", color, color & 0xFF,
                (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  return text;
}

}  // namespace orlavix
