// A short wait of the calling thread on Win32.
#include <windows.h>

#include "os/os.hpp"

namespace os {

void Pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

}  // namespace os
