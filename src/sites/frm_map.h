// The map window: the current site map with the sites drawn as icons.
#pragma once

#include "ui/controls.h"

namespace app {
class Console;
// The map window is loaded and shown.
bool MapShown(Console& c);
}  // namespace app

namespace sites {

class frmMap : public ui::Form {
 public:
  explicit frmMap(app::Console& c);

  // The current map picture (its size is the bitmap's) and the magnifier
  // frame.
  ui::Image imgMap{*this, "imgMap"};
  ui::Shape Shape1{*this, "Shape1"};

  // Draws the site of rsShared's current row / every site of the current map.
  void DrawIcon();
  void DrawSites();
  // Rebuilds the whole picture; other windows call it after sites change.
  void Form_Resize() override;

 protected:
  void Design() override;

 private:
  app::Console& c_;
};

}  // namespace sites
