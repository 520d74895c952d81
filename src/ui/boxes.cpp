// The boxes of the module: errors and notices, the confirmation before a
// command.
#include "ui/boxes.hpp"

#include <string>
#include <vector>

#include "host/host.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "ui/editor.hpp"
#include "working_copy/run_check.hpp"

namespace {

// The English texts of the two formats, for a language file that lacks
// them or whose texts do not fit the values passed.

const size_t kHeadingLimit = 299;
const size_t kListedNames = 10;

}  // namespace

std::string ConfirmationText(const char *verb, const Selection &selection) {
  if (verb == nullptr) verb = "";
  std::string text = FormatText(CheckedFormat(MConfirmHeading), verb,
                                static_cast<int>(selection.size()));
  if (text.size() > kHeadingLimit) text.resize(kHeadingLimit);
  // The heading is the box's title line; the names follow on lines of
  // their own.
  if (text.empty() || text.back() != '\n') text += '\n';
  for (size_t i = 0; i < selection.size() && i < kListedNames; ++i) text += selection[i] + "\n";
  if (selection.size() > kListedNames) text += "...\n";
  return text;
}

int ConfirmCommand(const char *verb, const Selection &selection) {
  NoteUserPause();
  std::string text = ConfirmationText(verb, selection);
  return HostInfo.Message(HostInfo.ModuleNumber, FMSG_LEFTALIGN | FMSG_ALLINONE | FMSG_MB_OKCANCEL,
                          nullptr, reinterpret_cast<const char *const *>(text.c_str()), 0, 0);
}

void ShowErrorText(const std::string &lines) {
  std::string box = std::string(MessageText(MErrorTitle)) + "\n" + lines;
  HostInfo.Message(HostInfo.ModuleNumber, FMSG_WARNING | FMSG_ALLINONE | FMSG_MB_OK, nullptr,
                   reinterpret_cast<const char *const *>(box.c_str()), 0, 0);
}

void ShowNotice(const std::string &title, const std::string &lines) {
  std::string box = title + "\n" + lines;
  HostInfo.Message(HostInfo.ModuleNumber, FMSG_ALLINONE | FMSG_MB_OK, nullptr,
                   reinterpret_cast<const char *const *>(box.c_str()), 0, 0);
}

TempFile TempFileOrSay(const char *fallbackVariable) {
  std::string whyNone;
  TempFile file = TempFile::Take(fallbackVariable, &whyNone);
  if (file.empty()) {
    ShowErrorText(std::string(MessageText(MNoTempFile)) + "\n" + whyNone);
  }
  return file;
}
