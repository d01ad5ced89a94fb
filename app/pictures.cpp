// Decodes the JPEG resources with stb_image (baseline JPEG only, from memory)
// straight into the backdrop's pixels: no codec to load or register, and no
// decoded copy kept beyond start-up.
#include "app/pictures.h"

#include <algorithm>

// Only what a baseline JPEG in memory needs; no thread-local error text,
// which would pull in the threads library.
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_THREAD_LOCALS
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace {

inline void freeDecoded(stbi_uc* pixels) { stbi_image_free(pixels); }
using DecodedPixels = UniqueHandle<stbi_uc*, freeDecoded>;

// A decoded JPEG: rows of red, green, blue bytes, top row first.
struct DecodedJpeg {
    DecodedPixels pixels;
    int width = 0;
    int height = 0;
};

DecodedJpeg decodeJpegResource(int resourceId) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(resourceId), RT_RCDATA);
    if (!resource) return {};
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return {};

    DecodedJpeg jpeg;
    int components = 0;
    jpeg.pixels.reset(stbi_load_from_memory(static_cast<const stbi_uc*>(bytes), static_cast<int>(size), &jpeg.width,
                                            &jpeg.height, &components, 3));
    if (!jpeg.pixels) return {};
    return jpeg;
}

// The DIB's pixel for a decoded one: blue, green, red, then an unused byte.
DWORD dibPixel(const stbi_uc* rgb) { return DWORD{rgb[0]} << 16 | DWORD{rgb[1]} << 8 | DWORD{rgb[2]}; }

// Copies the pixels `area` covers from `jpeg`, whose top-left pixel goes to
// `origin`; the JPEG repeats edge to edge when `tiled`.
void copyInto(DWORD* pixels, int stride, const RECT& area, const DecodedJpeg& jpeg, POINT origin, bool tiled) {
    const LONG right = tiled ? area.right : std::min<LONG>(area.right, origin.x + jpeg.width);
    const LONG bottom = tiled ? area.bottom : std::min<LONG>(area.bottom, origin.y + jpeg.height);
    const LONG firstColumn = (area.left - origin.x) % jpeg.width;
    for (LONG y = area.top; y < bottom; ++y) {
        const stbi_uc* row = jpeg.pixels.get() + static_cast<size_t>((y - origin.y) % jpeg.height) * jpeg.width * 3;
        DWORD* target = pixels + static_cast<size_t>(y) * stride;
        LONG column = firstColumn;
        for (LONG x = area.left; x < right; ++x) {
            target[x] = dibPixel(row + static_cast<size_t>(column) * 3);
            if (++column == jpeg.width) column = 0;
        }
    }
}

void fill(DWORD* pixels, int stride, const RECT& area, COLORREF colour) {
    const DWORD pixel = DWORD{GetRValue(colour)} << 16 | DWORD{GetGValue(colour)} << 8 | GetBValue(colour);
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x) pixels[static_cast<size_t>(y) * stride + x] = pixel;
}

}  // namespace

Picture composeBackdrop(int width, int height, int backgroundId, int panelId, const RECT& panelArea) {
    if (width <= 0 || height <= 0) return {};
    void* bits = nullptr;
    Picture picture;
    picture.bitmap = createTopDownDib(width, height, &bits);
    if (!picture.bitmap) return {};
    picture.width = width;
    picture.height = height;
    auto* pixels = static_cast<DWORD*>(bits);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);

    // One picture decoded at a time, each freed once copied.
    const RECT all{0, 0, width, height};
    if (const DecodedJpeg background = decodeJpegResource(backgroundId); background.pixels)
        copyInto(pixels, width, all, background, POINT{0, 0}, true);
    else
        fill(pixels, width, all, face);

    RECT panel{};
    if (!IntersectRect(&panel, &panelArea, &all)) return picture;
    fill(pixels, width, panel, face);
    if (const DecodedJpeg panelJpeg = decodeJpegResource(panelId); panelJpeg.pixels)
        copyInto(pixels, width, panel, panelJpeg, POINT{panelArea.left, panelArea.top}, false);
    return picture;
}

void drawPart(HDC dc, const Picture& picture, const RECT& area, POINT origin) {
    if (!picture || area.left >= area.right || area.top >= area.bottom) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    ScopedSelectObject selection(source.get(), picture.bitmap.get());
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), origin.x + area.left,
           origin.y + area.top, SRCCOPY);
}

UniqueBitmap createTopDownDib(int width, int height, void** pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0));
}
