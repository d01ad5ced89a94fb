// The main window in-process: its frame and controls as built, its pictures on
// the screen, the order of loading, the field accessors, the input filter, the
// keyboard and closing.
#include "app/main_window.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <thread>
#include <vector>

#include "app/resource_ids.h"
#include "app/toolkit.h"
#include "cluster/cluster_texts.h"
#include "host/host.h"
#include "host/host_texts.h"
#include "host/system_dialogs.h"
#include "settings/settings_texts.h"
#include "support/expected_window.h"
#include "support/test_support.h"

namespace {

std::vector<int> endedWithCodes;
void recordProcessEnd(int exitCode) { endedWithCodes.push_back(exitCode); }

// Runs what is queued, through the toolkit's own step (keys first to the window).
void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) toolkit::processMessage(message);
}

enum Modifier : unsigned { none = 0, shift = 1, control = 2, alt = 4 };

// A key pressed while the focus is where it is, with the given modifiers held:
// the thread's key state says so for as long as the key is handled.
void pressKey(WPARAM key, unsigned modifiers = none) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_SHIFT] = (modifiers & shift) ? 0x80 : 0;
    held[VK_CONTROL] = (modifiers & control) ? 0x80 : 0;
    held[VK_MENU] = (modifiers & alt) ? 0x80 : 0;
    SetKeyboardState(held);
    MSG message{};
    message.hwnd = GetFocus();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 1;
    toolkit::processMessage(message);
    pumpMessages();
    SetKeyboardState(keys);
}

RECT rectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string windowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string settingsValue(const std::string& key) {
    return host::readIniValue(host::runDirectory() + settingsTexts::kToolSettingsFile, settingsTexts::kStartupSection,
                              key);
}

// A run directory and recorded dialogs for each test, and a window to load.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        endedWithCodes.clear();
        toolkit::replaceProcessEnd(recordProcessEnd);
    }
    ~MainWindowTest() override { toolkit::replaceProcessEnd(nullptr); }

    void load(MainWindow& window) {
        toolkit::loadWindow(window);
        ASSERT_TRUE(endedWithCodes.empty())
            << "the window could not be created: " << (dialogs.messages.empty() ? "" : dialogs.messages.back().text);
        ASSERT_NE(window.handle(), nullptr);
        pumpMessages();
    }

    TemporaryRunDirectory run;
    RecordedDialogs dialogs{"C:\\users\\player\\Documents\\Klei"};
    AppState state;
};

// ---- Frame and controls ----------------------------------------------------------

TEST(CentredOrigin, UsesIntegerDivisionTowardZeroAlsoOnScreensSmallerThanTheWindow) {
    struct Case {
        int screenWidth, screenHeight, left, top;
    };
    const Case cases[] = {{1600, 900, 80, 120}, {1366, 768, -37, 54}, {1440, 660, 0, 0},
                          {1439, 659, 0, 0},    {1437, 657, -1, -1},  {1024, 600, -208, -30}};
    for (const Case& screen : cases) {
        POINT origin = centredOrigin(screen.screenWidth, screen.screenHeight, 1440, 660);
        EXPECT_EQ(origin.x, screen.left) << screen.screenWidth;
        EXPECT_EQ(origin.y, screen.top) << screen.screenHeight;
    }
}

