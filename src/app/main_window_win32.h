// The main window: the tab control with its five pages and every control of
// the design, the event table, and the AppView the handlers work through.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/app_view.h"
#include "app/rich_edit_box_win32.h"
#include "app/window_design.h"
#include "win32/handles_win32.h"

namespace tavimo::win32 {

// What the window dispatched, for anyone who watches (the tests do).
enum class WindowEvent {
    Created,
    PositionChanged,
    SizeChanged,
    CanBeClosed,
    CloseDeferred,
    TabClicked,
    HoverTick,
    PasteTick,
    ButtonClicked,
    SliderChanged,
};

struct MainWindowOptions {
    // The program ends with its window; a test keeps its own loop running.
    bool quitOnDestroy = true;
    std::function<void(WindowEvent, int32_t controlId)> onEvent;
};

class MainWindow final : public AppView {
  public:
    // Creates the window hidden with all its controls, then runs the created,
    // position-changed and size-changed handlers once each; null on failure.
    static std::unique_ptr<MainWindow> Create(HINSTANCE instance, MainWindowOptions options = {});
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    HWND hwnd() const { return window_.get(); }
    bool alive() const { return static_cast<bool>(window_); }
    HWND tab() const { return tab_; }
    HWND control(int32_t id) const;
    int32_t controlPage(HWND control) const;
    RichEditBox& richBox() { return *box_; }
    uint32_t dpi() const { return dpi_; }

    void Show(int showCommand);
    // Asks to close as the close button does; deferred while a job runs.
    void RequestClose();

    // 时钟2: the period in milliseconds, by the timer-period rule.
    void SetPasteTimerPeriod(int32_t ms);
    int32_t PasteTimerPeriod() const { return pasteTimerPeriod_; }
    // 滑块条1.
    int32_t SliderPosition();

    // AppView
    Text Term() override;
    void SetTerm(const Text& term) override;
    void SetStatus(const Text& caption) override;
    int32_t CurrentTab() override;
    void SetCurrentTab(int32_t tab) override;
    ReferenceBox& Box() override { return *box_; }
    bool RaiseOnHoverChecked() override;
    bool CaptureChecked() override;
    bool LocalSearchSelected() override;
    bool WebSearchSelected() override;

  private:
    explicit MainWindow(MainWindowOptions options) : options_(std::move(options)) {}
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                    DWORD_PTR self);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    bool CreateControls();
    void Layout();
    void MakeFonts();
    void ShowPage(int32_t page);
    void OnCommand(int32_t id, UINT code);
    LRESULT OnControlColor(HDC dc, HWND control, bool edit);
    void OnDestroy();
    void Notify(WindowEvent e, int32_t id = 0) const;
    bool Checked(int32_t id) const;

    MainWindowOptions options_;
    UniqueWindow window_;
    HWND tab_ = nullptr;
    std::array<HWND, kControls.size()> controls_{};
    std::unique_ptr<RichEditBox> box_;
    uint32_t dpi_ = 96;
    bool loaded_ = false;
    int32_t pasteTimerPeriod_ = 0;
    UniqueFont guiFont_;  // only when the default GUI font must be scaled
    UniqueFont welcomeFont_;
};

// Whether the main window of this thread is alive; for the keyboard filter.
MainWindow* CurrentMainWindow();

}  // namespace tavimo::win32
