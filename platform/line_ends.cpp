#include "platform/codepage.h"

namespace orlavix::platform {

std::string WithCrLfLineEnds(std::string_view text, std::size_t (*lineEnds)(std::string_view run)) {
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t run = text.find_first_of("\r\n", i);
    if (run == std::string_view::npos) {
      out.append(text, i, std::string_view::npos);
      break;
    }
    out.append(text, i, run - i);
    std::size_t end = run;
    while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) ++end;
    for (std::size_t pairs = lineEnds(text.substr(run, end - run)); pairs > 0; --pairs) out += "\r\n";
    i = end;
  }
  return out;
}

}  // namespace orlavix::platform
