#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/kernel/CriticalSection.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/SystemTime.h"

class TWinControl;

// Levels of a log line; levels above llError are written without a prefix, levels below 0 only
// reach the container.
constexpr int32_t llInformation = 0;
constexpr int32_t llNotice = 1;
constexpr int32_t llWarning = 2;
constexpr int32_t llError = 3;

// Appends time-stamped lines to a daily-named file in a log folder, and shows each line in an
// optional display control. Every call holds the logger's lock, so threads may share a logger.
class TLogger {
 public:
  // Where the time comes from; tests replace it.
  using TClock = std::function<kernel::SystemTime()>;

  // An empty or blank LogPath means the folder "Veltrane/Log/" beside the program file. A
  // LogPath given by the caller must end with a separator. Raises when the folder can neither be
  // found nor made.
  TLogger(TWinControl* Container, const std::string& LogPath, TClock Clock = kernel::GetLocalTime);
  ~TLogger();
  TLogger(const TLogger&) = delete;
  TLogger& operator=(const TLogger&) = delete;

  void WriteLog(const std::string& Text, int32_t Level);

  const std::string& LogPath() const { return FLogPath; }
  // Empty until the first line reaches the file; fixed from then on.
  const std::string& FileName() const { return FFileName; }

 private:
  void WriteToContainer(const std::string& Text, int32_t Level);
  void OpenStream(const std::string& path);

  kernel::CriticalSection FLock;
  std::optional<kernel::File> FStream;
  TWinControl* FContainer;
  std::string FLogPath;
  std::string FFileName;
  TClock FClock;
};
