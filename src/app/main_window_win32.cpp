#include "app/main_window_win32.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <string>

#include "app/dpi_win32.h"
#include "app/job_guard.h"
#include "app/keyboard_filter_win32.h"
#include "app/subsystem_slots_win32.h"
#include "app/timer_period.h"
#include "app/window_handlers_win32.h"
#include "search/local_search.h"
#include "win32/clipboard_win32.h"
#include "win32/codepage_win32.h"
#include "win32/message_pump_win32.h"

namespace tavimo::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TavimoMainWindow";
constexpr wchar_t kBrowserBoxClass[] = L"TavimoBrowserBox";
constexpr UINT_PTR kHoverTimer = 1;  // 时钟1
constexpr UINT_PTR kPasteTimer = 2;  // 时钟2
constexpr UINT_PTR kTabSubclass = 1;
constexpr int kIconResource = 1;

MainWindow* gCurrent = nullptr;

COLORREF ToColorRef(uint32_t bbggrr) {
    return static_cast<COLORREF>(bbggrr & 0x00FFFFFF);
}

DWORD ControlStyle(const ControlDesign& c) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    switch (c.kind) {
        case ControlKind::Label:
            // 标签1 wraps its paragraphs; the other labels are one centred line.
            style |= SS_NOPREFIX | (c.id == kLabel1 ? SS_LEFT : SS_LEFTNOWORDWRAP | SS_CENTERIMAGE);
            // Ends the radio group of the settings page.
            if (c.id == kLabel2)
                style |= WS_GROUP;
            break;
        case ControlKind::CheckBox:
            style |= BS_AUTOCHECKBOX | WS_TABSTOP;
            break;
        case ControlKind::RadioButton:
            style |= BS_AUTORADIOBUTTON | WS_TABSTOP | (c.id == kRadio1 ? WS_GROUP : 0);
            break;
        case ControlKind::Slider:
            style |= TBS_HORZ | TBS_NOTICKS | WS_TABSTOP;
            break;
        case ControlKind::EditBox:
            style |= ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
            break;
        case ControlKind::Button:
            style |= BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP;
            break;
        case ControlKind::Container:
            style |= WS_CLIPCHILDREN;
            break;
        case ControlKind::RichBox:
            break;
    }
    return style;
}

const wchar_t* ControlClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return L"STATIC";
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
        case ControlKind::Button:
            return L"BUTTON";
        case ControlKind::Slider:
            return TRACKBAR_CLASSW;
        case ControlKind::EditBox:
            return L"EDIT";
        case ControlKind::Container:
            return kBrowserBoxClass;
        case ControlKind::RichBox:
            break;
    }
    return L"STATIC";
}

}  // namespace

