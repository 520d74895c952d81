// Owners of what the operating-system layer hands out, so that no process,
// event, thread or open file outlives the code that made it, whatever way
// that code is left.  The functions of os.hpp stay the primitives these
// wrap; the module's code holds its resources only through these.
#ifndef QUILLET_OS_OWNERS_HPP
#define QUILLET_OS_OWNERS_HPP

#include <stdio.h>

#include <memory>

#include "os/os.hpp"

namespace os {

struct ProcessRelease {
  void operator()(Process *process) const { FreeProcess(process); }
};
// A started process; letting go of it does not end the process.
typedef std::unique_ptr<Process, ProcessRelease> OwnedProcess;

struct EventRelease {
  void operator()(Event *event) const { FreeEvent(event); }
};
typedef std::unique_ptr<Event, EventRelease> OwnedEvent;

// A worker thread that is waited for before its owner goes.
class JoinedThread {
 public:
  JoinedThread() = default;
  ~JoinedThread() { Join(); }
  JoinedThread(const JoinedThread &) = delete;
  JoinedThread &operator=(const JoinedThread &) = delete;

  // Starts `main(arg)` on a new thread; false when no thread can be had.
  bool Start(ThreadMain main, void *arg) {
    Join();
    thread_ = StartThread(main, arg);
    return thread_ != nullptr;
  }
  // Waits for the thread's end; nothing when none runs.
  void Join() {
    JoinThread(thread_);
    thread_ = nullptr;
  }
  bool Started() const { return thread_ != nullptr; }

 private:
  Thread *thread_ = nullptr;
};

struct FileClose {
  void operator()(FILE *file) const { fclose(file); }
};
typedef std::unique_ptr<FILE, FileClose> OwnedFile;

// Opens `path` with fopen's `mode`; empty when it cannot be opened.
inline OwnedFile OpenFile(const std::string &path, const char *mode) {
  return OwnedFile(path.empty() ? nullptr : fopen(path.c_str(), mode));
}
// Closes the file now: false when it was not open or what was written to
// it did not all reach the file (a full disk).
inline bool CloseFile(OwnedFile &file) {
  FILE *open = file.release();
  return open != nullptr && fclose(open) == 0;
}

}  // namespace os

#endif
