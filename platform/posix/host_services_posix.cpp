// Outside Windows the host browser's services do not exist: every question
// gets the answer "not available", and nothing is written or started.
#include <cstdlib>

#include "platform/host_services.h"

namespace orlavix::platform {
namespace {

class PosixHostServices : public HostServices {
 public:
  int ReadProfileInt(const std::string&, const std::string&, int fallback, const std::string&) override {
    return fallback;
  }
  std::string ReadProfileString(const std::string&, const std::string&, const std::string& fallback,
                                const std::string&) override {
    return fallback;
  }
  bool WriteProfileString(const std::string&, const std::string&, const std::string&,
                          const std::string&) override {
    return false;
  }
  bool FindSpecialFolder(SpecialFolder, std::string&) override { return false; }
  bool UserName(std::string& name) override {
    const char* user = std::getenv("USER");
    if (!user || !*user) return false;
    name = user;
    return true;
  }
  bool ShortcutTarget(const std::string&, std::string&) override { return false; }
  bool MutexFree(const std::string&) override { return true; }
  bool OpenProgram(const std::string&) override { return false; }
};

}  // namespace

HostServices& SystemHostServices() {
  static PosixHostServices services;
  return services;
}

}  // namespace orlavix::platform
