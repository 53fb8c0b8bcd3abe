// Member templates shared by the source files of `game`.
#pragma once

#include "model/game.h"
#include "model/model_error.h"

namespace talvair {

template <class F>
void game::ForEachSubscriber(F f) {
  // A copy: a subscriber may unsubscribe while it is told.
  const auto subscribers = subscribers_;
  for (GameEvents* s : subscribers) f(*s);
}

template <class F>
void game::Trap(int area, F body) {
  try {
    body();
  } catch (const ModelError& e) {
    RaiseError(e.Code(), area);
  }
}

}  // namespace talvair
