// Text helpers that both sides of the host boundary use: the checked copy
// into a fixed field of a host record, and the name part of a path.
// Self-contained, like far_api.hpp, so that a host program includes it alone.
#ifndef QUILLET_FIELD_TEXT_HPP
#define QUILLET_FIELD_TEXT_HPP

#include <stddef.h>
#include <string.h>

#include <string>

// Copies `length` bytes of text, which need not end in a NUL, into a fixed
// field of `capacity` bytes (terminator included), cutting it to fit; never
// writes past the field.
inline void CopyToField(char *field, size_t capacity, const char *text, size_t length) {
  if (field == nullptr || capacity == 0) return;
  if (text == nullptr) length = 0;
  if (length >= capacity) length = capacity - 1;
  if (length > 0) memmove(field, text, length);
  field[length] = '\0';
}
// The same for a NUL-ended text.
inline void CopyToField(char *field, size_t capacity, const char *text) {
  CopyToField(field, capacity, text, text != nullptr ? strlen(text) : 0);
}
template <size_t N>
void CopyToField(char (&field)[N], const char *text) {
  CopyToField(field, N, text);
}
template <size_t N>
void CopyToField(char (&field)[N], const char *text, size_t length) {
  CopyToField(field, N, text, length);
}

// The name part of a path: what follows the last separator of either
// platform or a drive's colon.
// CopyToField also takes standard strings.
inline void CopyToField(char *field, size_t capacity, const std::string &text) {
  CopyToField(field, capacity, text.c_str());
}
template <size_t N>
void CopyToField(char (&field)[N], const std::string &text) {
  CopyToField(field, N, text.c_str());
}

inline const char *PathNamePart(const char *path) {
  if (path == nullptr) return "";
  const char *name = path;
  for (const char *p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  return name;
}

#endif
