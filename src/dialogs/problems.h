// The problems list: every value of a codeplug that the editor would refuse,
// or that a user should look at before writing it to a radio. A codeplug
// read from a radio or imported can hold such values; they are kept as they
// are, and listed here with the place they are found in.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

enum class ProblemKind {
  OutOfBand,           // a channel frequency outside the band in force
  OffRaster,           // not on the 5 kHz or 6.25 kHz raster
  NotDecimal,          // a frequency field with hex letters
  ToneOutOfRange,      // a CTCSS tone outside 67.0..254.1 Hz
  ToneNotInList,       // a tone that the tone list does not hold
  DcsNotOctal,         // a DCS word of the image that is no octal code
  PriorityEmpty,       // the fixed priority channel is empty
  Duplicate,           // the same receive frequency and tones as another channel
  TestFrequencyRange,  // a test frequency outside 100..1000 MHz
};

// Where a problem is: a cell of the grid, a cell of the test frequencies
// dialog, or the optional functions dialog.
enum class ProblemPlace { Grid, TestFrequencies, OptionalFunctions };

enum class ProblemField { RxFrequency, RxTone, TxFrequency, TxTone, PriorityChannel };

struct Problem {
  ProblemKind kind = ProblemKind::OutOfBand;
  ProblemPlace place = ProblemPlace::Grid;
  ProblemField field = ProblemField::RxFrequency;
  int row = 0;           // grid row (channel 1..16), test channel 1..16, or 0
  int column = 0;        // grid column 1..4, dialog column 1..2, or 0
  int otherChannel = 0;  // Duplicate: the first channel with the same values
  std::string value;     // the value as the editor shows it ("44A.12500")

  friend bool operator==(const Problem&, const Problem&) = default;
};

// The problems of an editor state, in the order of the windows: the grid row
// by row, then the test frequencies, then the optional functions.
std::vector<Problem> ListProblems(const EditorState& state);

// The problems of a memory image that the editor cannot show once it is
// decoded (a DCS word that is no octal code), in grid order. The image needs
// at least the channel records.
std::vector<Problem> ListImageProblems(std::span<const uint8_t> image);

// Both, merged in grid order: what `kv3ctl check` lists for a file.
std::vector<Problem> ListProblems(const EditorState& state, std::span<const uint8_t> image);

// Names for a program: "outOfBand", "grid", "rxFrequency".
const char* ProblemKindId(ProblemKind kind);
const char* ProblemPlaceId(ProblemPlace place);
const char* ProblemFieldId(ProblemField field);

// Texts in a language: the place ("信道 03", "Debug frequency 05",
// "Optional Function"), the field ("接收频率"), the reason, and the whole
// line "Channel 03, RX frequency: 481.00000: Beyond the frequency range".
std::string ProblemPlaceText(const Problem& problem, Language lang);
std::string ProblemFieldText(const Problem& problem, Language lang);
std::string ProblemReasonText(const Problem& problem, Language lang);
std::string ProblemLine(const Problem& problem, Language lang);

}  // namespace kv3
