// Images that hold one picture per state of a control: the states a setting's
// description names, and how such an image divides into its frames.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlavix {

// The states named by the bracketed list after the description's name
// ("ボタン [通常、フォーカス、押下]"), in the working code page. An entry with a
// parenthesised list ("アクティブ(通常、ホバー)") gives its inner entries, each
// named "アクティブ/通常". Empty when the description names fewer than two
// states, or names the four tab keys ("[上、左、下、右]") rather than states.
std::vector<std::string> ImageStates(std::string_view description);

// How an image of `count` states divides into frames.
struct StateFrames {
  enum Split { None, Across, Down };  // Across: frames side by side in the file
  Split split = None;
  std::int64_t frameWidth = 0, frameHeight = 0;
};

// Splits along the side that `count` divides; when both do, the side whose
// frames come closest to square (across on a tie). None when neither does,
// when the size is unknown (0) or when there are fewer than two states.
StateFrames ChooseStateFrames(std::int64_t width, std::int64_t height, int count);

}  // namespace orlavix
