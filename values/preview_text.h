// The preview window's texts and its colour rule, free of any window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orlavix {

// A colour text read as skin.ini holds it ("#rrggbb"); anything else is black.
std::uint32_t PreviewColorFromText(std::string_view text);

// "ファイル: <path>\nサイズ: ( w , h )", each size right-aligned in three places.
std::string ImagePropertiesText(std::string_view imagePath, int width, int height);

// "#BBGGRR - ( RR , GG , BB )": the stored colour as one number (blue first),
// then red, green and blue.
std::string ColorPropertiesText(std::uint32_t color);

}  // namespace orlavix
