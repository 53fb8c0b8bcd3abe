#include "platform/twips.h"

#include <cmath>

namespace talvair::platform {

int PixelsOf(double twips) {
  if (!std::isfinite(twips)) return 0;
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

}  // namespace talvair::platform
