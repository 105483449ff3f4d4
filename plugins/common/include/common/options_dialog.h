// The controls every options dialog template holds, and the text of a rate list with nothing
// to choose.
#pragma once

namespace common {

inline constexpr int formatBox = 100;
inline constexpr int rateBox = 101;
inline constexpr int commandOk = 1;
inline constexpr int commandCancel = 2;
inline constexpr unsigned noRateTextId = 102;

} // namespace common
