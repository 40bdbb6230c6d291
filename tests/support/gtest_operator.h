// Makes the scripted operator's complaints GoogleTest failures.
#pragma once

#include <gtest/gtest.h>

#include "virtual_runtime.h"

namespace testkit {

inline void ReportToGtest(VirtualRuntime& rt) {
  rt.Operator().SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
}

inline void ExpectScriptDone(VirtualRuntime& rt) {
  for (const auto& line : rt.Operator().Unmet()) ADD_FAILURE() << "expected but not shown: " << line;
}

}  // namespace testkit
