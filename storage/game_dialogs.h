// The Open game and Save game dialogs: the extended file dialog set up for saved games.
// Their texts are English in every language.
#pragma once

#include <QString>
#include <optional>

namespace talvair {
class game;
}

namespace talvair::storage {

// The folder the dialogs start in: the program's own when it can be written to, else the
// user's documents (the home folder when there is no documents folder).
QString GameDialogFolder();
QString GameDialogFolder(const QString& programFolder);

// What the Open game dialog shows for a selected file: the comments of a saved game, read
// from at most the file's first 64 KiB, and only from a regular file. Comments that run on
// past that show their decoded beginning, then "…".
QString PreviewGameComments(const QString& path);

// The Open game dialog: the file chosen, or nothing when the player cancelled.
std::optional<QString> ShowOpenGameDialog();

// The Save game dialog, then SaveGame. The comments box starts with the notepad's text;
// what the player leaves in it becomes the model's GameComments and goes into the file.
// A name without the extension "dat" gains ".dat", and the player is asked again when that
// name is taken; No shows the dialog again with the name and the comments as they were.
// Nothing on Cancel; else SaveGame's status, `errorCode` the reason of a failure.
std::optional<int> SaveGameWithDialog(game& model, const QString& notepadComments,
                                      int* errorCode = nullptr);

}  // namespace talvair::storage
