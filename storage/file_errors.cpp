#include "storage/file_errors.h"

#include <cerrno>

#include "model/game.h"
#include "model/game_events.h"
#include "storage/csv_text.h"

namespace talvair::storage {

int FileErrorNumber(const std::error_code& error) {
  if (error == FileFault::NotRegularFile || error == std::errc::is_a_directory) {
    return kErrFileAccess;
  }
  if (error == FileFault::BrokenLink || error == std::errc::too_many_symbolic_link_levels) {
    return kErrBrokenLink;
  }
  if (error == std::errc::file_too_large) return kErrFileTooLarge;
  if (error == std::errc::filename_too_long) return kErrBadFileName;
  if (error == std::errc::no_space_on_device ||
      error == std::error_condition(EDQUOT, std::generic_category()))
    return kErrDiskFull;
  if (error == std::errc::permission_denied || error == std::errc::read_only_file_system ||
      error == std::errc::operation_not_permitted) {
    return kErrPermissionDenied;
  }
  if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
    return kErrPathNotFound;
  }
  return kErrDeviceIO;
}

void RaiseError(game& model, int code, int area) {
  model.Announce([&](GameEvents& s) { s.Error(code, area); });
}

}  // namespace talvair::storage
