// A Win32 folder search (FindFirstFile) that is closed however the
// listing that holds it is left.
#ifndef QUILLET_OS_SEARCH_HANDLE_WIN32_HPP
#define QUILLET_OS_SEARCH_HANDLE_WIN32_HPP

#include <windows.h>

namespace os {

struct SearchHandle {
  HANDLE Handle;
  explicit SearchHandle(HANDLE handle) : Handle(handle) {}
  ~SearchHandle() {
    if (Handle != INVALID_HANDLE_VALUE) FindClose(Handle);
  }
  SearchHandle(const SearchHandle &) = delete;
  SearchHandle &operator=(const SearchHandle &) = delete;
  explicit operator bool() const { return Handle != INVALID_HANDLE_VALUE; }
};

}  // namespace os

#endif
