// The kv3ctl commands. Each takes its arguments (after the command name) and
// returns the exit code.
#pragma once

#include <string>
#include <vector>

namespace kv3ctl {

using Arguments = std::vector<std::string>;

int RunShow(const Arguments& args);
int RunNew(const Arguments& args);
// Sessions with a radio (PORT: a device path, COMn, or sim).
int RunRead(const Arguments& args);
int RunWrite(const Arguments& args);
int RunPorts(const Arguments& args);

}  // namespace kv3ctl
