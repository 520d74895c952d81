// A CVS/Root line, any content: the host a login program would be started
// for, and the repository on this machine whose CVSROOT cvs would obey.
// The host is named in a question to the user and must be one name; a
// repository on this machine is a whole path.
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "working_copy/cvs_root.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string root(reinterpret_cast<const char *>(data), size);
  const std::string host = RemoteShellHost(root);
  if (host.find_first_of(":/@") != std::string::npos) abort();
  if (!host.empty() && root.find(host) == std::string::npos) abort();
  const std::string repository = LocalRepositoryRoot(root);
  if (!repository.empty() && repository[0] != '/') abort();
  // Never both: a root is either reached through a login or on this machine.
  if (!host.empty() && !repository.empty()) abort();
  return 0;
}
