#include "app/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <utility>

#include "app/flat_button.h"
#include "app/resource_ids.h"
#include "cluster/settings_copy.h"
#include "host/host.h"

namespace {

constexpr COLORREF kFieldTextColour = RGB(0, 0, 0);
constexpr COLORREF kFieldBackgroundColour = RGB(255, 255, 255);
constexpr UINT_PTR kInputFilterId = 1;

const ControlDescription& descriptionOf(ControlId id) {
    for (const ControlDescription& description : kControls)
        if (description.id == id) return description;
    return kControls[0];  // every ControlId but `window` is in the table
}

const char* windowClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::flatButton: return WC_BUTTONA;
        case ControlKind::editBox: return WC_EDITA;
        case ControlKind::dropDownList: return WC_COMBOBOXA;
        case ControlKind::picturePanel: return kPicturePanelClass;
    }
    return WC_STATICA;
}

// Typed characters from 0x20 up pass only as digits or minus; control
// characters (backspace, Ctrl+V and the like) always pass.
bool isAcceptedCharacter(WPARAM character) {
    return character < 0x20 || (character >= '0' && character <= '9') || character == '-';
}

// The subclass of the two number fields (编辑框2 and 编辑框5). It filters typed
// characters only: pasted text and WM_SETTEXT reach the edit box untouched.
LRESULT CALLBACK filterDigitsAndMinus(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR /*data*/) {
    if ((message == WM_CHAR || message == WM_IME_CHAR) && !isAcceptedCharacter(wParam)) return 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, filterDigitsAndMinus, id);
    return DefSubclassProc(edit, message, wParam, lParam);
}

// A window larger than the screen is cut to it unless its largest tracking
// size says otherwise; this window keeps its size on any screen.
LRESULT allowFullWindowSize(LPARAM lParam) {
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, kWindowWidth);
    limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, kWindowHeight);
    return 0;
}

// The dropped-down list's rows one pixel taller than the font's standard.
// wParam 0 names the list items, not the selection field. Some systems (Wine)
// honour CB_SETITEMHEIGHT only for owner-drawn lists; the list box itself
// takes the height from everyone.
void setListRowSpacing(HWND comboBox) {
    LRESULT standardHeight = SendMessageA(comboBox, CB_GETITEMHEIGHT, 0, 0);
    if (standardHeight <= 0) return;
    SendMessageA(comboBox, CB_SETITEMHEIGHT, 0, standardHeight + 1);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (SendMessageA(comboBox, CB_GETITEMHEIGHT, 0, 0) != standardHeight + 1 && GetComboBoxInfo(comboBox, &parts))
        SendMessageA(parts.hwndList, LB_SETITEMHEIGHT, 0, standardHeight + 1);
}

bool isPressed(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// A second window in the same process finds its classes registered already.
bool registerClassOnce(const WNDCLASSEXA& windowClass) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    return GetClassInfoExA(windowClass.hInstance, windowClass.lpszClassName, &existing) ||
           RegisterClassExA(&windowClass);
}

}  // namespace

POINT centredOrigin(int screenWidth, int screenHeight, int width, int height) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

MainWindow::MainWindow(AppState& appState) : appState_(appState) {}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
}

// ---- Creation ----------------------------------------------------------------

bool MainWindow::createHidden() {
    if (!registerClasses()) return false;

    fieldFont_.reset(CreateFontA(-24, 0, 0, 0, 290, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, appTexts::kFieldFontFace));
    fieldBrush_.reset(CreateSolidBrush(kFieldBackgroundColour));

    POINT origin = centredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), kWindowWidth,
                                 kWindowHeight);
    if (!CreateWindowExA(0, kMainWindowClass, appTexts::kWindowCaption, kWindowStyle, origin.x, origin.y, kWindowWidth,
                         kWindowHeight, nullptr, nullptr, GetModuleHandleA(nullptr), this))
        return false;
    makeExactlyWindowSized(origin);
    makeBackdrop();

    if (!createControls()) {
        DWORD error = GetLastError();
        DestroyWindow(window_);
        SetLastError(error);
        return false;
    }
    return true;
}

bool MainWindow::registerClasses() const {
    HINSTANCE instance = GetModuleHandleA(nullptr);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    // Shared icons belong to the system, which frees them with the module.
    windowClass.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                      LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                        LR_SHARED));

    WNDCLASSEXA panelClass{};
    panelClass.cbSize = sizeof panelClass;
    panelClass.lpfnWndProc = panelProcedure;
    panelClass.hInstance = instance;
    panelClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    panelClass.lpszClassName = kPicturePanelClass;

    return registerClassOnce(windowClass) && registerClassOnce(panelClass);
}

