#include "sites/frm_map.h"

#include "app/console.h"

namespace app {
bool MapShown(Console& c) {
  auto* map = c.IfLoaded<sites::frmMap>();
  return map != nullptr && map->Visible();
}
}  // namespace app

namespace sites {

frmMap::frmMap(app::Console& c) : ui::Form(c.rt, "frmMap"), c_(c) { SetMDIChild(); }

// The map's bitmap and icons are drawn by the map window's own code; until
// a map is loaded there is nothing to draw.
void frmMap::DrawIcon() {}
void frmMap::DrawSites() {}
void frmMap::Form_Resize() { DrawSites(); }

void frmMap::Design() {
  Caption = "Map";
  Move(0, 0, 6290, 4315);
  imgMap.Visible = false;
  Shape1.Visible = false;
}

}  // namespace sites
