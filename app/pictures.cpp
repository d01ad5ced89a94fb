// Decodes the JPEG resources with stb_image (baseline JPEG only, from memory)
// and copies them into the backdrop's pixels: no codec to load or register,
// and no decoded copy kept beyond start-up.
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

// A JPEG resource's bytes; empty when it cannot be found.
struct JpegResource {
    const stbi_uc* bytes = nullptr;
    int size = 0;
};

JpegResource findJpegResource(int resourceId) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(resourceId), RT_RCDATA);
    if (!resource) return {};
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return {};
    return {static_cast<const stbi_uc*>(bytes), static_cast<int>(size)};
}

// The picture's size from its header, without decoding it.
bool jpegSize(const JpegResource& jpeg, SIZE& size) {
    int components = 0, width = 0, height = 0;
    if (!jpeg.bytes || !stbi_info_from_memory(jpeg.bytes, jpeg.size, &width, &height, &components)) return false;
    size = SIZE{width, height};
    return true;
}

inline void freeDecoded(stbi_uc* pixels) { stbi_image_free(pixels); }

// A decoded JPEG: rows of red, green, blue and alpha bytes, top row first.
// Four bytes a pixel, not three: stb_image converts the colours of four-byte
// pixels with SSE2 and those of three-byte ones a byte at a time.
struct DecodedJpeg {
    UniqueHandle<stbi_uc*, freeDecoded> pixels;
    int width = 0;
    int height = 0;
};

DecodedJpeg decodeJpeg(const JpegResource& jpeg) {
    if (!jpeg.bytes) return {};
    DecodedJpeg decoded;
    int components = 0;
    decoded.pixels.reset(stbi_load_from_memory(jpeg.bytes, jpeg.size, &decoded.width, &decoded.height, &components, 4));
    if (!decoded.pixels) return {};
    return decoded;
}

// A pixel of the DIB: blue, green, red, then an unused byte.
constexpr DWORD dibPixel(BYTE red, BYTE green, BYTE blue) { return DWORD{red} << 16 | DWORD{green} << 8 | blue; }

// `count` decoded pixels to the DIB's.
void convertRow(DWORD* target, const stbi_uc* rgba, LONG count) {
    for (LONG i = 0; i < count; ++i, rgba += 4) target[i] = dibPixel(rgba[0], rgba[1], rgba[2]);
}

// Calls `paintSpan(y, left, right)` for every row piece of `area` that lies
// outside `hole`, a rectangle inside it (or empty).
template <typename PaintSpan>
void forSpansOutside(const RECT& area, const RECT& hole, PaintSpan paintSpan) {
    for (LONG y = area.top; y < area.bottom; ++y) {
        if (y < hole.top || y >= hole.bottom || hole.left >= hole.right) {
            paintSpan(y, area.left, area.right);
            continue;
        }
        if (area.left < hole.left) paintSpan(y, area.left, hole.left);
        if (hole.right < area.right) paintSpan(y, hole.right, area.right);
    }
}

}  // namespace

UniqueBitmap composeBackdrop(int width, int height, int backgroundId, int panelId, const RECT& panelArea) {
    if (width <= 0 || height <= 0) return {};
    void* bits = nullptr;
    UniqueBitmap picture = createTopDownDib(width, height, &bits);
    if (!picture) return {};
    auto* pixels = static_cast<DWORD*>(bits);
    auto row = [&](LONG y) { return pixels + static_cast<size_t>(y) * width; };
    const COLORREF faceColour = GetSysColor(COLOR_BTNFACE);
    const DWORD face = dibPixel(GetRValue(faceColour), GetGValue(faceColour), GetBValue(faceColour));
    auto fillSpan = [&](LONG y, LONG left, LONG right) { std::fill(row(y) + left, row(y) + right, face); };

    // The part the panel picture covers, from its size alone, is painted once.
    const RECT all{0, 0, width, height};
    RECT panelPart{};
    const bool hasPanel = IntersectRect(&panelPart, &panelArea, &all);
    const JpegResource panelResource = findJpegResource(panelId);
    RECT covered{};
    if (SIZE size{}; hasPanel && jpegSize(panelResource, size)) {
        const RECT panelExtent{panelArea.left, panelArea.top, panelArea.left + size.cx, panelArea.top + size.cy};
        IntersectRect(&covered, &panelPart, &panelExtent);
    }

    // One picture decoded at a time, each freed once copied.
    if (const DecodedJpeg background = decodeJpeg(findJpegResource(backgroundId)); background.pixels) {
        const LONG jpegWidth = background.width;
        forSpansOutside(all, covered, [&](LONG y, LONG left, LONG right) {
            const stbi_uc* source = background.pixels.get() +
                                    static_cast<size_t>(y % background.height) * jpegWidth * 4;
            // The picture repeats edge to edge: one run of columns at a time.
            for (LONG x = left, column = left % jpegWidth; x < right; column = 0) {
                const LONG count = std::min(right - x, jpegWidth - column);
                convertRow(row(y) + x, source + static_cast<size_t>(column) * 4, count);
                x += count;
            }
        });
    } else {
        forSpansOutside(all, covered, fillSpan);
    }
    if (!hasPanel) return picture;

    forSpansOutside(panelPart, covered, fillSpan);
    const DecodedJpeg panel = decodeJpeg(panelResource);
    for (LONG y = covered.top; y < covered.bottom; ++y) {
        if (!panel.pixels || panel.width < covered.right - panelArea.left || panel.height <= y - panelArea.top) {
            fillSpan(y, covered.left, covered.right);  // the picture could not be decoded after all
            continue;
        }
        const stbi_uc* source = panel.pixels.get() + static_cast<size_t>(y - panelArea.top) * panel.width * 4 +
                                static_cast<size_t>(covered.left - panelArea.left) * 4;
        convertRow(row(y) + covered.left, source, covered.right - covered.left);
    }
    return picture;
}

void drawPart(HDC dc, HBITMAP picture, const RECT& area, POINT origin) {
    if (!picture || area.left >= area.right || area.top >= area.bottom) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    ScopedSelectObject selection(source.get(), picture);
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
