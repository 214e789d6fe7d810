#pragma once

#include <string>

// The two download lines of the installation package. They differ only in the host.
namespace download_lines {

inline constexpr char16_t kTelecomHost[] = u"dl-ct.veltrane.example";
inline constexpr char16_t kUnicomHost[] = u"dl-cu.veltrane.example";
inline constexpr char16_t kPackagePath[] = u"/uploads/Veltrane（Calvarin）（完整安装包）.exe";

inline std::u16string Address(const char16_t* host) {
  return std::u16string(u"http://") + host + kPackagePath;
}
inline std::u16string TelecomAddress() {
  return Address(kTelecomHost);
}
inline std::u16string UnicomAddress() {
  return Address(kUnicomHost);
}

}  // namespace download_lines
