#include "editor/demo.h"

#include "editor/codeplug_fields.h"

namespace kv3 {

namespace {
Channel MakeChannel(uint32_t rx, uint32_t tx, Tone rxTone, Tone txTone, int power, int bandwidth,
                    int scan) {
  Channel ch;
  ch.rx = Freq4FromUnits(rx);
  ch.tx = Freq4FromUnits(tx);
  ch.rxTone = rxTone;
  ch.txTone = txTone;
  ch.power = static_cast<int8_t>(power);
  ch.forbid = 0;
  ch.bandwidth = static_cast<int8_t>(bandwidth);
  ch.scan = static_cast<int8_t>(scan);
  return ch;
}
}  // namespace

EditorState DemoState() {
  EditorState s = StartupState();
  auto& ch = s.grid.channels;
  ch[0] = MakeChannel(43812500, 43812500, Tone::Off(), Tone::Off(), 1, 1, 1);
  ch[1] = MakeChannel(43501250, 43501250, Tone::Ctcss(885), Tone::Ctcss(885), 1, 1, 1);
  ch[2] = MakeChannel(43900000, 43900000, Tone::Dcs(023, false), Tone::Dcs(023, false), 0, 0, 1);
  ch[3] = MakeChannel(44600625, 44600625, Tone::Off(), Tone::Ctcss(1000), 0, 0, 0);
  ch[4] = MakeChannel(46255000, 46755000, Tone::Dcs(0754, true), Tone::Dcs(0754, true), 1, 1, 1);
  ch[5] = MakeChannel(43350000, 43350000, Tone::Ctcss(1230), Tone::Off(), 1, 0, 0);
  ch[5].forbid = 1;
  for (int n = 0; n < 6; ++n) {
    auto& c = s.grid.ChannelChoice[n];
    c[3] = ch[n].power;
    c[4] = ch[n].forbid;
    c[5] = ch[n].bandwidth;
    c[6] = ch[n].scan;
  }
  s.shared.EmbeddedInfoText[0] = "KV-3(T2) DEMO";
  s.shared.EmbeddedInfoText[1] = "CH1-6 PROGRAMMED";
  s.shared.TestFrequencyTable[0][0] = Freq4FromUnits(43500000);
  s.shared.TestFrequencyTable[0][1] = Freq4FromUnits(43500000);
  SetFieldValue(s, Field(FieldOf("optionalFunctions.scanRxDelaySeconds")), 5);
  SetFieldValue(s, Field(FieldOf("optionalFunctions.scanTxDelaySeconds")), 3);
  return s;
}

}  // namespace kv3
