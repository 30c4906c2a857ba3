// Where the game's files live.
//
// A copy of the game is installed when its program lies in a folder named
// "games" and "../share/games/orbivore" exists beside that folder: the layout
// `make install` and the package lay down. An installed copy keeps the
// player's files (settings, "waves.dat", the network cache) in a folder of
// the player's own and reads its music from the shared data folder when the
// player has not dropped their own into that folder. Any other copy (the
// build folder, an unpacked folder) keeps every file in the working folder.
#pragma once

#include <string>

struct FilePlaces {
    bool installed = false;
    std::string dataFolder;     // the installed music; empty for a copy that is not installed
    std::string libraryFolder;  // where the network library lies
};

// The folder the running program lies in, "." when the system will not say.
std::string ProgramFolder();

FilePlaces FilePlacesFor(const std::string& programFolder);
// Those of the running program, worked out once.
const FilePlaces& ThisCopy();

// $XDG_DATA_HOME/orbivore, else $HOME/.local/share/orbivore. A relative
// XDG_DATA_HOME (or HOME) counts as unset; empty when neither gives a folder.
std::string UserFolderFor(const char* xdgDataHome, const char* home);
// The same from this process's environment.
std::string PlayersFolder();

enum class FolderUse { Usable, ReadOnly, Unusable };

struct UserFolderState {
    FolderUse use = FolderUse::Unusable;
    std::string why;  // what went wrong, for the player
};

// Creates the folder and any missing parents (private to the player) and says
// how far it can be used: written in, only read from, or not at all.
UserFolderState PrepareUserFolder(const std::string& folder);

// For an installed copy: makes the player's folder the working folder. False
// when the settings cannot be saved there; that has then been said once on
// stderr and the game runs on without saving.
bool EnterUserFolder();
