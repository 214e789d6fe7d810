#include "framework/DesktopFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  const passwd* user = getpwuid(getuid());
  return user && user->pw_dir ? user->pw_dir : "/";
}

// The value of XDG_DESKTOP_DIR in the user-dirs file, "$HOME" expanded; empty when not named.
std::string UserDirsDesktop(const std::string& home) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string folder = config && *config ? config : home + "/.config";
  std::ifstream file(folder + "/user-dirs.dirs");
  const std::string key = "XDG_DESKTOP_DIR=\"";
  for (std::string line; std::getline(file, line);) {
    if (line.rfind(key, 0) != 0 || line.back() != '"') continue;
    std::string value = line.substr(key.size(), line.size() - key.size() - 1);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    while (value.size() > 1 && value.back() == '/') value.pop_back();
    return value;
  }
  return {};
}

}  // namespace

std::string DesktopFolder() {
  const std::string home = HomeFolder();
  std::error_code error;
  for (const std::string& candidate : {UserDirsDesktop(home), home + "/Desktop"}) {
    if (!candidate.empty() && std::filesystem::is_directory(candidate, error)) return candidate;
  }
  return home;
}
