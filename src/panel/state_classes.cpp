// The state classes by letter.
#include "panel/state_classes.hpp"

#include <string.h>

const char *ClassLetters(StateClass stateClass) {
  switch (stateClass) {
    case StateClass::Modified:
      return "MARL";
    case StateClass::Conflicts:
      return "Cc";
    case StateClass::OutOfDate:
      return "UN";
    case StateClass::NotInRepository:
      return "?";
  }
  return "";
}

bool InClass(StateClass stateClass, char letter) {
  return letter != '\0' && strchr(ClassLetters(stateClass), letter) != nullptr;
}
