// Decodes the JPEG resources with OLE's picture loader, which every Windows
// since 95 has (Wine's reaches its JPEG decoder through windowscodecs), and
// keeps each picture as a 32-bit DIB section of its own.
#include "app/pictures.h"

#include <ole2.h>
#include <olectl.h>

#include <cstdlib>
#include <cstring>

namespace {

inline void freeGlobal(HGLOBAL memory) { GlobalFree(memory); }
using UniqueGlobal = UniqueHandle<HGLOBAL, freeGlobal>;

// A copy of the resource's bytes in movable global memory, the kind
// CreateStreamOnHGlobal needs; resource memory itself is read-only.
UniqueGlobal copyResource(int resourceId) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(resourceId), RT_RCDATA);
    if (!resource) return {};
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return {};

    UniqueGlobal copy(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy) return {};
    void* target = GlobalLock(copy.get());
    if (!target) return {};
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy.get());
    return copy;
}

// A new top-down 32-bit DIB section holding a copy of `source`.
UniqueBitmap copyToDibSection(HBITMAP source, int width, int height) {
    void* pixels = nullptr;
    UniqueBitmap copy = createTopDownDib(width, height, &pixels);
    if (!copy) return {};

    UniqueMemoryDc sourceDc(CreateCompatibleDC(nullptr));
    UniqueMemoryDc targetDc(CreateCompatibleDC(nullptr));
    if (!sourceDc || !targetDc) return {};
    ScopedSelectObject sourceSelection(sourceDc.get(), source);
    ScopedSelectObject targetSelection(targetDc.get(), copy.get());
    if (!BitBlt(targetDc.get(), 0, 0, width, height, sourceDc.get(), 0, 0, SRCCOPY)) return {};
    return copy;
}

// Copies the whole picture, or the part of it inside `clip`, to (x, y).
void blitPicture(HDC dc, const Picture& picture, int x, int y, const RECT* clip) {
    RECT target{x, y, x + picture.width, y + picture.height};
    if (clip && !IntersectRect(&target, &target, clip)) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    ScopedSelectObject selection(source.get(), picture.bitmap.get());
    BitBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
           source.get(), target.left - x, target.top - y, SRCCOPY);
}

// The start of the tile that holds `coordinate`, for tiles of `size` from 0.
int tileStart(LONG coordinate, int size) {
    const LONG index = coordinate >= 0 ? coordinate / size : -((-coordinate + size - 1) / size);
    return static_cast<int>(index * size);
}

}  // namespace

Picture loadJpegResource(int resourceId) {
    // The stream is released before the memory under it.
    UniqueGlobal bytes = copyResource(resourceId);
    if (!bytes) return {};
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(bytes.get(), FALSE, stream.put()))) return {};

    ComPtr<IPicture> decoded;
    const auto size = static_cast<LONG>(GlobalSize(bytes.get()));
    if (FAILED(OleLoadPicture(stream.get(), size, FALSE, __uuidof(IPicture),
                              reinterpret_cast<void**>(decoded.put()))))
        return {};
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(decoded->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(decoded->get_Handle(&handle)))
        return {};

    // The picture's own size is in HIMETRIC; its bitmap has the JPEG's pixel size.
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP header{};
    if (!GetObjectA(bitmap, sizeof(header), &header) || header.bmWidth <= 0 || header.bmHeight <= 0)
        return {};
    const int height = std::abs(static_cast<int>(header.bmHeight));

    Picture picture;
    picture.bitmap = copyToDibSection(bitmap, header.bmWidth, height);
    if (!picture.bitmap) return {};
    picture.width = header.bmWidth;
    picture.height = height;
    return picture;
}

void drawTiled(HDC dc, const Picture& picture, const RECT& area) {
    if (!picture || area.left >= area.right || area.top >= area.bottom) return;
    for (int y = tileStart(area.top, picture.height); y < area.bottom; y += picture.height)
        for (int x = tileStart(area.left, picture.width); x < area.right; x += picture.width)
            blitPicture(dc, picture, x, y, &area);
}

void drawPicture(HDC dc, const Picture& picture, int x, int y) {
    if (!picture) return;
    blitPicture(dc, picture, x, y, nullptr);
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
