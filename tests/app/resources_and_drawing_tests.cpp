// The tool's looks under Windows: the compiled-in resources (pictures, icon,
// manifest, version), the backdrop composed from the pictures, and the flat
// buttons' faces, hover tracking and tooltips. Links app/quillorn.rc into the test program.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/flat_button.h"
#include "app/pictures.h"
#include "app/resource_ids.h"
#include "host/scoped_win.h"

namespace {

// A 32-bit top-down bitmap selected into a memory DC, whose pixels a test reads.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
        void* bits = nullptr;
        bitmap_ = createTopDownDib(width, height, &bits);
        pixels_ = static_cast<const DWORD*>(bits);
        dc_.reset(CreateCompatibleDC(nullptr));
        previous_ = SelectObject(dc_.get(), bitmap_.get());
        UniqueBrush brush(CreateSolidBrush(fill));
        RECT all{0, 0, width, height};
        FillRect(dc_.get(), &all, brush.get());
    }
    ~Canvas() { SelectObject(dc_.get(), previous_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_.get(); }
    RECT area() const { return RECT{0, 0, width_, height_}; }
    COLORREF at(int x, int y) const {
        GdiFlush();
        const DWORD pixel = pixels_[y * width_ + x];
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }
    // The smallest rectangle holding every pixel that is not `ground`, looking
    // only `margin` pixels or more inside the edges; empty if there is none.
    RECT boundsOfAllBut(COLORREF ground, int margin) const {
        RECT bounds{width_, height_, 0, 0};
        for (int y = margin; y < height_ - margin; ++y)
            for (int x = margin; x < width_ - margin; ++x)
                if (at(x, y) != ground) {
                    bounds.left = std::min<LONG>(bounds.left, x);
                    bounds.top = std::min<LONG>(bounds.top, y);
                    bounds.right = std::max<LONG>(bounds.right, x + 1);
                    bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
                }
        return bounds;
    }
    bool has(COLORREF colour, const RECT& within) const {
        for (int y = within.top; y < within.bottom; ++y)
            for (int x = within.left; x < within.right; ++x)
                if (at(x, y) == colour) return true;
        return false;
    }
private:
    int width_;
    int height_;
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ previous_ = nullptr;
    const DWORD* pixels_ = nullptr;
};

