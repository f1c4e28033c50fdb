// Captions of editing: the names of undo steps and the names of the places a
// problem of the codeplug is found in, Simplified and English (Traditional
// is made from the Simplified texts, Localize).
#pragma once

#include <string>

#include "i18n/language.h"

namespace kv3 {

// "Undo Read Frequency" / "撤销 读频": the verb, a blank, the step's name.
inline constexpr Text2 kUndoVerb{"撤销", "Undo"};
inline constexpr Text2 kRedoVerb{"重做", "Redo"};

// What one undo step did. The names are the captions of what the user did:
// a cell's column, a menu command, a dialog.
enum class EditStep {
  RxFrequency,        // grid column 1
  RxTone,             // column 2
  TxFrequency,        // column 3
  TxTone,             // column 4
  Power,              // column 5 (one cell, or several rows at once)
  Forbid,             // column 6
  Bandwidth,          // column 7
  Scan,               // column 8
  Band,               // the band list Combo1 (with the channels it cleared)
  FunctionSettings,   // a list of the function settings frame
  TestFrequencies,    // OK of a dialog
  PowerTuning,        //
  OptionalFunctions,  //
  KeysSet,            //
  EmbeddedInfo,       //
  New,                // File commands and the radio
  Open,               //
  Read,               //
  Import,             //
  Cut,                // the Edit menu
  Paste,              //
  ClearChannels,      //
  InsertChannel,      //
  RemoveChannel,      //
  MoveUp,             //
  MoveDown,           //
  Sort,               //
  RestoreEdits,       // the unsaved edits an earlier run left, taken back
  OpenBackup,         // a backup opened into the editor
};

inline constexpr int kEditStepCount = static_cast<int>(EditStep::OpenBackup) + 1;

// The step's name: "读频" / "Read Frequency".
Text2 EditStepName(EditStep step);
// "撤销 读频" / "Undo Read Frequency" (redo false), "重做 读频" / "Redo Read
// Frequency" (redo true).
std::string UndoText(EditStep step, bool redo, Language lang);

// The places of the problems list: the grid's channels and two dialogs, and
// the fields a problem is found in.
inline constexpr Text2 kProblemChannel{"信道", "Channel"};
inline constexpr Text2 kProblemRxFrequency{"接收频率", "RX frequency"};
inline constexpr Text2 kProblemTxFrequency{"发射频率", "TX frequency"};
inline constexpr Text2 kProblemRxTone{"接收亚音频", "RX QT/DQT"};
inline constexpr Text2 kProblemTxTone{"发射亚音频", "TX QT/DQT"};
inline constexpr Text2 kProblemPriorityChannel{"优先信道", "Priority channel"};

// The problems list of the main window (a panel under the grid).
inline constexpr Text2 kProblemsListTitle{"问题列表", "Problems"};
// The question of a bulk tone: the label of its list.
inline constexpr Text2 kBulkToneLabel{"所选信道的亚音频：", "QT/DQT of the selected channels:"};

// A line of pasted text, in the list of what a paste refuses.
inline constexpr Text2 kPasteRow{"行", "Row"};

}  // namespace kv3
