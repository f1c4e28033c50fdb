// The session's environment over an editor state and a port: what the main
// window and kv3ctl give a ProgrammingSession.
#pragma once

#include "codeplug/codec.h"
#include "editor/editor_state.h"
#include "link/serial_port.h"
#include "link/session.h"

namespace kv3 {

class EditorSessionEnvironment : public SessionEnvironment {
 public:
  EditorSessionEnvironment(const EditorState& state, const SerialPort& port)
      : state_(state), port_(port) {}

  bool PortIsOpen() const override { return port_.IsOpen(); }
  int BandIndex() const override { return state_.band.index; }
  MemoryImage ImageToWrite() const override { return EncodeImage(state_); }
  bool TuningUnlocked() const override { return state_.shared.TuningUnlocked != 0; }

 private:
  const EditorState& state_;
  const SerialPort& port_;
};

}  // namespace kv3
