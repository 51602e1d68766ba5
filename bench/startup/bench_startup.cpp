// Start-up as a person sees it: starts the program and a bare dialog of the
// same template in turn, watches each one's window from outside the process
// and prints, per program, when the window first became visible, when it was
// settled (visible in the place and size it keeps, and the process waiting for
// input), and how often it changed after it was first visible.
//
//   orlavix_bench_startup [--trace] [runs=7] [program [arguments...]]
//
// The program defaults to app\orlavix.exe of the same build tree; the bare
// dialog is orlavix_bench_bare_dialog.exe beside this one.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kQuietMs = 400;        // unchanged this long after settling: done watching
constexpr DWORD kGiveUpMs = 10000;     // a window that never settles
constexpr wchar_t kCaption[] = L"Orlavix";

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct WindowState {
  bool exists = false;
  bool visible = false;
  RECT rect{};
  bool operator==(const WindowState& o) const {
    return exists == o.exists && visible == o.visible && EqualRect(&rect, &o.rect);
  }
  bool operator!=(const WindowState& o) const { return !(*this == o); }
};

// The process's top-level dialog with the program's caption. Window texts of
// other processes are read without a message, so a busy program never blocks
// the watcher.
struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search.process) return TRUE;
  wchar_t name[16] = L"", caption[32] = L"";
  GetClassNameW(window, name, 16);
  GetWindowTextW(window, caption, 32);
  if (std::wcscmp(name, L"#32770") != 0 || std::wcscmp(caption, kCaption) != 0) return TRUE;
  search.found = window;
  return FALSE;
}

WindowState StateOf(DWORD process, HWND& window) {
  WindowState state;
  if (!window || !IsWindow(window)) {
    Search search{process, nullptr};
    EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
    window = search.found;
  }
  if (!window) return state;
  state.exists = true;
  state.visible = IsWindowVisible(window) != FALSE;
  GetWindowRect(window, &state.rect);
  return state;
}

struct Run {
  double visible = -1;  // ms from the start of the process
  double settled = -1;
  int changes = 0;      // of visibility, place or size, after the first visible moment
  int width = 0, height = 0;
};

bool trace = false;  // --trace: every state each run goes through

bool Watch(const std::wstring& commandLine, Run& run) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring line = commandLine;
  const double start = Now();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", commandLine.c_str(), GetLastError());
    return false;
  }
  HWND window = nullptr;
  WindowState last;
  double lastChange = start, idle = -1;
  bool seenVisible = false;
  for (;;) {
    const WindowState state = StateOf(process.dwProcessId, window);
    const double now = Now();
    if (idle < 0 && WaitForInputIdle(process.hProcess, 0) == 0) idle = now;
    if (state != last) {
      if (seenVisible) ++run.changes;
      if (state.visible && !seenVisible) {
        seenVisible = true;
        run.visible = now - start;
      }
      last = state;
      lastChange = now;
      if (trace) {
        std::wprintf(L"  %7.1f ms: %ls %ld, %ld, %ld x %ld\n", now - start,
                     !state.exists ? L"none" : state.visible ? L"visible" : L"hidden", state.rect.left, state.rect.top,
                     state.rect.right - state.rect.left, state.rect.bottom - state.rect.top);
      }
    }
    if (seenVisible && last.visible && idle >= 0 && now - std::max(lastChange, idle) >= kQuietMs) break;
    if (now - start > kGiveUpMs || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  if (trace && idle >= 0) std::wprintf(L"  %7.1f ms: waiting for input\n", idle - start);
  const bool settled = seenVisible && last.visible;
  if (settled) {
    run.settled = std::max(lastChange, idle) - start;
    run.width = last.rect.right - last.rect.left;
    run.height = last.rect.bottom - last.rect.top;
  }
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!settled) std::fwprintf(stderr, L"no settled window from %ls\n", commandLine.c_str());
  return settled;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Program {
  const wchar_t* name;
  std::wstring commandLine;
  std::vector<Run> runs;
};

void Print(const Program& p) {
  std::vector<double> visible, settled;
  int changes = 0;
  for (const Run& r : p.runs) {
    visible.push_back(r.visible);
    settled.push_back(r.settled);
    changes = std::max(changes, r.changes);
  }
  std::wprintf(L"%-14ls %7.1f / %6.1f ms %7.1f / %6.1f ms %9d %6d x %d\n", p.name,
               *std::min_element(visible.begin(), visible.end()), Median(visible),
               *std::min_element(settled.begin(), settled.end()), Median(settled), changes, p.runs.back().width,
               p.runs.back().height);
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wcscmp(argv[1], L"--trace") == 0) {
    trace = true;
    --argc;
    ++argv;
  }
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;

  wchar_t self[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L"\\/") + 1);  // ...\bench\startup\ of the build tree

  std::wstring program = argc > 2 ? Quoted(argv[2]) : Quoted(folder + L"..\\..\\app\\orlavix.exe");
  for (int i = 3; i < argc; ++i) program += L" " + Quoted(argv[i]);
  Program bare{L"bare dialog", Quoted(folder + L"orlavix_bench_bare_dialog.exe"), {}};
  Program orlavix{L"orlavix.exe", program, {}};

  // Once each untimed, so that both meet the same warm caches; then in turn.
  Run warm;
  if (!Watch(bare.commandLine, warm) || !Watch(orlavix.commandLine, warm)) return 1;
  for (int i = 0; i < runs; ++i) {
    for (Program* p : {&bare, &orlavix}) {
      if (trace) std::wprintf(L"%ls, run %d:\n", p->name, i + 1);
      Run run;
      if (!Watch(p->commandLine, run)) return 1;
      p->runs.push_back(run);
    }
  }

  std::wprintf(L"%d runs each, min / median, from the start of the process:\n", runs);
  std::wprintf(L"%-14ls %20ls %20ls %9ls %12ls\n", L"", L"first visible", L"settled", L"changes", L"window");
  std::wprintf(L"%-14ls %20ls %20ls %9ls\n", L"", L"", L"", L"(most)");
  Print(bare);
  Print(orlavix);
  std::vector<double> a, b;
  for (const Run& r : bare.runs) a.push_back(r.settled);
  for (const Run& r : orlavix.runs) b.push_back(r.settled);
  std::wprintf(L"settled, orlavix.exe / bare dialog: %.2f x (medians), %.2f x (minimums)\n", Median(b) / Median(a),
               *std::min_element(b.begin(), b.end()) / *std::min_element(a.begin(), a.end()));
  return 0;
}
