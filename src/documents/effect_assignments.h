// The effect table as text: FIELD=TEXT assignments applied to an effect dialog the way a user
// would fill it in, and the description of a command's fields with their defaults. This is
// how kalvora-cli reads and explains the commands. Standard C++ and the documents only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "documents/effect_dialog.h"
#include "documents/effect_table.h"

namespace kalvora {

struct TFieldText {
    std::string field;  // the field's name (SameName)
    std::string text;
};

// Applies the assignments in order to a shown dialog:
// - a value field gets the text in its edit, to be read by OK exactly as typed;
// - a choice takes the label of one of its alternatives, blanks left out ("SameLengthas" or
//   "sameLengthAs"); a check box takes "on" or "off";
// - a wave field takes the name of a document in its list;
// - a field of an alternative chooses that alternative, also inside nested alternatives.
// Returns the usage error, or nothing: an unknown field, a field given twice, a choice or
// check box text that names nothing, a wave the list does not offer, or fields of two
// alternatives of one choice. Values are not read here: the dialog's Ok() does that.
std::optional<std::string> ApplyFieldTexts(TEffectDialogModel& dialog,
                                           const std::vector<TFieldText>& texts);

// A command's fields, one a line, each as FIELD=DEFAULT (the default in its own text form,
// blanks left out so that it can be typed back), with its label, its alternatives, and the
// alternative it belongs to:
//   MakeLine: Make Line - a straight or exponential line
//     kind=Linear  Kind: Linear | Exponential
//     beginValue=0.5  Begin Value
std::string DescribeEffect(const TEffectEntry& entry);

}  // namespace kalvora
