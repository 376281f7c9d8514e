// The program's version, as its version block states it.
#pragma once

namespace Version {
constexpr const char* kDotted = "1.3.0.0";
}  // namespace Version
