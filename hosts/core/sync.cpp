// The host's lock and condition: pthreads on POSIX, slim locks and
// condition variables on Windows.
#include "core/sync.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <pthread.h>
#include <time.h>
#endif

namespace hostcore {

#ifdef _WIN32

uint64_t CurrentThreadId() { return GetCurrentThreadId(); }

Mutex::Mutex() : native_(new SRWLOCK) { InitializeSRWLock(static_cast<SRWLOCK *>(native_)); }
Mutex::~Mutex() { delete static_cast<SRWLOCK *>(native_); }
void Mutex::Lock() { AcquireSRWLockExclusive(static_cast<SRWLOCK *>(native_)); }
void Mutex::Unlock() { ReleaseSRWLockExclusive(static_cast<SRWLOCK *>(native_)); }

Condition::Condition() : native_(new CONDITION_VARIABLE) {
  InitializeConditionVariable(static_cast<CONDITION_VARIABLE *>(native_));
}
Condition::~Condition() { delete static_cast<CONDITION_VARIABLE *>(native_); }
void Condition::NotifyAll() {
  WakeAllConditionVariable(static_cast<CONDITION_VARIABLE *>(native_));
}

bool Condition::WaitFor(ScopedLock &lock, int milliseconds, const std::function<bool()> &ready) {
  ULONGLONG deadline =
      GetTickCount64() + static_cast<ULONGLONG>(milliseconds < 0 ? 0 : milliseconds);
  while (!ready()) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    SleepConditionVariableSRW(static_cast<CONDITION_VARIABLE *>(native_),
                              static_cast<SRWLOCK *>(lock.Held().Native()),
                              static_cast<DWORD>(deadline - now), 0);
  }
  return true;
}

#else

uint64_t CurrentThreadId() { return static_cast<uint64_t>(pthread_self()); }

Mutex::Mutex() : native_(new pthread_mutex_t) {
  pthread_mutex_init(static_cast<pthread_mutex_t *>(native_), nullptr);
}
Mutex::~Mutex() {
  pthread_mutex_destroy(static_cast<pthread_mutex_t *>(native_));
  delete static_cast<pthread_mutex_t *>(native_);
}
void Mutex::Lock() { pthread_mutex_lock(static_cast<pthread_mutex_t *>(native_)); }
void Mutex::Unlock() { pthread_mutex_unlock(static_cast<pthread_mutex_t *>(native_)); }

Condition::Condition() : native_(new pthread_cond_t) {
  // Timed waits measure on the monotonic clock, immune to clock changes.
  pthread_condattr_t attributes;
  pthread_condattr_init(&attributes);
  pthread_condattr_setclock(&attributes, CLOCK_MONOTONIC);
  pthread_cond_init(static_cast<pthread_cond_t *>(native_), &attributes);
  pthread_condattr_destroy(&attributes);
}
Condition::~Condition() {
  pthread_cond_destroy(static_cast<pthread_cond_t *>(native_));
  delete static_cast<pthread_cond_t *>(native_);
}
void Condition::NotifyAll() { pthread_cond_broadcast(static_cast<pthread_cond_t *>(native_)); }

bool Condition::WaitFor(ScopedLock &lock, int milliseconds, const std::function<bool()> &ready) {
  timespec deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  long long nanos =
      deadline.tv_nsec + static_cast<long long>(milliseconds < 0 ? 0 : milliseconds) * 1000000LL;
  deadline.tv_sec += static_cast<time_t>(nanos / 1000000000LL);
  deadline.tv_nsec = static_cast<long>(nanos % 1000000000LL);
  while (!ready()) {
    int status =
        pthread_cond_timedwait(static_cast<pthread_cond_t *>(native_),
                               static_cast<pthread_mutex_t *>(lock.Held().Native()), &deadline);
    if (status == ETIMEDOUT) return ready();
  }
  return true;
}

#endif

}  // namespace hostcore
