// Times reading, listing and collecting a large skin.ini against merely
// reading its bytes. Generates its input into a temporary folder.
//   orlavix_bench_reader [megabytes=10] [other-sections=5000]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "document/skin_loader.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "bench/bench_support.h"
#include "tests/reference/skin_rescan.h"

namespace {

using orlavix::bench::MakeSkin;
using orlavix::bench::QuietMessages;

using orlavix::bench::Millis;

}  // namespace

int main(int argc, char** argv) {
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 10.0;
  const int sections = argc > 2 ? std::atoi(argv[2]) : 5000;
  const auto dir = std::filesystem::temp_directory_path() / "orlavix-bench-reader";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "skin.ini").string();
  {
    const std::string skin = MakeSkin(static_cast<std::size_t>(megabytes * 1000 * 1000), sections);
    std::ofstream(path, std::ios::binary).write(skin.data(), static_cast<std::streamsize>(skin.size()));
  }

  QuietMessages messages;
  orlavix::SkinDocument doc;
  std::string bytes, extraText;
  std::size_t names = 0;
  // Nine runs each (best taken): memory a process has just taken is slow to
  // touch for its first passes on a virtual machine.
  constexpr int kRuns = 9;
  const double readBytes = Millis([&] { orlavix::platform::ReadWholeFile(path, bytes); }, kRuns);
  const double readDoc = Millis([&] {
    doc.ReadFromFile(path, messages);
    doc.SectionNames();
  }, kRuns);
  // The decoding the read does, over the bytes themselves (copied back
  // untimed before each run).
  std::string work;
  const double decode = orlavix::bench::Measure(kRuns, [&] {
                          orlavix::platform::Utf8PieceDecoder decoder(0);
                          decoder.TakeInPlace(work, true);
                          work.resize(decoder.Length());
                        }, [&] { work = bytes; }).min;
  const std::string decoded = orlavix::DecodeSkinFileBytes(bytes);
  orlavix::SkinDocument indexed;
  // The whole index, as listing every section builds it (the text is set
  // untimed before each run).
  const double index =
      orlavix::bench::Measure(kRuns, [&] { indexed.SectionNames(); }, [&] { indexed.SetText(decoded); }).min;
  const double list = Millis([&] { names = doc.SectionNames().size(); }, kRuns);
  const double collect = Millis([&] { orlavix::CollectOtherSections(path, doc, extraText, messages); }, kRuns);
  // What one lookup costs when each rescans from the start, as a naive
  // collection would do once per section.
  const std::string text = doc.Text();
  const int sample = 20;
  const double rescan = Millis([&] {
    for (int s = 0; s < sample; ++s) {
      orlavix::rescan::SectionText(text, "Plugin" + std::to_string(sections - 1 - s));
    }
  }, 1) / sample;

  std::printf("file                     %10.2f MB, %zu sections listed\n", bytes.size() / 1e6, names);
  std::printf("read the bytes           %10.1f ms\n", readBytes);
  std::printf("ReadFromFile             %10.1f ms (read, decode, index)\n", readDoc);
  std::printf("  of which decoding      %10.1f ms (UTF-8 to the working code page)\n", decode);
  std::printf("  of which indexing      %10.1f ms (one pass over the lines)\n", index);
  std::printf("SectionNames             %10.1f ms\n", list);
  std::printf("CollectOtherSections     %10.1f ms (re-reads the file; %.2f MB collected)\n", collect,
              extraText.size() / 1e6);
  std::printf("one rescanning lookup    %10.1f ms (x %d sections = %.0f ms if collected that way)\n", rescan,
              sections, rescan * sections);
  std::filesystem::remove_all(dir);
  return 0;
}
