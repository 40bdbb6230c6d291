// A whole console on virtual time, for tests: a temporary program folder
// seeded with the shipped files, an in-memory registry, a fake serial port
// and socket, and the scripted operator. Start() runs the start-up sequence.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/console.h"
#include "fake_serial_port.h"
#include "fake_tcp_client.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "recording_printer.h"
#include "temp_folder.h"
#include "virtual_runtime.h"

namespace testkit {

// Records the programs the console starts, and starts none.
struct RecordingLauncher : platform::ProgramLauncher {
  std::vector<std::string> started;
  bool StartProgram(const std::string& path) override {
    started.push_back(path);
    return true;
  }
};

class ConsoleHarness {
 public:
  explicit ConsoleHarness(vb::DateTime start = vb::MakeDateTime(2026, 3, 2, 10, 0, 0));
  ~ConsoleHarness();

  // Changes (or adds) a line of the settings file before start-up.
  void SetSetting(const std::string& key, const std::string& value);
  // Runs the entry procedure and, unless it stopped, the 2 s start-up timer.
  bool Start();

  // Seconds of virtual time pass (timers and deliveries run).
  void Run(double seconds) { rt.RunFor(static_cast<std::int64_t>(seconds * 1000)); }

  VirtualRuntime rt;
  platform::MemoryRegistry registry;
  TempFolder temp;
  platform::ProgramFolder folder;
  FakeSerialPort serial;
  FakeTcpClient tcp;
  RecordingPrinter printer;
  RecordingLauncher launcher;
  app::Console console;
};

// The shipped data folder (data/ of the source tree).
std::string ShippedDataDir();

}  // namespace testkit
