// The editor's whole way through a skin.ini, timed against its targets and
// against two Python scripts run in the same invocation:
//   build the five catalogues; LoadSection for General, Colors, Controls and
//   Settings (each reads the file again); the analysis behind the question
//   before a save (again); CollectOtherSectionBytes (again); SaveSkinContent
//   with its backup.
// Every figure is min / median of several runs. Generates its files into a
// folder of its own under the given folder (default: the system's temporary
// folder).
//   orlavix_bench_full_path [folder] [runs=7]
//   orlavix_bench_full_path --once path      (one full path, for a fresh process)
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/skin_analysis.h"
#include "bench/bench_support.h"
#include "document/skin_loader.h"
#include "document/skin_writer.h"
#include "editor/save_question.h"
#include "model/catalogues.h"
#include "platform/codepage.h"
#include "platform/files.h"

namespace {

using namespace orlavix;
using bench::Measure;
using bench::Timing;

bench::QuietMessages messages;

// What the editor does before a save: the file analysed as the save reads
// it, what the save keeps of it taken from the same read (the editor's
// default), and the question's text. Returns the text's size.
std::size_t AskBeforeSaving(const std::string& path, KeptLines* kept = nullptr) {
  AnalysisOptions options;
  options.images = false;
  options.authorComments = true;
  SkinResult result;
  std::string error;
  static const KnownKeys known;  // as the editor keeps it
  if (!AnalyseSkinFile(path, known, options, result, error, kept)) return 0;
  return SaveQuestionText(result.findings, NextBackupName(path)).size();
}

// The whole path once (without the question's analysis when `ask` is
// false). Returns the size written.
std::size_t FullPath(const std::string& path, bool ask = true) {
  SettingCatalogue options, general, colors, controls, settings;
  BuildOptionItems(options);
  SkinDocument skinText;
  const SettingCategory categories[4] = {SettingCategory::General, SettingCategory::Colors, SettingCategory::Controls,
                                         SettingCategory::Settings};
  SettingCatalogue* catalogues[4] = {&general, &colors, &controls, &settings};
  for (int i = 0; i < 4; ++i) {
    BuildCatalogue(categories[i], *catalogues[i]);
    LoadSection(path, skinText, SectionOf(categories[i]), *catalogues[i], messages);
  }
  // As the editor saves: the text last loaded let go, the question asked
  // (the bench file holds keys no setting knows: it is), the other sections
  // taken as the file's own bytes.
  skinText.Clear();
  KeptLines kept;
  if (ask) AskBeforeSaving(path, &kept);
  std::string extraBytes;
  CollectOtherSectionBytes(path, extraBytes, messages);
  SectionStyle style;
  style.helpLines = options.FindCopy(option::OutputHelpString).boolValue;
  if (!SaveSkinContent(path, {general, colors, controls, settings, std::string(), &extraBytes, &kept}, style)) {
    std::fprintf(stderr, "the save failed\n");
  }
  return extraBytes.size();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void RemoveBackups(const std::string& path) {
  for (int n = 0; n < 1000; ++n) {
    if (!std::filesystem::remove(BackupName(path, n))) break;
  }
}

std::string SelfPath() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

struct Child {
  double millis = 0;
  double peakMegabytes = 0;
  std::string output;
};

// Runs a program and waits for it: wall time, peak memory, what it printed.
Child Run(const std::vector<std::string>& args) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  // Spawned without copying this process's memory, so that the child's peak
  // is its own.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    return {};
  }
  close(pipeFds[1]);
  Child child;
  char buffer[4096];
  for (ssize_t got; (got = read(pipeFds[0], buffer, sizeof buffer)) > 0;) child.output.append(buffer, got);
  close(pipeFds[0]);
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  child.millis = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  child.peakMegabytes = usage.ru_maxrss / 1024.0;
  const std::size_t peak = child.output.find("peak-kb");
  if (peak != std::string::npos) child.peakMegabytes = std::atof(child.output.c_str() + peak + 7) / 1024.0;
  return child;
}

