#include "platform/kernel/Files.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/kernel/LastError.h"
#include "platform/text/Utf.h"

namespace kernel {
namespace {

bool Succeed() {
  SetLastError(ERROR_SUCCESS);
  return true;
}

bool FailWith(uint32_t code) {
  SetLastError(code);
  return false;
}

// Takes the advisory lock that stands for a share mode; a conflict is a sharing violation.
bool LockForShare(int fd, Share share) {
  const int operation = (share == Share::None ? LOCK_EX : LOCK_SH) | LOCK_NB;
  if (flock(fd, operation) == 0) return true;
  return errno == EWOULDBLOCK ? FailWith(ERROR_SHARING_VIOLATION) : FailWithErrno();
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& path) {
  if (path.empty()) return FailWith(ENOENT);
  if (DirectoryExists(path)) return Succeed();
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (DirectoryExists(path)) return Succeed();
  return FailWith(static_cast<uint32_t>(error ? error.value() : ENOTDIR));
}

bool DeleteFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return FailWithErrno();
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return FailWith(EISDIR);
  }
  // Any open handle holds a lock on the file, so an exclusive lock tells that none is open.
  const bool unused = flock(fd, LOCK_EX | LOCK_NB) == 0;
  bool ok = unused && unlink(path.c_str()) == 0;
  if (!unused) {
    SetLastError(ERROR_SHARING_VIOLATION);
  } else if (!ok) {
    FailWithErrno();
  } else {
    Succeed();
  }
  close(fd);
  return ok;
}

bool DeleteFileW(const std::u16string& path) {
  return DeleteFile(text::Utf16ToUtf8(path));
}

bool MoveFile(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
    return FailWithErrno();
  }
  return Succeed();
}

std::optional<FindData> FindFirstFile(const std::string& pattern) {
  const size_t slash = pattern.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash + 1);
  const std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  if (mask.find_first_of("*?") == std::string::npos) {
    struct stat st {};
    if (stat(pattern.c_str(), &st) != 0) {
      FailWithErrno();
      return std::nullopt;
    }
    Succeed();
    return FindData{mask, static_cast<uint64_t>(st.st_size), S_ISDIR(st.st_mode)};
  }
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (fnmatch(mask.c_str(), name.c_str(), FNM_PERIOD) != 0) continue;
    struct stat st {};
    if (stat(it->path().c_str(), &st) != 0) continue;
    Succeed();
    return FindData{name, static_cast<uint64_t>(st.st_size), S_ISDIR(st.st_mode)};
  }
  FailWith(ENOENT);
  return std::nullopt;
}

std::optional<File> File::Open(const std::string& path, Access access, Share share,
                               Disposition disposition) {
  int flags = O_CLOEXEC;
  flags |= access == Access::Read ? O_RDONLY : access == Access::Write ? O_WRONLY : O_RDWR;
  if (disposition != Disposition::OpenExisting) flags |= O_CREAT;
  const int fd = open(path.c_str(), flags, 0666);
  if (fd < 0) {
    FailWithErrno();
    return std::nullopt;
  }
  File file(fd);
  // The share check comes before truncation, so a refused open never destroys data.
  if (!LockForShare(fd, share)) return std::nullopt;
  if (disposition == Disposition::CreateAlways && ftruncate(fd, 0) != 0) {
    FailWithErrno();
    return std::nullopt;
  }
  Succeed();
  return file;
}

File::File(File&& other) noexcept : fd_(other.fd_) {
  other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

File::~File() {
  Close();
}

void File::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

bool File::Write(const void* data, size_t length) {
  // The page cache sizes the pages it adds by the length of each write: one large write
  // measured up to three times the system time of the same bytes in 64 KiB pieces.
  constexpr size_t kPiece = 64 * 1024;
  const char* bytes = static_cast<const char*>(data);
  while (length > 0) {
    const ssize_t n = write(fd_, bytes, std::min(length, kPiece));
    if (n < 0) {
      if (errno == EINTR) continue;
      return FailWithErrno();
    }
    bytes += n;
    length -= static_cast<size_t>(n);
  }
  return Succeed();
}

bool File::SeekToEnd() {
  return lseek(fd_, 0, SEEK_END) >= 0 ? Succeed() : FailWithErrno();
}

std::optional<uint64_t> File::Size() const {
  struct stat st {};
  if (fstat(fd_, &st) != 0) {
    FailWithErrno();
    return std::nullopt;
  }
  return static_cast<uint64_t>(st.st_size);
}

bool File::SetLastWriteTime(const SystemTime& utc) {
  const std::optional<int64_t> seconds = SystemTimeToUnix(utc);
  if (!seconds) return FailWith(EINVAL);
  timespec times[2] = {{0, UTIME_OMIT},
                       {static_cast<time_t>(*seconds), utc.milliseconds * 1000000L}};
  return futimens(fd_, times) == 0 ? Succeed() : FailWithErrno();
}

}  // namespace kernel