TEST_F(MainWindowTest, WindowIsCentredFixedSizeCaptionedAndHasTheApplicationIcon) {
    MainWindow window(state);
    load(window);
    HWND frame = window.handle();

    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.right - rect.left, expected::kWindowWidth);
    EXPECT_EQ(rect.bottom - rect.top, expected::kWindowHeight);
    // As much screen on either side, up to the odd pixel.
    const LONG leftMargin = rect.left, rightMargin = GetSystemMetrics(SM_CXSCREEN) - rect.right;
    const LONG topMargin = rect.top, bottomMargin = GetSystemMetrics(SM_CYSCREEN) - rect.bottom;
    EXPECT_TRUE(rightMargin == leftMargin || rightMargin == leftMargin + 1) << leftMargin << " " << rightMargin;
    EXPECT_TRUE(bottomMargin == topMargin || bottomMargin == topMargin + 1) << topMargin << " " << bottomMargin;

    LONG_PTR style = GetWindowLongPtrA(frame, GWL_STYLE);
    const LONG_PTR required = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_VISIBLE;
    EXPECT_EQ(style & required, required);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0);
    EXPECT_EQ(GetWindowLongPtrA(frame, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0);
    EXPECT_EQ(GetWindow(frame, GW_OWNER), nullptr);
    EXPECT_EQ(windowText(frame), "Quillorn");
    EXPECT_NE(GetClassLongPtrA(frame, GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrA(frame, GCLP_HICONSM), 0);
    EXPECT_EQ(GetClassLongPtrA(frame, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

struct ExpectedControl {
    ControlId id;
    const expected::ControlPlace& place;
    const char* className;
    LONG style;
    LONG extendedStyle;
};

constexpr LONG kEditLeft = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
constexpr LONG kList = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr LONG kButton = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_OWNERDRAW;

const ExpectedControl kExpectedControls[] = {
    {ControlId::copyButton, expected::kCopyButton, "Button", kButton, 0},
    {ControlId::configureButton, expected::kConfigureButton, "Button", kButton, 0},
    {ControlId::clusterPassword, expected::kClusterPassword, "Edit", kEditLeft, WS_EX_CLIENTEDGE},
    {ControlId::clusterDescription, expected::kClusterDescription, "Edit", kEditLeft, WS_EX_CLIENTEDGE},
    {ControlId::clusterName, expected::kClusterName, "Edit", kEditLeft, WS_EX_CLIENTEDGE},
    {ControlId::playStyle, expected::kPlayStyle, "ComboBox", kList, 0},
    {ControlId::maxPlayers, expected::kMaxPlayers, "Edit", kEditLeft, WS_EX_CLIENTEDGE},
    {ControlId::gameMode, expected::kGameMode, "ComboBox", kList, 0},
    {ControlId::token, expected::kToken, "Edit", WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER,
     WS_EX_CLIENTEDGE},
    {ControlId::panel, expected::kPanel, "QuillornPicturePanel", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0},
};

TEST_F(MainWindowTest, EveryControlHasItsClassParentPlaceAndStyles) {
    MainWindow window(state);
    load(window);
    for (const ExpectedControl& wanted : kExpectedControls) {
        const expected::ControlPlace& place = wanted.place;
        SCOPED_TRACE(place.name);
        HWND control = window.control(wanted.id);
        ASSERT_NE(control, nullptr);
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_STREQ(className, wanted.className);
        EXPECT_EQ(GetParent(control), window.control(place.insidePanel ? ControlId::panel : ControlId::window));
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));

        RECT rect = rectInParent(control);
        EXPECT_EQ(rect.left, place.left);
        EXPECT_EQ(rect.top, place.top);
        EXPECT_EQ(rect.right, place.left + place.width);
        if (place.isList) {
            // Created 160 high; the system may trim the dropped list by less
            // than a row, while the stored 36 or 39 would leave almost nothing.
            const LONG droppedBottom = place.top + expected::kDroppedListHeight;
            RECT dropped{};
            SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&dropped), 2);
            LONG row = static_cast<LONG>(SendMessageA(control, CB_GETITEMHEIGHT, 0, 0));
            EXPECT_EQ(dropped.top, place.top);
            EXPECT_LE(dropped.bottom, droppedBottom);
            EXPECT_GT(dropped.bottom, droppedBottom - row);
        } else {
            EXPECT_EQ(rect.bottom, place.top + place.height);
        }

        const LONG styleBits = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | WS_HSCROLL | WS_BORDER;
        LONG style = static_cast<LONG>(GetWindowLongPtrA(control, GWL_STYLE));
        EXPECT_EQ(style & styleBits, wanted.style & styleBits);
        if (wanted.className == std::string("Edit")) {
            const LONG editBits = ES_CENTER | ES_RIGHT | ES_AUTOHSCROLL | ES_PASSWORD | ES_NOHIDESEL | ES_MULTILINE |
                                  ES_UPPERCASE | ES_LOWERCASE | ES_NUMBER | ES_READONLY;
            EXPECT_EQ(style & editBits, wanted.style & editBits);
            EXPECT_EQ(SendMessageA(control, EM_GETPASSWORDCHAR, 0, 0), 0);
            EXPECT_GE(static_cast<DWORD>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
        } else if (wanted.className == std::string("ComboBox")) {
            EXPECT_EQ(style & 0xF, CBS_DROPDOWNLIST);
            EXPECT_EQ(style & (CBS_SORT | CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE), 0);
        } else {
            EXPECT_EQ(style & 0xFFFF, wanted.style & 0xFFFF);
        }
        LONG extendedStyle = static_cast<LONG>(GetWindowLongPtrA(control, GWL_EXSTYLE));
        EXPECT_EQ(extendedStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE), wanted.extendedStyle);
    }
}

