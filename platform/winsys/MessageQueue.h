#pragma once

#include <deque>
#include <mutex>
#include <optional>

#include "platform/winsys/InputEvent.h"
#include "platform/winsys/Types.h"

namespace winsys {

// The thread's queue of posted messages and of user input not yet turned into messages. Any
// thread may post; only the thread of the message loop takes.
class MessageQueue {
 public:
  void Post(const MSG& msg);
  void PostInput(const InputEvent& event);
  void PostQuit(int exitCode);
  bool TakePosted(MSG* msg);
  bool TakeInput(InputEvent* event);
  // WM_QUIT comes only once the posted messages before it are gone.
  std::optional<int> TakeQuit();
  bool Empty() const;

 private:
  mutable std::mutex mutex_;
  std::deque<MSG> posted_;
  std::deque<InputEvent> input_;
  std::optional<int> quit_;
};

}  // namespace winsys
