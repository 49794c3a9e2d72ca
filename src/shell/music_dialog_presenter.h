// TMusicDialogPresenter: everything the "Music" tool window does, without the window. It
// shows the tempo and three nested lists of a music document (its staves, the note groups of
// the current stave, the one-players of the current group's compound player) with the
// current item of each kept in the model, runs the list buttons, applies the check boxes,
// colours, note shape, stems and player page at once, and commits the edit fields and sample
// wave names when they lose the focus, refusing bad values with a message. Every change
// redraws the music window and marks the document changed. Standard C++ only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "music/unit_muz.h"
#include "platform/color.h"
#include "shell/dialog_field_commit.h"
#include "shell/music_playback.h"

namespace kalvora {

enum class TMusicListLevel : std::uint8_t { stave, group, player };

enum class TListButton : std::uint8_t {
    first,
    previous,
    next,
    last,
    insert,
    append,
    remove,  // "Delete"
    movePrevious,
    moveNext,
};
inline constexpr int kListButtonCount = static_cast<int>(TListButton::moveNext) + 1;

// The edit fields and sample wave boxes that commit on focus loss. The page fields belong to
// the player pages in the order of TNotePlayerKind.
enum class TMusicField : std::uint8_t {
    tempo,
    roomUp,
    roomDown,
    volumeFactor,
    freqUp,
    simpleSampleWave,
    simpleBasicFreq,
    resonantSampleWave,
    resonantFactor,
    repeatSampleWave,
    rollOutSampleWave,
    rollOutBasicFreq,
    rollOutWaveFormSampleWave,
};
inline constexpr int kMusicFieldCount =
    static_cast<int>(TMusicField::rollOutWaveFormSampleWave) + 1;

// The page a field lies on, or notePlayerNone for the fields outside the player pages.
TNotePlayerKind PageOfField(TMusicField field);

// The stem boxes of a note group.
enum class TStickBox : std::uint8_t { up, down };

// One list level as shown: count, 1-based cursor and the buttons' enabling.
struct TListLevelView {
    std::string count;
    std::string cursor;
    std::array<bool, kListButtonCount> enabled{};

    bool Enabled(TListButton button) const { return enabled[static_cast<int>(button)]; }
};

// What the dialog shows; disabled fields are empty.
struct TMusicDialogView {
    bool hasDocument = false;
    std::array<std::string, kMusicFieldCount> texts{};
    std::array<bool, kMusicFieldCount> fieldEnabled{};
    std::array<TListLevelView, 3> levels{};

    bool staveEnabled = false;
    bool allowJoinFlags = false;
    bool enableSound = false;
    bool extraLines = false;
    platform::Color foreground = 0;
    platform::Color background = 0;
    bool playStaveEnabled = false;

    bool groupEnabled = false;
    int noteShape = -1;  // -1: none shown
    platform::Color noteColor = 0;
    bool sticksUp = false;
    bool sticksDown = false;
    bool playGroupEnabled = false;

    bool playerEnabled = false;
    int page = -1;  // TNotePlayerKind of the shown page, -1 for none

    const std::string& Text(TMusicField field) const { return texts[static_cast<int>(field)]; }
    bool Enabled(TMusicField field) const { return fieldEnabled[static_cast<int>(field)]; }
    const TListLevelView& Level(TMusicListLevel level) const {
        return levels[static_cast<int>(level)];
    }
};

class TMusicDialogPresenter {
  public:
    explicit TMusicDialogPresenter(TMusicPlayback* playback = nullptr) : playback_(playback) {}

    // The document shown, or none; forgets a pending edit.
    void Bind(TUnitMuz* unit);
    TUnitMuz* Unit() const { return unit_; }

    TMusicDialogView Describe() const;

    // The current items (none without a document).
    TNoteStave* CurrentStave() const;
    TNoteGroup* CurrentGroup() const;
    TOnePlayer* CurrentPlayer() const;

    // A list button; false when it is not enabled.
    bool Press(TMusicListLevel level, TListButton button);

    // Fields applied at once (ignored while refreshing).
    void SetAllowJoinFlags(bool checked);
    void SetEnableSound(bool checked);
    void SetExtraLines(bool checked);
    void SetForeground(platform::Color color);
    void SetBackground(platform::Color color);
    void SetNoteShape(int shape);
    void SetNoteColor(platform::Color color);
    // A stem box was checked or unchecked: the other one is unchecked when this one is
    // checked; the group's stem kind follows.
    void SetStickBox(TStickBox box, bool checked);
    void ChoosePlayerPage(TNotePlayerKind kind);

    // Typing in an edit field or sample wave box (ignored while refreshing).
    void Typed();
    // A field lost the focus holding `text`.
    TFieldCommit LeaveField(TMusicField field, std::string_view text);

    bool PlayStave();
    bool PlayNoteGroup();

    // Raised by the window around every refresh of its controls.
    void BeginUpdate() { ++updating_; }
    void EndUpdate() { --updating_; }
    bool Updating() const { return updating_ > 0; }

  private:
    void Normalize();
    TListLevelView DescribeLevel(TMusicListLevel level) const;
    void DescribeFields(TMusicDialogView& view) const;
    bool PressStave(TListButton button);
    bool PressGroup(TListButton button);
    bool PressPlayer(TListButton button);
    bool Commit(TMusicField field, std::string_view text);
    bool CommitPlayerField(TOnePlayer& player, TMusicField field, std::string_view text);
    bool Editable() const { return unit_ != nullptr && !Updating(); }
    void Changed(bool redraw = true);

    TUnitMuz* unit_ = nullptr;
    TMusicPlayback* playback_;
    int updating_ = 0;
    bool changed_ = false;     // typed since the last commit
    bool committing_ = false;  // a message of a commit is open
};

// The one-player the dialog inserts: a simple one sampler of the wave "sample" whose own
// pitch is 1000 Hz, shown in kilohertz, no frequency raise, volume 0.5 shown in percent.
TOnePlayerProps DialogOnePlayerProps();

}  // namespace kalvora
