// The demo codeplug: a few channels of each kind, shipped as data/demo.DAT
// and loaded into the simulated radio.
#pragma once

#include "editor/editor_state.h"

namespace kv3 {

EditorState DemoState();

}  // namespace kv3
