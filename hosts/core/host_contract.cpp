// The list of breaches and the caller checks.
#include "core/host_contract.hpp"

namespace hostcore {

namespace {
// A module that breaks the contract in a loop must not eat the memory of a
// long console session: past this many the list keeps only the count.
const size_t kKeptBreaches = 200;
}  // namespace

std::string Describe(const ContractBreach &breach) {
  return breach.Service + " " + breach.Argument + ": " + breach.Reason;
}

void HostContract::Open() {
  ScopedLock lock(lock_);
  open_ = true;
  thread_ = CurrentThreadId();
}

void HostContract::Close() {
  ScopedLock lock(lock_);
  open_ = false;
}

bool HostContract::CheckCaller(const char *service, bool anyThread) {
  bool open, sameThread;
  {
    ScopedLock lock(lock_);
    open = open_;
    sameThread = thread_ == CurrentThreadId();
  }
  if (!open) {
    Report(service, "caller",
           "called while the module holds no service table (before SetStartupInfo, or after the "
           "host let the module go)");
    return false;
  }
  if (!sameThread && !anyThread) {
    Report(service, "caller",
           "called from a thread other than the host's: the host's screen and state are not "
           "guarded against it");
    return false;
  }
  return true;
}

void HostContract::Report(const std::string &service, const std::string &argument,
                          const std::string &reason) {
  ContractBreach breach{service, argument, reason};
  {
    ScopedLock lock(lock_);
    if (breaches_.size() < kKeptBreaches) {
      breaches_.push_back(breach);
    } else if (breaches_.size() == kKeptBreaches) {
      breaches_.push_back({"(host)", "(list)", "more breaches followed; only the first are kept"});
    }
  }
  if (Listener) Listener(breach);
}

std::vector<ContractBreach> HostContract::Take() {
  ScopedLock lock(lock_);
  std::vector<ContractBreach> taken;
  taken.swap(breaches_);
  return taken;
}

}  // namespace hostcore
