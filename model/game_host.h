// What the model needs of the windows; the shell implements it, tests fake it.
#pragma once

#include <string>

namespace talvair {

class GameHost {
 public:
  virtual ~GameHost() = default;
  // The text of decision box 1..5 (aircraft purchases, fare, marketing fraction,
  // hiring, target service scope).
  virtual std::string DecisionText(int box) = 0;
  // A modal message with an OK button and the application's title.
  virtual void ShowMessage(const std::string& text) = 0;
  // Run and Stop off, Restart on.
  virtual void DeactivateRun() = 0;
  // The Go Back menu item off.
  virtual void DisableGoBack() = 0;
  // Redraws every open graph from the model's values.
  virtual void UpdateAllGraphs() = 0;
};

}  // namespace talvair
