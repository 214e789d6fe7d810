#pragma once

#include <mutex>

namespace kernel {

// A re-entrant lock, as a critical section is for the thread that holds it.
class CriticalSection {
 public:
  void Enter() { mutex_.lock(); }
  void Leave() { mutex_.unlock(); }
  // For std::lock_guard and friends.
  void lock() { Enter(); }
  void unlock() { Leave(); }

 private:
  std::recursive_mutex mutex_;
};

}  // namespace kernel
