// The module's message catalogue: the numbers of its messages (the lines of
// its language files), the built-in English texts behind them, and the text
// of a number in the user's language.  Everything below the host binding
// takes its words from here and knows nothing of the host: the binding
// installs where the user's language comes from (TextSource), and only on
// the host's own thread is that source asked.
#ifndef QUILLET_MESSAGES_HPP
#define QUILLET_MESSAGES_HPP

enum MessageId {
#define QUILLET_MESSAGE(id, conversions, text) id,
#include "texts/message_list.hpp"
#undef QUILLET_MESSAGE
  kMessageCount
};

// The first number after those the module has always had: a text from
// here on is taken from a language file only while its end mark stands in
// its place (see the host binding's source).
const int kFirstLaterMessage = MMenuUpdate;

// The built-in English text of a message; "" for a number that is none.
const char *EnglishText(int msgId);
// The printf conversions of a message that is a format ("sd"), or null for
// a plain text.
const char *MessageConversions(int msgId);

// The text of a message number in the user's language, never freed or
// copied.  On the thread the source was installed from (the host's), the
// source gives it; on any other thread the copy CopyTextsForWorkers made;
// else, and wherever the source gives nothing, the built-in English text.
const char *MessageText(int msgId);
// Where the host's texts come from: installed by the host binding on the
// host's thread, which it marks as the only thread that may call it.  The
// source returns null for a number it has no text for.
typedef const char *(*TextSource)(int msgId);
void SetTextSource(TextSource source);
// Copies every text MessageText gives, on the host's thread, for a worker
// thread of the module about to start: the host's services may be called
// only on its own thread, so MessageText elsewhere reads this copy.
void CopyTextsForWorkers();

#endif