// The pixels behind the controls, made once the client area has its final size.
void MainWindow::makeBackdrop() {
    RECT client{};
    GetClientRect(window_, &client);
    const ControlDescription& panel = descriptionOf(ControlId::panel);
    const RECT panelArea{panel.left, panel.top, panel.left + panel.width, panel.top + panel.height};
    backdrop_ = composeBackdrop(client.right, client.bottom, IDR_BACKGROUND_JPEG, IDR_PANEL_JPEG, panelArea);
}

// The window goes exactly to `origin` with its outer size, whatever the
// system made of the size it was created with.
void MainWindow::makeExactlyWindowSized(POINT origin) {
    RECT actual{};
    GetWindowRect(window_, &actual);
    if (actual.left != origin.x || actual.top != origin.y || actual.right - actual.left != kWindowWidth ||
        actual.bottom - actual.top != kWindowHeight)
        SetWindowPos(window_, nullptr, origin.x, origin.y, kWindowWidth, kWindowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Parents before their children: the window's own controls first, in table
// order, then 组合框1 inside the panel. Each new control goes below its
// siblings, so creation in table order gives the stacking, first on top.
bool MainWindow::createControls() {
    for (bool insidePanel : {false, true}) {
        for (const ControlDescription& description : kControls) {
            if ((description.parent != ControlId::window) != insidePanel) continue;
            if (!createControl(description)) return false;
        }
    }
    return true;
}

HWND MainWindow::createControl(const ControlDescription& description) {
    HWND parent = description.parent == ControlId::window ? window_ : control(description.parent);
    bool isList = description.kind == ControlKind::dropDownList;
    int height = isList ? std::max(description.height, kMinimumListHeight) : description.height;
    // Only the panel takes a creation parameter: the window it draws for.
    void* creationParameter = description.kind == ControlKind::picturePanel ? this : nullptr;

    // Visible from the start: the window itself is still hidden, so nothing
    // shows before it does, and no control needs a ShowWindow of its own.
    HWND created = CreateWindowExA(description.extendedStyle, windowClassOf(description.kind),
                                   description.text ? description.text : "", description.style | WS_VISIBLE,
                                   description.left, description.top, description.width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(description.id))),
                                   GetModuleHandleA(nullptr), creationParameter);
    if (!created) return nullptr;
    controls_[static_cast<size_t>(&description - kControls)] = created;

    switch (description.kind) {
        case ControlKind::editBox:
            SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont_.get()), FALSE);
            SendMessageA(created, EM_SETLIMITTEXT, 0, 0);  // 0: the system maximum
            if (description.filter == InputFilter::digitsAndMinus)
                SetWindowSubclass(created, filterDigitsAndMinus, kInputFilterId, 0);
            break;
        case ControlKind::dropDownList: {
            SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont_.get()), FALSE);
            for (int i = 0; i < description.itemCount; ++i)
                SendMessageA(created, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(description.items[i]));
            SendMessageA(created, CB_SETCURSEL, 0, 0);
            setListRowSpacing(created);
            break;
        }
        case ControlKind::flatButton: makeFlatButton(created); break;
        case ControlKind::picturePanel: break;
    }
    return created;
}

void MainWindow::raiseCreated() {
    createdEventRaised_ = true;
    appState_.documentsDir = loadToolSettings(editBoxAccessors());
}

void MainWindow::showFirstTime() {
    if (!window_) return;  // the created event closed it
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetFocus(control(ControlId::token));
}

HWND MainWindow::control(ControlId id) const {
    if (!window_ || id == ControlId::window) return window_;
    for (size_t i = 0; i < std::size(kControls); ++i)
        if (kControls[i].id == id) return controls_[i];
    return nullptr;
}

// ---- Field accessors -----------------------------------------------------------

