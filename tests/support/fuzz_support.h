// What the fuzz targets share: a hard stop on a broken property, and one
// console on virtual time, started once and kept for every input, whose
// database writes wait for no disk.
#pragma once

#include <cstdlib>
#include <string>

#include "console_harness.h"

namespace testkit {

inline void Require(bool ok) {
  if (!ok) std::abort();
}

// Any dialog the script does not allow stops the run; the data-boundary
// report of a load is allowed, since any text may hold values out of range.
inline ConsoleHarness& FuzzHarness() {
  static ConsoleHarness* h = [] {
    auto* harness = new ConsoleHarness;
    harness->rt.Operator().SetFailureHandler([](const std::string&) { std::abort(); });
    harness->rt.Operator().AllowMsgBox("~Data boundary error(s):");
    Require(harness->Start());
    // A run loses nothing when the machine stops, so no write waits for the disk.
    Require(!harness->console.Db.Execute("PRAGMA synchronous=OFF").has_value());
    return harness;
  }();
  return *h;
}

}  // namespace testkit