MainWindow* CurrentMainWindow() {
    return gCurrent;
}

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance, MainWindowOptions options) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(instance, kWindowClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWindowClass;
        wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconResource),
                                                   IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                                   ::GetSystemMetrics(SM_CYICON), LR_SHARED));
        wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconResource),
                                                     IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                     ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        if (!::RegisterClassExW(&wc))
            return nullptr;

        WNDCLASSEXW box{};
        box.cbSize = sizeof(box);
        box.lpfnWndProc = ::DefWindowProcW;
        box.hInstance = instance;
        box.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        box.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        box.lpszClassName = kBrowserBoxClass;
        if (!::RegisterClassExW(&box))
            return nullptr;
    }

    std::unique_ptr<MainWindow> self(new MainWindow(std::move(options)));
    self->dpi_ = SystemDpi();
    const int w = ScaleForDpi(kWindowWidth, self->dpi_);
    const int h = ScaleForDpi(kWindowHeight, self->dpi_);
    const int x = CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), w);
    const int y = CentredOrigin(::GetSystemMetrics(SM_CYSCREEN), h);
    // Fixed border, caption with system menu and minimize box; not topmost.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    HWND hwnd = ::CreateWindowExW(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kWindowClass,
                                  WideFromUtf8(kWindowTitle).c_str(), style, x, y, w, h, nullptr,
                                  nullptr, instance, self.get());
    if (!hwnd)
        return nullptr;

    const uint32_t dpi = WindowDpi(hwnd);
    if (dpi != self->dpi_) {
        self->dpi_ = dpi;
        const int sw = ScaleForDpi(kWindowWidth, dpi);
        const int sh = ScaleForDpi(kWindowHeight, dpi);
        ::SetWindowPos(hwnd, nullptr, CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), sw),
                       CentredOrigin(::GetSystemMetrics(SM_CYSCREEN), sh), sw, sh,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!self->CreateControls())
        return nullptr;

    gCurrent = self.get();
    SetMainWindowHandle(hwnd);
    SetClipboardOwner(hwnd);
    SetMessageFilter(MainWindowKeyFilter);
    UseMessagePumpForTimeSlices();
    JobGuard::SetDeferredClose(
        [](void* window) { ::PostMessageW(static_cast<HWND>(window), WM_CLOSE, 0, 0); }, hwnd);
    ::SetTimer(hwnd, kHoverTimer, kHoverTimerPeriodMs, nullptr);
    CreateBrowserSlot(self->control(kBrowserBox1));

    // The window's own start-up events, once each and in this order.
    self->loaded_ = true;
    OnWindowCreated(hwnd);
    self->Notify(WindowEvent::Created);
    OnWindowPositionChanged(hwnd);
    self->Notify(WindowEvent::PositionChanged);
    OnWindowSizeChanged(hwnd, self->tab_);
    self->Notify(WindowEvent::SizeChanged);
    return self;
}

MainWindow::~MainWindow() {
    window_.reset();
}

bool MainWindow::CreateControls() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    tab_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, WC_TABCONTROLW, L"",
                             WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                                 TCS_SINGLELINE | TCS_TABS | TCS_FOCUSNEVER,
                             0, 0, 0, 0, hwnd(), nullptr, instance, nullptr);
    if (!tab_)
        return false;
    for (int i = 0; i < kPageCount; ++i) {
        std::wstring caption = WideFromUtf8(kTabCaptions[static_cast<size_t>(i)]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        ::SendMessageW(tab_, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&item));
    }
    ::SetWindowSubclass(tab_, TabProc, kTabSubclass, reinterpret_cast<DWORD_PTR>(this));

    for (size_t i = 0; i < kControls.size(); ++i) {
        const ControlDesign& c = kControls[i];
        HWND h = nullptr;
        if (c.kind == ControlKind::RichBox) {
            box_ = RichEditBox::Create(tab_, c.id, RECT{0, 0, 0, 0});
            if (box_)
                h = box_->hwnd();
        } else {
            const DWORD exStyle = c.kind == ControlKind::EditBox     ? WS_EX_CLIENTEDGE
                                  : c.kind == ControlKind::Container ? WS_EX_CONTROLPARENT
                                                                     : 0;
            h = ::CreateWindowExW(exStyle, ControlClass(c.kind), WideFromUtf8(c.caption).c_str(),
                                  ControlStyle(c), 0, 0, 0, 0, tab_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance,
                                  nullptr);
        }
        if (!h)
            return false;
        controls_[i] = h;
    }

    ::SendMessageW(control(kSlider1), TBM_SETRANGEMIN, FALSE, kSliderMin);
    ::SendMessageW(control(kSlider1), TBM_SETRANGEMAX, FALSE, kSliderMax);
    ::SendMessageW(control(kSlider1), TBM_SETLINESIZE, 0, kSliderLine);
    ::SendMessageW(control(kSlider1), TBM_SETPAGESIZE, 0, kSliderPage);
    ::SendMessageW(control(kSlider1), TBM_SETPOS, TRUE, kSliderStart);
    for (int32_t id : {kCheckBox1, kCheckBox2, kCheckBox3, kRadio1}) {
        ::SendMessageW(control(id), BM_SETCHECK, BST_CHECKED, 0);
    }
    ::SendMessageW(control(kEditBox1), EM_SETLIMITTEXT, 0, 0);  // no limit

    MakeFonts();
    Layout();
    ShowPage(0);
    return true;
}

