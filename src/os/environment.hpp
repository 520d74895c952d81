// The environment a started program gets: this process's own, with some
// variables set to values of the module's choosing.  Pure functions over
// text, so that the rules of both systems can be checked anywhere.
#ifndef QUILLET_OS_ENVIRONMENT_HPP
#define QUILLET_OS_ENVIRONMENT_HPP

#include <string>
#include <vector>

namespace os {

struct EnvironmentSetting {
  std::string Name;
  std::string Value;
};
typedef std::vector<EnvironmentSetting> EnvironmentSettings;

// `current` ("NAME=value" entries) with every variable of `settings`
// replaced by (or added as) its setting.  On Windows names are compared
// without regard to case and the result is sorted by name that way, as the
// system keeps an environment block; entries such as "=C:=C:\x", which
// keep a drive's current folder, stay.
std::vector<std::string> MergedEnvironment(const std::vector<std::string> &current,
                                           const EnvironmentSettings &settings, bool windowsRules);

}  // namespace os

#endif
