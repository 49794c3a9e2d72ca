#include "shell/key_commands.h"

#include <array>

#include "shell/command_table.h"

namespace kalvora {
namespace {

using C = CommandId;

struct KeyBinding {
    CommandId key;
    std::optional<CommandId> music;  // nullopt: the key command itself is the music operation
    std::optional<CommandId> wave;   // nullopt: nothing with a wave window
};

constexpr std::nullopt_t self = std::nullopt;
constexpr std::nullopt_t nothing = std::nullopt;

const std::array<KeyBinding, 23> bindings{{
    {C::keyCtrlP, C::FileProperties, C::FileProperties},
    {C::keyCtrlDel, C::MusicDelete, C::EditDelete},
    {C::keyAltDel, C::MusicModeDelete, C::DeleteUndo},
    {C::keyAltN, self, C::MakeNoise},
    {C::keyAltS, self, C::MakeSilence},
    {C::keyL, self, C::Length},
    {C::keyShiftL, self, nothing},
    {C::keyAltL, self, C::MakeLine},
    {C::keyShiftAltL, self, nothing},
    {C::keyB, C::MusicNSMol, C::Balance},
    {C::keyShiftB, C::MusicNSDMol, C::Block},
    {C::keyH, C::MusicNSCross, nothing},
    {C::keyShiftH, C::MusicNSDCross, nothing},
    {C::keyE, C::MusicNSNormal, nothing},
    {C::keyCtrlD, C::MusicDialog, nothing},
    {C::keyShiftCtrlD, C::MusicDialog, nothing},
    {C::keyAltP, C::MusicPlayNote, nothing},
    {C::keyShiftAltP, C::MusicAutoPlay, nothing},
    {C::keyAltG, C::MusicNoteGroupNext, nothing},
    {C::keyShiftAltG, C::MusicNoteGroupPrev, nothing},
    {C::keyD, C::DuplicateMuz, C::DuplicateWave},
    {C::keyAltU, C::NoteStickUp, nothing},
    {C::keyAltD, C::NoteStickDown, C::DrawWaveLin},
}};

const KeyBinding* FindBinding(CommandId keyCommand) {
    for (const KeyBinding& binding : bindings) {
        if (binding.key == keyCommand) return &binding;
    }
    return nullptr;
}

}  // namespace

std::optional<CommandId> KeyCommandTarget(CommandId keyCommand, WindowKind kind) {
    const KeyBinding* binding = FindBinding(keyCommand);
    if (binding == nullptr) return std::nullopt;
    switch (kind) {
        case WindowKind::music:
            return binding->music ? *binding->music : keyCommand;
        case WindowKind::wave:
            return binding->wave;
        case WindowKind::none:
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<CommandId> CommandForShortcut(Shortcut pressed, WindowKind kind) {
    if (pressed.Empty()) return std::nullopt;
    std::optional<CommandId> menuCommand;
    std::optional<CommandId> keyCommand;
    for (const CommandInfo& info : CommandTable()) {
        if (info.shortcut != pressed) continue;
        if (info.category == CommandCategory::key) {
            keyCommand = info.id;
        } else {
            menuCommand = info.id;
        }
    }
    if (keyCommand) {
        std::optional<CommandId> target = KeyCommandTarget(*keyCommand, kind);
        if (target) return target;
    }
    return menuCommand;
}

bool KeyPassesTypingFilter(std::uint8_t key) {
    switch (key) {
        case keycode::tab:
        case keycode::enter:
        case keycode::end:
        case keycode::home:
        case keycode::left:
        case keycode::up:
        case keycode::right:
        case keycode::down:
        case keycode::insert:
        case keycode::del:
            return true;
        default:
            return false;
    }
}

}  // namespace kalvora
