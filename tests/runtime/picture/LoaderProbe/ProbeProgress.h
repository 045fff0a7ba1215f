#pragma once
// What the loader probe leaves in its progress file, read back by the fuzz test.
#include <cstdint>

constexpr int kProbeUsage = 2;
constexpr int kProbeFaulted = 3;

struct ProbeProgress {
    std::int32_t current = -1;        // the input being loaded, or the last one
    std::uint32_t faultCode = 0;      // the exception that ended the probe, 0 for none
    std::uint32_t faultAddress = 0;
    std::int32_t pictures = 0;        // inputs that loaded and drew
    std::int32_t refused = 0;         // inputs refused with a run-time error
    std::int32_t finished = 0;        // 1 when the batch ran to its end
    char faultModule[32] = {};        // the file name of the module that faulted
};