// Fresh processes of the full path over the same contents each time (a run
// saves the file): min/median time and the largest peak.
Timing FreshProcess(const std::string& path, const std::string& contents, int runs, double& peakMegabytes) {
  peakMegabytes = 0;
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    WriteFile(path, contents);
    RemoveBackups(path);
    const Child child = Run({SelfPath(), "--once", path});
    times.push_back(child.millis);
    if (child.peakMegabytes > peakMegabytes) peakMegabytes = child.peakMegabytes;
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

// The two Python peers, timed inside Python over the same file.
const char* kPythonPeers = R"(
import configparser, statistics, sys, time
path, out, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
def configparser_way():
    c = configparser.ConfigParser(interpolation=None, strict=False)
    c.optionxform = str
    c.read(path, encoding='utf-8-sig')
    with open(out, 'w', encoding='utf-8', newline='\r\n') as f:
        c.write(f)
def minimal_script():
    keep, lines = False, []
    for line in open(path, encoding='utf-8-sig').read().splitlines():
        if not line:
            continue
        if line.startswith('['):
            keep = line.endswith(']') and line[1:-1].lower() not in ('general', 'colors', 'controls', 'settings')
        if keep:
            lines.append(line)
    with open(out, 'w', encoding='utf-8', newline='\r\n') as f:
        f.write('\n'.join(lines) + '\n')
for name, way in (('configparser', configparser_way), ('minimal', minimal_script)):
    took = []
    for _ in range(runs):
        start = time.perf_counter()
        way()
        took.append((time.perf_counter() - start) * 1000)
    print(name, min(took), statistics.median(took))
)";

struct PythonPeers {
  Timing configparser, minimal;
  bool ran = false;
};

PythonPeers RunPython(const std::string& path, const std::string& out, int runs) {
  PythonPeers peers;
  const Child child = Run({"python3", "-c", kPythonPeers, path, out, std::to_string(runs)});
  char name[32];
  double low, mid;
  const char* at = child.output.c_str();
  int used = 0;
  while (std::sscanf(at, "%31s %lf %lf\n%n", name, &low, &mid, &used) == 3) {
    (std::string(name) == "configparser" ? peers.configparser : peers.minimal) = {low, mid};
    peers.ran = true;
    at += used;
  }
  return peers;
}

void Line(const char* what, Timing t, const char* target) {
  std::printf("%-44s %9.2f / %9.2f ms   %s\n", what, t.min, t.median, target);
}

