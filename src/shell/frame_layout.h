// Where the commands appear: the menus with their sub-menus and the seven toolbars, as data
// over the command table. Each command is listed at most once in the menus and at most once in
// the toolbars. Standard C++ only.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "shell/commands.h"

namespace kalvora {

enum class MenuId : std::uint8_t {
    file,
    project,
    edit,
    view,
    make,
    effects,
    filter,
    echo,
    music,
    note,
    silence,
    key,
    noteshift,
    point,
    articulation,
    tuplet,
    select,
    move,
    mode,
    window,
    help,
};
inline constexpr std::size_t kMenuCount = static_cast<std::size_t>(MenuId::help) + 1;

struct MenuInfo {
    MenuId id;
    std::string_view caption;  // "&File"
    bool topLevel;             // in the menu bar; otherwise a sub-menu of another menu
};

enum class MenuItemKind : std::uint8_t { command, separator, submenu, windowList, recentFiles };

struct MenuItem {
    MenuItemKind kind;
    CommandId command;  // for kind command
    MenuId submenu;     // for kind submenu
};

std::span<const MenuInfo> Menus();  // in MenuId order; the menu bar shows the top-level ones
const MenuInfo& Menu(MenuId id);
std::span<const MenuItem> MenuItems(MenuId id);

enum class ToolbarId : std::uint8_t {
    basic,
    wave1,
    wave2,
    wave3,
    music1,
    music2,
    music3,
};
inline constexpr std::size_t kToolbarCount = static_cast<std::size_t>(ToolbarId::music3) + 1;

enum class ToolbarItemKind : std::uint8_t { command, separator, nameBox };

struct ToolbarItem {
    ToolbarItemKind kind;
    CommandId command;  // for kind command
};

struct ToolbarInfo {
    ToolbarId id;
    std::string_view name;  // "ToolBarBasic": the object name, also shown in the toolbar menu
    int row;                // 0 for the basic bar; the wave and music sets share rows 1 to 3
};

std::span<const ToolbarInfo> Toolbars();
const ToolbarInfo& Toolbar(ToolbarId id);
std::span<const ToolbarItem> ToolbarItems(ToolbarId id);

// The name box: hint "tooltip|status text".
inline constexpr std::string_view kNameBoxHint = "Name of window|a unique name of the window";

}  // namespace kalvora
