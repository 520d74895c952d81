// A child program for the runner's tests.  Each argument is one step, done
// in order:
//   out:TEXT   writes TEXT and a line end to standard output
//   err:TEXT   writes TEXT and a line end to standard error
//   sleep:MS   sleeps MS milliseconds
//   args       writes every argument, each as "[argument]" on its own line
//   self       writes the path of its own executable
//   pid:PATH   writes its process id into the file PATH
//   spawn:PATH starts a grandchild that writes its process id into the file
//              PATH and then sleeps ten minutes, as an ssh started by cvs
//              would live on
//   exit:N     ends with exit code N
// Writes go straight to the descriptors, so their order is the order of
// the steps.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <string>

namespace {

void Put(int fd, const std::string &text) {
  const char *data = text.data();
  size_t left = text.size();
  while (left > 0) {
    ssize_t written = write(fd, data, left);
    if (written <= 0) return;
    data += written;
    left -= static_cast<size_t>(written);
  }
}

bool Starts(const char *text, const char *prefix, const char **rest) {
  size_t length = strlen(prefix);
  if (strncmp(text, prefix, length) != 0) return false;
  *rest = text + length;
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i) {
    const char *rest = nullptr;
    if (Starts(argv[i], "out:", &rest)) {
      Put(1, std::string(rest) + "\n");
    } else if (Starts(argv[i], "err:", &rest)) {
      Put(2, std::string(rest) + "\n");
    } else if (Starts(argv[i], "sleep:", &rest)) {
      long ms = atol(rest);
      struct timespec delay = {ms / 1000, (ms % 1000) * 1000000L};
      while (nanosleep(&delay, &delay) != 0) {
      }
    } else if (strcmp(argv[i], "args") == 0) {
      for (int j = 0; j < argc; ++j) Put(1, std::string("[") + argv[j] + "]\n");
    } else if (strcmp(argv[i], "self") == 0) {
      char path[4096];
      ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
      if (length > 0) Put(1, std::string(path, static_cast<size_t>(length)) + "\n");
    } else if (Starts(argv[i], "pid:", &rest)) {
      FILE *file = fopen(rest, "w");
      if (file != nullptr) {
        fprintf(file, "%ld\n", static_cast<long>(getpid()));
        fclose(file);
      }
    } else if (Starts(argv[i], "spawn:", &rest)) {
      pid_t child = fork();
      if (child == 0) {
        FILE *file = fopen(rest, "w");
        if (file != nullptr) {
          fprintf(file, "%ld\n", static_cast<long>(getpid()));
          fclose(file);
        }
        struct timespec delay = {600, 0};
        while (nanosleep(&delay, &delay) != 0) {
        }
        _exit(0);
      }
    } else if (Starts(argv[i], "exit:", &rest)) {
      return atoi(rest);
    }
  }
  return 0;
}
