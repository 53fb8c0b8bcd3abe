// Why a file could not be read or written, in the player's language, for the failure
// messages of every file the program opens or replaces.
#pragma once

#include <QString>

namespace talvair::shell {

// The cause for the model's file error number; empty when the number alone must do.
QString FileFailureCause(int code);

// `text`, then a blank and the cause when one is known.
QString WithFileFailureCause(const QString& text, int code);

}  // namespace talvair::shell
