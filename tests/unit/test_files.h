// Helpers shared by the unit tests: a temporary folder, file writing and a
// recording Messages.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/messages.h"

namespace orlavix::testing {

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("orlavix-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // A path inside the folder as the program passes paths: working code page.
  std::string File(const std::string& asciiName) const { return (path_ / asciiName).string(); }

 private:
  std::filesystem::path path_;
};

// The file's bytes; "" when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A box's text, line by line.
inline std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines(1);
  for (const char c : text) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(c);
    }
  }
  return lines;
}

class RecordingMessages : public Messages {
 public:
  void Alert(const std::string& text) override { alerts.push_back(text); }
  void Report(const std::string& text, int seconds) override {
    reports.push_back(text);
    reportSeconds.push_back(seconds);
  }
  void Warn(const std::string& text) override { warnings.push_back(text); }
  Answer AskToSave(bool) override { return Answer::Cancel; }
  bool ConfirmSave(const std::string&) override { return true; }
  std::vector<std::string> warnings;
  std::vector<std::string> alerts;
  std::vector<std::string> reports;
  std::vector<int> reportSeconds;
};

}  // namespace orlavix::testing
