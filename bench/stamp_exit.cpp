// Writes the monotonic clock, in nanoseconds, to standard output and ends at
// once: the moment of a child's exit, for measuring how soon a waiting
// parent notices it.
#include <stdio.h>
#include <time.h>
#include <unistd.h>

int main() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  fflush(stdout);
  _exit(0);
}
