// The codes a run ends with where the program gave none of its own: below
// every exit code a program can return, so that no program's own code is
// taken for one of these.
#ifndef QUILLET_RUN_CODES_HPP
#define QUILLET_RUN_CODES_HPP

enum RunResult {
  kRunBroken = -168,
  kRunNoInput = -1000,
  kRunNoOutputFile = -1001,
  kRunNotStarted = -1002
};

#endif
