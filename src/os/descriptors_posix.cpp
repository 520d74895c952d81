// Closing descriptors and pipes for the POSIX operating-system layer.
#include "os/descriptors_posix.hpp"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

namespace os {

void CloseQuietly(int &fd) {
  if (fd >= 0) {
    while (close(fd) != 0 && errno == EINTR) {
    }
    fd = -1;
  }
}

bool MakePipe(int fds[2]) {
  if (pipe(fds) != 0) return false;
  for (int i = 0; i < 2; ++i) fcntl(fds[i], F_SETFD, FD_CLOEXEC);
  fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
  return true;
}

void WriteByte(int fd) {
  const char byte = 1;
  while (write(fd, &byte, 1) < 0 && errno == EINTR) {
  }
}

bool Drain(int fd) {
  bool any = false;
  char buffer[64];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      any = true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return any;
  }
}

}  // namespace os