std::string MainWindow::readEditText(EditBox box) const {
    HWND edit = control(controlOf(box));
    // The length may be larger than the text, never smaller.
    int length = GetWindowTextLengthA(edit);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(edit, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void MainWindow::writeEditText(EditBox box, const std::string& text) {
    HWND edit = control(controlOf(box));
    // Emptying an empty box changes nothing the user sees, and setting a
    // text costs the edit box a full relayout.
    if (text.empty() && GetWindowTextLengthA(edit) == 0) return;
    SetWindowTextA(edit, text.c_str());
}

int MainWindow::readSelectionIndex(ControlId list) const {
    return static_cast<int>(SendMessageA(control(list), CB_GETCURSEL, 0, 0));
}

FormValues MainWindow::readFormValues() const {
    FormValues values;
    values.tokenText = readEditText(EditBox::token);
    values.gameModeIndex = readSelectionIndex(ControlId::gameMode);
    values.maxPlayersText = readEditText(EditBox::maxPlayers);
    values.playStyleIndex = readSelectionIndex(ControlId::playStyle);
    values.clusterNameText = readEditText(EditBox::clusterName);
    values.clusterDescriptionText = readEditText(EditBox::clusterDescription);
    values.clusterPasswordText = readEditText(EditBox::clusterPassword);
    return values;
}

EditBoxAccessors MainWindow::editBoxAccessors() {
    return {[this](EditBox box) { return readEditText(box); },
            [this](EditBox box, const std::string& text) { writeEditText(box, text); }};
}

// ---- Keyboard --------------------------------------------------------------------

bool MainWindow::handleKeyBeforeControls(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    bool shift = isPressed(VK_SHIFT), control = isPressed(VK_CONTROL), alt = isPressed(VK_MENU);
    switch (message.wParam) {
        case VK_TAB:
            if (control || alt) return false;
            moveFocus(shift);
            return true;
        case VK_ESCAPE:
            if (shift || control || alt) return false;
            SendMessageA(window_, WM_CLOSE, 0, 0);  // the close button's path
            return true;
        case VK_RETURN: return true;  // no default button, and Enter moves nothing
        default: return false;
    }
}

// The tab order is the description order reversed, wrapping around.
void MainWindow::moveFocus(bool backward) {
    std::array<HWND, std::size(kControls)> order{};
    int count = 0;
    for (auto description = std::rbegin(kControls); description != std::rend(kControls); ++description) {
        HWND candidate = control(description->id);
        if ((description->style & WS_TABSTOP) && IsWindowVisible(candidate) && IsWindowEnabled(candidate))
            order[count++] = candidate;
    }
    if (count == 0) return;

    HWND focus = GetFocus();
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (focus && (order[i] == focus || IsChild(order[i], focus))) current = i;

    int next;
    if (current < 0)
        next = backward ? count - 1 : 0;
    else
        next = (current + (backward ? count - 1 : 1)) % count;
    SetFocus(order[next]);
}

// ---- Window procedures -------------------------------------------------------------

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
        toolkit::noteWindowCreated(*self);
    } else {
        self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (self) return self->handleMessage(window, message, wParam, lParam);
    // WM_GETMINMAXINFO comes before WM_NCCREATE and decides the created size.
    if (message == WM_GETMINMAXINFO) return allowFullWindowSize(lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETMINMAXINFO: return allowFullWindowSize(lParam);
        case WM_ERASEBKGND: return onEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC: return onControlColour(reinterpret_cast<HDC>(wParam));
        case WM_DRAWITEM: onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_COMMAND: onCommand(wParam, lParam); return 0;
        case WM_ACTIVATE: onActivate(wParam); break;
        case WM_CANCELMODE: rememberFocus(); break;
        case WM_ENABLE: onEnable(wParam != FALSE); return 0;
        case WM_SETFOCUS: onSetFocus(); return 0;
        case WM_ENDSESSION: onEndSession(wParam != FALSE); return 0;
        case WM_DESTROY: onDestroy(); return 0;
        case WM_NCDESTROY: onNcDestroy(); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::panelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        void* owner = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
        SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(panel, GWLP_USERDATA));
    if (self) return self->handlePanelMessage(panel, message, wParam, lParam);
    return DefWindowProcA(panel, message, wParam, lParam);
}

LRESULT MainWindow::handlePanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
        case WM_PAINT: onPanelPaint(panel); return 0;
        // 组合框1 reports to the panel; the window answers for all its fields.
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC: return SendMessageA(GetParent(panel), message, wParam, lParam);
        case WM_NCDESTROY: SetWindowLongPtrA(panel, GWLP_USERDATA, 0); break;
    }
    return DefWindowProcA(panel, message, wParam, lParam);
}

// ---- Handlers ------------------------------------------------------------------------

void MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) return;
    auto id = static_cast<ControlId>(LOWORD(wParam));
    if (id != ControlId::configureButton && id != ControlId::copyButton) return;
    if (reinterpret_cast<HWND>(lParam) != control(id)) return;

    if (id == ControlId::configureButton)
        onConfigureClicked();
    else
        onCopyClicked();
}

// The state is updated before the message box, which runs a modal loop.
void MainWindow::onConfigureClicked() {
    ConfigureResult result = configureServer(readFormValues(), appState_.gameModeKeyword, appState_.playStyleKeyword);
    appState_.gameModeKeyword = std::move(result.gameModeKeyword);
    appState_.playStyleKeyword = std::move(result.playStyleKeyword);
    appState_.clusterNameUtf8 = std::move(result.clusterNameUtf8);
    appState_.clusterDescriptionUtf8 = std::move(result.clusterDescriptionUtf8);
    host::showMessage(result.message);
}

// Read on every click, so an edit of the settings file counts at once.
void MainWindow::onCopyClicked() {
    appState_.documentsDir = readDocumentsDir();
    host::showMessage(copyModAndWorldSettings(appState_.documentsDir));
}

void MainWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType == ODT_BUTTON) drawFlatButton(item);
}

LRESULT MainWindow::onControlColour(HDC dc) {
    SetTextColor(dc, kFieldTextColour);
    SetBkColor(dc, kFieldBackgroundColour);
    HBRUSH brush = fieldBrush_ ? fieldBrush_.get() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    return reinterpret_cast<LRESULT>(brush);
}

// Both the window and the panel copy their part of the backdrop; the button
// face colour stands in if it could not be made.
void MainWindow::paintBackdrop(HDC dc, const RECT& area, POINT origin) const {
    if (backdrop_)
        drawPart(dc, backdrop_.get(), area, origin);
    else
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT MainWindow::onEraseBackground(HDC dc) {
    RECT area{};
    // Only what needs painting: the clipping box, or else the whole client area.
    if (GetClipBox(dc, &area) == ERROR) GetClientRect(window_, &area);
    paintBackdrop(dc, area, POINT{0, 0});
    return 1;
}

void MainWindow::onPanelPaint(HWND panel) {
    ScopedPaint paint(panel);
    POINT origin{0, 0};
    MapWindowPoints(panel, window_, &origin, 1);
    paintBackdrop(paint.get(), paint.area(), origin);
}

// The window remembers which control had the focus when it was deactivated,
// or disabled for a task-modal box (EnableWindow sends WM_CANCELMODE before it
// takes the focus away), and gives it back when the focus returns.
void MainWindow::rememberFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) focusToRestore_ = focus;
}

void MainWindow::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) rememberFocus();
}

// A task-modal box without owner goes away while the window is still
// disabled, so the activation goes nowhere (or the window is activated but
// cannot take the focus yet). When it is enabled again it takes both back,
// unless another program has the foreground by then.
void MainWindow::onEnable(bool enabled) {
    if (!enabled) return;
    if (!GetActiveWindow() && !GetForegroundWindow()) SetForegroundWindow(window_);
    if (GetActiveWindow() == window_ && !GetFocus()) onSetFocus();
}

void MainWindow::onSetFocus() {
    HWND target = focusToRestore_ && IsChild(window_, focusToRestore_) ? focusToRestore_ : control(ControlId::token);
    if (target) SetFocus(target);
}

void MainWindow::onEndSession(bool sessionEnds) {
    // The process may end without the window being destroyed; keep the fields.
    if (sessionEnds) saveSettingsOnce(SaveFailures::keepSilent);
}

void MainWindow::onDestroy() { saveSettingsOnce(SaveFailures::report); }

void MainWindow::onNcDestroy() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    focusToRestore_ = nullptr;
    controls_ = {};
    toolkit::noteWindowDestroyed(*this);
}

// Settings are saved once per process, and only after they were loaded: a
// window that failed half-way through creation must not overwrite them.
void MainWindow::saveSettingsOnce(SaveFailures failures) {
    if (!createdEventRaised_ || settingsSaved_) return;
    settingsSaved_ = true;
    std::optional<host::Message> warning = saveToolSettings(appState_.gameModeKeyword, appState_.playStyleKeyword,
                                                            editBoxAccessors());
    if (warning && failures == SaveFailures::report) host::showMessage(*warning);
}