TEST_F(MainWindowTest, ControlsAreStackedInDescriptionOrderFirstOnTop) {
    MainWindow window(state);
    load(window);
    auto stack = [](HWND parent) {
        std::vector<int> ids;
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ids.push_back(GetDlgCtrlID(child));
        return ids;
    };
    EXPECT_EQ(stack(window.handle()),
              (std::vector<int>{idOf(ControlId::copyButton), idOf(ControlId::configureButton),
                                idOf(ControlId::clusterPassword), idOf(ControlId::clusterDescription),
                                idOf(ControlId::clusterName), idOf(ControlId::playStyle), idOf(ControlId::maxPlayers),
                                idOf(ControlId::token), idOf(ControlId::panel)}));
    EXPECT_EQ(stack(window.control(ControlId::panel)), (std::vector<int>{idOf(ControlId::gameMode)}));
}

TEST_F(MainWindowTest, ButtonsCarryTheirCaptions) {
    MainWindow window(state);
    load(window);
    EXPECT_EQ(windowText(window.control(ControlId::configureButton)), "配置服务器");
    EXPECT_EQ(windowText(window.control(ControlId::copyButton)), "模组与世界复制");
}

TEST_F(MainWindowTest, TheSevenFieldsShareTheFieldFont) {
    MainWindow window(state);
    load(window);
    const ControlId fields[] = {ControlId::token,          ControlId::gameMode,    ControlId::maxPlayers,
                                ControlId::playStyle,      ControlId::clusterName, ControlId::clusterDescription,
                                ControlId::clusterPassword};
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(window.control(fields[0]), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    for (ControlId field : fields)
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window.control(field), WM_GETFONT, 0, 0)), font);

    LOGFONTA description{};
    ASSERT_TRUE(GetObjectA(font, sizeof description, &description));
    EXPECT_EQ(description.lfHeight, -24);
    EXPECT_EQ(description.lfWeight, 290);
    EXPECT_FALSE(description.lfItalic || description.lfUnderline || description.lfStrikeOut);
    EXPECT_EQ(description.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(description.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(description.lfPitchAndFamily, DEFAULT_PITCH);
    EXPECT_STREQ(description.lfFaceName, "微软雅黑 Light");
}

TEST_F(MainWindowTest, ListsHoldTheirItemsWithTheFirstSelectedAndRowsOnePixelTaller) {
    MainWindow window(state);
    load(window);
    struct List {
        ControlId id;
        std::vector<std::string> items;
    };
    const List lists[] = {{ControlId::gameMode, {"生存模式", "荒野模式", "无尽模式"}},
                          {ControlId::playStyle, {"社交", "合作", "竞争", "疯狂"}}};

    // What a list with the same font would make its rows without being told.
    HWND plain = CreateWindowExA(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 160, window.handle(),
                                 nullptr, nullptr, nullptr);
    SendMessageA(plain, WM_SETFONT, SendMessageA(window.control(ControlId::token), WM_GETFONT, 0, 0), FALSE);
    LRESULT standardHeight = SendMessageA(plain, CB_GETITEMHEIGHT, 0, 0);
    DestroyWindow(plain);

    for (const List& list : lists) {
        HWND combo = window.control(list.id);
        std::vector<std::string> items;
        for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            char item[64] = {};
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            items.push_back(item);
        }
        EXPECT_EQ(items, list.items);
        EXPECT_EQ(window.readSelectionIndex(list.id), 0);
        EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), standardHeight + 1);
    }
}

TEST_F(MainWindowTest, FieldsAreBlackOnWhiteAlsoTheListInsideThePanel) {
    MainWindow window(state);
    load(window);
    HDC dc = CreateCompatibleDC(nullptr);
    struct Ask {
        HWND to;
        UINT message;
        ControlId from;
    };
    const Ask asks[] = {{window.handle(), WM_CTLCOLOREDIT, ControlId::token},
                        {window.handle(), WM_CTLCOLORLISTBOX, ControlId::playStyle},
                        {window.control(ControlId::panel), WM_CTLCOLORLISTBOX, ControlId::gameMode},
                        {window.control(ControlId::panel), WM_CTLCOLOREDIT, ControlId::gameMode}};
    for (const Ask& ask : asks) {
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        auto brush = reinterpret_cast<HGDIOBJ>(SendMessageA(ask.to, ask.message, reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(window.control(ask.from))));
        LOGBRUSH colour{};
        ASSERT_TRUE(GetObjectA(brush, sizeof colour, &colour));
        EXPECT_EQ(colour.lbColor, RGB(255, 255, 255));
        EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
        EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    }
    DeleteDC(dc);
}

