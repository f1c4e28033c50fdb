#include "dialogs/optional_functions.h"

#include <cmath>

#include "dialogs/dialog_messages.h"
#include "i18n/texts.h"
#include "image/hex.h"

namespace kv3 {

namespace {

// The list position a decimal text names, -1 when it names none.
int Position(const std::string& text, int count, int offset = 0) {
  double v = Val(text) - offset;
  if (v != std::floor(v) || v < 0 || v >= count) return -1;
  return static_cast<int>(v);
}

void StorePosition(int position, std::string& value, int offset = 0) {
  if (position >= 0) value = std::to_string(position + offset);
}

std::string DelayShown(const std::string& text) {
  return text.empty() ? "0" : text;
}

}  // namespace

OptionalFunctionsControls ControlsFromShared(const SharedValues& shared) {
  const auto& ot = shared.OptionText;
  OptionalFunctionsControls c;
  c.Combo4 = Position(ot[3], kPttIdCount);
  c.Combo6 = Position(ot[5], kOffOnCount);
  c.Combo7 = Position(ot[6], kVoxGainCount);
  c.Combo8 = Position(ot[7], kVoxDelayCount);
  c.Combo9 = Position(ot[8], kOffOnCount);
  c.Combo10 = Position(ot[9], kOffOnCount);
  c.Combo11 = Position(ot[10], kPriorityModeCount);
  c.Combo12 = Position(ot[11], kChannelCount, 1);
  c.Combo13 = Position(ot[12], form5::kRetraceCount);
  c.Combo14 = Position(ot[13], form5::kRetraceCount);
  c.Combo15 = Position(ot[14], kReturnChannelCount);
  c.Text5 = DelayShown(ot[18]);
  c.Text6 = DelayShown(ot[19]);
  c.Check3 = Val(ot[22]) != 0;
  c.Check4 = Val(ot[23]) != 0;
  return c;
}

bool ParseScanDelay(std::string_view text, int& seconds) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 3) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v > kScanDelayMaximum) return false;
  seconds = v;
  return true;
}

OptionalFunctionsStore StoreOptionalFunctions(const OptionalFunctionsControls& c,
                                              SharedValues& shared) {
  int rxDelay = 0, txDelay = 0;
  if (!ParseScanDelay(c.Text5, rxDelay)) return OptionalFunctionsStore::BadReceiveDelay;
  if (!ParseScanDelay(c.Text6, txDelay)) return OptionalFunctionsStore::BadTransmitDelay;

  auto& ot = shared.OptionText;
  StorePosition(c.Combo4, ot[3]);
  StorePosition(c.Combo6, ot[5]);
  StorePosition(c.Combo7, ot[6]);
  StorePosition(c.Combo8, ot[7]);
  StorePosition(c.Combo9, ot[8]);
  StorePosition(c.Combo10, ot[9]);
  StorePosition(c.Combo11, ot[10]);
  StorePosition(c.Combo12, ot[11], 1);
  StorePosition(c.Combo13, ot[12]);
  StorePosition(c.Combo14, ot[13]);
  StorePosition(c.Combo15, ot[14]);
  ot[18] = std::to_string(rxDelay);
  ot[19] = std::to_string(txDelay);
  ot[22] = c.Check3 ? "1" : "0";
  ot[23] = c.Check4 ? "1" : "0";
  return OptionalFunctionsStore::Stored;
}

std::string ScanDelayMessage(OptionalFunctionsStore refusal, Language lang) {
  const Text2& box = refusal == OptionalFunctionsStore::BadTransmitDelay ? form5::kScanTxDelay
                                                                         : form5::kScanRxDelay;
  std::string separator = lang == Language::English ? ": " : "：";
  return Localize(box, lang) + separator + Localize(msg::kScanDelayInvalid, lang);
}

int FirstProgrammedChannel(const ChannelGrid& grid) {
  for (int n = 0; n < kChannelCount; ++n)
    if (!grid.channels[n].empty()) return n + 1;
  return 0;
}

PriorityOutcome PriorityModeChosen(int mode, const ChannelGrid& grid, int& FixedPriorityChannel) {
  PriorityOutcome out;
  out.Combo11 = mode;
  if (mode != kPriorityFixed) return out;
  if (int channel = FirstProgrammedChannel(grid); channel > 0) {
    FixedPriorityChannel = channel;
    out.Combo12 = channel - 1;
    return out;
  }
  out.Combo11 = 0;
  out.message = PriorityMessage::FixedNeedsChannel;
  return out;
}

PriorityOutcome PriorityChannelChosen(int mode, int channelPosition, const ChannelGrid& grid,
                                      int FixedPriorityChannel) {
  PriorityOutcome out;
  out.Combo11 = mode;
  out.Combo12 = channelPosition;
  if (mode != kPriorityFixed || channelPosition < 0 || channelPosition >= kChannelCount) return out;
  if (!grid.channels[channelPosition].empty()) return out;
  out.message = PriorityMessage::EmptyChannelChosen;
  out.Combo12 = FixedPriorityChannel - 1;
  return out;
}

}  // namespace kv3
