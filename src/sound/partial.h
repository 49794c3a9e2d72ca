// The partials of a multi-frequency sound: as the user gives them (in seconds) and as the
// wave operation uses them (in samples). Standard C++ only.
#pragma once

namespace kalvora {

// One partial in the user's terms.
struct FreqPartial {
    double startVolume = 0.5;       // factor of the source's values at the first sample
    double period = 0.001;          // seconds
    double startAngle = 0;          // 0 <= angle < 1: where in the source the partial starts
    double volumeFactor = 0.1;      // > 0: the volume is multiplied by this ...
    double volumeFactorTime = 1.0;  // ... every this many seconds (> 0)
};

// One partial in samples: the volume is multiplied by decay after every sample.
struct SamplePartial {
    double startVolume = 0;
    double period = 1;  // samples, > 0
    double startAngle = 0;
    double decay = 1;
};

}  // namespace kalvora
