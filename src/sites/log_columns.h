// The fourteen value columns of a day's log record in tData, in the order
// the unit sends them and the data-log list shows them.
#pragma once

#include <array>

namespace sites {

inline constexpr int kLogValueCount = 14;

inline constexpr std::array<const char*, kLogValueCount> kLogValueColumns = {
    "VBattMax", "VBattMin", "VLoadMax", "VLoadMin", "ALoadMax", "ALoadMin", "TBattMax",
    "TBattMin", "TShelMax", "TShelMin", "TOutMax",  "TOutMin",  "AHPV",     "AHLoad"};

}  // namespace sites
