#include "platform/kernel/Process.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace kernel {

const std::string& ProgramFilePath() {
  static const std::string path = [] {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.string();
  }();
  return path;
}

std::string ProgramFolder() {
  const std::string& path = ProgramFilePath();
  return path.substr(0, path.find_last_of('/') + 1);
}

std::string ProgramBaseName() {
  const std::string& path = ProgramFilePath();
  std::string name = path.substr(path.find_last_of('/') + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

void TerminateProcess(uint32_t exitCode) {
  _exit(static_cast<int>(exitCode & 0xFF));
}

void OutputDebugStringA(const std::string& text) {
  std::string line = text;
  line += '\n';
  // One write call, so that lines of several threads do not interleave.
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line.data(), line.size());
}

}  // namespace kernel
