// The model of the tool window "Select and Zoom".
#include "shell/select_zoom.h"

#include <algorithm>
#include <cmath>

#include "platform/messages.h"

namespace kalvora {
namespace {

void InputError(const std::string& text) {
    platform::ShowMessage(text, platform::caption::inputError, platform::MessageIcon::information);
}

void PastTheEnd(const std::string& field) {
    InputError("In " + field + ": Must be prior before the end of the wave.");
}

std::int64_t SampleAt(double rate, double seconds) {
    return static_cast<std::int64_t>(std::trunc(rate * seconds + 0.5));
}

}  // namespace

void TSelectZoom::FillSelection(double rate, std::int64_t cursor,
                                std::optional<std::int64_t> otherEnd) {
    CursorChosen = !otherEnd.has_value();
    if (CursorChosen) {
        at_.SetValue(static_cast<double>(cursor) / rate);
        AtText = at_.GetText();
        PartBeginText.clear();
        PartEndText.clear();
        return;
    }
    const std::int64_t low = std::min(cursor, *otherEnd);
    const std::int64_t high = std::max(cursor, *otherEnd);
    partBegin_.SetValue(static_cast<double>(low) / rate);
    partEnd_.SetValue(static_cast<double>(high) / rate);
    PartBeginText = partBegin_.GetText();
    PartEndText = partEnd_.GetText();
    AtText.clear();
}

void TSelectZoom::FillView(int view, double rate, std::optional<double> first, double last) {
    ViewZoom& zoom = Views[view];
    zoom.Zoomed = first.has_value();
    if (!zoom.Zoomed) {
        zoom.BeginText.clear();
        zoom.EndText.clear();
        return;
    }
    zoom.Begin.SetValue(*first / rate);
    zoom.End.SetValue(last / rate);
    zoom.BeginText = zoom.Begin.GetText();
    zoom.EndText = zoom.End.GetText();
}

TSelectZoom::Actions TSelectZoom::Apply(double rate, std::int64_t sampleCount) {
    Actions actions;
    const double duration = static_cast<double>(sampleCount) / rate;
    bool ok = true;
    if (CursorChosen) {
        at_.Check(ok, AtText, "Cursor At");
        if (ok) {
            if (at_.GetValue() >= duration) {
                PastTheEnd("Selected Cursor");
            } else {
                actions.Cursor = SampleAt(rate, at_.GetValue());
            }
        }
    } else {
        partBegin_.Check(ok, PartBeginText, "Part Begin");
        partEnd_.Check(ok, PartEndText, "Part End");
        if (ok) {
            if (partEnd_.GetValue() <= partBegin_.GetValue()) {
                InputError("Part Begin must be prior before Part End.");
            } else if (partBegin_.GetValue() >= duration) {
                PastTheEnd("Part Begin");
            } else if (partEnd_.GetValue() >= duration) {
                PastTheEnd("Part End");
            } else {
                actions.SelectionBegin = SampleAt(rate, partBegin_.GetValue());
                actions.SelectionEnd = SampleAt(rate, partEnd_.GetValue());
            }
        }
    }
    static const char* const words[2] = {"First", "Second"};
    for (int view = 0; view < 2; ++view) {
        ViewZoom& zoom = Views[view];
        if (!zoom.Zoomed) {
            actions.ViewZoomAction[view] = Actions::Zoom::unzoom;
            continue;
        }
        const std::string word = words[view];
        const std::string beginField = "Zoom " + word + " Begin";
        const std::string endField = "Zoom " + word + " End";
        zoom.Begin.Check(ok, zoom.BeginText, beginField);
        zoom.End.Check(ok, zoom.EndText, endField);
        if (!ok) continue;
        if (zoom.End.GetValue() <= zoom.Begin.GetValue()) {
            InputError("Zoom " + word + ": Begin must be prior before End.");
        } else if (zoom.Begin.GetValue() >= duration) {
            PastTheEnd(beginField);
        } else if (zoom.End.GetValue() >= duration) {
            PastTheEnd(endField);
        } else {
            const std::int64_t begin = SampleAt(rate, zoom.Begin.GetValue());
            // Ends closer than half a sample fall on one sample: show that sample.
            const std::int64_t end = std::max(SampleAt(rate, zoom.End.GetValue()), begin + 1);
            actions.ViewZoomAction[view] = Actions::Zoom::zoomTo;
            actions.ZoomBegin[view] = begin;
            actions.ZoomEnd[view] = end;
        }
    }
    return actions;
}

platform::Point SelectZoomPlace(const platform::Rect& frame, platform::Size screen,
                                platform::Size window) {
    return platform::Point{std::min(frame.right, screen.width - window.width),
                           std::min(frame.bottom, screen.height - window.height)};
}

}  // namespace kalvora