// ---- Input filter ------------------------------------------------------------------

TEST_F(MainWindowTest, DigitsAndMinusFilterActsOnTypedCharactersOfTheNumberFieldsOnly) {
    MainWindow window(state);
    load(window);
    struct Typing {
        EditBox box;
        const char* typed;
        const char* shown;
    };
    const Typing cases[] = {
        {EditBox::maxPlayers, "1a2 -x-", "12--"},  {EditBox::clusterPassword, "-9Z.9-", "-99-"},
        {EditBox::clusterPassword, "12\b3", "13"},  // backspace passes
        {EditBox::token, "ab 1-", "ab 1-"},        {EditBox::clusterName, "Abc", "Abc"},
    };
    for (const Typing& typing : cases) {
        SCOPED_TRACE(typing.typed);
        HWND edit = window.control(controlOf(typing.box));
        window.writeEditText(typing.box, "");
        for (const char* c = typing.typed; *c; ++c) SendMessageA(edit, WM_CHAR, static_cast<BYTE>(*c), 1);
        EXPECT_EQ(window.readEditText(typing.box), typing.shown);
    }
    // A double-byte character typed into a number field is refused byte by byte.
    HWND maxPlayers = window.control(ControlId::maxPlayers);
    window.writeEditText(EditBox::maxPlayers, "");
    for (char byte : std::string("中")) SendMessageA(maxPlayers, WM_CHAR, static_cast<BYTE>(byte), 1);
    EXPECT_EQ(window.readEditText(EditBox::maxPlayers), "");
}

