// Formatting the module's texts and checking a text before printf sees it.
#include "texts/format_text.hpp"

#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "texts/messages.hpp"

std::string FormatText(const char *format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int needed = vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (needed > 0) {
    text.resize(static_cast<size_t>(needed) + 1);
    vsnprintf(&text[0], text.size(), format, again);
    text.resize(static_cast<size_t>(needed));
  }
  va_end(again);
  return text;
}

bool FormatFits(const char *format, const char *conversions) {
  if (format == nullptr || conversions == nullptr) return false;
  const char *expected = conversions;
  for (const char *p = format; *p != '\0'; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    while (*p != '\0' && strchr("-+ #0", *p) != nullptr) ++p;
    for (int digits = 0; isdigit(static_cast<unsigned char>(*p)); ++p) {
      if (++digits > 3) return false;
    }
    if (*p == '.') {
      ++p;
      for (int digits = 0; isdigit(static_cast<unsigned char>(*p)); ++p) {
        if (++digits > 3) return false;
      }
    }
    char conversion = *p == 'i' ? 'd' : *p;
    if (*expected == '\0' || (conversion != 's' && conversion != 'd') || conversion != *expected) {
      return false;
    }
    ++expected;
  }
  return *expected == '\0';
}

const char *CheckedFormat(int msgId, const char *conversions, const char *fallback) {
  const char *text = MessageText(msgId);
  return text[0] != '\0' && FormatFits(text, conversions) ? text : fallback;
}

const char *CheckedFormat(int msgId) {
  return CheckedFormat(msgId, MessageConversions(msgId), EnglishText(msgId));
}