// Decoded JPEG pixels differ a little between decoders.
bool closeTo(COLORREF actual, COLORREF expected, int tolerance = 12) {
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::string hex(COLORREF colour) {
    char text[16];
    wsprintfA(text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

// The main window's client area and its panel's place in it.
constexpr int kClientWidth = 1434;
constexpr int kClientHeight = 631;
constexpr RECT kPanelArea{160, 16, 160 + 1096, 16 + 600};
constexpr int kMissingResource = 999;

// The backdrop as a window of the canvas's size would show it.
void drawBackdrop(const UniqueBitmap& backdrop, Canvas& canvas) {
    drawPart(canvas.dc(), backdrop.get(), canvas.area(), POINT{0, 0});
}

// The backdrop of the main window's client area, from the program's own pictures.
UniqueBitmap windowBackdrop() {
    return composeBackdrop(kClientWidth, kClientHeight, IDR_BACKGROUND_JPEG, IDR_PANEL_JPEG, kPanelArea);
}

TEST(Backdrop, IsOneThirtyTwoBitPictureOfTheGivenSize) {
    const UniqueBitmap backdrop = windowBackdrop();
    ASSERT_TRUE(backdrop);
    BITMAP header{};
    ASSERT_TRUE(GetObjectA(backdrop.get(), sizeof(header), &header));
    EXPECT_EQ(header.bmWidth, kClientWidth);
    EXPECT_EQ(header.bmHeight, kClientHeight);
    EXPECT_EQ(header.bmBitsPixel, 32);
}

TEST(Backdrop, PanelShowsWhiteGroundGreyRowsAndLabelCellsAtItsPlace) {
    const UniqueBitmap backdrop = windowBackdrop();
    ASSERT_TRUE(backdrop);
    Canvas canvas(kClientWidth, kClientHeight, RGB(0, 0, 0));
    drawBackdrop(backdrop, canvas);
    // The panel's own coordinates.
    auto at = [&](int x, int y) { return canvas.at(kPanelArea.left + x, kPanelArea.top + y); };

    const COLORREF white = RGB(255, 255, 255);
    EXPECT_TRUE(closeTo(at(600, 40), white));    // beside the heading
    EXPECT_TRUE(closeTo(at(600, 500), white));   // where the buttons lie
    EXPECT_TRUE(closeTo(at(1090, 300), white));  // right of the rows

    const int rowTops[] = {68, 122, 176, 230, 284, 338, 392};
    const int cellLines[] = {138, 122, 138, 170, 253, 202, 170};
    for (int row = 0; row < 7; ++row) {
        const int top = rowTops[row];
        SCOPED_TRACE("row " + std::to_string(row + 1));
        const COLORREF border = at(600, top);
        EXPECT_LT(GetGValue(border), 235) << hex(border);  // a grey line, not white
        EXPECT_LT(GetGValue(at(600, top + 37)), 235);
        EXPECT_LT(GetGValue(at(34, top + 19)), 235);
        EXPECT_LT(GetGValue(at(1063, top + 19)), 235);
        EXPECT_LT(GetGValue(at(cellLines[row], top + 19)), 235);
        EXPECT_TRUE(closeTo(at(600, top - 2), white));                   // outside the box
        EXPECT_TRUE(closeTo(at(cellLines[row] + 20, top + 10), white));  // the field part
        const COLORREF cell = at(cellLines[row] - 3, top + 4);
        EXPECT_FALSE(closeTo(cell, white, 4)) << hex(cell);  // the grey label cell
    }
}

bool isOrange(COLORREF colour) {
    return GetRValue(colour) > 200 && GetRValue(colour) > GetGValue(colour) && GetGValue(colour) > GetBValue(colour);
}

TEST(Backdrop, BackgroundIsOrangeAroundThePanelWhichIsCutAtItsWidth) {
    const UniqueBitmap backdrop = windowBackdrop();
    ASSERT_TRUE(backdrop);
    Canvas canvas(kClientWidth, kClientHeight, RGB(0, 0, 0));
    drawBackdrop(backdrop, canvas);
    // The strips beside the panel, where the background shows.
    for (const POINT point : {POINT{150, 200}, POINT{1300, 400}, POINT{700, 8}, POINT{700, 625}})
        EXPECT_TRUE(isOrange(canvas.at(point.x, point.y)))
            << point.x << "," << point.y << " " << hex(canvas.at(point.x, point.y));
    // The panel picture is 1100 wide, its window 1096: the last 4 columns are cut.
    EXPECT_TRUE(closeTo(canvas.at(kPanelArea.right - 1, 300), RGB(255, 255, 255)));
    EXPECT_TRUE(isOrange(canvas.at(kPanelArea.right, 300))) << hex(canvas.at(kPanelArea.right, 300));
    EXPECT_TRUE(isOrange(canvas.at(kPanelArea.left - 1, 300)));
    EXPECT_TRUE(isOrange(canvas.at(600, kPanelArea.top - 1)));
}

TEST(Backdrop, BackgroundTilesEdgeToEdgeFromTheOrigin) {
    const UniqueBitmap backdrop = composeBackdrop(1500, 700, IDR_BACKGROUND_JPEG, IDR_PANEL_JPEG, RECT{0, 0, 0, 0});
    ASSERT_TRUE(backdrop);
    Canvas canvas(1500, 700, RGB(0, 0, 0));
    drawBackdrop(backdrop, canvas);
    // The background picture is 1440 × 640.
    for (const POINT point : {POINT{0, 0}, POINT{30, 40}, POINT{59, 59}, POINT{10, 5}}) {
        const COLORREF first = canvas.at(point.x, point.y);
        EXPECT_EQ(canvas.at(point.x + 1440, point.y), first);
        EXPECT_EQ(canvas.at(point.x, point.y + 640), first);
        EXPECT_EQ(canvas.at(point.x + 1440, point.y + 640), first);
    }
}

TEST(Backdrop, PictureThatCannotBeDecodedLeavesTheButtonFace) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    struct Case {
        int backgroundId;
        int panelId;
        bool backgroundShows;
        bool panelShows;
    };
    for (const Case& c :
         {Case{kMissingResource, IDR_PANEL_JPEG, false, true}, Case{IDR_BACKGROUND_JPEG, kMissingResource, true, false},
          Case{kMissingResource, kMissingResource, false, false}}) {
        SCOPED_TRACE(std::to_string(c.backgroundId) + " " + std::to_string(c.panelId));
        const UniqueBitmap backdrop = composeBackdrop(kClientWidth, kClientHeight, c.backgroundId, c.panelId,
                                                      kPanelArea);
        ASSERT_TRUE(backdrop);
        Canvas canvas(kClientWidth, kClientHeight, RGB(0, 0, 0));
        drawBackdrop(backdrop, canvas);
        EXPECT_EQ(canvas.at(150, 200) != face, c.backgroundShows) << hex(canvas.at(150, 200));
        EXPECT_EQ(canvas.at(kPanelArea.left + 600, kPanelArea.top + 40) != face, c.panelShows);
    }
}

// The panel window copies its own part: its client (0, 0) is the panel's place.
TEST(Backdrop, DrawPartCopiesOnlyItsAreaFromTheWindowsPlace) {
    const UniqueBitmap backdrop = windowBackdrop();
    ASSERT_TRUE(backdrop);
    Canvas whole(kClientWidth, kClientHeight, RGB(0, 0, 0));
    drawBackdrop(backdrop, whole);

    const COLORREF marker = RGB(1, 2, 3);
    Canvas panel(1096, 600, marker);
    const POINT origin{kPanelArea.left, kPanelArea.top};
    drawPart(panel.dc(), backdrop.get(), RECT{100, 50, 200, 120}, origin);
    EXPECT_EQ(panel.at(100, 50), whole.at(origin.x + 100, origin.y + 50));
    EXPECT_EQ(panel.at(199, 119), whole.at(origin.x + 199, origin.y + 119));
    for (const POINT outside : {POINT{99, 60}, POINT{150, 49}, POINT{200, 60}, POINT{150, 120}})
        EXPECT_EQ(panel.at(outside.x, outside.y), marker) << outside.x << "," << outside.y;
}

TEST(Resources, IconHasEverySizeTheShellAsksFor) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        UniqueHandle<HICON, destroyIcon> icon(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info)) << size;
        UniqueBitmap colour(info.hbmColor);
        UniqueBitmap mask(info.hbmMask);
        BITMAP header{};
        ASSERT_TRUE(GetObjectA(colour.get(), sizeof(header), &header)) << size;
        EXPECT_EQ(header.bmWidth, size);
        EXPECT_EQ(header.bmHeight, size);
    }
}

