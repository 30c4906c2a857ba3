#include "moderation.h"

#include <cstdio>
#include <string>
#include <vector>

#include "game_text.h"
#include "store/score_store.h"

namespace {

int Say(int status, const std::string& line) {
    std::fprintf(stderr, "orbivore-scores: %s\n", line.c_str());
    return status;
}

}  // namespace

int RunModerationCommand(int argc, char** argv) {
    if (argc < 2) return -1;
    const std::string command = argv[1];
    if (command != "hide" && command != "unhide" && command != "hidden") return -1;
    const int wanted = command == "hidden" ? 3 : 4;
    if (argc != wanted)
        return Say(2, command == "hidden" ? "usage: orbivore-scores hidden DATABASE"
                                          : "usage: orbivore-scores " + command + " NAME DATABASE");
    // Names are typed in a UTF-8 terminal; the game's text is Latin-1.
    const std::string name = command == "hidden" ? "" : Utf8ToLatin1(argv[2]);
    const std::string shown = "'" + Latin1ToUtf8(name) + "'";
    if (command != "hidden" && !IsAcceptedName(name)) return Say(2, shown + " is not a name the game can upload");
    std::string error;
    const auto store = OpenScoreStore(argv[wanted - 1], 1, error, true);
    if (!store) return Say(1, error);
    if (command == "hidden") {
        std::vector<HiddenName> names;
        if (!store->Hidden(names)) return Say(1, "the database did not answer");
        for (const HiddenName& h : names) std::printf("%s\t%s\n", Latin1ToUtf8(h.name).c_str(), h.since.c_str());
        return 0;
    }
    bool changed = false;
    if (!store->SetHidden(name, command == "hide", changed)) return Say(1, "the database did not answer");
    if (command == "hide")
        return Say(0, changed ? shown + " is hidden from every list within a few seconds; its scores stay stored"
                              : shown + " was hidden already");
    return Say(0, changed ? shown + " is listed again within a few seconds" : shown + " was not hidden");
}
