#pragma once

#include <filesystem>
#include <string>

// A fresh folder below the system's temporary folder, removed with everything in it at the end
// of the test.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "veltrane-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder with a trailing separator.
  std::string Path() const { return path_ + "/"; }
  std::string File(const std::string& name) const { return Path() + name; }

 private:
  std::string path_;
};
