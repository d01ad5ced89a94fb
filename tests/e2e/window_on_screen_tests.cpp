// What the user sees: the window's place, size and frame, the controls'
// kinds and first contents, and the colours on the screen.
#include "e2e/quillorn_session.h"
#include "support/expected_window.h"

#include <commctrl.h>

namespace e2e {
namespace {

using Looks = QuillornSession;

constexpr COLORREF kButtonFace = RGB(255, 143, 30);
constexpr COLORREF kButtonLight = RGB(255, 169, 83);  // under the mouse, pressed, or focused
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST_F(Looks, WindowIsCentredFixedInSizeAndHoldsItsControls) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // The virtual desktop's size is set once for the scripts, in scripts/lib.sh.
    ASSERT_EQ(screenWidth, 1600) << "the Wine prefix should have a 1600x900 virtual desktop";
    ASSERT_EQ(screenHeight, 900);
    ASSERT_NO_FATAL_FAILURE(startAndShow());

    RECT frame{};
    GetWindowRect(window.window, &frame);
    EXPECT_EQ(frame.right - frame.left, expected::kWindowWidth);
    EXPECT_EQ(frame.bottom - frame.top, expected::kWindowHeight);
    EXPECT_EQ(frame.left, screenWidth - frame.right) << "as much screen left of the window as right of it";
    EXPECT_EQ(frame.top, screenHeight - frame.bottom) << "as much screen above the window as below it";

    const LONG style = GetWindowLongA(window.window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "the window has a maximise button";
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window can be resized";

    for (int number = 1; number <= 5; ++number) {
        EXPECT_EQ(className(editBox(number)), "Edit") << u8"编辑框" << number;
        EXPECT_EQ(windowText(editBox(number)), "") << u8"编辑框" << number;
    }
    EXPECT_EQ(className(window.gameModeList), "ComboBox");
    EXPECT_EQ(className(window.playStyleList), "ComboBox");
    EXPECT_EQ(GetParent(window.gameModeList), window.panel) << u8"组合框1 lies in 图片框1";
    EXPECT_EQ(windowText(window.gameModeList), appTexts::kGameModeItems[0]);
    EXPECT_EQ(windowText(window.playStyleList), appTexts::kPlayStyleItems[0]);
    EXPECT_EQ(className(window.configureButton), "Button");
    EXPECT_EQ(windowText(window.configureButton), appTexts::kConfigureButton);
    EXPECT_EQ(windowText(window.copyButton), appTexts::kCopyButton);
}

TEST_F(Looks, ButtonsAreOrangeLighterUnderTheMouseAndWhenFocused) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    ASSERT_TRUE(bringToFront(window.window));
    const auto onScreen = [&](int x, int y) { return clientToScreen(window.window, {x, y}); };
    const expected::ControlPlace& configure = expected::kConfigureButton;
    const expected::ControlPlace& copy = expected::kCopyButton;
    // Near the top-left corner of each face, away from the caption and the edges.
    const POINT configureFace = onScreen(configure.left + 8, configure.top + 8);
    const POINT copyFace = onScreen(copy.left + 8, copy.top + 8);
    // Plain white panel below the seventh row, right of the buttons.
    const POINT panelWhite = onScreen(expected::kPanel.left + 800, expected::kPanel.top + 560);

    ASSERT_TRUE(moveMouseTo(panelWhite));
    EXPECT_EQ(describeColour(waitForPixel(panelWhite, kWhite)), describeColour(kWhite)) << "the panel";
    EXPECT_EQ(describeColour(waitForPixel(configureFace, kButtonFace)), describeColour(kButtonFace)) << u8"超级按钮1";
    EXPECT_EQ(describeColour(waitForPixel(copyFace, kButtonFace)), describeColour(kButtonFace)) << u8"超级按钮2";

