// orlavix-check on POSIX systems: arguments and output are UTF-8.
#include <cstdio>
#include <string>
#include <vector>

#include "check/check_command.h"
#include "support/mbtext.h"

namespace {

class Utf8Console : public orlavix::check::Console {
 public:
  void Out(const std::string& text) override { Write(stdout, orlavix::AnsiToUtf8(text)); }
  void OutUtf8(const std::string& bytes) override { Write(stdout, bytes); }
  void Err(const std::string& text) override { Write(stderr, orlavix::AnsiToUtf8(text)); }

 private:
  static void Write(std::FILE* stream, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(orlavix::Utf8ToAnsi(argv[i]));
  Utf8Console console;
  return orlavix::check::RunCheck(args, console);
}
