#include "music/compound_player.h"

#include "platform/assertion.h"

namespace kalvora {

TCompoundPlayer::TCompoundPlayer(TUnitMuz* unitMuz, const TOnePlayerProps& props)
    : UnitMuz(unitMuz) {
    DialogOnePlayer = InsertOnePlayer(nullptr, props);
}

TCompoundPlayer::~TCompoundPlayer() {
    while (StartOnePlayer != nullptr) {
        TOnePlayer* next = StartOnePlayer->Next;
        delete StartOnePlayer;
        StartOnePlayer = next;
    }
}

int TCompoundPlayer::CountOnePlayers() const {
    int count = 0;
    for (const TOnePlayer* p = StartOnePlayer; p != nullptr; p = p->Next)
        ++count;
    return count;
}

TOnePlayer* TCompoundPlayer::FindPrevOnePlayer(const TOnePlayer* player) const {
    TOnePlayer* previous = nullptr;
    for (TOnePlayer* p = StartOnePlayer; p != nullptr && p != player; p = p->Next)
        previous = p;
    return previous;
}

bool TCompoundPlayer::Contains(const TOnePlayer* player) const {
    for (const TOnePlayer* p = StartOnePlayer; p != nullptr; p = p->Next) {
        if (p == player) return true;
    }
    return false;
}

TOnePlayer* TCompoundPlayer::InsertOnePlayer(TOnePlayer* after, const TOnePlayerProps& props) {
    KALVORA_ASSERT(after == nullptr || Contains(after));
    auto* player = new TOnePlayer(this, props);
    Link(after, player);
    return player;
}

std::unique_ptr<TOnePlayer> TCompoundPlayer::RemoveOnePlayer(TOnePlayer* player) {
    KALVORA_ASSERT(Contains(player));
    KALVORA_ASSERT(CountOnePlayers() > 1);
    if (DialogOnePlayer == player) {
        DialogOnePlayer = player->Next != nullptr ? player->Next : FindPrevOnePlayer(player);
    }
    Unlink(player);
    return std::unique_ptr<TOnePlayer>(player);
}

bool TCompoundPlayer::MoveOnePlayerEarlier(TOnePlayer* player) {
    TOnePlayer* previous = FindPrevOnePlayer(player);
    if (previous == nullptr) return false;
    Unlink(player);
    Link(FindPrevOnePlayer(previous), player);
    return true;
}

bool TCompoundPlayer::MoveOnePlayerLater(TOnePlayer* player) {
    TOnePlayer* next = player->Next;
    if (next == nullptr) return false;
    Unlink(player);
    Link(next, player);
    return true;
}

void TCompoundPlayer::SetDialogOnePlayer(TOnePlayer* player) {
    KALVORA_ASSERT(player == nullptr || Contains(player));
    DialogOnePlayer = player;
}

void TCompoundPlayer::Link(TOnePlayer* after, TOnePlayer* player) {
    if (after == nullptr) {
        player->Next = StartOnePlayer;
        StartOnePlayer = player;
    } else {
        player->Next = after->Next;
        after->Next = player;
    }
}

void TCompoundPlayer::Unlink(TOnePlayer* player) {
    TOnePlayer* previous = FindPrevOnePlayer(player);
    if (previous == nullptr) {
        StartOnePlayer = player->Next;
    } else {
        previous->Next = player->Next;
    }
    player->Next = nullptr;
}

}  // namespace kalvora
