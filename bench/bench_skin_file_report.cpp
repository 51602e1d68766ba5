// Times the unused/missing image report: a controls folder of N generated
// files against the 118 Controls settings, for N = 1,000, 10,000 and 100,000
// (or the sizes given), listing the folder and comparing apart, and the
// step-by-step reference to show what sort-and-merge saves.
//   orlavix_bench_skin_file_report [files...]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "analysis/skin_file_report.h"
#include "model/catalogues.h"
#include "tests/reference/skin_file_report_reference.h"

namespace {

using orlavix::bench::Millis;

// Every image setting ticked: half name files of the folder (some in another
// letter case), half name files that do not exist and sort first, which is
// the step-by-step pairing's bad case: each pass scans them all again.
orlavix::SettingCatalogue MakeControls(int files) {
  orlavix::SettingCatalogue controls;
  orlavix::BuildControlItems(controls);
  int image = 0;
  for (int i = 0; i < controls.Count(); ++i) {
    orlavix::SettingItem& item = controls.At(i);
    if (item.kind != orlavix::SettingKind::ImageFile) continue;
    item.checked = true;
    const int n = (image * 7919) % files;
    item.text = image % 2 ? "absent_" + std::to_string(image) + ".png"
                          : (image % 4 ? "Image_" : "image_") + std::to_string(n) + ".png";
    ++image;
  }
  return controls;
}

void MakeFolder(const std::filesystem::path& folder, int files) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (int i = 0; i < files; ++i) {
    std::ofstream(folder / ("image_" + std::to_string(i) + ".png")) << 'x';
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {1000, 10000, 100000};
  const auto root = std::filesystem::temp_directory_path() / "orlavix-bench-skin-file-report";

  std::printf("%9s %12s %12s %12s %12s %14s\n", "files", "list ms", "compare ms", "total ms", "ns/file",
              "reference ms");
  for (int files : sizes) {
    const auto folder = root / "controls";
    MakeFolder(folder, files);
    const orlavix::SettingCatalogue controls = MakeControls(files);
    std::vector<std::string> present;
    orlavix::SkinFileReport report;
    const double list = Millis([&] { present = orlavix::PresentImageFiles(folder.string()); });
    const std::vector<std::string> used = orlavix::UsedImageNames(controls);
    const double compare = Millis([&] { report = orlavix::CompareSkinFiles(used, present); });
    const double total = Millis([&] {
      report = orlavix::CompareSkinFiles(orlavix::UsedImageNames(controls),
                                         orlavix::PresentImageFiles(folder.string()));
    });
    std::string referenceText = "-";
    {
      orlavix::SkinFileReport slow;
      const double reference = Millis([&] { slow = orlavix::reference::CompareSkinFiles(used, present); }, 1);
      if (slow.missing != report.missing || slow.unused != report.unused) {
        std::fprintf(stderr, "the report differs from the reference at %d files\n", files);
        return 1;
      }
      referenceText = std::to_string(static_cast<long long>(reference + 0.5));
    }
    std::printf("%9d %12.2f %12.2f %12.2f %12.0f %14s   (%zu missing, %zu unused)\n", files, list, compare, total,
                total * 1e6 / files, referenceText.c_str(), report.missing.size(), report.unused.size());
  }
  std::filesystem::remove_all(root);
  return 0;
}
