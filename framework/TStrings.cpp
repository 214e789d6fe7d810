#include "framework/TStrings.h"

#include <stdexcept>

int TStrings::Add(const std::string& line) {
  FLines.push_back(line);
  Changed();
  return Count() - 1;
}

void TStrings::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TStrings::Delete");
  FLines.erase(FLines.begin() + index);
  Changed();
}

void TStrings::Clear() {
  if (FLines.empty()) return;
  FLines.clear();
  Changed();
}

std::string TStrings::Text() const {
  std::string text;
  for (const std::string& line : FLines) text += line + "\n";
  return text;
}

void TStrings::SetText(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  FLines = std::move(lines);
  Changed();
}

void TStrings::Changed() {
  if (FOnChange) FOnChange(this);
}