TEST(Resources, ManifestSelectsCommonControlsSix) {
    // The import of InitCommonControlsEx is bound to the DLL the manifest chose.
    HMODULE controls = nullptr;
    ASSERT_TRUE(
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&InitCommonControlsEx), &controls));
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(controls, path, MAX_PATH), 0u);
    std::string lowered = path;
    CharLowerA(lowered.data());
    EXPECT_NE(lowered.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::string::npos) << path;
}

TEST(Resources, VersionInformationNamesTheProduct) {
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(
        VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);

    struct Case {
        const char* key;
        const char* value;
    };
    for (const Case& c :
         {Case{"CompanyName", "Quillorn"}, Case{"FileDescription", "Quillorn"}, Case{"ProductName", "Quillorn"},
          Case{"OriginalFilename", "Quillorn.exe"}, Case{"FileVersion", "1.0.0.0"}}) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\080404B0\\") + c.key;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << c.key;
        EXPECT_STREQ(value, c.value);
    }
}

// A hidden top-level window holding one flat button, recording its clicks.
class FlatButtonTest : public testing::Test {
protected:
    static constexpr int kButtonId = 7;
    static constexpr int kWidth = 220;
    static constexpr int kHeight = 45;
    static constexpr COLORREF kFace = RGB(255, 143, 30);
    static constexpr COLORREF kLitFace = RGB(255, 169, 83);
    static constexpr COLORREF kCaption = RGB(255, 255, 255);

    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ownerProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "LooksTestOwner";
        RegisterClassA(&windowClass);  // fails harmlessly for the second test
        clicks() = 0;
        owner_ = CreateWindowExA(0, "LooksTestOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 600, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        button_ = createButton("配置服务器", kWidth, kHeight);
    }
    void TearDown() override {
        if (owner_) DestroyWindow(owner_);
    }

    HWND createButton(const char* caption, int width, int height) {
        HWND button = CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 10, 10,
                                      width, height, owner_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                                      GetModuleHandleA(nullptr), nullptr);
        makeFlatButton(button);
        return button;
    }

    // Draws `button` as WM_DRAWITEM would, into a fresh canvas.
    static void draw(HWND button, UINT state, Canvas& canvas) {
        RECT client{};
        GetClientRect(button, &client);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = kButtonId;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = button;
        item.hDC = canvas.dc();
        item.rcItem = client;
        drawFlatButton(item);
    }

    static LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

    static int& clicks() {
        static int count = 0;
        return count;
    }

    static LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) ++clicks();
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND owner_ = nullptr;
    HWND button_ = nullptr;
};

