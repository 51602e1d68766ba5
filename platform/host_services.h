// The host machine's services that the editor asks for and that only the
// system can answer: profile strings, special folders, the user's name,
// shortcuts, named-mutex probes and starting a program. Paths and texts are in
// the working code page. The Win32 implementation is the real one; tests
// implement the interface with fakes.
#pragma once

#include <string>

#include "platform/folders.h"

namespace orlavix::platform {

enum class SpecialFolder { ProgramFiles, AppData };

class HostServices {
 public:
  virtual ~HostServices() = default;

  // An INI file's integer (GetPrivateProfileIntA): `fallback` when missing.
  virtual int ReadProfileInt(const std::string& section, const std::string& key, int fallback,
                             const std::string& file) = 0;
  // An INI file's string, at most 259 bytes: `fallback` when missing.
  virtual std::string ReadProfileString(const std::string& section, const std::string& key,
                                        const std::string& fallback, const std::string& file) = 0;
  virtual bool WriteProfileString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& file) = 0;
  // Whether a profile file written by the system can hold the value: the
  // system writes such files in its own code page, which may not be 932.
  virtual bool ProfileCanHold(const std::string& /*value*/) { return true; }

  // The folder without creating it; false when the system has none.
  virtual bool FindSpecialFolder(SpecialFolder folder, std::string& path) = 0;
  // The logged-on user's name; false when it cannot be told.
  virtual bool UserName(std::string& name) = 0;
  // The target of the shortcut file at `path`; false when it is no readable
  // shortcut.
  virtual bool ShortcutTarget(const std::string& path, std::string& target) = 0;
  // Creates and at once closes a mutex of that name: true when no mutex of
  // the name existed.
  virtual bool MutexFree(const std::string& name) = 0;
  // Opens the program with the shell's "open" verb; false when it could not.
  virtual bool OpenProgram(const std::string& path) = 0;
  // The file's last-write time (LastWriteTime of the file system).
  virtual bool LastWriteTime(const std::string& path, FileTime& time) { return platform::LastWriteTime(path, time); }
};

// The running system's services.
HostServices& SystemHostServices();

}  // namespace orlavix::platform
