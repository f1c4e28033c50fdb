// The fields of a codeplug as text, for kv3ctl get and set: a value as a
// KEY=VALUE line shows it (the JSON format's form: 3, true, "chinese" as
// chinese), and a value given as text, taken by the rules of the window that
// edits the field: a value the window would refuse is refused with its
// message; a value the window would move (a test frequency off the raster)
// is moved as the window moves it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/codeplug_fields.h"
#include "i18n/language.h"

namespace kv3 {

// The key of a channel's value: "channels.3.rxFrequency".
std::string ChannelKey(int channel, const ChannelColumn& column);

// A key of the codeplug: a field of the table, or a channel's value.
struct CodeplugKey {
  std::optional<FieldRef> field;
  int channel = 0;  // 1..16 for a channel's value
  const ChannelColumn* column = nullptr;
};
std::optional<CodeplugKey> ParseCodeplugKey(std::string_view key);

// Every key a codeplug has a value for, in the order of the JSON format: the
// band, the values of the channels that are not empty, the other fields.
std::vector<std::string> CodeplugKeys(const EditorState& state);

// The value of a key as text; control characters of the radio's texts are
// escaped (\x1B), as kv3ctl show prints them. nullopt for a key of nothing.
std::optional<std::string> ValueText(const EditorState& state, std::string_view key);

// What a field takes, for kv3ctl set --list ("0..10: Off, 1, 2, ... 10").
std::string AllowedValues(const FieldRef& field, Language lang);
std::string AllowedValues(const ChannelColumn& column, Language lang);

// What the windows remember between edits of a run.
struct FieldEditContext {
  Language lang = Language::English;
  // The maintenance features are unlocked: the power levels move.
  bool tuning = false;
  // The channel the priority list picked when "固定" was chosen; 0: none yet.
  int FixedPriorityChannel = 0;
};

// The context of a codeplug as its windows open: a fixed priority channel
// is the first programmed one.
FieldEditContext StartEditing(const EditorState& state, Language lang, bool tuning);

struct [[nodiscard]] FieldEditResult {
  bool ok = true;
  std::string message;  // why it was refused: the window's message where it has one
};

// Sets a field of the table (not the band, not a channel) from text. The
// value the field shows already changes nothing.
FieldEditResult SetFieldText(EditorState& state, const FieldRef& field, std::string_view value,
                             FieldEditContext& context);

}  // namespace kv3
