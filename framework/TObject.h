#pragma once

#include <functional>

// The root of the framework's classes: what an event's sender is.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// May be empty; the sender is the object whose state changed.
using TNotifyEvent = std::function<void(TObject* sender)>;
