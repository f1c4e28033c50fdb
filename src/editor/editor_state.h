// The editor's state: the working copy of a radio's programming. The codec
// reads and writes it; the windows show it. Values are typed (frequency
// fields, tones, list positions); texts are made where they are shown.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "editor/tones.h"
#include "image/image.h"

namespace kv3 {

inline constexpr int kChannelCount = 16;

// Per-channel choices of grid columns 5..8: -1 is a blank cell, otherwise
// the position in the column's two-entry list.
inline constexpr int8_t kBlankChoice = -1;

struct Channel {
  Freq4 rx;                         // grid column 1; blank = the channel is empty
  Tone rxTone;                      // column 2
  Freq4 tx;                         // column 3
  Tone txTone;                      // column 4
  int8_t power = kBlankChoice;      // column 5: 0 "低", 1 "高"
  int8_t forbid = kBlankChoice;     // column 6: 0 "关闭", 1 "载波"
  int8_t bandwidth = kBlankChoice;  // column 7: 0 "窄带", 1 "宽带"
  int8_t scan = kBlankChoice;       // column 8: 0 "无", 1 "有"

  bool empty() const { return rx.blank(); }
  friend bool operator==(const Channel&, const Channel&) = default;
};

// The channel grid Grid1 and its edit state.
struct ChannelGrid {
  std::array<Channel, kChannelCount> channels{};
  // ChannelChoice(channel 0..15, grid column - 2): the position of the last
  // entry picked in each column's list.
  std::array<std::array<int16_t, 10>, kChannelCount> ChannelChoice{};
  int EditRow = 0;  // 1..16 while an editor is open
  int EditCol = 0;  // 1..8
  bool GridEditRequested = false;

  friend bool operator==(const ChannelGrid&, const ChannelGrid&) = default;
};

// The band list Combo1.
struct BandSelection {
  int index = 0;               // selected position
  int ConfirmedBandIndex = 0;  // the band whose channel list the grid holds
  int BandLowLimit = 400;      // MHz, inclusive
  int BandHighLimit = 480;     // MHz, exclusive

  friend bool operator==(const BandSelection&, const BandSelection&) = default;
};

// The six lists of the function settings frame Frame2 (positions; -1 is no
// selection).
struct FunctionSettings {
  int voicePrompt = 1;  // Combo2: "关", "中文", "英文"
  int txTimeout = 1;    // Combo3: position k is (k + 1) x 15 s
  int preAlert = 0;     // Combo4: "关闭", 1..10 s
  int squelch = 5;      // Combo9: grade 0..9
  int batterySave = 1;  // Combo6: "禁止", "使能"
  int beep = 1;         // Combo7: "禁止", "使能"

  friend bool operator==(const FunctionSettings&, const FunctionSettings&) = default;
};

// The values that the feature dialogs edit and the codec carries.
struct SharedValues {
  // Optional functions: decimal texts, except 15, 16 and 17 (byte strings,
  // one char per image byte) and 18, 19 (the delay boxes' texts).
  std::array<std::string, 24> OptionText{};
  std::array<int, 8> OptionIndex{};
  std::array<std::string, 8> DtmfMemoryCodes{};  // byte strings
  int Pf1KeyFunction = 0;
  int Pf2KeyFunction = 0;
  int TxPowerHighLevel = 0;
  int TxPowerLowLevel = 0;
  // [test channel 0..15][0 receive, 1 transmit]
  std::array<std::array<Freq4, 2>, kChannelCount> TestFrequencyTable{};
  std::array<std::string, 2> EmbeddedInfoText{};  // byte strings
  int TuningUnlocked = 0;

  friend bool operator==(const SharedValues&, const SharedValues&) = default;
};

struct EditorState {
  ChannelGrid grid;
  BandSelection band;
  FunctionSettings settings;
  SharedValues shared;

  friend bool operator==(const EditorState&, const EditorState&) = default;
};

// The state the program starts with: the start-up values of the power levels
// and the PF1 key, the first band, and ResetDefaults.
EditorState StartupState();

// The editor's start-up defaults: option texts and indexes, DTMF codes and the
// function settings' positions.
void ResetDefaults(EditorState& state);

// Selects a band position and takes its limits (no question, no clearing).
void SelectBandSilently(BandSelection& band, int index);

}  // namespace kv3
