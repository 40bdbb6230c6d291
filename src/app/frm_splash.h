// The title window shown while the console starts.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmSplash : public ui::Form {
 public:
  explicit frmSplash(Console& c);

  ui::Frame fraMainFrame{*this, "fraMainFrame"};
  ui::Image Image1{*this, "Image1", -1, &fraMainFrame};
  ui::Label lblName{*this, "lblName", -1, &fraMainFrame};
  ui::Label lblPlatform{*this, "lblPlatform", -1, &fraMainFrame};
  ui::Label lblRelease{*this, "lblRelease", -1, &fraMainFrame};  // fixed
  ui::Label lblVersion{*this, "lblVersion", -1, &fraMainFrame};  // from the build

 protected:
  void Design() override;
  void Form_Load() override;
};

}  // namespace app