// Keeps freed memory in the process, as a long-running editor's allocator
// does after its first save; or gives every large buffer back at once, as a
// first save in a fresh program meets fresh pages.
void KeepFreedMemory(bool keep) {
  mallopt(M_MMAP_THRESHOLD, keep ? 512 * 1024 * 1024 : 128 * 1024);
  mallopt(M_TRIM_THRESHOLD, keep ? 1024 * 1024 * 1024 : 128 * 1024);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--once") {
    FullPath(argv[2]);
    // This process's own peak: the parent's memory never counts here.
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("VmHWM:", 0) == 0) std::printf("peak-kb %s\n", line.substr(6).c_str());
    }
    return 0;
  }
  const std::filesystem::path base = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
  const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
  const auto dir = base / ("orlavix-bench-full-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "skin.ini").string();
  const std::string original = bench::MakeSkin(10 * 1000 * 1000, 5000);
  WriteFile(path, original);
  const auto restore = [&] {
    WriteFile(path, original);
    RemoveBackups(path);
  };
  double load[3];
  if (getloadavg(load, 3) != 3) load[0] = load[1] = load[2] = -1;
  std::printf("file: %.2f MB, 5000 other sections, in %s; %d runs each; load average %.2f %.2f %.2f\n",
              original.size() / 1e6, dir.c_str(), runs, load[0], load[1], load[2]);
  std::printf("%-44s %9s / %9s\n", "", "min", "median");

  // Each step on its own, with memory kept.
  KeepFreedMemory(true);
  std::string bytes, text, extraText, extraBytes;
  SkinDocument doc;
  Line("read the bytes", Measure(runs, [&] { platform::ReadWholeFile(path, bytes); }), "");
  Line("SkinDocument::ReadFromFile + first lookup", Measure(runs, [&] {
         doc.ReadFromFile(path, messages);
         doc.SectionEntries("General");
       }), "target <= 8 ms");
  // The decoding the read does (over the bytes themselves), here in one go
  // over bytes already in memory; the read does it piece by piece as they
  // arrive.
  std::string work;
  Line("  decode (UTF-8 to code page 932)", Measure(runs, [&] {
         platform::Utf8PieceDecoder decoder(0);
         decoder.TakeInPlace(work, true);
         work.resize(decoder.Length());
       }, [&] { work = bytes; }), "target <= 4 ms");
  text = DecodeSkinFileBytes(bytes);
  SkinDocument indexed;
  // The whole index, as listing every section builds it; a lookup of a
  // section near the top builds only the start of it.
  Line("  index (every header line)", Measure(runs, [&] { indexed.SectionNames(); }, [&] { indexed.SetText(text); }),
       "target <= 3 ms");
  Line("KnownKeys (the four catalogues and their lines)", Measure(runs, [&] { KnownKeys known; }), "");
  KeptLines keptLines;
  Line("the analysis and question before a save, with what it keeps",
       Measure(runs, [&] { AskBeforeSaving(path, &keptLines); }), "");
  Line("CollectOtherSectionBytes with its re-read (save)",
       Measure(runs, [&] { CollectOtherSectionBytes(path, extraBytes, messages); }), "target <= 12 ms");
  Line("CollectOtherSections, text and bytes (view)",
       Measure(runs, [&] { CollectOtherSections(path, doc, extraText, messages, &extraBytes); }), "");
  SettingCatalogue general, colors, controls, settings;
  BuildGeneralItems(general);
  BuildColorItems(colors);
  BuildControlItems(controls);
  BuildSettingItems(settings);
  std::string file;
  Line("BuildSkinFile", Measure(runs, [&] {
         file = BuildSkinFile({general, colors, controls, settings, extraText, &extraBytes}, SectionStyle{});
       }), "");
  // What the folder's disk allows: the file's bytes written twice and each
  // flushed (a save keeps a backup and the new file, both durable).
  const std::string floorPath = (dir / "floor.bin").string();
  Line("the disk's floor: write the bytes twice, each flushed", Measure(runs, [&] {
         for (int copy = 0; copy < 2; ++copy) {
           const int fd = open((floorPath + std::to_string(copy)).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
           for (std::size_t done = 0; fd >= 0 && done < original.size();) {
             const ssize_t put = write(fd, original.data() + done, original.size() - done);
             if (put <= 0) break;
             done += static_cast<std::size_t>(put);
           }
           if (fd >= 0) {
             fsync(fd);
             close(fd);
           }
         }
       }), "");
  std::filesystem::remove(floorPath + "0");
  std::filesystem::remove(floorPath + "1");
  const SkinContent content{general, colors, controls, settings, extraText, &extraBytes};
  const Timing writeKept = Measure(runs, [&] { SaveSkinContent(path, content, SectionStyle{}); }, restore);
  Line("SaveSkinContent (build, backup, write, flush, replace)", writeKept, "target <= 12 ms with memory kept");
  const Timing kept = Measure(runs, [&] { FullPath(path); }, restore);
  Line("full path in-process, memory kept", kept, "target <= 60 ms");
  Line("  the same without the question's analysis", Measure(runs, [&] { FullPath(path, false); }, restore), "");

  KeepFreedMemory(false);
  const Timing writeFresh = Measure(runs, [&] { SaveSkinContent(path, content, SectionStyle{}); }, restore);
  Line("SaveSkinContent, fresh memory", writeFresh, "target <= 40 ms as it runs");
  const Timing normal = Measure(runs, [&] { FullPath(path); }, restore);
  Line("full path in-process, fresh memory", normal, "");
  restore();
  double peak = 0;
  const Timing fresh = FreshProcess(path, original, runs, peak);
  Line("full path as a fresh process", fresh, "target <= 300 ms");
  std::printf("%-44s %9.1f MB = %.2f x the file                 target <= 4 x\n", "  peak memory (max RSS)", peak,
              peak * 1024 * 1024 / original.size());

  // The same file through Python, in this invocation.
  restore();
  const PythonPeers peers = RunPython(path, (dir / "python-out.ini").string(), runs);
  if (peers.ran) {
    Line("Python configparser, read + write", peers.configparser, "");
    Line("Python minimal script (other sections)", peers.minimal, "");
    std::printf("%-44s %9.1f / %9.1f x   target >= 20 x\n", "  configparser / full path (memory kept)",
                peers.configparser.min / kept.min, peers.configparser.median / kept.median);
    std::printf("%-44s %9.1f / %9.1f x   target >= 5 x\n", "  minimal script / full path (memory kept)",
                peers.minimal.min / kept.min, peers.minimal.median / kept.median);
  } else {
    std::printf("python3 did not run: no ratios\n");
  }

  // Scaling: size at a fixed section density, and sections at a fixed size.
  KeepFreedMemory(true);
  std::printf("\nscaling, full path in-process with memory kept (min / median ms, per MB or per section)\n");
  for (const auto& [megabytes, sections] : std::vector<std::pair<int, int>>{{1, 500}, {5, 2500}, {10, 5000},
                                                                            {20, 10000}, {40, 20000}}) {
    const std::string skin = bench::MakeSkin(megabytes * 1000 * 1000, sections);
    const Timing t = Measure(runs, [&] { FullPath(path); }, [&] {
      WriteFile(path, skin);
      RemoveBackups(path);
    });
    std::printf("  %2d MB, %5d sections %9.2f / %9.2f ms   %.2f ms per MB\n", megabytes, sections, t.min, t.median,
                t.min / megabytes);
  }
  Timing few, many;
  for (const int sections : {500, 5000, 50000}) {
    const std::string skin = bench::MakeSkin(10 * 1000 * 1000, sections);
    const Timing t = Measure(runs, [&] { FullPath(path); }, [&] {
      WriteFile(path, skin);
      RemoveBackups(path);
    });
    std::printf("  10 MB, %5d sections %9.2f / %9.2f ms\n", sections, t.min, t.median);
    if (sections == 500) few = t;
    if (sections == 50000) many = t;
  }
  std::printf("%-44s %9.3f us per section           target <= 0.2 us\n", "  cost of a section (50,000 vs 500)",
              (many.min - few.min) * 1000 / (50000 - 500));

  // A real-sized file.
  const std::string small = bench::MakeSkin(26 * 1000, 10);
  Line("26 KB file, full path in-process", Measure(runs, [&] { FullPath(path); }, [&] {
         WriteFile(path, small);
         RemoveBackups(path);
       }), "target <= 5 ms");

  // Hostile files, each through the full path in a fresh process.
  std::printf("\nhostile files, full path as a fresh process\n");
  std::string hangul;
  while (hangul.size() < (1u << 20)) hangul += "\xED\x95\x9C";
  std::string headers;
  for (int n = 0; headers.size() < 4u * 1000 * 1000; ++n) headers += "[S" + std::to_string(n) + "]\r\n";
  const std::pair<const char*, std::string> hostile[] = {
      {"4 MiB of 0xFF bytes", std::string(4u << 20, '\xFF')},
      {"1 MiB of characters outside code page 932", "[Foo]\r\nx=" + hangul + "\r\n"},
      {"4 MB of section headers only", headers},
  };
  for (const auto& [name, content] : hostile) {
    double hostilePeak = 0;
    const Timing t = FreshProcess(path, content, runs < 3 ? runs : 3, hostilePeak);
    std::printf("  %-42s %9.2f / %9.2f ms   peak %.1f MB = %.2f x\n", name, t.min, t.median, hostilePeak,
                hostilePeak * 1024 * 1024 / content.size());
  }
  std::filesystem::remove_all(dir);
  return 0;
}
