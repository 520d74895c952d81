// A lock and a condition for the host's threads, over pthreads or Win32
// (the Windows toolchain's standard library has no std::mutex).
#ifndef QUILLET_HOSTCORE_SYNC_HPP
#define QUILLET_HOSTCORE_SYNC_HPP

#include <stdint.h>

#include <functional>

namespace hostcore {

// The calling thread, as a number that no other living thread shares.
uint64_t CurrentThreadId();

class Mutex {
 public:
  Mutex();
  ~Mutex();
  Mutex(const Mutex &) = delete;
  Mutex &operator=(const Mutex &) = delete;
  void Lock();
  void Unlock();
  void *Native() { return native_; }

 private:
  void *native_;
};

class ScopedLock {
 public:
  explicit ScopedLock(Mutex &mutex) : mutex_(mutex) { mutex_.Lock(); }
  ~ScopedLock() { mutex_.Unlock(); }
  ScopedLock(const ScopedLock &) = delete;
  ScopedLock &operator=(const ScopedLock &) = delete;
  Mutex &Held() { return mutex_; }

 private:
  Mutex &mutex_;
};

class Condition {
 public:
  Condition();
  ~Condition();
  Condition(const Condition &) = delete;
  Condition &operator=(const Condition &) = delete;
  // Waits, with `lock` held, until `ready` holds or `milliseconds` pass;
  // returns whether `ready` holds.
  bool WaitFor(ScopedLock &lock, int milliseconds, const std::function<bool()> &ready);
  void NotifyAll();

 private:
  void *native_;
};

}  // namespace hostcore

#endif