TEST_F(MainWindowTest, TextSetOrPastedIntoANumberFieldIsNotFiltered) {
    MainWindow window(state);
    load(window);
    window.writeEditText(EditBox::maxPlayers, "six");
    EXPECT_EQ(window.readEditText(EditBox::maxPlayers), "six");

    ASSERT_TRUE(OpenClipboard(window.handle()));
    EmptyClipboard();
    const char pasted[] = "pw-1";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    std::copy(std::begin(pasted), std::end(pasted), static_cast<char*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();

    window.writeEditText(EditBox::clusterPassword, "");
    SendMessageA(window.control(ControlId::clusterPassword), WM_PASTE, 0, 0);
    EXPECT_EQ(window.readEditText(EditBox::clusterPassword), "pw-1");
}

// ---- Accessors ----------------------------------------------------------------------

TEST_F(MainWindowTest, EditTextRoundTripsThroughEachBoxWhateverItsLength) {
    MainWindow window(state);
    load(window);
    const std::string texts[] = {"", "a", "我的服务器 1", std::string(100000, 'x') + "尾"};
    const EditBox boxes[] = {EditBox::token, EditBox::maxPlayers, EditBox::clusterName, EditBox::clusterDescription,
                             EditBox::clusterPassword};
    for (const std::string& text : texts) {
        for (EditBox box : boxes) {
            window.writeEditText(box, text);
            EXPECT_EQ(window.readEditText(box), text) << static_cast<int>(box) << " " << text.size();
        }
    }
}

TEST_F(MainWindowTest, FormValuesComeFromTheirOwnControls) {
    MainWindow window(state);
    load(window);
    SetWindowTextA(window.control(ControlId::token), "token");
    SetWindowTextA(window.control(ControlId::maxPlayers), "6");
    SetWindowTextA(window.control(ControlId::clusterName), "name");
    SetWindowTextA(window.control(ControlId::clusterDescription), "description");
    SetWindowTextA(window.control(ControlId::clusterPassword), "1234");
    SendMessageA(window.control(ControlId::gameMode), CB_SETCURSEL, 2, 0);
    SendMessageA(window.control(ControlId::playStyle), CB_SETCURSEL, 3, 0);

    FormValues values = window.readFormValues();
    EXPECT_EQ(values.tokenText, "token");
    EXPECT_EQ(values.gameModeIndex, 2);
    EXPECT_EQ(values.maxPlayersText, "6");
    EXPECT_EQ(values.playStyleIndex, 3);
    EXPECT_EQ(values.clusterNameText, "name");
    EXPECT_EQ(values.clusterDescriptionText, "description");
    EXPECT_EQ(values.clusterPasswordText, "1234");
}

// The colour on the screen at `point` of the window's client area, once it
// stops changing from `expected` (painting reaches the screen a little later).
COLORREF screenColourAt(HWND window, POINT point, COLORREF expected) {
    ClientToScreen(window, &point);
    ScopedGetDc screen(nullptr);
    COLORREF seen = CLR_INVALID;
    for (int attempt = 0; attempt < 100; ++attempt) {
        pumpMessages();
        GdiFlush();
        seen = GetPixel(screen.get(), point.x, point.y);
        if (seen == expected) break;
        Sleep(20);
    }
    return seen;
}

TEST_F(MainWindowTest, BackgroundAndPanelPicturesShowAtTheirPlacesAlsoAfterBeingCovered) {
    writeTestFile(run / settingsTexts::kToolSettingsFile, "[" + std::string(settingsTexts::kDocumentsSection) +
                                                              "]\r\n" + settingsTexts::kDocumentsDirKey +
                                                              "=D:\\Klei\r\n");
    MainWindow window(state);
    load(window);
    SetForegroundWindow(window.handle());
    RECT client{};
    GetClientRect(window.handle(), &client);

    // What the window should show where no control lies: the background
    // tiled, the panel picture over it from (160, 16), cut at 1096 pixels.
    const UniqueBitmap expected = composeBackdrop(client.right, client.bottom, IDR_BACKGROUND_JPEG, IDR_PANEL_JPEG,
                                                  RECT{160, 16, 1256, 616});
    ASSERT_TRUE(expected);
    UniqueMemoryDc expectedDc(CreateCompatibleDC(nullptr));
    ScopedSelectObject selection(expectedDc.get(), expected.get());
    const POINT places[] = {
        {40, 100},              // the background left of the panel
        {1300, 200},            // and right of it
        {700, 8},               // above it
        {160 + 800, 16 + 560},  // the panel's white ground
        {160 + 34, 16 + 87},    // the first row's grey left border
        {160 + 1095, 300},      // the panel's last column
        {160 + 1096, 300},      // the background just right of it
    };
    auto expectPicturesShown = [&](const char* when) {
        for (const POINT& place : places) {
            const COLORREF want = GetPixel(expectedDc.get(), place.x, place.y);
            EXPECT_EQ(screenColourAt(window.handle(), place, want), want)
                << when << ": at " << place.x << "," << place.y << " of the client area";
        }
    };
    expectPicturesShown("first shown");

    // A window over all of it, then gone again: the window repaints.
    RECT frame{};
    GetWindowRect(window.handle(), &frame);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, frame.left, frame.top,
                                 frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(cover, nullptr);
    UpdateWindow(cover);
    pumpMessages();
    DestroyWindow(cover);
    pumpMessages();
    expectPicturesShown("after being covered");
}

// ---- Loading ------------------------------------------------------------------------

TEST_F(MainWindowTest, FirstRunAsksForTheFolderWhileTheWindowIsHiddenThenShowsItWithFocusInTheToken) {
    MainWindow window(state);
    bool windowExisted = false, windowWasVisible = true, fieldsExisted = false;
    host::replaceDialogs([this](const host::Message& message) { dialogs.messages.push_back(message); },
                         [&](const std::string&) {
                             windowExisted = window.handle() != nullptr;
                             windowWasVisible = IsWindowVisible(window.handle());
                             fieldsExisted = window.control(ControlId::clusterPassword) != nullptr;
                             return std::string("D:\\Klei");
                         });
    load(window);

    EXPECT_TRUE(windowExisted);
    EXPECT_FALSE(windowWasVisible);
    EXPECT_TRUE(fieldsExisted);
    EXPECT_EQ(state.documentsDir, "D:\\Klei");
    EXPECT_TRUE(IsWindowVisible(window.handle()));
    EXPECT_EQ(GetFocus(), window.control(ControlId::token));
}

// The window's thread as the real folder browser came up.
struct BrowserProbe {
    bool windowDisabled = false;
    HRESULT apartmentQuery = E_FAIL;
    APTTYPE apartment = APTTYPE_CURRENT;
    bool browserShown = false;
};
BrowserProbe browserProbe;

// Runs on the window's thread. Notes the thread's apartment when the thread's
// windows are disabled for the browser, right before it is shown: later is
// too late, as Wine's browser initialises COM itself once its dialog is up.
// Then cancels the browser.
LRESULT CALLBACK probeAndCancelBrowser(int code, WPARAM sent, LPARAM details) {
    const CWPSTRUCT& call = *reinterpret_cast<const CWPSTRUCT*>(details);
    if (code == HC_ACTION && call.message == WM_ENABLE && !call.wParam && !browserProbe.windowDisabled) {
        browserProbe.windowDisabled = true;
        APTTYPEQUALIFIER qualifier{};
        browserProbe.apartmentQuery = CoGetApartmentType(&browserProbe.apartment, &qualifier);
    }
    if (code == HC_ACTION && call.message == WM_INITDIALOG && !browserProbe.browserShown) {
        browserProbe.browserShown = true;
        PostMessageA(call.hwnd, WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, sent, details);
}

// The real folder browser, not a stand-in, on a thread of its own, which no
// one has initialised OLE on: the host must, before the browser comes up.
TEST_F(MainWindowTest, FirstRunShowsTheRealBrowserWithOleInitialisedApartmentThreaded) {
    host::replaceDialogs([this](const host::Message& message) { dialogs.messages.push_back(message); }, nullptr);
    browserProbe = {};
    HRESULT apartmentBeforeLoading = S_OK;
    bool windowShown = false;
    std::string settingsOnceShown;
    std::thread([&] {
        APTTYPE apartment{};
        APTTYPEQUALIFIER qualifier{};
        apartmentBeforeLoading = CoGetApartmentType(&apartment, &qualifier);
        struct ThreadHook {
            HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, probeAndCancelBrowser, nullptr, GetCurrentThreadId());
            ~ThreadHook() { UnhookWindowsHookEx(hook); }
        } probe;
        {
            MainWindow window(state);
            load(window);
            windowShown = IsWindowVisible(window.handle());
            settingsOnceShown = fileBytes(toolSettingsPath());
        }                // closing saves the fields too
        host::endOle();  // as shutdown would, on the thread that began it
    }).join();

    EXPECT_EQ(apartmentBeforeLoading, CO_E_NOTINITIALIZED);
    ASSERT_TRUE(browserProbe.browserShown) << "no folder browser on the first run";
    ASSERT_TRUE(browserProbe.windowDisabled);
    EXPECT_EQ(browserProbe.apartmentQuery, S_OK);
    EXPECT_TRUE(browserProbe.apartment == APTTYPE_MAINSTA || browserProbe.apartment == APTTYPE_STA)
        << browserProbe.apartment;
    EXPECT_EQ(settingsOnceShown, "[文档目录]\r\n请选择klei文档目录=\r\n") << "cancelled";
    EXPECT_TRUE(windowShown);
    EXPECT_TRUE(dialogs.messages.empty());
}

// One of the browser's libraries cannot be loaded, or lacks a function: the
// toolkit's error box names both, the process ends with -1, and no settings
// file holds an empty folder for good.
TEST_F(MainWindowTest, ABrowserFunctionThatCannotBeBoundStopsWithItsNamesAndStoresNothing) {
    struct Case {
        const char* library;
        const char* loadedInstead;
        const char* expectedText;
    };
    const Case cases[] = {
        {"shell32.dll", "quillorn_absent.dll",
         "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“quillorn_absent.dll”中的输出命令“SHBrowseForFolderA”\r\n"},
        {"ole32.dll", "kernel32.dll",
         "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“kernel32.dll”中的输出命令“OleInitialize”\r\n"},
    };
    // Start-up installs the toolkit's stop as the host's handler; it also moves
    // the run and current directories, which the cases set again.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    toolkit::initialiseToolkit();
    SetCurrentDirectoryA(previous);
    host::replaceDialogs([this](const host::Message& message) { dialogs.messages.push_back(message); }, nullptr);

    for (const Case& missing : cases) {
        SCOPED_TRACE(missing.loadedInstead);
        dialogs.messages.clear();
        endedWithCodes.clear();
        state = AppState{};
        const TemporaryRunDirectory caseRun;
        host::system::replaceLibraryFile(missing.library, missing.loadedInstead);
        MainWindow window(state);
        toolkit::loadWindow(window);
        host::system::replaceLibraryFile(missing.library, "");

        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, "错误");
        EXPECT_EQ(dialogs.messages[0].text, missing.expectedText) << hexDump(dialogs.messages[0].text);
        EXPECT_EQ(endedWithCodes, (std::vector<int>{-1}));
        EXPECT_FALSE(host::fileExists(toolSettingsPath()));
        EXPECT_EQ(state.documentsDir, "");
    }
}