    const POINT configureMiddle = onScreen(configure.left + configure.width / 2, configure.top + configure.height / 2);
    ASSERT_TRUE(moveMouseTo(configureMiddle));
    EXPECT_EQ(describeColour(waitForPixel(configureFace, kButtonLight)), describeColour(kButtonLight))
        << u8"超级按钮1 under the mouse";
    EXPECT_EQ(describeColour(screenPixel(copyFace)), describeColour(kButtonFace))
        << u8"超级按钮2 while 超级按钮1 is hot";

    ASSERT_TRUE(mouseButton(configureMiddle, true));
    EXPECT_EQ(describeColour(waitForPixel(configureFace, kButtonLight)), describeColour(kButtonLight))
        << u8"超级按钮1 pressed";
    ASSERT_TRUE(mouseButton(configureMiddle, false));  // a real click runs the command
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kConfigureDone));

    // The clicked button keeps the focus, and with it the light face, after the mouse has gone.
    ASSERT_TRUE(moveMouseTo(panelWhite));
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == window.window; }))
        << "once its message box is dismissed, Quillorn's window should be active again; the foreground is "
        << controlName(window, GetForegroundWindow());
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(window.configureButton));
    EXPECT_EQ(describeColour(waitForPixel(configureFace, kButtonLight)), describeColour(kButtonLight))
        << u8"超级按钮1 with the focus";
    EXPECT_EQ(describeColour(waitForPixel(copyFace, kButtonFace)), describeColour(kButtonFace)) << u8"超级按钮2";
}

// The shown tooltip window that `owner` owns, if any.
HWND shownTooltipOf(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    EnumWindows(
        [](HWND candidate, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            if (GetWindow(candidate, GW_OWNER) != search.owner || !IsWindowVisible(candidate) ||
                className(candidate) != TOOLTIPS_CLASSA)
                return TRUE;
            search.found = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Looks, MouseRestingOnAButtonShowsItsCaptionAsTooltip) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    ASSERT_TRUE(bringToFront(window.window));
    struct Case {
        POINT middle;
        const char* caption;
    };
    for (const Case& c : {Case{{194 + 110, 477 + 22}, appTexts::kConfigureButton},
                          Case{{434 + 110, 477 + 22}, appTexts::kCopyButton}}) {
        SCOPED_TRACE(c.caption);
        ASSERT_TRUE(moveMouseTo(clientToScreen(window.window, {160 + 800, 16 + 560})));  // the plain panel
        ASSERT_TRUE(waitFor([&] { return shownTooltipOf(window.window) == nullptr; }));
        ASSERT_TRUE(moveMouseTo(clientToScreen(window.window, c.middle)));
        // The tooltip follows a mouse that moves a little, then rests.
        ASSERT_TRUE(moveMouseTo(clientToScreen(window.window, {c.middle.x + 2, c.middle.y + 1})));
        HWND tooltip = waitFor([&] { return shownTooltipOf(window.window); });
        ASSERT_NE(tooltip, nullptr) << "no tooltip showed over the button";
        EXPECT_TRUE(waitFor([&] { return windowText(tooltip) == c.caption; })) << windowText(tooltip);
    }
}

TEST_F(Looks, BackgroundPictureShowsAroundThePanel) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    ASSERT_TRUE(bringToFront(window.window));
    RECT client{};
    GetClientRect(window.window, &client);
    const COLORREF buttonFaceGrey = GetSysColor(COLOR_BTNFACE);
    // Left of the panel, right of it and below it; the panel covers 160..1256 x 16..616.
    const POINT outsideThePanel[] = {{40, 100}, {100, 400}, {1300, 200}, {client.right - 20, 500}, {700, 623}};
    for (const POINT& point : outsideThePanel) {
        if (point.y >= client.bottom) continue;
        const POINT onScreen = clientToScreen(window.window, point);
        const COLORREF seen = waitFor([&] { return screenPixel(onScreen) != buttonFaceGrey; }) ? screenPixel(onScreen)
                                                                                               : buttonFaceGrey;
        EXPECT_NE(seen, buttonFaceGrey) << "plain button-face grey at " << point.x << "," << point.y
                                        << " of the client area, where the background picture belongs";
    }
}

}  // namespace
}  // namespace e2e
