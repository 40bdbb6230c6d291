// Starting another program of the machine (the system information tool):
// the file itself is run, without a shell and without arguments, and left
// to run on its own.
#pragma once

#include <string>

namespace platform {

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // False when the program could not be started.
  virtual bool StartProgram(const std::string& path) = 0;
};

// A console given no launcher starts nothing.
class NoProgramLauncher : public ProgramLauncher {
 public:
  bool StartProgram(const std::string&) override { return false; }
};

}  // namespace platform
