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
int RunSet(const Arguments& args);
int RunGet(const Arguments& args);
int RunExport(const Arguments& args);
int RunImport(const Arguments& args);
int RunDiff(const Arguments& args);
int RunBackups(const Arguments& args);
int RunClone(const Arguments& args);
// The help of kv3ctl (no arguments) or of a command.
int RunHelp(const Arguments& args);
// The problems list of a codeplug (exit 1 when it has any).
int RunCheck(const Arguments& args);

}  // namespace kv3ctl