void MainWindow::MakeFonts() {
    HFONT stock = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    guiFont_.reset();
    HFONT gui = stock;
    // The stock font is made for the system's DPI; a monitor with another
    // DPI gets a copy scaled to it.
    const uint32_t systemDpi = SystemDpi();
    if (dpi_ != systemDpi) {
        LOGFONTW lf{};
        ::GetObjectW(stock, sizeof(lf), &lf);
        lf.lfHeight = ::MulDiv(lf.lfHeight, static_cast<int>(dpi_), static_cast<int>(systemDpi));
        guiFont_.reset(::CreateFontIndirectW(&lf));
        if (guiFont_)
            gui = guiFont_.get();
    }
    LOGFONTW welcome{};
    welcome.lfHeight = -ScaleForDpi(kWelcomeFontHeight, dpi_);  // character height
    welcome.lfWeight = FW_NORMAL;
    welcome.lfCharSet = DEFAULT_CHARSET;
    welcomeFont_.reset(::CreateFontIndirectW(&welcome));

    ::SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(gui), FALSE);
    for (size_t i = 0; i < kControls.size(); ++i) {
        const ControlDesign& c = kControls[i];
        if (c.kind == ControlKind::RichBox || c.kind == ControlKind::Container)
            continue;
        HFONT f = c.id == kLabel1 && welcomeFont_ ? welcomeFont_.get() : gui;
        ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    }
}

void MainWindow::Layout() {
    auto s = [this](int32_t v) { return ScaleForDpi(v, dpi_); };
    ::SetWindowPos(tab_, nullptr, s(kTabLeft), s(kTabTop), s(kTabWidth), s(kTabHeight),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    for (size_t i = 0; i < kControls.size(); ++i) {
        const ControlDesign& c = kControls[i];
        // A label never hides a control it overlaps (标签2 reaches under
        // 编辑框1); the others keep the creation order, which is the Tab order.
        const bool label = c.kind == ControlKind::Label;
        ::SetWindowPos(controls_[i], label ? HWND_BOTTOM : nullptr, s(c.left), s(c.top), s(c.width),
                       s(c.height), (label ? 0 : SWP_NOZORDER) | SWP_NOACTIVATE);
    }
}

HWND MainWindow::control(int32_t id) const {
    for (size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].id == id)
            return controls_[i];
    }
    return nullptr;
}

int32_t MainWindow::controlPage(HWND h) const {
    for (size_t i = 0; i < kControls.size(); ++i) {
        if (controls_[i] == h)
            return kControls[i].page;
    }
    return -1;
}

void MainWindow::ShowPage(int32_t page) {
    HWND focus = ::GetFocus();
    for (size_t i = 0; i < kControls.size(); ++i) {
        const bool visible = kControls[i].page == page;
        if (!visible && focus && (focus == controls_[i] || ::IsChild(controls_[i], focus))) {
            // Keys must not go on to a control nobody can see.
            ::SetFocus(hwnd());
        }
        ::ShowWindow(controls_[i], visible ? SW_SHOWNA : SW_HIDE);
    }
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(hwnd(), showCommand);
}

void MainWindow::RequestClose() {
    if (!alive())
        return;
    if (JobGuard::DeferClose()) {
        Notify(WindowEvent::CloseDeferred);
        return;
    }
    OnWindowCanBeClosed();
    Notify(WindowEvent::CanBeClosed);
    ::DestroyWindow(hwnd());
}

void MainWindow::SetPasteTimerPeriod(int32_t ms) {
    const TimerChange change = PlanTimerPeriod(pasteTimerPeriod_, ms);
    if (change.stop)
        ::KillTimer(hwnd(), kPasteTimer);
    if (change.start)
        ::SetTimer(hwnd(), kPasteTimer, static_cast<UINT>(change.period), nullptr);
    pasteTimerPeriod_ = change.period;
}

