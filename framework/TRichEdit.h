#pragma once

#include "framework/TCustomMemo.h"

// The text box that shows plain text in the program's dialogs; it keeps no formatting.
class TRichEdit : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
  std::string ClassName() const override { return "TRichEdit"; }
};
