// Services of the stand-in host shared between its source files.
#ifndef QUILLET_STANDIN_SERVICES_HPP
#define QUILLET_STANDIN_SERVICES_HPP

#include <mutex>
#include <string>

#include "host/far_api.hpp"

namespace standin {

std::mutex &RecordMutex();
void Record(const std::string &service);

int FARAPI ServiceControl(HANDLE plugin, int command, void *param);
int FARAPI ServiceDialogEx(INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                           FarDialogItem *items, int count, DWORD reserved, DWORD flags,
                           FARWINDOWPROC proc, LONG_PTR param);
LONG_PTR FARAPI ServiceSendDlgMessage(HANDLE dialog, int message, int param1, LONG_PTR param2);
LONG_PTR FARAPI ServiceDefDlgProc(HANDLE dialog, int message, int param1, LONG_PTR param2);

}  // namespace standin

#endif
