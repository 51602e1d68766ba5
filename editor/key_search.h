// Finding a row by typing the start of its key, as skin authors know their
// settings: characters typed without a pause make one prefix, compared with
// the keys without regard to case.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orlavix {

class KeySearch {
 public:
  // Milliseconds from any fixed start.
  using Clock = std::function<std::int64_t()>;
  // The pause after which typing starts a new prefix: the list view's own
  // type-ahead timeout.
  static constexpr std::int64_t kPauseMs = 1000;
  static constexpr int kBackspace = 0x08;

  // Without a clock, the system's steady clock.
  explicit KeySearch(Clock clock = Clock());

  // Takes one typed character: a letter, digit or '_' extends the prefix
  // (after a pause it starts a new one); Backspace removes the prefix's last
  // character. True when the prefix changed and is not empty, so a search
  // is due; any other character changes nothing.
  bool Take(int character);
  // Forgets the prefix: the person has moved on by other means.
  void Reset() { prefix_.clear(); }
  const std::string& Prefix() const { return prefix_; }

  // The first of `keys` that begins with the prefix, or -1.
  int FirstMatch(const std::vector<std::string>& keys) const;

 private:
  Clock clock_;
  std::string prefix_;
  std::int64_t last_ = 0;
};

}  // namespace orlavix