TEST_F(FlatButtonTest, FaceAndEdgeFollowTheState) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    struct Case {
        const char* name;
        UINT state;
        bool hovered;
        COLORREF face;
        COLORREF topLeftEdge;
        COLORREF bottomRightEdge;
    };
    const Case cases[] = {
        {"normal", 0, false, kFace, kFace, kFace},
        {"mouse over", 0, true, kLitFace, light, shadow},
        {"pressed", ODS_SELECTED | ODS_FOCUS, true, kLitFace, shadow, light},
        {"pressed by keyboard", ODS_SELECTED | ODS_FOCUS, false, kLitFace, shadow, light},
        {"focused", ODS_FOCUS, false, kLitFace, kLitFace, kLitFace},
        {"focused, mouse over", ODS_FOCUS, true, kLitFace, light, shadow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SendMessageA(button_, c.hovered ? WM_MOUSEMOVE : WM_MOUSELEAVE, 0, at(20, 20));
        Canvas canvas(kWidth, kHeight, RGB(0, 0, 0));
        draw(button_, c.state, canvas);
        EXPECT_EQ(hex(canvas.at(5, 5)), hex(c.face));
        EXPECT_EQ(hex(canvas.at(kWidth - 6, kHeight - 6)), hex(c.face));
        EXPECT_EQ(hex(canvas.at(0, kHeight / 2)), hex(c.topLeftEdge));
        EXPECT_EQ(hex(canvas.at(kWidth / 2, 0)), hex(c.topLeftEdge));
        EXPECT_EQ(hex(canvas.at(kWidth - 1, kHeight / 2)), hex(c.bottomRightEdge));
        EXPECT_EQ(hex(canvas.at(kWidth / 2, kHeight - 1)), hex(c.bottomRightEdge));
        // No focus rectangle and no outline: a ring inside the edge is all face.
        for (int x = 1; x < kWidth - 1; ++x)
            for (int y : {1, 2, 3, kHeight - 4, kHeight - 3, kHeight - 2})
                ASSERT_EQ(hex(canvas.at(x, y)), hex(c.face)) << x << "," << y;
        // The caption is there, away from the edges.
        const RECT caption = canvas.boundsOfAllBut(c.face, 2);
        EXPECT_LT(caption.left, caption.right);
        EXPECT_GT(caption.top, 3);
        EXPECT_LT(caption.bottom, kHeight - 3);
        EXPECT_TRUE(canvas.has(kCaption, caption));
    }
}

TEST_F(FlatButtonTest, CaptionIsCentredAndMovesWhenPressed) {
    Canvas focused(kWidth, kHeight, RGB(0, 0, 0));
    draw(button_, ODS_FOCUS, focused);
    Canvas pressed(kWidth, kHeight, RGB(0, 0, 0));
    draw(button_, ODS_SELECTED | ODS_FOCUS, pressed);

    const RECT still = focused.boundsOfAllBut(kLitFace, 2);
    const RECT moved = pressed.boundsOfAllBut(kLitFace, 2);
    ASSERT_LT(still.left, still.right);
    EXPECT_LE(std::abs((still.left - 0) - (kWidth - still.right)), 2);
    EXPECT_LE(std::abs((still.top - 0) - (kHeight - still.bottom)), 2);
    EXPECT_EQ(moved.left, still.left + 1);
    EXPECT_EQ(moved.top, still.top + 1);
    EXPECT_EQ(moved.right, still.right + 1);
    EXPECT_EQ(moved.bottom, still.bottom + 1);
}

TEST_F(FlatButtonTest, LongCaptionWrapsAndStaysCentred) {
    Canvas oneLine(kWidth, kHeight, RGB(0, 0, 0));
    HWND shortButton = createButton("one two three four", 300, 80);
    draw(shortButton, 0, oneLine);
    const RECT single = oneLine.boundsOfAllBut(kFace, 2);

    HWND narrow = createButton("one two three four", 60, 80);
    Canvas canvas(60, 80, RGB(0, 0, 0));
    draw(narrow, 0, canvas);
    const RECT wrapped = canvas.boundsOfAllBut(kFace, 2);
    ASSERT_LT(wrapped.top, wrapped.bottom);
    EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (single.bottom - single.top));
    EXPECT_LE(std::abs(wrapped.top - (80 - wrapped.bottom)), 3);
    EXPECT_GE(wrapped.left, 0);
    EXPECT_LE(wrapped.right, 60);
}