int32_t MainWindow::SliderPosition() {
    return static_cast<int32_t>(::SendMessageW(control(kSlider1), TBM_GETPOS, 0, 0));
}

Text MainWindow::Term() {
    HWND edit = control(kEditBox1);
    const int n = ::GetWindowTextLengthW(edit);
    if (n <= 0)
        return Text();
    std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
    const int got = ::GetWindowTextW(edit, buffer.data(), n + 1);
    buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return FromWide(buffer);
}

void MainWindow::SetTerm(const Text& term) {
    ::SetWindowTextW(control(kEditBox1), ToWide(term).c_str());
}

void MainWindow::SetStatus(const Text& caption) {
    ::SetWindowTextW(control(kLabel3), ToWide(caption).c_str());
}

int32_t MainWindow::CurrentTab() {
    const LRESULT tab = ::SendMessageW(tab_, TCM_GETCURSEL, 0, 0);
    return tab < 0 ? 0 : static_cast<int32_t>(tab);
}

void MainWindow::SetCurrentTab(int32_t tab) {
    const int32_t page = ClampTab(tab);
    ::SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ShowPage(page);
}

bool MainWindow::Checked(int32_t id) const {
    return ::SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool MainWindow::RaiseOnHoverChecked() {
    return Checked(kCheckBox1);
}
bool MainWindow::CaptureChecked() {
    return Checked(kCheckBox3);
}
bool MainWindow::LocalSearchSelected() {
    return Checked(kRadio1);
}
bool MainWindow::WebSearchSelected() {
    return Checked(kRadio2);
}

void MainWindow::Notify(WindowEvent e, int32_t id) const {
    if (options_.onEvent)
        options_.onEvent(e, id);
}

void MainWindow::OnCommand(int32_t id, UINT code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
        case kButton1:
            RunLocalSearch(*this);
            break;
        case kButton5:
            ShowNextHit(*this);
            break;
        case kButton6:
            ShowPreviousHit(*this);
            break;
        case kButton2:
            BrowserBackSlot();
            break;
        case kButton4:
            BrowserRefreshSlot();
            break;
        case kButton3:
            BrowserForwardSlot();
            break;
        case kCheckBox2:
            OnTransparencyClicked(hwnd(), Checked(kCheckBox2), SliderPosition());
            break;
        case kCheckBox3:
            CaptureCheckClickedSlot(*this);
            break;
        case kCheckBox1:  // read by the hover tracker and the capture
        default:
            return;
    }
    Notify(WindowEvent::ButtonClicked, id);
}

