#pragma once

#include "framework/TCustomMemo.h"

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
  std::string ClassName() const override { return "TMemo"; }
};
