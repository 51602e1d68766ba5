#include "model/image_states.h"

#include "support/mbtext.h"

namespace orlavix {
namespace {

// The list separator and the tab keys' list, in the working code page.
const std::string& Comma() {
  static const std::string comma = J("、");
  return comma;
}

bool At(std::string_view s, std::size_t i, std::string_view what) { return s.substr(i, what.size()) == what; }

// Splits at the separators outside parentheses, stepping by character so
// that a trail byte is never taken for '(' or ')'.
std::vector<std::string_view> SplitEntries(std::string_view list) {
  std::vector<std::string_view> entries;
  std::size_t start = 0;
  int depth = 0;
  for (std::size_t i = 0; i < list.size(); i = NextChar(list, i)) {
    if (list[i] == '(') ++depth;
    else if (list[i] == ')' && depth > 0) --depth;
    else if (depth == 0 && At(list, i, Comma())) {
      entries.push_back(list.substr(start, i - start));
      start = i + Comma().size();
    }
  }
  entries.push_back(list.substr(start));
  return entries;
}

}  // namespace

std::vector<std::string> ImageStates(std::string_view description) {
  // The first bracketed list, found character by character.
  std::size_t open = std::string_view::npos, close = std::string_view::npos;
  for (std::size_t i = 0; i < description.size(); i = NextChar(description, i)) {
    if (open == std::string_view::npos && description[i] == '[') {
      open = i;
    } else if (open != std::string_view::npos && description[i] == ']') {
      close = i;
      break;
    }
  }
  if (close == std::string_view::npos) return {};
  const std::string_view list = description.substr(open + 1, close - open - 1);
  // The tab rows name which of the four tab keys the row is, not states.
  static const std::string tabKeys = J("上、左、下、右");
  if (list == tabKeys) return {};

  std::vector<std::string> states;
  for (std::string_view entry : SplitEntries(list)) {
    std::size_t paren = std::string_view::npos;
    for (std::size_t i = 0; i < entry.size(); i = NextChar(entry, i)) {
      if (entry[i] == '(') {
        paren = i;
        break;
      }
    }
    if (paren == std::string_view::npos || entry.back() != ')') {
      states.push_back(TrimSpace(entry));
      continue;
    }
    const std::string outer = TrimSpace(entry.substr(0, paren));
    for (std::string_view inner : SplitEntries(entry.substr(paren + 1, entry.size() - paren - 2))) {
      states.push_back(outer + "/" + TrimSpace(inner));
    }
  }
  if (states.size() < 2) return {};
  return states;
}

StateFrames ChooseStateFrames(std::int64_t width, std::int64_t height, int count) {
  StateFrames frames;
  if (count < 2 || width <= 0 || height <= 0) return frames;
  const bool across = width % count == 0, down = height % count == 0;
  if (!across && !down) return frames;
  // How far from square a frame is: its long side over its short side,
  // compared by cross-multiplying so that nothing is rounded.
  const auto longer = [](std::int64_t w, std::int64_t h) { return w > h ? w : h; };
  const auto shorter = [](std::int64_t w, std::int64_t h) { return w > h ? h : w; };
  bool chooseAcross = across;
  if (across && down) {
    const std::int64_t aw = width / count, ah = height, dw = width, dh = height / count;
    // aLong/aShort <= dLong/dShort; the sides of a header are below 2^31,
    // so the products fit.
    chooseAcross = longer(aw, ah) * shorter(dw, dh) <= longer(dw, dh) * shorter(aw, ah);
  }
  frames.split = chooseAcross ? StateFrames::Across : StateFrames::Down;
  frames.frameWidth = chooseAcross ? width / count : width;
  frames.frameHeight = chooseAcross ? height : height / count;
  return frames;
}

}  // namespace orlavix
