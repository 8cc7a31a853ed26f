// The window definition: MainWindow and every control on it, fixed at build time.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zorvane {

enum class ControlKind { Window, Label, PictureBox, SaveFileDialog, OpenFileDialog, PushButton };

enum class Event { Clicked };

enum class Handler { onButton1Click };

struct EventBinding {
    Event event;
    Handler handler;
};

// In pixels: the window's left and top are screen coordinates, a control's are relative to the
// top-left corner of the window's client area.
struct Geometry {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
};

struct ControlDefinition {
    std::string_view name;
    ControlKind kind;
    std::uint32_t identifier;
    std::optional<Geometry> geometry;  // file dialogs have no place on the window
    bool shownAtRunTime;
    std::optional<bool> takesFocus;    // a question only for controls on the window

    // The kind's own settings; a kind leaves those it has no use for empty.
    std::string_view caption = {};      // window, push button
    std::string_view icon = {};         // window: a resource path
    std::string_view text = {};         // label
    std::string_view picture = {};      // picture box: a resource path
    std::string_view title = {};        // file dialogs
    std::string_view filter = {};       // file dialogs: description|pattern|description|pattern...
    std::string_view furtherText = {};  // file dialogs: the text stored after the filter

    std::span<const EventBinding> boundEvents = {};
};

inline constexpr std::array button1Events{EventBinding{Event::Clicked, Handler::onButton1Click}};

// The window first, then its controls in the order they are created.
inline constexpr std::array mainWindowDefinition{
    ControlDefinition{.name = "MainWindow", .kind = ControlKind::Window, .identifier = 0x52010001,
                      .geometry = Geometry{50, 50, 155, 188}, .shownAtRunTime = true,
                      .takesFocus = std::nullopt,
                      .caption = "ZorvaneICO提取器", .icon = ":/icons/zorvane-ico.ico"},
    // Wider than the window on purpose: its last 5 pixels lie beyond the right edge.
    ControlDefinition{.name = "标签1", .kind = ControlKind::Label, .identifier = 0x1601000A,
                      .geometry = Geometry{0, 112, 160, 24}, .shownAtRunTime = true,
                      .takesFocus = false,
                      .text = "从EXE文件中取出图标"},
    ControlDefinition{.name = "图片框1", .kind = ControlKind::PictureBox, .identifier = 0x16010007,
                      .geometry = Geometry{24, 16, 104, 40}, .shownAtRunTime = true,
                      .takesFocus = false,
                      .picture = ":/banner.jpg"},
    // "*.ico" after the filter is the default extension: a name typed without one gets ".ico".
    ControlDefinition{.name = "通用对话框2", .kind = ControlKind::SaveFileDialog,
                      .identifier = 0x16010006, .geometry = std::nullopt, .shownAtRunTime = false,
                      .takesFocus = std::nullopt,
                      .title = "选择保存的地址", .filter = "ICO文件|*.ico", .furtherText = "*.ico"},
    ControlDefinition{.name = "通用对话框1", .kind = ControlKind::OpenFileDialog,
                      .identifier = 0x16010003, .geometry = std::nullopt, .shownAtRunTime = false,
                      .takesFocus = std::nullopt,
                      .title = "请选择要提取图标的EXE文件", .filter = "可执行文件|*.exe"},
    ControlDefinition{.name = "按钮1", .kind = ControlKind::PushButton, .identifier = 0x16010002,
                      .geometry = Geometry{16, 72, 128, 32}, .shownAtRunTime = true,
                      .takesFocus = true,
                      .caption = "选择要提取图标的EXE文件", .boundEvents = button1Events},
};

// Code and tests find controls by name, and the platform addresses them by identifier.
constexpr bool namesAndIdentifiersAreDistinct(std::span<const ControlDefinition> definition)
{
    for (auto first = definition.begin(); first != definition.end(); ++first) {
        for (auto second = first + 1; second != definition.end(); ++second) {
            if (first->name == second->name || first->identifier == second->identifier) {
                return false;
            }
        }
    }
    return true;
}
static_assert(namesAndIdentifiersAreDistinct(mainWindowDefinition));

}  // namespace zorvane
