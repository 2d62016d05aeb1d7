// The temporary file the sequencer plays a melody from: created exclusively (never an existing
// file, never through a planted link) as rte<random>.mid in the folder named by TMP when that
// is a folder, else in the system's temporary folder (TMPDIR, or /tmp).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class ErrorReporter;

// The folder new temporary files go to; empty when there is none.
std::string TempMidiFolder();

// Writes bytes to a new temporary file and returns its name. Failures are reported: no name
// could be made (4, 40020) and so none opened (4, 40021); the bytes not written (4, 40021),
// and the partial file is removed.
std::optional<std::string> WriteTempFile(std::span<const std::uint8_t> bytes, ErrorReporter* errors,
                                         const std::string& folder = TempMidiFolder());
