// Opening files in the host's editor.
#include "ui/editor.hpp"

#include "host/host.hpp"
#include "working_copy/run_check.hpp"

namespace {
const DWORD kLockKey = KEY_CTRL | 'L';
}  // namespace

int EditFile(const char *path, const char *title, DWORD flags) {
  NoteUserPause();
  return HostInfo.Editor(path, title, -1, -1, -1, -1, flags, 0, 1);
}

void ShowOutputLocked(const char *path, const char *title) {
  // Ctrl+L, taken by the editor opened next: the output opens locked.
  DWORD key = kLockKey;
  KeySequence sequence;
  sequence.Flags = 0;
  sequence.Count = 1;
  sequence.Sequence = &key;
  HostInfo.AdvControl(HostInfo.ModuleNumber, ACTL_POSTKEYSEQUENCE, &sequence);
  EditFile(path, title, EF_ENABLE_F6);
}
