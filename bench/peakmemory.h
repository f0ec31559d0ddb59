#pragma once

// The peak resident memory of this process so far, in kB (VmHWM), or -1
// where /proc does not tell.
long peakResidentKb();
