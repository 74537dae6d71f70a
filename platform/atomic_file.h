// The inner workings of WriteFileAtomically that tests need to reach: how a temporary file is
// named, and where the random part of that name comes from.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The temporary file that may stand in for `target` while it is written: a hidden sibling in
// the same folder (so that the final rename stays on one file system) named after the target
// and `token`.
std::string TemporarySiblingPath(const std::string& target, uint64_t token);

// Tests: the tokens that name temporary files come from `source`; nullptr restores the random
// source.
void SetTemporaryTokenSourceForTests(uint64_t (*source)());

}  // namespace platform
