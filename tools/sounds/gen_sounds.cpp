// Build-time tool: synthesizes the game's sounds from their recipes.
//   orbivore-gen-sounds OUTDIR          every effect, as OUTDIR/res/NAME.ogg
//   orbivore-gen-sounds --music DIR...  the music loops, as NAME.ogg in each DIR
// The names come from the build (SOUND_EFFECTS, SOUND_MUSIC), the recipes
// from SOUND_RECIPES/NAME.txt.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/random.h"
#include "ogg_writer.h"
#include "recipe.h"
#include "synth.h"

namespace {

std::vector<std::string> SplitNames(const char* list) {
    std::vector<std::string> names;
    std::istringstream in(list);
    std::string name;
    while (std::getline(in, name, ',')) {
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

uint32_t NameHash(const std::string& name) {
    uint32_t h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return h;
}

Recipe ReadRecipe(const std::string& name) {
    const std::string path = std::string(SOUND_RECIPES) + "/" + name + ".txt";
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    Recipe recipe;
    std::string error;
    if (!ParseRecipe(text.str(), recipe, error)) throw std::runtime_error(path + ": " + error);
    return recipe;
}

// Lossy coding overshoots sharp peaks by up to a quarter: when the decoded
// sound would clip, it is made quieter and encoded again.
void Encode(std::vector<float> samples, int channels, float quality, const std::string& name,
            const std::vector<std::string>& paths) {
    const std::string& first = paths.front();
    for (int attempt = 0;; ++attempt) {
        if (!WriteOggVorbis(first, samples, channels, SampleRate, quality, NameHash(name)))
            throw std::runtime_error("cannot write " + first);
        const float peak = DecodedPeak(first);
        if (peak < 0) throw std::runtime_error("cannot decode " + first);
        if (peak <= 0.97f) break;
        if (attempt == 4) throw std::runtime_error(first + " clips after encoding");
        for (float& s : samples) s *= 0.94f / peak;
    }
    for (size_t i = 1; i < paths.size(); ++i)
        if (!WriteOggVorbis(paths[i], samples, channels, SampleRate, quality, NameHash(name)))
            throw std::runtime_error("cannot write " + paths[i]);
}

// Every effect has its own noise, the same on every build.
void MakeEffect(const std::string& name, const std::string& dir) {
    const Recipe recipe = ReadRecipe(name);
    if (recipe.IsMusic()) throw std::runtime_error(name + " is music, not an effect");
    SeedRandom(NameHash(name));
    Encode(RenderEffect(recipe), 1, 0.4f, name, {dir + "/res/" + name + ".ogg"});
}

void MakeMusic(const std::string& name, const std::vector<std::string>& dirs) {
    const Recipe recipe = ReadRecipe(name);
    if (!recipe.IsMusic()) throw std::runtime_error(name + " has no tempo");
    SeedRandom(NameHash(name));
    std::vector<std::string> paths;
    for (const std::string& dir : dirs) paths.push_back(dir + "/" + name + ".ogg");
    Encode(RenderMusic(recipe), 2, 0.3f, name, paths);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || (args[0] == "--music" && args.size() < 2)) {
        std::fprintf(stderr, "usage: orbivore-gen-sounds OUTDIR | --music DIR...\n");
        return 2;
    }
    try {
        if (args[0] == "--music") {
            const std::vector<std::string> dirs(args.begin() + 1, args.end());
            for (const std::string& name : SplitNames(SOUND_MUSIC)) MakeMusic(name, dirs);
        } else {
            for (const std::string& name : SplitNames(SOUND_EFFECTS)) MakeEffect(name, args[0]);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orbivore-gen-sounds: %s\n", e.what());
        return 1;
    }
    return 0;
}
