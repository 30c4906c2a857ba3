// orbivore-sim: the real program on the headless platform, for tests,
// benchmarks and screenshots. Runs in the working directory like the game.
#include <png.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "sim_options.h"
#include "sim_stats.h"

namespace {

SimOptions Options;

void WriteScreenshot(const std::string& path) {
    const std::vector<uint8_t> pixels = ReadFramePixels();
    if (pixels.empty()) {
        std::fprintf(stderr, "orbivore-sim: no picture to save for %s (running without OpenGL?)\n", path.c_str());
        return;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = uint32_t(DisplayWidth());
    image.height = uint32_t(DisplayHeight());
    image.format = PNG_FORMAT_RGB;
    // Drop alpha: a screenshot shows what the screen shows.
    std::vector<uint8_t> rgb(size_t(image.width) * image.height * 3);
    for (size_t i = 0, j = 0; i < pixels.size(); i += 4, j += 3)
        rgb[j] = pixels[i], rgb[j + 1] = pixels[i + 1], rgb[j + 2] = pixels[i + 2];
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr))
        std::fprintf(stderr, "orbivore-sim: cannot write %s: %s\n", path.c_str(), image.message);
}

void OnFrame(long long frame) {
    for (const Screenshot& s : Options.screenshots)
        if (s.frame == frame) WriteScreenshot(s.path);
}

}  // namespace

int main(int argc, char** argv) {
    if (!ParseSimOptions(argc, argv, Options)) return 2;
    // Headless runs make no sound unless an audio driver is asked for.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    SetFrameHook(OnFrame);
    const auto start = std::chrono::steady_clock::now();
    const int code = RunOrbivore(Options.platform, Options.seed);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (Options.stats) PrintSimStats(ms.count());
    return code;
}
