// The numbers of the module's messages (the lines of its language files)
// and the built-in English texts behind them.
#ifndef QUILLET_MESSAGES_HPP
#define QUILLET_MESSAGES_HPP

enum MessageId {
#define QUILLET_MESSAGE(id, conversions, text) id,
#include "host/message_list.hpp"
#undef QUILLET_MESSAGE
  kMessageCount
};

// The first number after those the module has always had: a text from
// here on is taken from a language file only while its end mark stands in
// its place (see GetMsg).
const int kFirstLaterMessage = MMenuUpdate;

// The built-in English text of a message; "" for a number that is none.
const char *EnglishText(int msgId);
// The printf conversions of a message that is a format ("sd"), or null for
// a plain text.
const char *MessageConversions(int msgId);

#endif
