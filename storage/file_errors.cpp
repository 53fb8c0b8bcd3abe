#include "storage/file_errors.h"

#include "model/game.h"
#include "model/game_events.h"

namespace talvair::storage {

int FileErrorNumber(const std::error_code& error) {
  if (error == std::errc::no_space_on_device) return kErrDiskFull;
  if (error == std::errc::permission_denied || error == std::errc::read_only_file_system ||
      error == std::errc::operation_not_permitted) {
    return kErrPermissionDenied;
  }
  if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
    return kErrPathNotFound;
  }
  return kErrFileAccess;
}

void RaiseError(game& model, int code, int area) {
  model.Announce([&](GameEvents& s) { s.Error(code, area); });
}

}  // namespace talvair::storage
