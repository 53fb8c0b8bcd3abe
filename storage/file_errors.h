// How the storage members report a failed file operation: the run-time error number of the
// model's Error event for a system error, raised with the member's area code.
#pragma once

#include <system_error>

namespace talvair {
class game;
}

namespace talvair::storage {

// Run-time error numbers the Error event carries for file faults.
enum FileErrorCode : int {
  kErrFileOverflow = 6,  // a number outside its range
  kErrFileTooLarge = 7,
  kErrFileTypeMismatch = 13,  // an item that is not a number
  kErrBrokenLink = 53,        // a symbolic link that leads nowhere
  kErrDeviceIO = 57,          // any other fault of the system
  kErrDiskFull = 61,
  kErrPastEnd = 62,      // the file ends inside an item it must hold
  kErrBadFileName = 64,  // a name or path longer than the system takes
  kErrPermissionDenied = 70,
  kErrFileAccess = 75,  // not a regular file: a folder, a FIFO, a device
  kErrPathNotFound = 76,
};

// The error number of a system error (or a FileFault).
int FileErrorNumber(const std::error_code& error);

// Raises the model's Error event.
void RaiseError(game& model, int code, int area);

}  // namespace talvair::storage
