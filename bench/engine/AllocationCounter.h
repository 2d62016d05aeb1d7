// Counts heap allocations made by the measuring thread while counting is switched on: every
// global operator new, and every malloc family call (through the sanitizer's allocator hook in
// sanitized builds, through glibc's own entry points otherwise).
#pragma once

#include <cstdint>

namespace benchalloc {

void startCounting();
// Stops counting and returns the allocations seen since startCounting.
std::uint64_t stopCounting();

} // namespace benchalloc
