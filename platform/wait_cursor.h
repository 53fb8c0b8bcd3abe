// The hourglass during long operations, and the way back to the default pointer.
#pragma once

namespace talvair::platform {

// Shows the hourglass for the lifetime of the guard; the pointer shown before comes back
// when the guard ends, also when an exception passes through.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  bool pushed_;
};

// Sets the pointer to the hourglass until ResetMousePointer (for start-up, which spans
// several steps rather than one scope).
void ShowHourglass();

// Puts the pointer back to the default shape, whatever was set before it.
void ResetMousePointer();

}  // namespace talvair::platform
