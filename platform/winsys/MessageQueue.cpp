#include "platform/winsys/MessageQueue.h"

namespace winsys {

void MessageQueue::Post(const MSG& msg) {
  std::lock_guard lock(mutex_);
  posted_.push_back(msg);
}

void MessageQueue::PostInput(const InputEvent& event) {
  std::lock_guard lock(mutex_);
  input_.push_back(event);
}

void MessageQueue::PostQuit(int exitCode) {
  std::lock_guard lock(mutex_);
  quit_ = exitCode;
}

bool MessageQueue::TakePosted(MSG* msg) {
  std::lock_guard lock(mutex_);
  if (posted_.empty()) return false;
  *msg = posted_.front();
  posted_.pop_front();
  return true;
}

bool MessageQueue::TakeInput(InputEvent* event) {
  std::lock_guard lock(mutex_);
  if (input_.empty()) return false;
  *event = input_.front();
  input_.pop_front();
  return true;
}

std::optional<int> MessageQueue::TakeQuit() {
  std::lock_guard lock(mutex_);
  if (!posted_.empty()) return std::nullopt;
  std::optional<int> code = quit_;
  quit_.reset();
  return code;
}

bool MessageQueue::Empty() const {
  std::lock_guard lock(mutex_);
  return posted_.empty() && input_.empty() && !quit_;
}

}  // namespace winsys
