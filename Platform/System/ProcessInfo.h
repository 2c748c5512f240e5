#pragma once

namespace platform {

// Facts about the running process, for programs that report their own start-up and memory.
// Milliseconds since the kernel started the process.
double millisecondsSinceProcessStart();
// Resident and peak resident memory in kilobytes (-1 when unknown).
long residentKilobytes();
long peakResidentKilobytes();

} // namespace platform
