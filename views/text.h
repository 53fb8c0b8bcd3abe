// The current language's text of three, as a Qt string.
#pragma once

#include <QString>

#include "model/language.h"

namespace talvair::views {

inline QString Text(const char* english, const char* spanish, const char* portuguese) {
  return QString::fromStdString(Tr(english, spanish, portuguese));
}

}  // namespace talvair::views