TEST_F(MainWindowTest, LaterRunsFillTheEditBoxesFromTheSettingsFileUnchanged) {
    writeTestFile(run / settingsTexts::kToolSettingsFile,
                  "[文档目录]\r\n请选择klei文档目录=D:\\Klei\r\n[启动配置]\r\n服务器票据=pds-g^abc\r\n"
                  "游戏模式=endless\r\n服务器人数=ten\r\n游戏风格=madness\r\n服务器名称=我的服务器\r\n"
                  "服务器描述=描述\r\n服务器密码=x1\r\n");
    MainWindow window(state);
    load(window);

    EXPECT_TRUE(dialogs.browserPrompts.empty());
    EXPECT_EQ(window.readEditText(EditBox::token), "pds-g^abc");
    EXPECT_EQ(window.readEditText(EditBox::maxPlayers), "ten");
    EXPECT_EQ(window.readEditText(EditBox::clusterName), "我的服务器");
    EXPECT_EQ(window.readEditText(EditBox::clusterDescription), "描述");
    EXPECT_EQ(window.readEditText(EditBox::clusterPassword), "x1");
    EXPECT_EQ(window.readSelectionIndex(ControlId::gameMode), 0);
    EXPECT_EQ(window.readSelectionIndex(ControlId::playStyle), 0);
}

