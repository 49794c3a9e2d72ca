// The soak's steps in music windows: clicks and border drags with either or both buttons in
// every mode, the cursor keys, and the checks every music document must pass after a step.
#include <QApplication>
#include <QMdiArea>
#include <QMouseEvent>
#include <QTest>
#include <string>

#include "gui/main_form.h"
#include "gui/mdi_child_muz.h"
#include "gui/view_muz.h"
#include "music/music_file.h"
#include "music/single_part_muz.h"
#include "soak/soak_driver.h"

namespace kalvora::soak {
namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

std::string Point(QPoint p) {
    return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")";
}

// Every single part of the tree, drawn or not.
void CollectSingleParts(TPartMuz& part, std::vector<TSinglePartMuz*>& parts) {
    if (part.GetPartMuzKind() == partMuzSingle) {
        parts.push_back(static_cast<TSinglePartMuz*>(&part));
        return;
    }
    for (int i = 0; i < part.ChildCount(); ++i) {
        if (TPartMuz* child = part.Child(i)) CollectSingleParts(*child, parts);
    }
}

}  // namespace

// Mostly on a stave near its symbols, sometimes on a stave's bottom border with a drag.
void TSoakDriver::ClickInMusic() {
    gui::TMDIChildMuz* window = frame_->ActiveMusicWindow();
    QWidget& viewport = *window->View().viewport();
    const int width = std::max(1, viewport.width());
    const int height = std::max(1, viewport.height());
    TUnitMuz& music = window->Music();
    QPoint from(Uniform(0, width - 1), Uniform(0, height - 1));
    const TNoteStave* stave = music.Staves().FirstStave();
    for (int skip = Uniform(0, 3); skip > 0 && stave != nullptr && stave->GetNext() != nullptr;
         --skip)
        stave = stave->GetNext();
    const bool border = Chance(0.2);
    if (stave != nullptr) {
        const int middle = stave->Layout.MiddleY;
        from.setY(border ? middle + stave->RoomDown.GetValue() + Uniform(-3, 2)
                         : middle + Uniform(-45, 45));
    }
    const QPoint to =
        border || Chance(0.2) ? from + QPoint(Uniform(-5, 5), Uniform(-60, 60)) : from;
    const int pick = Uniform(0, 9);
    const Qt::MouseButtons buttons = pick < 6   ? Qt::MouseButtons(Qt::LeftButton)
                                     : pick < 8 ? Qt::MouseButtons(Qt::RightButton)
                                                : (Qt::LeftButton | Qt::RightButton);
    const Qt::MouseButton first = buttons & Qt::LeftButton ? Qt::LeftButton : Qt::RightButton;
    Log("#" + std::to_string(step_) + " music " + (from == to ? "click" : "drag") + " at " +
        Point(from) + " to " + Point(to) + " buttons " + std::to_string(int(buttons)) + " mode " +
        std::to_string(int(music.UnitMuzMode)));
    SendMouse(viewport, QEvent::MouseButtonPress, from, first, buttons);
    if (to != from) {
        SendMouse(viewport, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, buttons);
        SendMouse(viewport, QEvent::MouseMove, to, Qt::NoButton, buttons);
    }
    SendMouse(viewport, QEvent::MouseButtonRelease, to, first, Qt::NoButton);
    // A move without buttons shows the cursor of the mode.
    SendMouse(viewport, QEvent::MouseMove, to + QPoint(3, 3), Qt::NoButton, Qt::NoButton);
}

void TSoakDriver::PressMusicKeys() {
    gui::TMDIChildMuz* window = frame_->ActiveMusicWindow();
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                            Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown};
    const Qt::KeyboardModifiers modifiers[] = {
        Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
        Qt::ShiftModifier | Qt::ControlModifier, Qt::AltModifier};
    const int count = Uniform(1, 4);
    const Qt::Key key = keys[Uniform(0, 7)];
    const Qt::KeyboardModifiers modifier = modifiers[Uniform(0, 4)];
    Log("#" + std::to_string(step_) + " music key " +
        QKeySequence(key | modifier).toString().toStdString() + " x" + std::to_string(count));
    for (int i = 0; i < count; ++i)
        QTest::keyClick(&window->View(), key, modifier);
}

bool TSoakDriver::ActivateMusicWindow() {
    std::vector<gui::TMDIChildMuz*> windows;
    for (gui::TMDIChildKalvora* window : frame_->DocumentWindows()) {
        if (auto* music = qobject_cast<gui::TMDIChildMuz*>(window)) windows.push_back(music);
    }
    if (windows.empty()) return false;
    gui::TMDIChildMuz* window =
        windows[static_cast<std::size_t>(Uniform(0, static_cast<int>(windows.size()) - 1))];
    Log("#" + std::to_string(step_) + " activate music \"" + window->Music().Name() + "\"");
    if (window->isMinimized()) window->showNormal();
    frame_->MdiArea()->setActiveSubWindow(window);
    return true;
}

// Rooms within their limits, every list in order and every selected stave symbol in one of
// them, and the document always writable and readable again.
void TSoakDriver::CheckMusicWindow(gui::TMDIChildMuz& window) {
    TUnitMuz& music = window.Music();
    const std::string name = "music \"" + music.Name() + "\"";
    for (const TNoteStave* s = music.Staves().FirstStave(); s != nullptr; s = s->GetNext()) {
        for (int room : {s->RoomUp.GetValue(), s->RoomDown.GetValue()}) {
            if (room < TNoteStave::kMinRoom || room > kMaxStaveRoom) {
                Fail("a stave room of " + std::to_string(room) + " pixels in " + name);
                return;
            }
        }
    }
    std::vector<TSinglePartMuz*> parts;
    CollectSingleParts(music.Root(), parts);
    bool selectionFound = music.SelectedStaveSymbol() == nullptr;
    for (const TSinglePartMuz* part : parts) {
        for (const TStaveSymbol* s = part->FirstSymbol(); s != nullptr; s = s->Next) {
            selectionFound = selectionFound || s == music.SelectedStaveSymbol();
            if (s->Position < 0) {
                Fail("a symbol at a negative position in " + name);
                return;
            }
            if (s->Next != nullptr && Before(*s->Next, *s)) {
                Fail("a symbol list out of order in " + name);
                return;
            }
        }
    }
    if (!selectionFound) {
        Fail("the selected symbol is in no list of " + name);
        return;
    }
    if (step_ % 25 != 0) return;
    std::string bytes, error;
    TUnitMuz copy(frame_->Workspace().Registry(), true);
    if (!WriteMusicText(music, bytes, error) || !LoadMusicText(bytes, copy, error))
        Fail("the music file of " + name + " does not read back: " + error);
}

}  // namespace kalvora::soak