TEST_F(FlatButtonTest, HoverFollowsTheMouse) {
    auto faceAfter = [&](UINT message, LPARAM point) {
        SendMessageA(button_, message, 0, point);
        Canvas canvas(kWidth, kHeight, RGB(0, 0, 0));
        draw(button_, 0, canvas);
        return hex(canvas.at(5, 5));
    };
    EXPECT_EQ(faceAfter(WM_MOUSEMOVE, at(30, 20)), hex(kLitFace));
    EXPECT_EQ(faceAfter(WM_MOUSELEAVE, 0), hex(kFace));
    EXPECT_EQ(faceAfter(WM_MOUSEMOVE, at(kWidth - 1, kHeight - 1)), hex(kLitFace));
    // Dragged off while pressed: the button holds the capture and still hears the mouse.
    EXPECT_EQ(faceAfter(WM_MOUSEMOVE, at(kWidth + 5, 20)), hex(kFace));
    EXPECT_EQ(faceAfter(WM_MOUSEMOVE, at(-3, 20)), hex(kFace));
}

TEST_F(FlatButtonTest, HoverIsKeptPerButton) {
    HWND other = createButton("模组与世界复制", kWidth, kHeight);
    SendMessageA(button_, WM_MOUSEMOVE, 0, at(30, 20));
    Canvas first(kWidth, kHeight, RGB(0, 0, 0));
    draw(button_, 0, first);
    Canvas second(kWidth, kHeight, RGB(0, 0, 0));
    draw(other, 0, second);
    EXPECT_EQ(hex(first.at(5, 5)), hex(kLitFace));
    EXPECT_EQ(hex(second.at(5, 5)), hex(kFace));
}

TEST_F(FlatButtonTest, QuickSecondClickIsAClickToo) {
    SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, at(30, 20));
    SendMessageA(button_, WM_LBUTTONUP, 0, at(30, 20));
    EXPECT_EQ(clicks(), 1);
    SendMessageA(button_, WM_LBUTTONDBLCLK, MK_LBUTTON, at(30, 20));
    EXPECT_TRUE(SendMessageA(button_, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(button_, WM_LBUTTONUP, 0, at(30, 20));
    EXPECT_EQ(clicks(), 2);
}

struct TooltipSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTooltip(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<TooltipSearch*>(lParam);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == search.owner)
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> tooltipsOwnedBy(HWND owner) {
    TooltipSearch search{owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text a tooltip shows for `button`.
std::string tooltipText(HWND tooltip, HWND owner, HWND button) {
    char text[80] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(FlatButtonTest, HoverShowsTheCaptionAsTooltipWhichGoesWithItsOwner) {
    SendMessageA(button_, WM_MOUSEMOVE, 0, at(30, 20));
    SendMessageA(button_, WM_MOUSELEAVE, 0, 0);
    SendMessageA(button_, WM_MOUSEMOVE, 0, at(40, 20));  // hovered again: still one tooltip

    const std::vector<HWND> tooltips = tooltipsOwnedBy(owner_);
    ASSERT_EQ(tooltips.size(), 1u);
    HWND tooltip = tooltips[0];
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 400);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(tooltipText(tooltip, owner_, button_), "配置服务器");

    DestroyWindow(owner_);
    owner_ = nullptr;
    EXPECT_FALSE(IsWindow(tooltip));
    EXPECT_FALSE(IsWindow(button_));
}

TEST_F(FlatButtonTest, EachButtonShowsItsOwnCaption) {
    HWND other = createButton("模组与世界复制", kWidth, kHeight);
    SendMessageA(other, WM_MOUSEMOVE, 0, at(30, 20));
    SendMessageA(button_, WM_MOUSEMOVE, 0, at(30, 20));
    std::vector<std::string> texts;
    for (HWND tooltip : tooltipsOwnedBy(owner_)) {
        texts.push_back(tooltipText(tooltip, owner_, button_) + "|" + tooltipText(tooltip, owner_, other));
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"|模组与世界复制", "配置服务器|"}));
}

}  // namespace