// ---- Keyboard -----------------------------------------------------------------------

TEST_F(MainWindowTest, TabAndShiftTabFollowTheReverseDescriptionOrderAndWrapAround) {
    MainWindow window(state);
    load(window);
    const ControlId order[] = {ControlId::token,           ControlId::gameMode,        ControlId::maxPlayers,
                               ControlId::playStyle,       ControlId::clusterName,     ControlId::clusterDescription,
                               ControlId::clusterPassword, ControlId::configureButton, ControlId::copyButton};
    ASSERT_EQ(GetFocus(), window.control(ControlId::token));
    for (int step = 1; step <= 9; ++step) {
        pressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), window.control(order[step % 9])) << "Tab " << step;
    }
    for (int step = 1; step <= 9; ++step) {
        pressKey(VK_TAB, shift);
        EXPECT_EQ(GetFocus(), window.control(order[(9 - step) % 9])) << "Shift+Tab " << step;
    }
}

TEST_F(MainWindowTest, EnterDoesNothingNotEvenOnAButton) {
    MainWindow window(state);
    load(window);
    for (ControlId id : {ControlId::clusterName, ControlId::configureButton, ControlId::playStyle}) {
        SetFocus(window.control(id));
        pressKey(VK_RETURN);
        EXPECT_EQ(GetFocus(), window.control(id));
    }
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(IsWindow(window.handle()));
}

TEST_F(MainWindowTest, EscClosesFromAnyControlAndSavesButNotWithShiftOrControl) {
    struct Case {
        ControlId focus;
        unsigned modifiers;
        bool dropDown;
        bool closes;
    };
    const Case cases[] = {
        {ControlId::token, none, false, true},
        {ControlId::gameMode, none, false, true},
        {ControlId::playStyle, none, true, true},
        {ControlId::copyButton, none, false, true},
        {ControlId::token, shift, false, false},
        {ControlId::token, control, false, false},
        {ControlId::configureButton, control, false, false},
    };
    for (const Case& escape : cases) {
        SCOPED_TRACE(idOf(escape.focus) * 10 + static_cast<int>(escape.modifiers));
        TemporaryRunDirectory ownRun;
        AppState ownState;
        MainWindow window(ownState);
        load(window);
        window.writeEditText(EditBox::token, "kept");
        SetFocus(window.control(escape.focus));
        if (escape.dropDown) SendMessageA(window.control(escape.focus), CB_SHOWDROPDOWN, TRUE, 0);

        pressKey(VK_ESCAPE, escape.modifiers);

        EXPECT_EQ(window.handle() == nullptr, escape.closes);
        EXPECT_EQ(settingsValue(settingsTexts::kTokenKey), escape.closes ? "kept" : "");
    }
}

TEST_F(MainWindowTest, FocusComesBackToTheClickedButtonAfterATaskModalBoxDisabledTheWindow) {
    MainWindow window(state);
    load(window);
    HWND button = window.control(ControlId::configureButton);
    SetFocus(button);

    // What MessageBox with MB_TASKMODAL and no owner does: it disables the
    // window, shows its box, and takes the box away before enabling the window.
    EnableWindow(window.handle(), FALSE);
    HWND box = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                               nullptr);
    SetForegroundWindow(box);
    pumpMessages();
    DestroyWindow(box);
    pumpMessages();
    EnableWindow(window.handle(), TRUE);
    pumpMessages();

    EXPECT_EQ(GetForegroundWindow(), window.handle());
    EXPECT_EQ(GetFocus(), button);
}

