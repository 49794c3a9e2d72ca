#include "gui/effect_commands.h"

#include "documents/effect_command.h"
#include "gui/effect_dialog.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "platform/assertion.h"
#include "shell/command_table.h"

namespace kalvora::gui {

void RegisterEffectCommands(TMainForm& frame) {
    for (const TEffectEntry& entry : EffectTable()) {
        const auto id = FindCommandByName(entry.command);
        KALVORA_ASSERT(id.has_value());
        frame.SetHandler(*id, [&frame, &entry] {
            TMDIChildWave* window = frame.ActiveWaveWindow();
            if (window == nullptr) return;
            RunEffectCommand(window->Wave(), entry, [&frame](TEffectDialogModel& model) {
                return ExecEffectDialog(model, &frame);
            });
        });
    }
}

}  // namespace kalvora::gui
