// The four bunkers: built block by block from one bitmap, drawn as small
// glowing bricks, and bitten away by shots and bombs.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "classic/classic_game.h"
#include "classic/classic_parts.h"
#include "combat/shots.h"
#include "common/resources.h"
#include "effects/particles.h"
#include "game/settings.h"
#include "platform/platform.h"

std::list<BaseBits> BaseBitsList;
int BunkerBitmap[BunkerColumns * BunkerRows];
Picture* BunkerBlockImage = nullptr;

bool ParseBunkerBitmap(std::string_view text, int (&bitmap)[BunkerColumns * BunkerRows], std::string& error) {
    std::istringstream lines{std::string(text)};
    std::string line;
    int count = 0, lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream values(line);
        std::string value;
        while (values >> value) {
            if (value != "0" && value != "1") {
                error = "line " + std::to_string(lineNumber) + ": \"" + value + "\" is neither 0 nor 1";
                return false;
            }
            if (count == BunkerColumns * BunkerRows) {
                error = "line " + std::to_string(lineNumber) + ": more than 192 values";
                return false;
            }
            bitmap[count++] = value == "1" ? 1 : 0;
        }
    }
    if (count != BunkerColumns * BunkerRows) {
        error = std::to_string(count) + " values, a bunker has 192";
        return false;
    }
    return true;
}

void LoadBunkerBitmap() {
    std::string error;
    if (!ParseBunkerBitmap(RequireTextResource("classic/bunker.txt"), BunkerBitmap, error)) {
        std::fprintf(stderr, "orbivore: classic/bunker.txt: %s\n", error.c_str());
        std::exit(1);
    }
}

void BuildBunker(int x, int y, int nr) {
    for (int row = 0; row < BunkerRows; ++row)
        for (int column = 0; column < BunkerColumns; ++column)
            if (BunkerBitmap[row * BunkerColumns + column] == 0)
                BaseBitsList.push_back({x + BlockSize * column, y + BlockSize * row, nr});
}

void RebuildBunkers() {
    BaseBitsList.clear();
    for (int i = 0; i < 4; ++i) BuildBunker(BunkerXs[i], BunkerY, i + 1);
}

int BiteBunkers(float x, float y, float radius) {
    int removed = 0;
    for (auto it = BaseBitsList.begin(); it != BaseBitsList.end();) {
        const float dx = float(it->x) + BlockSize / 2.0f - x;
        const float dy = float(it->y) + BlockSize / 2.0f - y;
        if (dx * dx + dy * dy < radius * radius) {
            if (removed++ == 0) SpawnParticles(it->x + BlockSize / 2, it->y + BlockSize / 2, 10, 0);
            it = BaseBitsList.erase(it);
        } else {
            ++it;
        }
    }
    return removed;
}

void DrawBunkers() {
    for (const BaseBits& b : BaseBitsList)
        DrawPicture(BunkerBlockImage, float(b.x - 3 + OffsetX), float(b.y - 3 + OffsetY), 1.0f);
}

void UpdateBunkers() {
    DrawBunkers();
    for (auto it = PlayerBulletsList.begin(); it != PlayerBulletsList.end();) {
        const bool hit = BiteBunkers(it->x, it->y - ShotLength, ShotBiteRadius) > 0;
        it = hit ? PlayerBulletsList.erase(it) : std::next(it);
    }
}
