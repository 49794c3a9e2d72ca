// The XML forms of the view settings: ViewWave (TWaveViewProps), ViewVolume (TVoldViewProps)
// and its ColorPalette1D, with their grammars, writers and readers, and the colour texts they
// share. Readers run on a tree the grammar has matched and apply the settings dialogs' checks,
// so a stored file never brings in settings that the dialogs would refuse. Core code: the
// value types, the XML layer and the settings records only.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/color.h"
#include "shell/wave_view_props.h"
#include "volume/vold_view_props.h"
#include "xml/xml_grammar.h"
#include "xml/xml_tree.h"

namespace kalvora {

// A colour as at least six upper-case hexadecimal digits without prefix ("808080").
std::string ColorText(platform::Color color);
// Reads a colour text of hexadecimal digits; only 24-bit values (at most FFFFFF) are taken.
// On failure leaves color as it was and sets errorText to
// "In <fieldName>: Invalid Hexdecimal value: "<text>"." or, for a wider value,
// "In <fieldName>: Color value must lie between 000000 and FFFFFF.".
bool ReadColorText(std::string_view text, std::string_view fieldName, platform::Color& color,
                   std::string& errorText);

const TDTDNode& ViewWaveGrammar();
const TDTDNode& ColorPalette1DGrammar();
const TDTDNode& ViewVolumeGrammar();

// An envelope with an empty name is no envelope: it is written without DrawEnvelope.
std::unique_ptr<TXMLComplexElement> WriteViewWave(const TWaveViewProps& props);
// Reads a matched ViewWave element. The first failure ends the reading with false and the
// message, the element's position appended; fields read before it keep their new values.
bool ReadViewWave(const TXMLItem& element, TWaveViewProps& props, std::string& errorText);

std::unique_ptr<TXMLComplexElement> WriteColorPalette1D(const TColorPalette1DItem& palette);
// Rebuilds palette from a matched ColorPalette1D element. Two stops at one position are
// refused. On failure the palette is left as it was.
bool ReadColorPalette1D(const TXMLItem& element, TColorPalette1DItem& palette,
                        std::string& errorText);

std::unique_ptr<TXMLComplexElement> WriteViewVolume(const TVoldViewProps& props);
// Reads a matched ViewVolume element; equal top and bottom periods are refused as in the
// settings dialog (the sample rate checks wait until the settings meet a sound).
bool ReadViewVolume(const TXMLItem& element, TVoldViewProps& props, std::string& errorText);

}  // namespace kalvora
