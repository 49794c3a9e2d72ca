// The table of an effect dialog's fields for its page in the manual, made from the effect
// table so that the page always shows the fields, defaults and command-line names the
// program really has. Standard C++ only.
#pragma once

#include <string>

#include "documents/effect_table.h"

namespace kalvora {

// An HTML table: one row per field in the dialog's order (the fields of an alternative
// indented under it) with the label, the FIELD name kalvora-cli takes, the default in its
// own text form and what else the field accepts.
std::string EffectFieldTableHtml(const TEffectEntry& entry);

}  // namespace kalvora
