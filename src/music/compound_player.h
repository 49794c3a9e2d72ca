// The instrument of a note group: a list of one-players whose sounds are added together.
// It always has at least one one-player and owns them all. Standard C++ only.
#pragma once

#include <memory>

#include "music/one_player.h"

namespace kalvora {

class TUnitMuz;

class TCompoundPlayer {
  public:
    // With one one-player made from props.
    TCompoundPlayer(TUnitMuz* unitMuz, const TOnePlayerProps& props);
    TCompoundPlayer(const TCompoundPlayer&) = delete;
    TCompoundPlayer& operator=(const TCompoundPlayer&) = delete;
    virtual ~TCompoundPlayer();

    TOnePlayer* GetStartOnePlayer() const { return StartOnePlayer; }
    int CountOnePlayers() const;
    // The one-player before `player`, null for the first.
    TOnePlayer* FindPrevOnePlayer(const TOnePlayer* player) const;
    bool Contains(const TOnePlayer* player) const;

    // Makes a one-player from props and links it after `after` (at the front when null).
    TOnePlayer* InsertOnePlayer(TOnePlayer* after, const TOnePlayerProps& props);
    // Unlinks `player` and hands it over; the last one-player cannot be removed. The
    // dialog's one-player moves to the next one, or the previous one when it was last.
    std::unique_ptr<TOnePlayer> RemoveOnePlayer(TOnePlayer* player);
    // Moves a one-player one place toward the front or the end; false at either end.
    bool MoveOnePlayerEarlier(TOnePlayer* player);
    bool MoveOnePlayerLater(TOnePlayer* player);

    TOnePlayer* GetDialogOnePlayer() const { return DialogOnePlayer; }
    void SetDialogOnePlayer(TOnePlayer* player);

    TUnitMuz* UnitMuz;

  private:
    void Link(TOnePlayer* after, TOnePlayer* player);
    void Unlink(TOnePlayer* player);

    TOnePlayer* StartOnePlayer = nullptr;
    TOnePlayer* DialogOnePlayer = nullptr;
};

}  // namespace kalvora
