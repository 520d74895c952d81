// Formatting the module's texts: printf into a string, and the check that
// keeps a text from a language file edited by hand away from printf unless
// its conversions are exactly those its message expects.
#ifndef QUILLET_FORMAT_TEXT_HPP
#define QUILLET_FORMAT_TEXT_HPP

#include <string>

// Formats like snprintf into a string.  A message text is never passed here
// unchecked: CheckedFormat first.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
FormatText(const char *format, ...);

// True when `format`'s conversions are exactly `conversions`, one letter
// each in order: 's' a string, 'd' an int ("%i" too).  "%%" is a plain
// percent sign; flags and a width or precision of at most three digits are
// allowed; "*", "$", length modifiers, "%n" and every other conversion are
// not.
bool FormatFits(const char *format, const char *conversions);
// The text of message `msgId` when it fits `conversions`, else `fallback`
// (the built-in English text): a language file edited by hand, with a line
// too many or a "%n", never reaches printf.
const char *CheckedFormat(int msgId, const char *conversions, const char *fallback);
// The same with the message's own conversions and built-in English text.
const char *CheckedFormat(int msgId);

#endif
