// The built-in English texts of the module's messages.
#include "host/messages.hpp"

namespace {

struct Message {
  const char *Conversions;
  const char *Text;
};

const Message kMessages[] = {
#define QUILLET_MESSAGE(id, conversions, text) {conversions, text},
#include "host/message_list.hpp"
#undef QUILLET_MESSAGE
};
static_assert(sizeof kMessages / sizeof kMessages[0] == kMessageCount, "one text per number");

}  // namespace

const char *EnglishText(int msgId) {
  return msgId >= 0 && msgId < kMessageCount ? kMessages[msgId].Text : "";
}

const char *MessageConversions(int msgId) {
  return msgId >= 0 && msgId < kMessageCount ? kMessages[msgId].Conversions : nullptr;
}
