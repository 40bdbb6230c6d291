// The map window: the current site map with the sites drawn as icons.
#pragma once

#include "ui/form.h"

namespace app {
class Console;
// The map window is loaded and shown.
bool MapShown(Console& c);
}  // namespace app

namespace sites {

class frmMap : public ui::Form {
 public:
  explicit frmMap(app::Console& c);

  // Draws the site of rsShared's current row / every site of the current map.
  void DrawIcon();
  void DrawSites();

 protected:
  void Design() override;

 private:
  app::Console& c_;
};

}  // namespace sites
