// Events, threads and pauses on POSIX systems.
#include <errno.h>
#include <pthread.h>
#include <time.h>

#include <new>

#include "os/descriptors_posix.hpp"
#include "os/os.hpp"

namespace os {

Event *NewEvent() {
  Event *event = new (std::nothrow) Event;
  if (event == nullptr) return nullptr;
  if (!MakePipe(event->fds)) {
    delete event;
    return nullptr;
  }
  return event;
}

void SignalEvent(Event *event) {
  if (event != nullptr) WriteByte(event->fds[1]);
}

void FreeEvent(Event *event) {
  if (event == nullptr) return;
  CloseQuietly(event->fds[0]);
  CloseQuietly(event->fds[1]);
  delete event;
}

struct Thread {
  pthread_t id;
  ThreadMain main;
  void *arg;
};

namespace {
void *ThreadEntry(void *raw) {
  Thread *thread = static_cast<Thread *>(raw);
  thread->main(thread->arg);
  return nullptr;
}
}  // namespace

Thread *StartThread(ThreadMain main, void *arg) {
  if (main == nullptr) return nullptr;
  Thread *thread = new (std::nothrow) Thread;
  if (thread == nullptr) return nullptr;
  thread->main = main;
  thread->arg = arg;
  if (pthread_create(&thread->id, nullptr, ThreadEntry, thread) != 0) {
    delete thread;
    return nullptr;
  }
  return thread;
}

void JoinThread(Thread *thread) {
  if (thread == nullptr) return;
  pthread_join(thread->id, nullptr);
  delete thread;
}

void Pause(int milliseconds) {
  struct timespec wait;
  wait.tv_sec = milliseconds / 1000;
  wait.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

}  // namespace os
