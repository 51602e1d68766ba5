// What the preview decides without a window: which images it draws, the
// lines it writes instead, and where the frames of an image of states go.
#include "values/preview_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/mbtext.h"

namespace orlavix {
namespace {

ImageHeader Header(ImageFormat format, std::int64_t width, std::int64_t height, bool damaged = false,
                   const char* problem = "") {
  ImageHeader header;
  header.format = format;
  header.width = width;
  header.height = height;
  header.damaged = damaged;
  header.problem = problem;
  return header;
}

TEST(PreviewImageTest, DrawnOnlyWhenTheHeaderHoldsAndThePixelsFit) {
  struct Case {
    const char* what;
    ImageHeader header;
    std::uint64_t fileBytes;
    ImageVerdict verdict;
    const char* text;  // UTF-8, the lines after the name; "" for a drawn image
  };
  const Case cases[] = {
      {"small", Header(ImageFormat::Png, 72, 24), 900, ImageVerdict::Draw, ""},
      {"exactly 256 MB of pixels", Header(ImageFormat::Bmp, 8192, 8192), 1000, ImageVerdict::Draw, ""},
      {"one pixel more", Header(ImageFormat::Bmp, 8192, 8193), 1000, ImageVerdict::TooLarge,
       "BMP、幅 8192・高さ 8193\n大きすぎるためプレビューできません"},
      {"20000 x 20000", Header(ImageFormat::Png, 20000, 20000), 33, ImageVerdict::TooLarge,
       "PNG、幅 20000・高さ 20000\n大きすぎるためプレビューできません"},
      {"the largest sides a header holds", Header(ImageFormat::Png, 0x7FFFFFFF, 0x7FFFFFFF), 33,
       ImageVerdict::TooLarge, "PNG、幅 2147483647・高さ 2147483647\n大きすぎるためプレビューできません"},
      {"a file longer than the limit", Header(ImageFormat::Png, 16, 16), (std::uint64_t{256} << 20) + 1,
       ImageVerdict::TooLarge, "PNG、幅 16・高さ 16\n大きすぎるためプレビューできません"},
      {"not a picture", Header(ImageFormat::None, 0, 0, false, "JPEG です (PNG、BMP、ICO のいずれでもありません)"), 10,
       ImageVerdict::Unreadable, "JPEG です (PNG、BMP、ICO のいずれでもありません)\n画像として読めません"},
      {"damaged", Header(ImageFormat::Png, 0, 0, true, "PNG の IHDR のチェックサムが合いません"), 40,
       ImageVerdict::Unreadable, "PNG の IHDR のチェックサムが合いません\n画像として読めません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ImageVerdict verdict = JudgeImage(c.header, c.fileBytes);
    EXPECT_EQ(static_cast<int>(verdict), static_cast<int>(c.verdict));
    if (verdict != ImageVerdict::Draw) {
      EXPECT_EQ(AnsiToUtf8(UndrawnImageText("b.png", c.header, verdict)), std::string("b.png\n") + c.text);
    }
  }
}

TEST(PreviewImageTest, TextsOfStates) {
  EXPECT_EQ(UndividedStatesText(5, 301, 62), J("5 個の状態に割り切れません (幅 301・高さ 62)"));
  const std::string head = J("ファイル: ") + "b.png\n" + J("サイズ: ");
  EXPECT_EQ(ImagePropertiesText("b.png", 360, 24, 5), head + "( 360 ,  24 )\n" + J("状態: 5 個、1 つの大きさ: (  72 ,  24 )"));
  EXPECT_EQ(ImagePropertiesText("b.png", 16, 48, 3), head + "(  16 ,  48 )\n" + J("状態: 3 個、1 つの大きさ: (  16 ,  16 )"));
  EXPECT_EQ(ImagePropertiesText("b.png", 301, 62, 5), head + "( 301 ,  62 )\n" + J("状態: 5 個 (割り切れません)"));
  EXPECT_EQ(ImagePropertiesText("b.png", 301, 62, 0), head + "( 301 ,  62 )");
}

TEST(PreviewImageTest, FramesSideBySideOverTheirNames) {
  struct Case {
    const char* what;
    int frameWidth, frameHeight;
    std::vector<int> labelWidths;
    int width, height;
    std::vector<int> frameLefts, labelLefts;
  };
  const Case cases[] = {
      {"names narrower than frames", 72, 24, {20, 40, 30}, 3 * 72 + 2 * 6, 24 + 2 + 12 + 2, {0, 78, 156}, {26, 94, 177}},
      {"a name wider than its frame widens its column", 16, 16, {24, 60, 16}, 24 + 6 + 60 + 6 + 16, 16 + 2 + 12 + 2,
       {4, 52, 96}, {0, 30, 96}},
      {"one state", 10, 10, {4}, 10, 10 + 2 + 12 + 2, {0}, {3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const StateFramesLayout layout = LayOutStateFrames(c.frameWidth, c.frameHeight, c.labelWidths, 12);
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.height, c.height);
    ASSERT_EQ(layout.frames.size(), c.labelWidths.size());
    ASSERT_EQ(layout.labels.size(), c.labelWidths.size());
    for (std::size_t i = 0; i < c.labelWidths.size(); ++i) {
      EXPECT_EQ(layout.frames[i].left, c.frameLefts[i]) << i;
      EXPECT_EQ(layout.frames[i].top, 0);
      EXPECT_EQ(layout.frames[i].width, c.frameWidth);
      EXPECT_EQ(layout.labels[i].left, c.labelLefts[i]) << i;
      EXPECT_EQ(layout.labels[i].top, c.frameHeight + 2);
    }
  }
}

}  // namespace
}  // namespace orlavix
