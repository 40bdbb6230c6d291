// The five stacked pages of the installation screen: fInstall(0) Factory,
// (1) Install, (2) Controls, (3) Memory, (4) Status, inside one outer frame.
#pragma once

#include "ui/controls.h"

namespace unit {

inline constexpr int kPageFactory = 0;
inline constexpr int kPageInstall = 1;
inline constexpr int kPageControls = 2;
inline constexpr int kPageMemory = 3;
inline constexpr int kPageStatus = 4;

struct InstallPages {
  explicit InstallPages(ui::Form& f) : fraPages(f, "fraPages"), fInstall(f, "fInstall", &fraPages) {
    for (int i = kPageFactory; i <= kPageStatus; ++i) fInstall.Load(i);
  }
  ui::Frame fraPages;
  ui::ControlArray<ui::Frame> fInstall;
};

}  // namespace unit
