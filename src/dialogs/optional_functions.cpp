#include "dialogs/optional_functions.h"

#include <cmath>
#include <utility>

#include "dialogs/dialog_messages.h"
#include "i18n/texts.h"
#include "image/hex.h"

namespace kv3 {

namespace {

using Controls = OptionalFunctionsControls;

// The dialog's controls by the names the field table gives them.
int* ListControl(Controls& c, std::string_view name) {
  static constexpr std::pair<std::string_view, int Controls::*> kLists[] = {
      {"Combo4", &Controls::Combo4},   {"Combo6", &Controls::Combo6},
      {"Combo7", &Controls::Combo7},   {"Combo8", &Controls::Combo8},
      {"Combo9", &Controls::Combo9},   {"Combo10", &Controls::Combo10},
      {"Combo11", &Controls::Combo11}, {"Combo12", &Controls::Combo12},
      {"Combo13", &Controls::Combo13}, {"Combo14", &Controls::Combo14},
      {"Combo15", &Controls::Combo15},
  };
  for (const auto& [n, member] : kLists)
    if (n == name) return &(c.*member);
  return nullptr;
}

std::string* TextControl(Controls& c, std::string_view name) {
  return name == "Text5" ? &c.Text5 : name == "Text6" ? &c.Text6 : nullptr;
}

bool* CheckControl(Controls& c, std::string_view name) {
  return name == "Check3" ? &c.Check3 : name == "Check4" ? &c.Check4 : nullptr;
}

// The fields the dialog shows.
template <typename Fn>
void ForEachField(Fn&& fn) {
  for (const FieldRef& f : AllFields())
    if (f.row->section == FieldSection::OptionalFunctions) fn(f, f.row->caption.control);
}

// The list position a value names, -1 when it names none.
int Position(const SharedValues& shared, const FieldRef& f) {
  double v = HeldNumber(shared, f);
  if (v != std::floor(v) || std::abs(v) > 1e9) return -1;
  return ListPosition(f.row->entry, static_cast<int>(v));
}

}  // namespace

OptionalFunctionsControls ControlsFromShared(const SharedValues& shared) {
  OptionalFunctionsControls c;
  ForEachField([&](const FieldRef& f, std::string_view control) {
    if (int* list = ListControl(c, control)) {
      *list = Position(shared, f);
    } else if (std::string* text = TextControl(c, control)) {
      // An unset delay shows "0", which is what the radio is given for it.
      const std::string* held = HeldText(shared, f);
      *text = held && !held->empty() ? *held : "0";
    } else if (bool* check = CheckControl(c, control)) {
      *check = HeldNumber(shared, f) != 0;
    }
  });
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

OptionalFunctionsStore StoreOptionalFunctions(const OptionalFunctionsControls& controls,
                                              SharedValues& shared) {
  Controls c = controls;
  // Both delays are checked before anything is stored.
  OptionalFunctionsStore refused = OptionalFunctionsStore::Stored;
  ForEachField([&](const FieldRef&, std::string_view control) {
    int seconds = 0;
    std::string* text = TextControl(c, control);
    if (!text || refused != OptionalFunctionsStore::Stored || ParseScanDelay(*text, seconds))
      return;
    refused = control == "Text5" ? OptionalFunctionsStore::BadReceiveDelay
                                 : OptionalFunctionsStore::BadTransmitDelay;
  });
  if (refused != OptionalFunctionsStore::Stored) return refused;

  ForEachField([&](const FieldRef& f, std::string_view control) {
    int seconds = 0;
    if (int* list = ListControl(c, control)) {
      // A list without a selection leaves its value.
      if (*list >= 0) SetFieldValue(shared, f, ListValue(f.row->entry, *list));
    } else if (std::string* text = TextControl(c, control)) {
      if (ParseScanDelay(*text, seconds)) SetFieldValue(shared, f, seconds);
    } else if (bool* check = CheckControl(c, control)) {
      SetFieldValue(shared, f, *check ? 1 : 0);
    }
  });
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
