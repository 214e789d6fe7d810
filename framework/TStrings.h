#pragma once

#include <string>
#include <vector>

#include "framework/TObject.h"

// A list of text lines that tells its owner of every change, so that the control showing it
// repaints.
class TStrings : public TObject {
 public:
  // The index the line got.
  int Add(const std::string& line);
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(FLines.size()); }
  const std::string& Strings(int index) const { return FLines.at(static_cast<size_t>(index)); }

  // Every line followed by "\n". Setting splits at "\n", "\r\n" or "\r"; a break at the end
  // starts no further line.
  std::string Text() const;
  void SetText(const std::string& text);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }

 private:
  void Changed();

  std::vector<std::string> FLines;
  TNotifyEvent FOnChange;
};
