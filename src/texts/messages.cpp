// The built-in English texts of the module's messages and the lookup of
// their texts in the user's language.
#include "texts/messages.hpp"

#include <atomic>
#include <string>
#include <vector>

namespace {

struct Message {
  const char *Conversions;
  const char *Text;
};

const Message kMessages[] = {
#define QUILLET_MESSAGE(id, conversions, text) {conversions, text},
#include "texts/message_list.hpp"
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

namespace {
TextSource Source = nullptr;
// The source may be called only on the thread it was installed from: other
// threads of the module read the texts copied for them there.
std::atomic<bool> SourceThreadKnown{false};
thread_local bool OnSourceThread = false;
std::vector<std::string> WorkerTexts;
}  // namespace

void SetTextSource(TextSource source) {
  Source = source;
  OnSourceThread = true;
  SourceThreadKnown.store(true);
}

const char *MessageText(int msgId) {
  const char *builtIn = EnglishText(msgId);
  if (SourceThreadKnown.load() && !OnSourceThread) {
    const size_t index = static_cast<size_t>(msgId);
    return msgId >= 0 && index < WorkerTexts.size() ? WorkerTexts[index].c_str() : builtIn;
  }
  if (Source == nullptr || msgId < 0 || msgId >= kMessageCount) return builtIn;
  const char *text = Source(msgId);
  return text != nullptr && text[0] != '\0' ? text : builtIn;
}

void CopyTextsForWorkers() {
  if (SourceThreadKnown.load() && !OnSourceThread) return;
  WorkerTexts.resize(static_cast<size_t>(kMessageCount));
  for (int id = 0; id < kMessageCount; ++id) WorkerTexts[static_cast<size_t>(id)] = MessageText(id);
}
