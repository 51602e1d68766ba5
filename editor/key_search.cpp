#include "editor/key_search.h"

#include <chrono>
#include <utility>

namespace orlavix {

namespace {

std::int64_t SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool IsKeyCharacter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

KeySearch::KeySearch(Clock clock) : clock_(clock ? std::move(clock) : Clock(SteadyMilliseconds)) {}

bool KeySearch::Take(int character) {
  const bool keyCharacter = IsKeyCharacter(character);
  if (!keyCharacter && character != kBackspace) return false;
  const std::int64_t now = clock_();
  if (now - last_ > kPauseMs) prefix_.clear();
  last_ = now;
  if (keyCharacter) {
    prefix_ += static_cast<char>(character);
    return true;
  }
  // Backspace after the pause finds the prefix already gone.
  if (prefix_.empty()) return false;
  prefix_.pop_back();
  return !prefix_.empty();
}

int KeySearch::FirstMatch(const std::vector<std::string>& keys) const {
  if (prefix_.empty()) return -1;
  for (std::size_t row = 0; row < keys.size(); ++row) {
    const std::string& key = keys[row];
    if (key.size() < prefix_.size()) continue;
    // The prefix is ASCII: a key's double-byte character never equals it
    // byte for byte, so comparing bytes stays on character boundaries.
    std::size_t i = 0;
    while (i < prefix_.size() && FoldCase(key[i]) == FoldCase(prefix_[i])) ++i;
    if (i == prefix_.size()) return static_cast<int>(row);
  }
  return -1;
}

}  // namespace orlavix
