// The atlas of kept shape halos: a texture of square cells at the halo
// picture's resolution, handed out to shapes by when they were last drawn.
#include "glow/split/glow_atlas.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <list>
#include <unordered_map>

#include "glow/split/glow_halo.h"

namespace {

// How far a kept shape's light may reach from its point, in play-area
// pixels: an invader's segment ends lie within 22 of its centre and the
// widest glow the settings give its lines is 24 more.
constexpr float ShapeReach = 48;
// At most this many cells, and texels a side, so the atlas stays within
// about 12 MB: 4,096 cells on the quarter halo, 1,225 on the half. In trials
// on three levels, 87 to 95 % of the invaders found their form kept in
// 1,024 cells, 97 to 99 % in 4,096.
constexpr int MostCellsARow = 64;
constexpr int AtlasLimit = AtlasMostCells;
// New cells cost what drawing the lines would; past this many in one frame
// (a wave's first, or every invader changing step at once) the lines are
// drawn instead, so such a frame costs no more than without the atlas.
constexpr int MostNewCellsAFrame = AtlasMostNewCellsAFrame;
// Positions in the key, in 1/64 pixel: shapes that differ by less are one.
constexpr float KeySteps = 64;

struct Cell {
    uint64_t key = 0;
    // May hold light: a shape's halo (or will, once drawn this frame), or
    // whatever a new texture holds. Emptied before it is drawn into.
    bool used = true;
    int lastFrame = -1;
    std::list<int>::iterator place;
};

struct Square {
    float x, y, u, v;
};
constexpr float Corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};

struct Atlas {
    int divisor = 0;
    int cell = 0;     // texels a side
    int perRow = 0;
    int size = 0;     // texels a side of the texture
    unsigned haloTexture = 0;
    unsigned texture = 0, framebuffer = 0;
    bool failed = false;
    std::vector<Cell> cells;
    std::list<int> byAge;  // most recently drawn first
    std::unordered_map<uint64_t, int> byKey;
    GlowQuadBatch newCells;     // the halos of this frame's new cells, in atlas units
    std::vector<int> pending;   // the cells whose halos those are
    std::vector<Square> emptied;  // corners of reused cells, to be emptied first
    std::vector<Square> squares;  // the frame's squares for the halo picture
    int frame = 0;
    int newThisFrame = 0;
};
Atlas State;

void Mix(uint64_t& hash, float value) {
    hash ^= uint64_t(uint32_t(int32_t(std::lround(value * KeySteps))));
    hash *= 0x100000001b3ULL;
}
void Mix(uint64_t& hash, const GlowVertex& v) {
    hash ^= uint64_t(v.r) | uint64_t(v.g) << 8 | uint64_t(v.b) << 16 | uint64_t(v.a) << 24;
    hash *= 0x100000001b3ULL;
}

// A 64-bit hash of the shape's lines about (x, y): where each runs, how wide
// and in what colours. Two forms meeting on one key would show one's halo
// for the other's, a faint mistake, and is about as likely as never.
// `fits`: every line's light lies within the shape's reach.
uint64_t KeyOf(const std::vector<GlowVertex>& strips, float x, float y, bool& fits) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    fits = true;
    for (size_t i = 0; i + 8 <= strips.size(); i += 8) {
        const GlowVertex* v = &strips[i];
        const GlowStripLine l = LineOfStrip(v);
        const float x1 = l.x1 - x, y1 = l.y1 - y, x2 = l.x2 - x, y2 = l.y2 - y;
        const float far = std::max({std::fabs(x1), std::fabs(y1), std::fabs(x2), std::fabs(y2)});
        if (!(far + l.width <= ShapeReach)) fits = false;
        for (float f : {x1, y1, x2, y2, l.px, l.py}) Mix(hash, f);
        Mix(hash, v[0]);
        Mix(hash, v[7]);
    }
    return hash;
}

// The cell's middle in atlas units (texels times the divisor), where the
// shape's point goes.
void CellMiddle(int cell, float& x, float& y) {
    const int col = cell % State.perRow, row = cell / State.perRow;
    x = (float(col * State.cell) + float(State.cell) / 2) * float(State.divisor);
    y = (float(row * State.cell) + float(State.cell) / 2) * float(State.divisor);
}

// The four corners of a square reaching `reach` atlas units round (x, y)
// on the screen, reading the cell round its middle.
void AddSquare(std::vector<Square>& to, int cell, float x, float y, float reach) {
    float cx, cy;
    CellMiddle(cell, cx, cy);
    const float scale = float(State.divisor) * float(State.size);
    for (const auto& [sx, sy] : Corners)
        to.push_back({x + sx * reach, y + sy * reach, (cx + sx * reach) / scale, (cy + sy * reach) / scale});
}

// The reach of a square: all of the cell but its one-texel border, which
// stays dark so that filtering never reads a neighbour.
float SquareReach() { return float(State.cell / 2 - 1) * float(State.divisor); }

// A cell for a new shape: the one drawn longest ago, unless every cell is in
// this frame already. -1: none. A cell taken from another shape is emptied
// before the new one is drawn into it.
int TakeCell(uint64_t key) {
    const int cell = State.byAge.back();
    Cell& c = State.cells[size_t(cell)];
    if (c.lastFrame == State.frame) return -1;
    if (c.used) {
        State.byKey.erase(c.key);
        float cx, cy;
        CellMiddle(cell, cx, cy);
        AddSquare(State.emptied, cell, cx, cy, float(State.cell) / 2 * float(State.divisor));
    }
    c.key = key;
    c.used = true;
    State.byKey[key] = cell;
    return cell;
}

