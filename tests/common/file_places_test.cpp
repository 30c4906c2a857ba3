// The rule that tells an installed copy from any other, and the player's folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/file_places.h"

namespace fs = std::filesystem;

namespace {

struct Scratch {
    fs::path root = fs::temp_directory_path() / ("file-places-" + std::to_string(getpid()));
    Scratch() { fs::create_directories(root); }
    ~Scratch() { fs::remove_all(root); }
};

}  // namespace

TEST(FilePlaces, InstalledOnlyInGamesWithTheSharedDataBesideIt) {
    Scratch s;
    fs::create_directories(s.root / "usr/games");
    fs::create_directories(s.root / "usr/share/games/orbivore");
    fs::create_directories(s.root / "opt/bin");
    fs::create_directories(s.root / "opt/share/games/orbivore");
    fs::create_directories(s.root / "bare/games");

    const FilePlaces installed = FilePlacesFor((s.root / "usr/games").string());
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.dataFolder, fs::canonical(s.root / "usr/share/games/orbivore").string());
    EXPECT_EQ(installed.libraryFolder, fs::canonical(s.root / "usr").string() + "/lib/games/orbivore");

    // The data beside a folder of another name, or a games folder alone
    // (an unpacked copy someone put there): the working folder, as always.
    for (const char* folder : {"opt/bin", "bare/games"}) {
        const FilePlaces other = FilePlacesFor((s.root / folder).string());
        EXPECT_FALSE(other.installed) << folder;
        EXPECT_EQ(other.dataFolder, "") << folder;
        EXPECT_EQ(other.libraryFolder, (s.root / folder).string()) << folder;
    }
}

TEST(FilePlaces, PlayerFolderFromTheEnvironment) {
    EXPECT_EQ(UserFolderFor("/data", "/home/p"), "/data/orbivore");
    EXPECT_EQ(UserFolderFor(nullptr, "/home/p"), "/home/p/.local/share/orbivore");
    // Relative or empty values count as unset.
    EXPECT_EQ(UserFolderFor("data", "/home/p"), "/home/p/.local/share/orbivore");
    EXPECT_EQ(UserFolderFor("", "/home/p"), "/home/p/.local/share/orbivore");
    EXPECT_EQ(UserFolderFor("data", "home"), "");
    EXPECT_EQ(UserFolderFor(nullptr, nullptr), "");
}

TEST(FilePlaces, PreparingThePlayerFolder) {
    Scratch s;
    const fs::path fresh = s.root / "a/b/orbivore";
    EXPECT_EQ(PrepareUserFolder(fresh.string()).use, FolderUse::Usable);
    struct stat st {};
    ASSERT_EQ(stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(PrepareUserFolder(fresh.string()).use, FolderUse::Usable) << "a second start finds it";

    // A file where the folder or one of its parents should be is left as it is.
    std::ofstream(s.root / "file") << "kept";
    for (const fs::path& blocked : {s.root / "file", s.root / "file/orbivore"}) {
        const UserFolderState state = PrepareUserFolder(blocked.string());
        EXPECT_EQ(state.use, FolderUse::Unusable) << blocked;
        EXPECT_NE(state.why.find(strerror(ENOTDIR)), std::string::npos) << state.why;
    }
    std::string kept;
    std::ifstream(s.root / "file") >> kept;
    EXPECT_EQ(kept, "kept");
}
