// Saving and opening games: the model object's SaveGame and LoadGame. Both report through
// their status (SavedGameStatus) and the model's events (Saving, GameSaved, Loading,
// GameLoaded, DataChange, Error with area 22 for saving and 21 for opening); neither
// shows a message. Standard library only.
#pragma once

#include <string>

#include "storage/saved_game_file.h"

namespace talvair {
class game;
}

namespace talvair::storage {

// Writes the game at its current period. A file that exists is replaced only when
// `overwrite` is set, and only by a complete new file: a failed save leaves the old file
// as it was and returns kStatusFailed, `errorCode` (when given) getting the Error event's
// number.
int SaveGame(game& model, const std::string& fileName, bool overwrite, const std::string& comments,
             int* errorCode = nullptr);

// What opening a game changes in the windows; the shell implements it.
class LoadGameHost {
 public:
  virtual ~LoadGameHost() = default;
  // The game has been replayed: the open windows are reset and updated, the decision
  // window shows the last quarter played, the main window's caption names `fileTitle` and
  // the notepad's text becomes `comments`.
  virtual void ShowLoadedGame(const std::string& fileTitle, const std::string& comments) = 0;
};

// Opens a game: the whole file is read and checked first, then the model restarts and
// replays its decisions (under IsLoading). A file that is missing or unsound leaves the
// model and the windows untouched; so does a replay that fails, the game being put back as
// it was. The comments become the model's ExtraString and the notepad's text only when the
// game has been opened. With kStatusFailed, `errorCode` (when given) gets the Error event's
// number.
int LoadGame(game& model, const std::string& fileName, LoadGameHost* host = nullptr,
             int* errorCode = nullptr);

}  // namespace talvair::storage
