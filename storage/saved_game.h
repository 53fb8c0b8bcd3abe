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
// as it was and returns kStatusFailed.
int SaveGame(game& model, const std::string& fileName, bool overwrite,
             const std::string& comments);

}  // namespace talvair::storage
