#include "client/f_HttpClientHelpers.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/kernel/Files.h"
#include "platform/text/Utf.h"

std::u16string EscapeUrl(const std::u16string& URL) {
  std::u16string result;
  result.reserve(URL.size());
  std::u16string run;
  for (const char16_t unit : URL) {
    if (unit > 128) {
      run += unit;
      continue;
    }
    if (!run.empty()) {
      result += EncodeUtf8Run(run);
      run.clear();
    }
    result += unit;
  }
  if (!run.empty()) result += EncodeUtf8Run(run);
  return result;
}

std::u16string EncodeUtf8Run(const std::u16string& Text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string bytes = text::Utf16ToUtf8(Text);
  std::u16string out;
  out.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    const bool alnum = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9');
    if (alnum || (b < 0x80 && std::string_view("!$'()*-.@_").find(c) != std::string_view::npos)) {
      out += static_cast<char16_t>(b);
    } else if (b == ' ') {
      out += u'+';
    } else {
      out += u'%';
      out += static_cast<char16_t>(kHex[b >> 4]);
      out += static_cast<char16_t>(kHex[b & 0x0F]);
    }
  }
  return out;
}

std::string FormatSpeed(double BytesPerSecond) {
  if (std::isnan(BytesPerSecond) || BytesPerSecond < 0) return "--";
  static constexpr const char* kUnits[] = {"B", "KB", "MB", "GB", "TB", "PB"};
  double value = BytesPerSecond;
  int unit = 0;
  for (int step = 0; step < 5; ++step) {
    if (value > 1024) {
      value /= 1024;
      ++unit;
    }
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f%s/S", value, kUnits[unit]);
  return buffer;
}

std::string FormatRemainTime(int64_t Milliseconds) {
  if (Milliseconds < 0) return "--:--:--";
  const int64_t seconds = Milliseconds / 1000;
  const int64_t minutes = seconds / 60;
  const int64_t hours = minutes / 60;
  const int64_t days = hours / 24;
  if (days > 999) return "大于999天...";
  if (days >= 1) return std::to_string(days) + "天 ";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", static_cast<int>(hours % 24),
                static_cast<int>(minutes % 60), static_cast<int>(seconds % 60));
  return buffer;
}

int64_t FindFileSize(const std::u16string& Name) {
  const std::optional<kernel::FindData> found = kernel::FindFirstFile(text::Utf16ToUtf8(Name));
  return found ? static_cast<int64_t>(found->size) : 0;
}
