#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Not yet written: computes nothing.
void Sector9Tail(Pass& p, bool initialising) {
  (void)p;
  (void)initialising;
}

}  // namespace talvair::sectors
