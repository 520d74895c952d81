// GoogleTest 1.12 builds its Notification on std::mutex, which the i686
// compiler's win32 thread model (the one the shipped DLL is built with)
// does not have.  This Notification on a Win32 event stands in for it in
// the 32-bit build; it is included before everything else there.
#ifndef QUILLET_GTEST_WIN32_THREADS_HPP
#define QUILLET_GTEST_WIN32_THREADS_HPP

#include <windows.h>

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification &) = delete;
  Notification &operator=(const Notification &) = delete;
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace internal
}  // namespace testing

#define GTEST_HAS_NOTIFICATION_ 1

#endif
