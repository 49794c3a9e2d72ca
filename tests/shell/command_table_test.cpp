#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "shell/frame_layout.h"

namespace kalvora {
namespace {

TEST(CommandTableTest, EveryCommandIsFoundByItsNameAndHasItsTexts) {
    for (const CommandInfo& info : CommandTable()) {
        EXPECT_EQ(FindCommandByName(info.name), info.id) << info.name;
        if (info.category != CommandCategory::key) {
            EXPECT_FALSE(info.caption.empty()) << info.name;
            EXPECT_FALSE(info.image.empty()) << info.name;
        }
    }
    EXPECT_FALSE(FindCommandByName("NoSuchCommand"));
}

TEST(CommandTableTest, TextsAndShortcutsAreThoseOfTheTable) {
    const CommandInfo& save = Command(CommandId::FileSaveAs);
    EXPECT_EQ(save.caption, "Save &As...");
    EXPECT_EQ(ToolTipOf(save.hint), "Save As");
    EXPECT_EQ(StatusTextOf(save.hint), "Save current file with different name");
    // A hint without "|" serves for both.
    EXPECT_EQ(ToolTipOf(Command(CommandId::FileRevert).hint),
              "Discard changes and re-open the file");
    EXPECT_EQ(StatusTextOf(Command(CommandId::FileRevert).hint),
              "Discard changes and re-open the file");
    // The stored form: key code + 8192 Shift + 16384 Ctrl + 32768 Alt.
    EXPECT_EQ(Command(CommandId::FileNewWave).shortcut.Stored(), 'N' + 16384);
    EXPECT_EQ(Command(CommandId::FileNewMuz).shortcut.Stored(), 'N' + 8192 + 16384);
    EXPECT_EQ(Command(CommandId::FilterBlock).shortcut.Stored(), 'B' + 16384 + 32768);
    EXPECT_EQ(Command(CommandId::FilePlay).shortcut.Stored(), 'P');
    EXPECT_EQ(Shortcut::FromStored(Command(CommandId::EditTrim).shortcut.Stored()),
              Command(CommandId::EditTrim).shortcut);
    EXPECT_TRUE(Command(CommandId::MakeSilence).shortcut.Empty());
}

TEST(CommandTableTest, ShortcutTextsReadAsMenusShowThem) {
    EXPECT_EQ(ShortcutText(Command(CommandId::FileNewMuz).shortcut), "Ctrl+Shift+N");
    EXPECT_EQ(ShortcutText(Command(CommandId::EditTrim).shortcut), "Ctrl+Shift+Del");
    EXPECT_EQ(ShortcutText(Command(CommandId::MakeSinus).shortcut), "Alt+Shift+S");
    EXPECT_EQ(ShortcutText(Command(CommandId::HelpAbout).shortcut), "Alt+F1");
    EXPECT_EQ(ShortcutText(Command(CommandId::WindowCascade).shortcut), "Shift+F5");
    EXPECT_EQ(ShortcutText(Command(CommandId::MusicPointDelete).shortcut), "Shift+.");
    EXPECT_EQ(ShortcutText(Command(CommandId::MusicModeAdd).shortcut), "Alt+Ins");
    EXPECT_EQ(ShortcutText(Command(CommandId::MusicTwin).shortcut), "Ctrl+2");
    EXPECT_EQ(ShortcutText(Shortcut{}), "");
}

TEST(CommandTableTest, PlainCaptionDropsAcceleratorsAndEllipsis) {
    EXPECT_EQ(PlainCaption("&Open wave..."), "Open wave");
    EXPECT_EQ(PlainCaption("M&aximal Volume"), "Maximal Volume");
    EXPECT_EQ(PlainCaption("Save && Close"), "Save & Close");
}

// Only keyH shares its key with a menu command (MoveH); every other key is one command's.
TEST(CommandTableTest, ShortcutsAreUniqueExceptTheSharedH) {
    std::map<std::uint16_t, std::vector<std::string_view>> owners;
    for (const CommandInfo& info : CommandTable()) {
        if (!info.shortcut.Empty()) owners[info.shortcut.Stored()].push_back(info.name);
    }
    for (const auto& [stored, names] : owners) {
        if (stored == 'H') {
            EXPECT_EQ(names, (std::vector<std::string_view>{"MoveH", "keyH"}));
        } else {
            EXPECT_EQ(names.size(), 1u) << names[0] << " shares " << stored;
        }
    }
}

void CollectMenu(MenuId id, std::multiset<CommandId>& commands, std::set<MenuId>& reached) {
    EXPECT_TRUE(reached.insert(id).second) << "menu reached twice: " << Menu(id).caption;
    for (const MenuItem& item : MenuItems(id)) {
        if (item.kind == MenuItemKind::command) commands.insert(item.command);
        if (item.kind == MenuItemKind::submenu) {
            EXPECT_FALSE(Menu(item.submenu).topLevel);
            CollectMenu(item.submenu, commands, reached);
        }
    }
}

TEST(FrameLayoutTest, EveryMenuCommandIsInTheMenusOnceAndKeysAreInNone) {
    std::multiset<CommandId> commands;
    std::set<MenuId> reached;
    std::vector<std::string_view> bar;
    for (const MenuInfo& menu : Menus()) {
        if (!menu.topLevel) continue;
        bar.push_back(menu.caption);
        CollectMenu(menu.id, commands, reached);
    }
    EXPECT_EQ(bar, (std::vector<std::string_view>{"&File", "&Project", "&Edit", "&View", "&Make",
                                                  "&Effects", "M&usic", "&Window", "&Help"}));
    EXPECT_EQ(reached.size(), kMenuCount);
    for (const CommandInfo& info : CommandTable()) {
        std::size_t expected = info.category == CommandCategory::key ? 0 : 1;
        EXPECT_EQ(commands.count(info.id), expected) << info.name;
    }
}

TEST(FrameLayoutTest, ToolbarsListEachCommandOnceInTheirRows) {
    std::multiset<CommandId> buttons;
    int nameBoxes = 0;
    for (const ToolbarInfo& toolbar : Toolbars()) {
        for (const ToolbarItem& item : ToolbarItems(toolbar.id)) {
            if (item.kind == ToolbarItemKind::command) buttons.insert(item.command);
            if (item.kind == ToolbarItemKind::nameBox) {
                ++nameBoxes;
                EXPECT_EQ(toolbar.id, ToolbarId::basic);
            }
        }
    }
    EXPECT_EQ(nameBoxes, 1);
    for (CommandId id : buttons)
        EXPECT_EQ(buttons.count(id), 1u) << Command(id).name;
    // What the basic and the wave toolbars hold.
    for (CommandId id : {CommandId::FileNewWave, CommandId::ProjectExport, CommandId::FileRecord,
                         CommandId::EditClearClipboard, CommandId::RollIn, CommandId::FilterNotch,
                         CommandId::MusicGenerate, CommandId::MusicNote64}) {
        EXPECT_EQ(buttons.count(id), 1u) << Command(id).name;
    }
    EXPECT_EQ(Toolbar(ToolbarId::wave2).row, Toolbar(ToolbarId::music2).row);
    EXPECT_EQ(ToolbarItems(ToolbarId::wave3).size(), 12u);  // 10 buttons, 2 gaps
}

}  // namespace
}  // namespace kalvora
