// Starts a program detached through QProcess: no shell, no arguments.
#pragma once

#include "platform/program_launcher.h"

namespace qtui {

class QtProgramLauncher : public platform::ProgramLauncher {
 public:
  bool StartProgram(const std::string& path) override;
};

}  // namespace qtui
