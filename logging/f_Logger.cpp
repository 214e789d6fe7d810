#include "logging/f_Logger.h"

#include <cstdio>
#include <mutex>

#include "platform/kernel/Exception.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Process.h"

namespace {

bool IsBlank(const std::string& s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) > 32) return false;
  }
  return true;
}

const char* LevelPrefix(int32_t level) {
  switch (level) {
    case llInformation:
      return "[Information] ";
    case llNotice:
      return "[Notice] ";
    case llWarning:
      return "[Warning] ";
    case llError:
      return "[Error] ";
    default:
      return "";
  }
}

std::string DailyFileName(const kernel::SystemTime& now) {
  char date[32];
  std::snprintf(date, sizeof date, "%04u%02u%02u", now.year, now.month, now.day);
  return kernel::ProgramBaseName() + "_" + date + ".log";
}

std::string TimeOfDay(const kernel::SystemTime& now) {
  char time[32];
  std::snprintf(time, sizeof time, "%02u:%02u:%02u.%03u", now.hour, now.minute, now.second,
                now.milliseconds);
  return time;
}

}  // namespace

TLogger::TLogger(TWinControl* Container, const std::string& LogPath, TClock Clock)
    : FContainer(Container), FClock(std::move(Clock)) {
  FLogPath = IsBlank(LogPath) ? kernel::ProgramFolder() + "Veltrane/Log/" : LogPath;
  if (!kernel::ForceDirectories(FLogPath)) {
    throw kernel::Exception("日志路径错误，日志类对象不能被创建");
  }
}

TLogger::~TLogger() = default;

void TLogger::WriteLog(const std::string& Text, int32_t Level) {
  std::lock_guard guard(FLock);
  WriteToContainer(Text, Level);
  if (Level < 0) return;

  const kernel::SystemTime now = FClock();
  if (FFileName.empty()) FFileName = DailyFileName(now);
  OpenStream(FLogPath + FFileName);

  const std::string line = TimeOfDay(now) + " " + LevelPrefix(Level) + Text + "\r\n";
  FStream->Write(line.data(), line.size());
}

void TLogger::OpenStream(const std::string& path) {
  using kernel::Access, kernel::Share, kernel::Disposition;
  const bool existed = kernel::FileExists(path);
  FStream.reset();
  // A file this logger creates stays unshared until the next line reopens it shared.
  FStream =
      existed ? kernel::File::Open(path, Access::Write, Share::ReadWrite, Disposition::OpenExisting)
              : kernel::File::Open(path, Access::ReadWrite, Share::None, Disposition::CreateAlways);
  if (!FStream) {
    throw kernel::Exception((existed ? "Cannot open file \"" : "Cannot create file \"") + path +
                            "\". " + kernel::LastErrorText());
  }
  FStream->SeekToEnd();
}
