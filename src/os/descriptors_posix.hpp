// What the POSIX files of the operating-system layer share: closing and
// pipes, and the event record, which a wait for a process polls too.
#ifndef QUILLET_DESCRIPTORS_POSIX_HPP
#define QUILLET_DESCRIPTORS_POSIX_HPP

namespace os {

// Closes a descriptor (again after an interruption) and marks it closed.
void CloseQuietly(int &fd);
// A pipe whose two ends are closed in started programs; the read end does
// not block.
bool MakePipe(int fds[2]);
void WriteByte(int fd);
// Empties a non-blocking pipe; true when anything was in it.
bool Drain(int fd);

// An event: a pipe; a byte in it means "signalled".  Waiting consumes it.
struct Event {
  int fds[2] = {-1, -1};
};

}  // namespace os

#endif
