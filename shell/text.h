// The current language's text of three, as a Qt string: the views' helper, for the shell too.
#pragma once

#include "views/text.h"

namespace talvair::shell {

using views::Text;

}  // namespace talvair::shell
