// The standard streams of a console program.
#pragma once

namespace kv3 {

// The three standard streams by their numbers: 0 input, 1 output, 2 error.
inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Whether the stream is a terminal (a console window on Windows).
bool IsTerminal(int stream);

// When the program was started with its standard output closed, opens it on
// the null device for reading only, so that every write fails there as it
// would on the closed stream, and no file the program opens later takes its
// number. Nothing happens to an open standard output.
void KeepClosedStandardOutputClosed();

}  // namespace kv3