void Touch(int cell) {
    Cell& c = State.cells[size_t(cell)];
    c.lastFrame = State.frame;
    State.byAge.splice(State.byAge.begin(), State.byAge, c.place);
}

void AddLines(const std::vector<GlowVertex>& strips, GlowQuadBatch& to, float dx, float dy) {
    GlowVertex moved[8];
    for (size_t i = 0; i + 8 <= strips.size(); i += 8) {
        for (int k = 0; k < 8; ++k) {
            moved[k] = strips[i + size_t(k)];
            moved[k].x += dx, moved[k].y += dy;
        }
        AddGlowQuads(moved, {{&to, 1.0f}});
    }
}

bool MakeAtlas(int divisor) {
    State.divisor = divisor;
    State.cell = 2 * int(std::ceil(ShapeReach / float(divisor))) + 2;
    State.perRow = std::min(MostCellsARow, AtlasLimit / State.cell);
    State.size = State.perRow * State.cell;
    State.cells.assign(size_t(State.perRow) * size_t(State.perRow), Cell{});
    for (int i = 0; i < int(State.cells.size()); ++i) State.cells[size_t(i)].place = State.byAge.insert(State.byAge.end(), i);
    // Not cleared as a whole: the memory behind a cell is only touched when a
    // shape first needs it, so a screen without invaders costs nothing.
    return MakeGlowTarget(State.size, State.size, State.texture, State.framebuffer);
}

// Lets the atlas go and starts afresh for a halo picture at 1/divisor;
// failed: none can be made there.
void StartAfresh(int divisor, bool failed) {
    if (State.framebuffer) glDeleteFramebuffers(1, &State.framebuffer);
    if (State.texture) glDeleteTextures(1, &State.texture);
    const unsigned haloTexture = State.haloTexture;
    GlowShapesForget();
    State.divisor = divisor;
    State.haloTexture = haloTexture;
    State.failed = failed;
}

}  // namespace

bool GlowShapesPrepare(int divisor, unsigned haloTexture) {
    if (State.divisor != divisor) StartAfresh(divisor, false);
    State.haloTexture = haloTexture;
    return !State.failed;
}

void GlowShapesAdd(const std::vector<GlowVertex>& strips, float x, float y, GlowQuadBatch& halo) {
    bool fits = false;
    const uint64_t key = KeyOf(strips, x, y, fits);
    int cell = -1;
    // The atlas is made when the first shape comes.
    if (fits && !State.texture && !State.failed && !MakeAtlas(State.divisor)) StartAfresh(State.divisor, true);
    if (fits && State.texture) {
        const auto found = State.byKey.find(key);
        if (found != State.byKey.end()) {
            cell = found->second;
        } else if (State.newThisFrame < MostNewCellsAFrame && (cell = TakeCell(key)) >= 0) {
            ++State.newThisFrame;
            State.pending.push_back(cell);
            float cx, cy;
            CellMiddle(cell, cx, cy);
            AddLines(strips, State.newCells, cx - x, cy - y);
        }
    }
    if (cell < 0) {
        AddLines(strips, halo, 0, 0);
        return;
    }
    Touch(cell);
    AddSquare(State.squares, cell, x, y, SquareReach());
}

int GlowShapesRenderCells() {
    if (State.pending.empty() && State.emptied.empty()) return 0;
    int calls = 0;
    glBindFramebuffer(GL_FRAMEBUFFER, State.framebuffer);
    glPushAttrib(GL_VIEWPORT_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glViewport(0, 0, State.size, State.size);
    glDisable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const double units = double(State.size) * State.divisor;
    glOrtho(0, units, 0, units, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (!State.emptied.empty()) {
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glColor4f(0, 0, 0, 0);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(2, GL_FLOAT, sizeof(Square), &State.emptied[0].x);
        glDrawArrays(GL_QUADS, 0, GLsizei(State.emptied.size()));
        glDisableClientState(GL_VERTEX_ARRAY);
        glEnable(GL_BLEND);
        ++calls;
    }
    // As in the halo picture: light added by its alpha, the alpha unwritten.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    calls += DrawGlowQuads(State.newCells, State.haloTexture);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    State.newCells.vertices.clear(), State.newCells.indices.clear();
    State.pending.clear();
    State.emptied.clear();
    return calls;
}

int GlowShapesDrawSquares() {
    if (State.squares.empty()) return 0;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, State.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, 1);
    // The cells hold light already weighed by its alpha, as the halo picture does.
    glBlendFunc(GL_ONE, GL_ONE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Square), &State.squares[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Square), &State.squares[0].u);
    glDrawArrays(GL_QUADS, 0, GLsizei(State.squares.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    State.squares.clear();
    return 1;
}

void GlowShapesDiscard() {
    for (int cell : State.pending) {
        Cell& c = State.cells[size_t(cell)];
        State.byKey.erase(c.key);
        c.used = false;
    }
    // Cells being emptied stay on the list: they are emptied all the same.
    State.pending.clear();
    State.newCells.vertices.clear(), State.newCells.indices.clear();
    State.squares.clear();
}

void GlowShapesEndFrame() {
    ++State.frame;
    State.newThisFrame = 0;
}

void GlowShapesForget() {
    State = Atlas{};
}
