// The host's contract with the module: what FAR 1.70 refuses, misreads or
// crashes on when the module calls a service (or hands a record back) is a
// breach, written down here with the service, the argument and the reason.
// The host still answers as well as it can; the tests read the list and fail
// on anything in it, and the console host may ignore it.
//
// The list also holds who may call: only after the host handed the module
// its service table (SetStartupInfo) and before it let the module go, and
// only from the thread that handed it, except the services FAR serialises
// for other threads (sending to a dialog, the default dialog procedure).
#ifndef QUILLET_HOSTCORE_HOST_CONTRACT_HPP
#define QUILLET_HOSTCORE_HOST_CONTRACT_HPP

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "core/sync.hpp"

namespace hostcore {

struct ContractBreach {
  std::string Service;   // "GetMsg", or an entry point the host called: "GetFindData"
  std::string Argument;  // "MsgId", "Flags", "Item[3].Text"
  std::string Reason;    // what is wrong and what the real host does with it
};
// "GetMsg MsgId: ..." for a test's failure or a log line.
std::string Describe(const ContractBreach &breach);

class HostContract {
 public:
  // The service table was handed out on the calling thread: calls are due
  // from now on, from this thread.
  void Open();
  // The module was let go (its ExitFAR time): any later call is a breach.
  void Close();

  // The caller of `service`: false (and a breach reported) when the table
  // is not handed out, or when the call comes from another thread and the
  // service is not one that may.
  bool CheckCaller(const char *service, bool anyThread = false);

  void Report(const std::string &service, const std::string &argument,
              const std::string &reason);
  // The breaches so far, oldest first, and the list emptied.
  std::vector<ContractBreach> Take();

  // Hears each breach as it is reported, on the reporting thread (a front
  // end may log it); unset by default.
  std::function<void(const ContractBreach &)> Listener;

 private:
  Mutex lock_;
  std::vector<ContractBreach> breaches_;
  bool open_ = false;
  uint64_t thread_ = 0;
};

}  // namespace hostcore

#endif
