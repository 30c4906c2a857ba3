// Pictures: PNG bytes decoded with libpng into textures, drawn as quads.
// Everything adds onto the screen (light blending is on for the whole run).
#include <epoxy/gl.h>
#include <png.h>

#include <memory>
#include <vector>

#include "platform/platform_internal.h"

namespace {

RendererHook rendererHook = nullptr;

// Pictures live until the program ends; the owner list frees them at exit.
std::vector<std::unique_ptr<Picture>>& AllPictures() {
    static std::vector<std::unique_ptr<Picture>> pictures;
    return pictures;
}

}  // namespace

void FlushGlowDrawing() {
    if (rendererHook) rendererHook(DrawSync::Flush);
}

void CompleteGlowDrawing() {
    if (rendererHook) rendererHook(DrawSync::Complete);
}

void EndGlowFrame() {
    if (rendererHook) rendererHook(DrawSync::FrameEnd);
}

void SetRendererHook(RendererHook hook) { rendererHook = hook; }

Picture* LoadPicturePng(const unsigned char* data, size_t size, const std::string& name) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!data || !png_image_begin_read_from_memory(&image, data, size)) {
        Platform().error = "picture \"" + name + "\" is not a readable PNG" +
                           (image.message[0] ? std::string(": ") + image.message : std::string());
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        Platform().error = "picture \"" + name + "\" is damaged: " + image.message;
        png_image_free(&image);
        return nullptr;
    }
    auto pic = std::make_unique<Picture>();
    pic->width = int(image.width);
    pic->height = int(image.height);
    pic->texture = MakeTexture(pic->width, pic->height, pixels.data());
    AllPictures().push_back(std::move(pic));
    return AllPictures().back().get();
}

unsigned MakeTexture(int width, int height, const uint8_t* pixels, bool bgra) {
    if (!PlatformHasGL()) return 0;
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Mesa keeps a texture's texels in the order its pixels first come in.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, bgra ? GL_BGRA : GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return tex;
}

void MidHandle(Picture* picture) {
    if (!picture) return;
    picture->handleX = picture->width / 2.0f;
    picture->handleY = picture->height / 2.0f;
}

void DrawPicture(const Picture* picture, float x, float y, float alpha) {
    if (!picture || !PlatformHasGL()) return;
    DrawTexturedQuad(picture->texture, x - picture->handleX, y - picture->handleY, float(picture->width),
                     float(picture->height), alpha);
}

void DrawTexturedQuad(unsigned texture, float x0, float y0, float width, float height, float alpha) {
    FlushGlowDrawing();
    const float x1 = x0 + width, y1 = y0 + height;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1, 1, 1, alpha);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 0), glVertex2f(x0, y0);
    glTexCoord2f(1, 0), glVertex2f(x1, y0);
    glTexCoord2f(0, 1), glVertex2f(x0, y1);
    glTexCoord2f(1, 1), glVertex2f(x1, y1);
    glEnd();
}

void FillRect(float x, float y, float width, float height, uint32_t colour) {
    if (!PlatformHasGL()) return;
    FlushGlowDrawing();
    glDisable(GL_TEXTURE_2D);
    glColor4ub(uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour), uint8_t(colour >> 24));
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(x, y), glVertex2f(x + width, y), glVertex2f(x, y + height), glVertex2f(x + width, y + height);
    glEnd();
}