LRESULT MainWindow::OnControlColor(HDC dc, HWND h, bool edit) {
    const int id = ::GetDlgCtrlID(h);
    if (edit) {
        if (id != kEditBox1)
            return 0;
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    if (id == kLabel1) {
        ::SetTextColor(dc, ToColorRef(kRed));
        ::SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    const ControlDesign* design = FindControl(id);
    if (design && design->kind != ControlKind::Label) {
        // Check boxes, radio buttons and the slider sit on the tab's body,
        // which a visual style paints in the window colour.
        const int colour = ::IsAppThemed() ? COLOR_WINDOW : COLOR_BTNFACE;
        ::SetBkColor(dc, ::GetSysColor(colour));
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(colour));
    }
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    if (id == kLabel3) {
        ::SetTextColor(dc, ToColorRef(kRed));
    } else {
        ::SetTextColor(dc, RGB(0, 0, 0));
    }
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnDestroy() {
    HWND h = hwnd();
    ::KillTimer(h, kHoverTimer);
    ::KillTimer(h, kPasteTimer);
    pasteTimerPeriod_ = 0;
    DestroyBrowserSlot();
    RevokeDropTargetSlot(h);
    if (gCurrent == this) {
        gCurrent = nullptr;
        SetMessageFilter(nullptr);
        SetMainWindowHandle(nullptr);
        SetClipboardOwner(nullptr);
        JobGuard::SetDeferredClose(nullptr, nullptr);
    }
    if (options_.quitOnDestroy)
        ::PostQuitMessage(0);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    HWND h = hwnd();
    LRESULT slotResult = 0;
    if (MainWindowMessageSlot(h, msg, wp, lp, slotResult))
        return slotResult;
    switch (msg) {
        case WM_CLOSE:
            RequestClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_MOVE:
            if (loaded_) {
                OnWindowPositionChanged(h);
                Notify(WindowEvent::PositionChanged);
            }
            return 0;
        case WM_SIZE:
            if (loaded_) {
                OnWindowSizeChanged(h, tab_);
                Notify(WindowEvent::SizeChanged);
            }
            return 0;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wp);
            const RECT* r = reinterpret_cast<const RECT*>(lp);
            MakeFonts();
            Layout();
            ::SetWindowPos(h, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            if (loaded_)
                OnWindowSizeChanged(h, tab_);
            return 0;
        }
        case WM_TIMER:
            if (wp == kHoverTimer) {
                TrackHoverSlot(*this);
                Notify(WindowEvent::HoverTick);
            } else if (wp == kPasteTimer) {
                PasteTimerSlot(*this);
                Notify(WindowEvent::PasteTick);
            }
            return 0;
        case WM_COMMAND:
            if (lp)
                OnCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_HSCROLL:
            // Every step of the thumb counts, but not the end of a drag.
            if (reinterpret_cast<HWND>(lp) == control(kSlider1) && LOWORD(wp) != TB_THUMBPOSITION &&
                LOWORD(wp) != TB_ENDTRACK) {
                OnSliderPositionChanged(h, SliderPosition());
                Notify(WindowEvent::SliderChanged, kSlider1);
            }
            return 0;
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lp);
            if (n->hwndFrom == tab_ && n->code == TCN_SELCHANGE)
                ShowPage(CurrentTab());
            break;
        }
        case WM_CTLCOLORSTATIC:
            return OnControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), false);
        case WM_CTLCOLOREDIT: {
            const LRESULT brush =
                OnControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), true);
            if (brush)
                return brush;
            break;
        }
        default:
            break;
    }
    return ::DefWindowProcW(h, msg, wp, lp);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    MainWindow* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = UniqueWindow(hwnd);
    } else {
        self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->window_.release();
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
    try {
        return self->Handle(msg, wp, lp);
    } catch (...) {
        return 0;  // nothing may unwind into the system
    }
}

LRESULT CALLBACK MainWindow::TabProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                     DWORD_PTR data) {
    auto* self = reinterpret_cast<MainWindow*>(data);
    try {
        switch (msg) {
            // The controls of the pages are the tab control's children: their
            // notifications belong to the window.
            case WM_COMMAND:
            case WM_HSCROLL:
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLOREDIT:
                if (self->controlPage(reinterpret_cast<HWND>(lp)) >= 0) {
                    return ::SendMessageW(self->hwnd(), msg, wp, lp);
                }
                break;
            case WM_NOTIFY:
                if (self->controlPage(reinterpret_cast<const NMHDR*>(lp)->hwndFrom) >= 0) {
                    return ::SendMessageW(self->hwnd(), msg, wp, lp);
                }
                break;
            case WM_LBUTTONUP: {
                // The page changed as the button went down; the click counts
                // as the button comes up, also on the current tab.
                const LRESULT r = ::DefSubclassProc(hwnd, msg, wp, lp);
                ShowWebSearchSlot(*self);
                self->Notify(WindowEvent::TabClicked);
                return r;
            }
            case WM_NCDESTROY:
                ::RemoveWindowSubclass(hwnd, TabProc, kTabSubclass);
                break;
            default:
                break;
        }
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    } catch (...) {
        return 0;
    }
}

}  // namespace tavimo::win32
