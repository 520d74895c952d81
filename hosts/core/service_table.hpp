// The service table handed to the module: plain functions that forward to
// the process's host core.
#ifndef QUILLET_HOSTCORE_SERVICE_TABLE_HPP
#define QUILLET_HOSTCORE_SERVICE_TABLE_HPP

#include "far/far_api.hpp"

namespace hostcore {

// Fills every service slot the host offers; the others stay null.
void FillServices(PluginStartupInfo &info);
void FillStandardFunctions(FarStandardFunctions &fsf);

}  // namespace hostcore

#endif
