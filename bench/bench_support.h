// Shared by the benchmarks: the generated skin.ini, a silent Messages, and
// timing as min and median of several runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/messages.h"

namespace orlavix::bench {

class QuietMessages : public Messages {
 public:
  void Alert(const std::string& text) override { std::fprintf(stderr, "alert: %s\n", text.c_str()); }
  void Report(const std::string&, int) override {}
  void Warn(const std::string&) override {}
  Answer AskToSave(bool) override { return Answer::No; }
  bool ConfirmSave(const std::string&) override { return true; }
};

// The four skin sections, then `sections` other sections padded to about
// `bytes` in all: UTF-8 with a Japanese word on every line.
inline std::string MakeSkin(std::size_t bytes, int sections) {
  std::string text = "[General]\r\nAuthor=\xE5\xB1\xB1\xE7\x94\xB0\r\nName=Bench\r\n\r\n[Colors]\r\nText=#000000\r\n"
                     "[Controls]\r\nButton=button.png\r\n[Settings]\r\nTabWidth=120\r\n";
  text.reserve(bytes + 4096);
  const std::size_t perSection = bytes / static_cast<std::size_t>(sections);
  for (int s = 0; s < sections; ++s) {
    const std::size_t end = text.size() + perSection;
    text += "[Plugin" + std::to_string(s) + "]\r\n# \xE8\xAA\xAC\xE6\x98\x8E\r\n";
    for (int k = 0; text.size() < end; ++k) {
      text += "Key" + std::to_string(k) + "=\xE5\x80\xA4 value " + std::to_string(s * 1000 + k) + "\r\n";
    }
  }
  return text;
}

struct Timing {
  double min = 0, median = 0;
};

// Runs work `repeat` times; `between` (untimed) runs before each. One run
// first goes untimed: on a virtual machine, memory the process has just taken
// is slow to touch for a while, and that is the machine, not the work.
template <typename Work, typename Between>
Timing Measure(int repeat, Work&& work, Between&& between) {
  between();
  work();
  std::vector<double> took;
  for (int r = 0; r < repeat; ++r) {
    between();
    const auto start = std::chrono::steady_clock::now();
    work();
    took.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(took.begin(), took.end());
  return {took.front(), took[took.size() / 2]};
}

template <typename Work>
Timing Measure(int repeat, Work&& work) {
  return Measure(repeat, work, [] {});
}

// The best of `repeat` runs, in milliseconds.
template <typename Work>
double Millis(Work&& work, int repeat = 3) {
  return Measure(repeat, work).min;
}

}  // namespace orlavix::bench
