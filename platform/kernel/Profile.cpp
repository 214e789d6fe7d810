#include "platform/kernel/Profile.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/kernel/Files.h"
#include "platform/kernel/LastError.h"
#include "platform/text/Utf.h"

namespace kernel {
namespace {

bool IsBlank(char16_t c) {
  return c <= 32;
}

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char16_t FoldCase(char16_t c) {
  return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// One line of the file, kept verbatim so that writing leaves everything else as it was.
struct Line {
  std::u16string raw;
  // "[name]" lines: the section's name.
  std::optional<std::u16string> section;
  // "key=value" lines: the key and the value, both trimmed.
  std::optional<std::u16string> key;
  std::u16string value;
};

Line ParseLine(std::u16string raw) {
  Line line;
  const std::u16string_view content = Trim(raw);
  if (!content.empty() && content.front() == u'[') {
    const size_t close = content.find(u']');
    line.section = std::u16string(Trim(content.substr(
        1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1)));
  } else if (!content.empty() && content.front() != u';') {
    const size_t equals = content.find(u'=');
    if (equals != std::u16string_view::npos) {
      line.key = std::u16string(Trim(content.substr(0, equals)));
      line.value = std::u16string(Trim(content.substr(equals + 1)));
    }
  }
  line.raw = std::move(raw);
  return line;
}

std::vector<Line> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<Line> lines;
  if (!in) return lines;
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string bytes = buffer.str();
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  const std::u16string all = text::Utf8ToUtf16(bytes);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find_first_of(u"\r\n", start);
    if (end == std::u16string::npos) end = all.size();
    lines.push_back(ParseLine(all.substr(start, end - start)));
    if (end < all.size() && all[end] == u'\r' && end + 1 < all.size() && all[end + 1] == u'\n') {
      ++end;
    }
    start = end + 1;
  }
  return lines;
}

// Index of the section's header line, or -1.
long FindSection(const std::vector<Line>& lines, std::u16string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].section && SameName(*lines[i].section, section)) return static_cast<long>(i);
  }
  return -1;
}

std::u16string Unquote(std::u16string value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::u16string GetPrivateProfileString(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue, uint32_t bufferSize,
                                       const std::u16string& fileName) {
  if (bufferSize == 0) return {};
  std::u16string result = defaultValue;
  const std::vector<Line> lines = ReadLines(text::Utf16ToUtf8(fileName));
  const long header = FindSection(lines, section);
  if (header >= 0) {
    for (size_t i = static_cast<size_t>(header) + 1; i < lines.size() && !lines[i].section; ++i) {
      if (lines[i].key && SameName(*lines[i].key, key)) {
        result = Unquote(lines[i].value);
        break;
      }
    }
  }
  if (result.size() > bufferSize - 1) result.resize(bufferSize - 1);
  return result;
}

bool WritePrivateProfileString(const std::u16string& section, const std::u16string& key,
                               const std::u16string& value, const std::u16string& fileName) {
  const std::string path = text::Utf16ToUtf8(fileName);
  std::vector<Line> lines = ReadLines(path);
  const std::u16string entry = key + u"=" + value;

  const long header = FindSection(lines, section);
  if (header < 0) {
    if (!lines.empty() && !Trim(lines.back().raw).empty()) lines.push_back(ParseLine(u""));
    lines.push_back(ParseLine(u"[" + section + u"]"));
    lines.push_back(ParseLine(entry));
  } else {
    size_t end = static_cast<size_t>(header) + 1;
    size_t lastContent = static_cast<size_t>(header);
    bool replaced = false;
    for (; end < lines.size() && !lines[end].section; ++end) {
      if (lines[end].key && SameName(*lines[end].key, key)) {
        lines[end] = ParseLine(entry);
        replaced = true;
        break;
      }
      if (!Trim(lines[end].raw).empty()) lastContent = end;
    }
    if (!replaced) {
      lines.insert(lines.begin() + static_cast<long>(lastContent) + 1, ParseLine(entry));
    }
  }

  std::u16string all;
  for (const Line& line : lines) all += line.raw + u"\r\n";
  const std::string bytes = text::Utf16ToUtf8(all);

  // Written beside the file and renamed over it: a crash leaves the old file or the new one.
  const std::string temporary = path + ".~new";
  {
    std::optional<File> out =
        File::Open(temporary, Access::Write, Share::None, Disposition::CreateAlways);
    bool written = out && out->Write(bytes.data(), bytes.size());
    if (written && fdatasync(out->Descriptor()) != 0) written = FailWithErrno();
    if (!written) {
      const uint32_t error = GetLastError();
      out.reset();
      std::remove(temporary.c_str());
      SetLastError(error);
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const bool failed = FailWithErrno();
    std::remove(temporary.c_str());
    return failed;
  }
  SetLastError(ERROR_SUCCESS);
  return true;
}

}  // namespace kernel
