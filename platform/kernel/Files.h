#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/kernel/SystemTime.h"

// Files with the semantics of the platform the program was made for. Every failure returns
// false (or an empty result) and sets the last-error code. Narrow names are UTF-8; wide names are
// UTF-16 and converted.
namespace kernel {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and every missing parent; true when the folder exists afterwards.
bool ForceDirectories(const std::string& path);
// Fails with ERROR_SHARING_VIOLATION while any handle of the file is open, as a file opened
// without delete sharing refuses deletion there.
bool DeleteFile(const std::string& path);
bool DeleteFileW(const std::u16string& path);
// Moves a file; fails when the destination exists.
bool MoveFile(const std::string& from, const std::string& to);

// The first directory entry matching a name whose last component may hold * and ? wildcards.
struct FindData {
  std::string name;  // the entry's own name, without folder
  uint64_t size = 0;
  bool directory = false;
};
std::optional<FindData> FindFirstFile(const std::string& pattern);

enum class Access { Read = 1, Write = 2, ReadWrite = 3 };
// Which later opens of the same file a handle allows. Sharing is enforced between all handles of
// all processes through advisory locks: a handle without sharing excludes every other handle.
enum class Share { None, Read, ReadWrite };
enum class Disposition { CreateAlways, OpenExisting, OpenAlways };

// An open file; closing happens in the destructor.
class File {
 public:
  // Empty when the file cannot be opened; the reason is in the last error.
  static std::optional<File> Open(const std::string& path, Access access, Share share,
                                  Disposition disposition);
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  // Writes all bytes at the current position; false when fewer went to disk.
  bool Write(const void* data, size_t length);
  bool SeekToEnd();
  std::optional<uint64_t> Size() const;
  // Sets the last-write time, leaving the access time as it is.
  bool SetLastWriteTime(const SystemTime& utc);
  void Close();
  int Descriptor() const { return fd_; }

 private:
  explicit File(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace kernel
