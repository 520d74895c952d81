// Services of the stand-in host shared between its source files.
#ifndef QUILLET_STANDIN_SERVICES_HPP
#define QUILLET_STANDIN_SERVICES_HPP

#include <mutex>
#include <string>

#include "host/far_api.hpp"
#include "standin/standin.hpp"

namespace standin {

std::mutex &RecordMutex();
void Record(const std::string &service);

// Starts the record of a Dialog or DialogEx call with the items as handed over.
DialogCall NewDialogCall(bool ex, INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                         const FarDialogItem *items, int count);

// The scripted user's next answer, or `fallback` when the script has none.
template <typename Queue, typename Call>
int NextAnswer(Queue &queue, Call &call, int fallback) {
  if (queue.empty()) return fallback;
  auto answer = queue.front();
  queue.pop_front();
  return answer(call);
}

int FARAPI ServiceControl(HANDLE plugin, int command, void *param);
int FARAPI ServiceDialogEx(INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                           FarDialogItem *items, int count, DWORD reserved, DWORD flags,
                           FARWINDOWPROC proc, LONG_PTR param);
LONG_PTR FARAPI ServiceSendDlgMessage(HANDLE dialog, int message, int param1, LONG_PTR param2);
LONG_PTR FARAPI ServiceDefDlgProc(HANDLE dialog, int message, int param1, LONG_PTR param2);

}  // namespace standin

#endif
