// How the storage members report a failed file operation: the run-time error number of the
// model's Error event for a system error, raised with the member's area code.
#pragma once

#include <system_error>

namespace talvair {
class game;
}

namespace talvair::storage {

// kErrDiskFull, kErrPermissionDenied, kErrPathNotFound or kErrFileAccess (saved_game_file.h).
int FileErrorNumber(const std::error_code& error);

// Raises the model's Error event.
void RaiseError(game& model, int code, int area);

}  // namespace talvair::storage
