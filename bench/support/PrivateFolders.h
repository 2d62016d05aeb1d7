// Benchmarks run in config and runtime folders of their own: the program starts itself again with
// them set, so it touches neither the user's ports nor the engine of a suite running meanwhile
// (the engine library attaches its shared section as soon as it is loaded).
#pragma once

namespace benchsupport {

// Runs the registered benchmarks in private folders and removes them afterwards; returns the
// program's exit code. `marker` names the environment variable that tells the second start.
int runBenchmarksPrivately(int argc, char** argv, const char* marker);

} // namespace benchsupport
