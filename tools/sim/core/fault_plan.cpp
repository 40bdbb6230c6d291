#include "fault_plan.h"

namespace sim {

bool FaultPlan::Take(int& counter) {
  if (counter < 0) return true;
  if (counter == 0) return false;
  --counter;
  return true;
}

bool FaultPlan::TakeCommandBeforeCut() {
  if (commands_before_cut <= 0) return false;
  return --commands_before_cut == 0;
}

std::set<int> FaultPlan::TakeMissingDumpAddresses() {
  std::set<int> missing;
  for (auto it = missing_dump_addresses.begin(); it != missing_dump_addresses.end();) {
    if (Take(it->second)) missing.insert(it->first);
    it = it->second == 0 ? missing_dump_addresses.erase(it) : std::next(it);
  }
  return missing;
}

}  // namespace sim
