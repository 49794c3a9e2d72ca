// The time ruler above a wave view: a tick at every line of the view's grid (the same round
// step of seconds, so ruler and grid agree at every zoom and scroll position) and a time
// label at those ticks that leave room for it. Core code: standard C++ and the view
// geometry only.
#pragma once

#include <string>
#include <vector>

#include "shell/wave_view_geometry.h"

namespace kalvora {

struct TRulerTick {
    int x = 0;
    bool labelled = false;
    std::string label;  // set when labelled
};

struct TRulerScale {
    double step = 0.0;  // seconds between ticks; 0 when the view shows no time
    std::vector<TRulerTick> ticks;
};

// The ticks of the columns left .. right - 1 of mapping at rate freq. Labels stand at
// multiples of the step chosen so that neighbouring labels lie at least labelSpacing
// columns apart.
TRulerScale RulerScale(const TSampleMapping& mapping, double freq, int labelSpacing);

// A time on the ruler with as many decimals as the step needs: "0.25", "12", "1:05.5" (from
// a minute on, minutes and seconds).
std::string RulerLabel(double seconds, double step);

}  // namespace kalvora
