// The commands of the effect table on the command line: what the "generate" and "apply"
// verbs share. A command runs through the same dialog model and the same document command as
// in the program, so it takes the same texts and refuses them with the same messages.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "documents/effect_table.h"
#include "documents/sample_range.h"
#include "documents/wave_document.h"
#include "documents/workspace.h"

namespace kalvora::cli {

// The command named word (case does not matter), or nullptr after a usage error on err.
const TEffectEntry* FindCommand(std::string_view word, std::ostream& err);

// Runs entry on document (a document of workspace, selection already set) with the
// FIELD=TEXT words filled into its dialog, then writes the document's sound to output.
// Wave fields name WAV files, which are opened as documents named by their path. Returns the
// exit status: 2 for a usage error or a value the dialog refuses (its message on err), 1 for
// a file that cannot be read or written, or a command that failed.
int RunCommandWords(TWorkspace& workspace, TUnitWave& document, const TEffectEntry& entry,
                    const std::vector<FieldAssignment>& words, const std::string& output,
                    std::ostream& err);

// --select BEGIN:END over a sound of values samples at freq: each end a sample index, a
// time ("1.5s", "250ms") or a share of the length ("25%"); 0 <= BEGIN <= END <= values.
// Nothing, with error set, when the text is refused.
std::optional<TSampleRange> ParseSelection(std::string_view text, std::int32_t values, int freq,
                                           std::string& error);

}  // namespace kalvora::cli