// ---- Commands and closing -----------------------------------------------------------

TEST_F(MainWindowTest, TheButtonsRunTheirCommands) {
    MainWindow window(state);
    load(window);
    window.writeEditText(EditBox::token, "pds-g^token");
    SendMessageA(window.control(ControlId::gameMode), CB_SETCURSEL, 1, 0);

    SendMessageA(window.control(ControlId::configureButton), BM_CLICK, 0, 0);
    EXPECT_EQ(fileBytes(run / clusterTexts::kClusterTokenFile), "pds-g^token");
    EXPECT_EQ(state.gameModeKeyword, "wilderness");
    ASSERT_EQ(dialogs.messages.size(), 1u);

    SendMessageA(window.control(ControlId::copyButton), BM_CLICK, 0, 0);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].caption, host::kMessageCaption);
}

TEST_F(MainWindowTest, ClosingSavesTheFieldsOnceAndTheLoopThenReturnsZero) {
    MainWindow window(state);
    load(window);
    window.writeEditText(EditBox::token, "t");
    window.writeEditText(EditBox::clusterPassword, "p");
    PostMessageA(window.handle(), WM_CLOSE, 0, 0);

    EXPECT_EQ(toolkit::runMessageLoop(), 0);

    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_EQ(settingsValue(settingsTexts::kTokenKey), "t");
    EXPECT_EQ(settingsValue(settingsTexts::kClusterPasswordKey), "p");
    MSG stray;
    EXPECT_FALSE(PeekMessageA(&stray, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowTest, EndingSessionSavesSilentlyAndTheLaterCloseDoesNotSaveAgain) {
    MainWindow window(state);
    load(window);
    window.writeEditText(EditBox::token, "at session end");

    SendMessageA(window.handle(), WM_ENDSESSION, FALSE, 0);  // cancelled: nothing happens
    EXPECT_EQ(settingsValue(settingsTexts::kTokenKey), "");
    SendMessageA(window.handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(settingsValue(settingsTexts::kTokenKey), "at session end");
    EXPECT_TRUE(IsWindow(window.handle()));

    window.writeEditText(EditBox::token, "later");
    DestroyWindow(window.handle());
    EXPECT_EQ(settingsValue(settingsTexts::kTokenKey), "at session end");
    EXPECT_TRUE(dialogs.messages.empty());
}


TEST_F(MainWindowTest, TheCopyButtonTakesTheDocumentsDirectoryFromTheSettingsFileOnEveryClick) {
    MainWindow window(state);
    load(window);
    const std::string settingsFile = run / settingsTexts::kToolSettingsFile;
    // No cluster yet, so every copy fails; the directory is taken all the same.
    for (const std::string stored : {"D:\\first", "D:\\second", ""}) {
        SCOPED_TRACE(stored);
        ASSERT_TRUE(host::writeIniValue(settingsFile, settingsTexts::kDocumentsSection, settingsTexts::kDocumentsDirKey,
                                        stored));
        dialogs.messages.clear();

        SendMessageA(window.control(ControlId::copyButton), BM_CLICK, 0, 0);

        EXPECT_EQ(state.documentsDir, stored);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, host::kMessageCaption);
        EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::warning);
        EXPECT_NE(dialogs.messages[0].text.find(stored + "\\Cluster_1\\Master\\modoverrides.lua"), std::string::npos)
            << dialogs.messages[0].text;
    }
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeSavedIsReportedOnCloseButNotWhenTheSessionEnds) {
    for (bool sessionEnds : {false, true}) {
        SCOPED_TRACE(sessionEnds ? "session end" : "close");
        TemporaryRunDirectory ownRun;
        const std::string settingsFile = ownRun / settingsTexts::kToolSettingsFile;
        makeDirectories(settingsFile);  // counts as there, so nothing is asked, and cannot be written
        AppState ownState;
        MainWindow window(ownState);
        load(window);
        dialogs.messages.clear();

        if (sessionEnds) SendMessageA(window.handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        DestroyWindow(window.handle());

        if (sessionEnds) {
            EXPECT_TRUE(dialogs.messages.empty());
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, host::kMessageCaption);
        EXPECT_EQ(dialogs.messages[0].text, settingsTexts::kSettingsNotSaved + settingsFile);
        EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::warning);
    }
}

}  // namespace
