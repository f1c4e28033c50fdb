// The commands that talk to a radio, in a kv3ctl built without Qt's serial
// port: each says so and fails.
#include <iostream>

#include "cli.h"
#include "commands.h"

namespace kv3ctl {

namespace {

int NoRadioLink(const char* command) {
  std::cerr << "kv3ctl: " << command << ": this kv3ctl was built without the radio link\n";
  return kExitFailure;
}

}  // namespace

int RunRead(const Arguments&) {
  return NoRadioLink("read");
}
int RunWrite(const Arguments&) {
  return NoRadioLink("write");
}
int RunPorts(const Arguments&) {
  return NoRadioLink("ports");
}
int RunClone(const Arguments&) {
  return NoRadioLink("clone");
}
int DiffWithRadio(const Args&, kv3::Language) {
  return NoRadioLink("diff --port");
}

}  // namespace kv3ctl
