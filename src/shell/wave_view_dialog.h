// TWaveViewDialog: the model of the dialog "Wave View". The Qt dialog copies the radio groups,
// check boxes and colours straight into Settings and the texts of its edits into the text
// fields; Accept makes the dialog's checks in its order and words. Core code: value types,
// messages and TWaveViewProps only.
#pragma once

#include <string>

#include "shell/wave_view_props.h"

namespace kalvora {

class TWaveViewDialog {
  public:
    // Fills every text from props; "Use As Default" starts unchecked.
    explicit TWaveViewDialog(const TWaveViewProps& props);

    TWaveViewProps Settings;
    std::string ValuesPerPixelText;    // "Values per Pixel:"
    std::string StrengthText;          // "Strength" of the points
    std::string EnvelopeStrengthText;  // "Strength" of the envelope, in percent
    bool DrawEnvelopeChecked = false;  // "Draw Envelope"
    std::string EnvelopeNameText;      // the drop-down list "Envelope"
    bool UseAsDefault = false;

    // Editing the envelope's name or strength ticks "Draw Envelope".
    void EnvelopeEdited() { DrawEnvelopeChecked = true; }

    // OK: checks "Values per Pixel", "Strength", the envelope and "Background Strength" with
    // one shared flag, showing the first problem under "Input Error". "Draw Envelope" with no
    // wave chosen is refused. On success Settings holds the result and, with "Use As Default",
    // defaults becomes a copy of it; on failure defaults is untouched and the dialog stays.
    bool Accept(TWaveViewProps& defaults);
};

}  // namespace kalvora
