#include "shell/music_status_texts.h"

#include <cmath>
#include <cstdint>

#include "music/stave_time_symbol.h"

namespace kalvora {

std::string FractionText(double x) {
    int d = 1;
    while (d <= 64 && x * d != std::trunc(x * d))
        d *= 2;
    // Positions stop far below the range of a 64-bit integer.
    const auto w = static_cast<std::int64_t>(std::trunc(x));
    if (d == 1) return std::to_string(w);
    const auto n = static_cast<std::int64_t>(std::trunc((x - static_cast<double>(w)) * d));
    std::string fraction = std::to_string(n) + "/" + std::to_string(d);
    return w != 0 ? std::to_string(w) + " " + fraction : fraction;
}

std::string NoteName(int pitch, TNoteShiftKind shift) {
    static constexpr const char* kLetters[] = {"a", "b", "c", "d", "e", "f", "g"};
    const int wrapped = pitch - 7 * static_cast<int>(std::floor((pitch + 2) / 7.0));
    std::string name = kLetters[wrapped + 2];
    const bool vowel = name == "a" || name == "e";
    switch (shift) {
        case noteShiftDoubleKruis:
            name += "isis";
            break;
        case noteShiftKruis:
            name += "is";
            break;
        case noteShiftMol:
            name += vowel ? "s" : "es";
            break;
        case noteShiftDoubleMol:
            name += vowel ? "ses" : "eses";
            break;
        default:
            break;
    }
    return name + std::to_string((pitch + 700) / 7 - 96);
}

std::array<std::optional<std::string>, 4> MusicStatusTexts(const TUnitMuz& music) {
    std::array<std::optional<std::string>, 4> panels;
    const TXTouchMuzSymbol* selected = music.SelectedSymbol();
    if (selected == nullptr) {
        panels.fill(std::string());
        return panels;
    }
    switch (selected->GetMuzSymbolKind()) {
        case muzSymbolBar:
            panels[0] = "Bar";
            return panels;
        case muzSymbolLoop:
            panels[0] = "Loop";
            return panels;
        case muzSymbolStave:
            break;
    }
    const auto& symbol = static_cast<const TStaveSymbol&>(*selected);
    panels[1] = "pos: " + FractionText(symbol.Position);
    panels[2] = std::string();
    panels[3] = std::string();
    if (symbol.IsKey()) {
        panels[0] = "Key";
        return panels;
    }
    const auto& timed = static_cast<const TStaveTimeSymbol&>(symbol);
    panels[2] = "len: " + FractionText(timed.GetTotalLength());
    if (symbol.IsSilence()) {
        panels[0] = "Silence";
        return panels;
    }
    const auto& note = static_cast<const TMuzNote&>(symbol);
    panels[0] = "Note";
    panels[3] = NoteName(note.Pitch, static_cast<TNoteShiftKind>(note.NoteShiftKind));
    return panels;
}

}  // namespace kalvora
