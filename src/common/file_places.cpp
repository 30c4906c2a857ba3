#include "common/file_places.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

std::string LastPart(const std::string& folder) {
    const size_t slash = folder.rfind('/');
    return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

// Without the "..", for the player's eyes.
std::string Tidy(const std::string& folder) {
    char resolved[PATH_MAX];
    return realpath(folder.c_str(), resolved) ? std::string(resolved) : folder;
}

}  // namespace

std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string p(path, size_t(n));
    const size_t slash = p.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : p.substr(0, slash);
}

FilePlaces FilePlacesFor(const std::string& programFolder) {
    FilePlaces places;
    places.libraryFolder = programFolder;
    const std::string data = programFolder + "/../share/games/orbivore";
    if (LastPart(programFolder) == "games" && IsFolder(data)) {
        places.installed = true;
        places.dataFolder = Tidy(data);
        places.libraryFolder = Tidy(programFolder + "/..") + "/lib/games/orbivore";
    }
    return places;
}

const FilePlaces& ThisCopy() {
    static const FilePlaces places = FilePlacesFor(ProgramFolder());
    return places;
}

std::string UserFolderFor(const char* xdgDataHome, const char* home) {
    if (IsAbsolute(xdgDataHome)) return std::string(xdgDataHome) + "/orbivore";
    if (IsAbsolute(home)) return std::string(home) + "/.local/share/orbivore";
    return "";
}

std::string PlayersFolder() { return UserFolderFor(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")); }

UserFolderState PrepareUserFolder(const std::string& folder) {
    // Each missing step is made in turn; one that exists as a file stops it.
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string step = folder.substr(0, slash);
        if (!step.empty() && mkdir(step.c_str(), 0700) != 0 && errno != EEXIST)
            return {FolderUse::Unusable, step + ": " + std::strerror(errno)};
        if (slash == std::string::npos) break;
    }
    if (!IsFolder(folder)) return {FolderUse::Unusable, folder + ": " + std::strerror(ENOTDIR)};
    if (access(folder.c_str(), R_OK | X_OK) != 0) return {FolderUse::Unusable, folder + ": " + std::strerror(errno)};
    if (access(folder.c_str(), W_OK) != 0) return {FolderUse::ReadOnly, folder + ": " + std::strerror(errno)};
    return {FolderUse::Usable, ""};
}

bool EnterUserFolder() {
    if (!ThisCopy().installed) return true;
    const std::string folder = PlayersFolder();
    // With no home at all there is nowhere better than where the player stands.
    if (folder.empty()) return true;
    UserFolderState state = PrepareUserFolder(folder);
    // A folder only to read still holds the player's settings and music.
    if (state.use != FolderUse::Unusable && chdir(folder.c_str()) != 0)
        state = {FolderUse::Unusable, folder + ": " + std::strerror(errno)};
    if (state.use == FolderUse::Usable) return true;
    std::fprintf(stderr, "orbivore: cannot write in %s; settings will not be saved\n", state.why.c_str());
    return false;
}
