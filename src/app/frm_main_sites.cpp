// The main window's site menu entries that open the site windows, and the
// map catalogue's entry of the File menu.
#include "app/console.h"
#include "app/frm_connection.h"
#include "app/frm_main.h"
#include "sites/frm_select_map.h"
#include "sites/frm_site.h"

namespace app {

void frmMain::mnuAddSite_Click() {
  c_.st.AddingSite = true;
  c_.Get<sites::frmSite>().Show(true, this);
}

void frmMain::mnuSiteList_Click() { c_.Get<frmConnection>().Show(true, this); }

void frmMain::mnuSiteProps_Click() {
  if (!SiteGuard("First select a site to view properties.")) return;
  c_.st.AddingSite = false;
  c_.Get<sites::frmSite>().Show(true, this);
}

// The catalogue's dialog has no owner.
void frmMain::mnuFileSelect_Click() { c_.Get<sites::frmSelectMap>().Show(true); }

}  // namespace app
