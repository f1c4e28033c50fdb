// The band list Combo1: a change of band asks before it clears the channels.
#pragma once

#include "editor/editor_state.h"
#include "i18n/message_box.h"

namespace kv3 {

enum class BandChange {
  Unchanged,       // the position is the confirmed band: nothing to ask
  QuestionNeeded,  // ask BandChangeQuestion(), then call AnswerBandQuestion
  Invalid,         // not a position of the list: nothing changed
};

// The band list is opened (drop-down): the shown band becomes the reference.
void OnBandListOpened(BandSelection& band);

// The user selects a position: the limits follow the selection at once.
// When it is another band than ConfirmedBandIndex the caller must ask
// BandChangeQuestion() and pass the answer to AnswerBandQuestion.
BandChange SelectBand(EditorState& state, int index);

// OK: the limits of the selected band, ClearGrid, ConfirmedBandIndex := the
// selection. Cancel: the confirmed band is selected again (with its limits),
// the channels stay.
void AnswerBandQuestion(EditorState& state, bool ok);

}  // namespace kv3
