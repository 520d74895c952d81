// Merging the settings of a started program into the environment.
#include "os/environment.hpp"

#include <ctype.h>

#include <algorithm>

namespace os {

namespace {

// The name of an entry: up to the first "=" after its first character (the
// hidden "=C:" entries of Windows begin with one).
std::string NameOf(const std::string &entry) {
  const size_t equals = entry.find('=', 1);
  return entry.substr(0, equals);
}

std::string Folded(const std::string &name) {
  std::string folded = name;
  for (char &c : folded) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return folded;
}

}  // namespace

std::vector<std::string> MergedEnvironment(const std::vector<std::string> &current,
                                           const EnvironmentSettings &settings, bool windowsRules) {
  auto key = [windowsRules](const std::string &name) { return windowsRules ? Folded(name) : name; };
  std::vector<std::string> merged;
  for (const std::string &entry : current) {
    const std::string name = key(NameOf(entry));
    const bool replaced =
        std::any_of(settings.begin(), settings.end(),
                    [&](const EnvironmentSetting &setting) { return key(setting.Name) == name; });
    if (!replaced) merged.push_back(entry);
  }
  for (const EnvironmentSetting &setting : settings)
    merged.push_back(setting.Name + "=" + setting.Value);
  if (windowsRules) {
    std::stable_sort(merged.begin(), merged.end(), [&](const std::string &a, const std::string &b) {
      return Folded(NameOf(a)) < Folded(NameOf(b));
    });
  }
  return merged;
}

}  // namespace os
