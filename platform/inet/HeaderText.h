#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

// Text helpers for header lines; private to the inet layer.
namespace inet {

inline bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

inline std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

// Calls visit(line) for every line of text split at CR, LF or CR LF.
template <typename Visit>
inline bool ForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    if (!visit(text.substr(0, end))) return false;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return true;
}

}  // namespace inet
