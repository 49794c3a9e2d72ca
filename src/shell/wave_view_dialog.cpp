// The model of the dialog "Wave View".
#include "shell/wave_view_dialog.h"

#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "platform/messages.h"

namespace kalvora {

TWaveViewDialog::TWaveViewDialog(const TWaveViewProps& props)
    : Settings(props),
      ValuesPerPixelText(unitIntegerPosMore(props.ValuesPerPixel).GetText()),
      StrengthText(unitFactorPosMore(props.Strength, props.StrengthUnit).GetText()),
      EnvelopeStrengthText(
          unitFactorPosMax1(props.EnvelopeStrength, props.EnvelopeStrengthUnit).GetText()),
      DrawEnvelopeChecked(props.DrawEnvelope && !props.EnvelopeName.empty()),
      EnvelopeNameText(props.EnvelopeName) {}

bool TWaveViewDialog::Accept(TWaveViewProps& defaults) {
    bool ok = true;
    unitIntegerPosMore valuesPerPixel(Settings.ValuesPerPixel);
    valuesPerPixel.Check(ok, ValuesPerPixelText, "Values per Pixel");
    unitFactorPosMore strength(Settings.Strength, Settings.StrengthUnit);
    strength.Check(ok, StrengthText, "Strength");
    if (ok && DrawEnvelopeChecked && EnvelopeNameText.empty()) {
        // An empty name would match any unnamed document and cannot be stored.
        platform::ShowMessage("In Envelope: Choose the wave to draw as envelope.",
                              platform::caption::inputError, platform::MessageIcon::information);
        ok = false;
    }
    unitFactorPosMax1 envelopeStrength(Settings.EnvelopeStrength, Settings.EnvelopeStrengthUnit);
    envelopeStrength.Check(ok, EnvelopeStrengthText, "Background Strength");
    if (!ok) return false;
    Settings.ValuesPerPixel = valuesPerPixel.GetValue();
    Settings.Strength = strength.GetValue();
    Settings.StrengthUnit = strength.GetDisplayUnit();
    Settings.DrawEnvelope = DrawEnvelopeChecked;
    if (DrawEnvelopeChecked) Settings.EnvelopeName = EnvelopeNameText;
    Settings.EnvelopeStrength = envelopeStrength.GetValue();
    Settings.EnvelopeStrengthUnit = envelopeStrength.GetDisplayUnit();
    if (UseAsDefault) defaults = Settings;
    return true;
}

}  // namespace kalvora
