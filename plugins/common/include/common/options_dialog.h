// The controls every options dialog template holds.
#pragma once

namespace common {

inline constexpr int formatBox = 100;
inline constexpr int rateBox = 101;
inline constexpr int commandOk = 1;
inline constexpr int commandCancel = 2;

} // namespace common
