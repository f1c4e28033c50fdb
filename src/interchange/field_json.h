// A field of the table in the JSON format: the value export writes, and the
// value import takes (every value the decoder could have given, and the
// start-up values).
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "editor/codeplug_fields.h"

namespace kv3 {

using OrderedJson = nlohmann::ordered_json;

OrderedJson FieldToJson(const EditorState& state, const FieldRef& field);

// Takes a value into the field; an empty text when taken, else why not
// ("not a whole number from 0 to 10"), leaving the field as it was.
std::string FieldFromJson(const OrderedJson& value, const FieldRef& field, EditorState& state);

// A channel's value in a column, as export writes it.
OrderedJson ChannelToJson(const Channel& channel, const ChannelColumn& column);

// Tones as JSON writes them: "off", "88.5", "D023N".
std::string ToneJsonText(const Tone& tone);
// Parses a tone of that form; false for another text.
bool ParseToneJsonText(const std::string& text, Tone& out);
// A frequency field as FrequencyText shows it (the digits of a field that
// is not BCD as hex letters); "" is none.
bool ParseFrequencyField(const std::string& text, Freq4& out);

}  // namespace kv3
