// Plain monospaced text for the score lists, drawn from a built-in TrueType
// font. Rendered lines are kept as textures, since the lists repeat every frame.
#include <SDL_ttf.h>
#include <epoxy/gl.h>

#include <map>
#include <string>

#include "platform/platform_internal.h"

namespace {

struct TextTexture {
    GLuint texture = 0;
    int width = 0;
    int height = 0;
};

const unsigned char* FontBytes = nullptr;
size_t FontSize = 0;
TTF_Font* Font = nullptr;
bool FontTried = false;
std::map<std::pair<std::string, uint32_t>, TextTexture> Cache;

void DropRenderedLines() {
    for (auto& [k, t] : Cache) glDeleteTextures(1, &t.texture);
    Cache.clear();
}

TTF_Font* PlainFont() {
    if (FontTried) return Font;
    FontTried = true;
    if (!FontBytes || (!TTF_WasInit() && TTF_Init() != 0)) return nullptr;
    Font = TTF_OpenFontRW(SDL_RWFromConstMem(FontBytes, int(FontSize)), 1, 13);
    return Font;
}

const TextTexture* Rendered(const std::string& text, uint32_t colour) {
    const auto key = std::make_pair(text, colour);
    if (auto it = Cache.find(key); it != Cache.end()) return &it->second;
    TTF_Font* font = PlainFont();
    if (!font || text.empty()) return nullptr;
    const SDL_Color c{Uint8(colour >> 16), Uint8(colour >> 8), Uint8(colour), 255};
    // One byte a character, as the settings file and the score server keep
    // names: bytes from 128 up are Latin-1 letters, not pieces of UTF-8.
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text.c_str(), c);
    if (!rendered) return nullptr;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(rendered);
    if (!rgba) return nullptr;
    if (Cache.size() > 400) DropRenderedLines();
    TextTexture t;
    t.width = rgba->w, t.height = rgba->h;
    glGenTextures(1, &t.texture);
    glBindTexture(GL_TEXTURE_2D, t.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba->pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.width, t.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    SDL_FreeSurface(rgba);
    return &Cache.emplace(key, t).first->second;
}

}  // namespace

void SetPlainTextFont(const unsigned char* data, size_t size) {
    if (Font) {
        TTF_CloseFont(Font);
        Font = nullptr;
        DropRenderedLines();
    }
    FontBytes = data, FontSize = size;
    FontTried = false;
}

void DrawPlainText(const std::string& text, float x, float y, uint32_t colour) {
    if (!PlatformHasGL()) return;
    const TextTexture* t = Rendered(text, colour);
    if (!t) return;
    DrawTexturedQuad(t->texture, x, y, float(t->width), float(t->height), 1.0f);
}
