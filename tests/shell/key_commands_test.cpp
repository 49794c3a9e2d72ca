#include "shell/key_commands.h"

#include <gtest/gtest.h>

#include "shell/command_table.h"

namespace kalvora {
namespace {

using C = CommandId;

Shortcut Keys(std::uint8_t key, bool shift = false, bool ctrl = false, bool alt = false) {
    return Shortcut{key, shift, ctrl, alt};
}

TEST(KeyCommandsTest, TheKeyHMovesAWaveAndSharpensMusic) {
    EXPECT_EQ(CommandForShortcut(Keys('H'), WindowKind::wave), C::MoveH);
    EXPECT_EQ(CommandForShortcut(Keys('H'), WindowKind::music), C::MusicNSCross);
    EXPECT_EQ(CommandForShortcut(Keys('H', true), WindowKind::music), C::MusicNSDCross);
    EXPECT_EQ(CommandForShortcut(Keys('H', true), WindowKind::wave), std::nullopt);
}

TEST(KeyCommandsTest, KeyboardCommandsRunTheirWindowsCommand) {
    struct Case {
        Shortcut key;
        WindowKind kind;
        std::optional<CommandId> command;
    };
    for (Case c :
         {Case{Keys('D'), WindowKind::wave, C::DuplicateWave},
          Case{Keys('D'), WindowKind::music, C::DuplicateMuz},
          Case{Keys(keycode::del, false, true), WindowKind::wave, C::EditDelete},
          Case{Keys(keycode::del, false, false, true), WindowKind::wave, C::DeleteUndo},
          Case{Keys(keycode::del, false, false, true), WindowKind::music, C::MusicModeDelete},
          Case{Keys('P', false, true), WindowKind::music, C::FileProperties},
          Case{Keys('L'), WindowKind::wave, C::Length}, Case{Keys('L'), WindowKind::music, C::keyL},
          Case{Keys('L', true), WindowKind::wave, std::nullopt},
          Case{Keys('D', false, false, true), WindowKind::music, C::NoteStickDown},
          Case{Keys('D', false, true), WindowKind::wave, std::nullopt},
          Case{Keys('D', false, true), WindowKind::none, std::nullopt},
          Case{Keys('P'), WindowKind::music, C::FilePlay},
          Case{Keys('P'), WindowKind::wave, C::FilePlay},
          Case{Keys('Z', false, true), WindowKind::none, C::Undo},
          Case{Keys('J'), WindowKind::wave, std::nullopt}}) {
        EXPECT_EQ(CommandForShortcut(c.key, c.kind), c.command)
            << ShortcutText(c.key) << " kind " << static_cast<int>(c.kind);
    }
}

TEST(KeyCommandsTest, TypingLetsOnlyEditingAndNavigationKeysThrough) {
    // "P" typed into the name box is a "p", never Play.
    EXPECT_FALSE(KeyPassesTypingFilter('P'));
    EXPECT_FALSE(KeyPassesTypingFilter('S'));
    EXPECT_FALSE(KeyPassesTypingFilter(keycode::f1));
    EXPECT_FALSE(KeyPassesTypingFilter(keycode::period));
    for (std::uint8_t key :
         {keycode::tab, keycode::enter, keycode::end, keycode::home, keycode::left, keycode::up,
          keycode::right, keycode::down, keycode::insert, keycode::del}) {
        EXPECT_TRUE(KeyPassesTypingFilter(key)) << int(key);
    }
}

}  // namespace
}  // namespace kalvora
