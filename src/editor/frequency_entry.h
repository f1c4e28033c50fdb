// The frequency editor Text1 of grid columns 1 (receive) and 3 (transmit):
// key filter, commit on lost focus, and the channel clearing rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/editor_state.h"
#include "i18n/message_box.h"

namespace kv3 {

enum class KeyAction {
  Accept,   // insert the (possibly replaced) character
  Discard,  // drop the character
  EndEdit,  // Enter: the focus goes back to the grid, which commits
};

struct KeyFilterResult {
  KeyAction action = KeyAction::Discard;
  char32_t key = 0;  // the character to insert when accepted
};

// Enter ends the edit; digits, backspace (8) and "." are accepted; every
// other character is discarded.
KeyFilterResult FrequencyKeyFilter(char32_t key);

using KeyFilter = KeyFilterResult (*)(char32_t key);

// A text put into an editor at once (pasted, or committed by an input
// method) goes through the editor's key filter character by character: what
// the filter accepts, as it replaces it; discarded characters, Enter and
// backspace are dropped.
std::string FilterTypedText(std::u32string_view text, KeyFilter filter);

enum class FrequencyOutcome {
  Unchanged,       // the text the cell shows, empty transmit text, or no editor cell
  NotANumber,      // silently ignored, cell unchanged
  OutOfBand,       // message OutOfBandMessage(), focus to the grid, cell unchanged
  Stored,          // the corrected value is in the cell
  NewChannel,      // stored in column 1 of an empty channel: defaults applied
  ChannelCleared,  // empty receive text: the whole channel was emptied
};

struct FrequencyCommit {
  FrequencyOutcome outcome = FrequencyOutcome::Unchanged;
  MessageSpec message;  // set for OutOfBand
  int64_t units = -1;   // the stored value in 10 Hz units (Stored, NewChannel)

  bool changed() const {
    return outcome == FrequencyOutcome::Stored || outcome == FrequencyOutcome::NewChannel ||
           outcome == FrequencyOutcome::ChannelCleared;
  }
};

// Text1 loses the focus with text `text`: commits into the cell (EditRow,
// EditCol). The text is range-checked against the band, rounded to 10 Hz
// and moved down onto the 5 kHz / 6.25 kHz raster. The text the cell already
// shows changes nothing.
FrequencyCommit CommitFrequency(EditorState& state, std::string_view text);

// The 10 Hz value a text would be stored as in the band, or the reason it
// would not (NotANumber, OutOfBand). Does not change anything.
FrequencyCommit CheckFrequency(const BandSelection& band, std::string_view text);

// The values a channel gets when a receive frequency is entered into it while
// it is empty: TX = RX, tones off, power high, forbid off,
// wide band, scan add yes; ChannelChoice follows.
void ApplyNewChannelDefaults(ChannelGrid& grid, int row);

// ClearNO(Row): empties row 1..16 and sets its stored choices to 0.
void ClearNO(ChannelGrid& grid, int row);
// ClearGrid: ClearNO for all 16 rows.
void ClearGrid(ChannelGrid& grid);

}  // namespace kv3
