// The main window's design: every control with its page, place, size and
// caption, in pixels at 96 DPI. The Win32 window builds itself from this table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavimo {

enum class ControlKind {
    Label,
    CheckBox,
    RadioButton,
    Slider,
    EditBox,
    RichBox,
    Button,
    Container
};

// Names follow the window design; the numbers are the controls' ids.
enum ControlId : int32_t {
    kLabel1 = 101,  // 标签1
    kCheckBox1,     // 选择框1
    kCheckBox2,     // 选择框2
    kSlider1,       // 滑块条1
    kCheckBox3,     // 选择框3
    kRadio1,        // 单选框1
    kRadio2,        // 单选框2
    kLabel2,        // 标签2
    kEditBox1,      // 编辑框1
    kButton1,       // 按钮1
    kButton5,       // 按钮5
    kButton6,       // 按钮6
    kLabel3,        // 标签3
    kEditBox2,      // 编辑框2
    kButton2,       // 按钮2
    kButton4,       // 按钮4
    kButton3,       // 按钮3
    kBrowserBox1,   // 超文本浏览框1
    kLabel4,        // 标签4
    kLabel5,        // 标签5
};

struct ControlDesign {
    ControlId id;
    ControlKind kind;
    int32_t page;
    int32_t left, top, width, height;
    std::string_view caption;  // UTF-8
};

inline constexpr std::string_view kWindowTitle = "Tavimo V20180329 测试版";
inline constexpr int32_t kWindowWidth = 610;
inline constexpr int32_t kWindowHeight = 414;
inline constexpr int32_t kPageCount = 5;

// The tab control, 选择夹1, as designed; the size-changed handler makes it as
// large as the window.
inline constexpr int32_t kTabLeft = 0, kTabTop = 5, kTabWidth = 605, kTabHeight = 380;
inline constexpr std::array<std::string_view, kPageCount> kTabCaptions = {
    "介绍＆设置", "本地文本搜索", "IE内核浏览器", "谷歌内核浏览器", "简单记事本"};

// 标签1's five paragraphs, each led by two ideographic spaces.
inline constexpr std::string_view kWelcomeText =
    "\u3000\u3000欢迎使用Orsenta制作的Tavimo，本程序可以帮您快速找到一些练习或者测试的答案，"
    "为您的在线学习、答题提供有限的帮助。\r\n"
    "\u3000\u3000【本地文件搜索】模式下，搜索您自行提供的答案库内容，可以复制粘贴或直接拖拽参考"
    "答案文件到程序窗口中，即可使用；\r\n"
    "\u3000\u3000【浏览器】模式下，可以百度搜索题目中的关键字，然后根据网页搜索的内容，自行判断。"
    "\r\n"
    "\u3000\u3000【划屏取词】功能，只要您开启了，直接用鼠标拖拽涂黑需要搜索的文字，自动帮您进行"
    "搜索。\r\n"
    "\u3000\u3000希望我的小程序能帮到您！";

inline constexpr std::string_view kInitialStatus =
    "自定义考答案内容：（您可以把参考答案文本复制到下面文本框，或者拖放到窗口上，会自动载入！）";

inline constexpr int32_t kWelcomeFontHeight = 19;  // character height in pixels
inline constexpr uint32_t kRed = 0x0000FF;         // 0x00BBGGRR

// 滑块条1
inline constexpr int32_t kSliderMin = 50, kSliderMax = 255, kSliderStart = 200;
inline constexpr int32_t kSliderLine = 1, kSliderPage = 5;
inline constexpr int32_t kStartOpacity = 200;

// 时钟1 runs the hover tracker from the window's creation.
inline constexpr int32_t kHoverTimerPeriodMs = 10;

// Places are relative to the tab control, whose children the controls are.
inline constexpr std::array<ControlDesign, 20> kControls = {{
    {kLabel1, ControlKind::Label, 0, 10, 35, 575, 208, kWelcomeText},
    {kCheckBox1, ControlKind::CheckBox, 0, 23, 254, 89, 25, "自动置顶"},
    {kCheckBox2, ControlKind::CheckBox, 0, 23, 279, 89, 25, "窗口透明"},
    {kSlider1, ControlKind::Slider, 0, 118, 279, 225, 25, ""},
    {kCheckBox3, ControlKind::CheckBox, 0, 23, 304, 89, 25, "划屏取词"},
    {kRadio1, ControlKind::RadioButton, 0, 118, 309, 74, 15, "文本搜"},
    {kRadio2, ControlKind::RadioButton, 0, 207, 309, 97, 15, "IE内核搜"},
    {kLabel2, ControlKind::Label, 1, 10, 28, 75, 20, "搜索内容："},
    {kEditBox1, ControlKind::EditBox, 1, 70, 26, 350, 25, ""},
    {kButton1, ControlKind::Button, 1, 423, 26, 46, 25, "搜索"},
    {kButton5, ControlKind::Button, 1, 475, 26, 60, 25, "下一条"},
    {kButton6, ControlKind::Button, 1, 541, 26, 55, 25, "上一条"},
    {kLabel3, ControlKind::Label, 1, 10, 53, 590, 20, kInitialStatus},
    {kEditBox2, ControlKind::RichBox, 1, 2, 75, 598, 302, ""},
    {kButton2, ControlKind::Button, 2, 483, -1, 36, 17, "<<"},
    {kButton4, ControlKind::Button, 2, 526, -1, 36, 17, "◎"},
    {kButton3, ControlKind::Button, 2, 567, -1, 36, 17, ">>"},
    {kBrowserBox1, ControlKind::Container, 2, 0, 20, 605, 360, ""},
    {kLabel4, ControlKind::Label, 3, 8, 27, 584, 344, "正在研究中……"},
    {kLabel5, ControlKind::Label, 4, 7, 28, 584, 344, "正在研究中……"},
}};

const ControlDesign* FindControl(int32_t id);

// A written current tab is clamped to the pages that exist.
int32_t ClampTab(int32_t tab);

// The window is placed in the middle of the screen, in whole pixels.
int32_t CentredOrigin(int32_t screenExtent, int32_t windowExtent);

// Pixels at 96 DPI to pixels at dpi, rounded to nearest.
int32_t ScaleForDpi(int32_t pixels, uint32_t dpi);

}  // namespace tavimo
