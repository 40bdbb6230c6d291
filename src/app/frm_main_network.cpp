#include "app/console.h"
#include "app/frm_main.h"
#include "app/remote_port.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/delay.h"
#include "link/line_use.h"

namespace app {

void frmMain::ConnectNetwork(const std::string& host) {
  auto& tcp = c_.tcpClient;
  // The wait below runs the event loop: the schedule's minute must see that
  // this road has claimed the line.
  const lnk::NetworkConnectHold hold(c_);
  // The flag tells of this attempt: one left from an earlier attempt (a
  // failed reconnect in mid-session) must not end this wait before it began.
  c_.st.ConnectFailed = false;
  // The store may hold a port the dialog never let through (an older
  // version, an edit by hand): no connection to a port it does not name.
  const std::string port_text = c_.GetSetting("RemotePort", vb::CStr(kDefaultRemotePort));
  const std::optional<int> port = ParseRemotePort(port_text);
  if (!port) {
    c_.rt.MsgBox(std::string(kRemotePortRange) + " It is \"" + port_text +
                     "\".\r\nPlease correct it under Options, Settings, Network.",
                 ui::vbExclamation, app_info::kTitle);
    c_.st.ConnectFailed = true;
    return;
  }
  tcp.Close();
  lnk::Delay(c_, 0.5);
  tcp.RemoteHost = host;
  tcp.RemotePort = *port;
  SetStatusText("Connecting to " + tcp.RemoteHost);
  tcp.Connect();
  const std::int64_t give_up = c_.rt.SteadyMs() + 10000;
  while (c_.rt.SteadyMs() < give_up && tcp.State() != platform::sckConnected &&
         !c_.st.ConnectFailed)
    c_.rt.WaitEventsSteady(give_up);
  if (!c_.st.ConnectFailed) lnk::Delay(c_, 1.0);
  if (tcp.State() != platform::sckConnected) {
    c_.rt.MsgBox("Unable to open client connection.", ui::vbOKOnly, app_info::kTitle);
    c_.st.ConnectFailed = true;
    return;
  }
  c_.st.RxBuffer.clear();
  SetStatusText("Connected");
  lnk::Delay(c_, 0.5);
  c_.st.TcpRxText.clear();
  tcp.SendData("\r");
  lnk::Delay(c_, 0.2);
}

}  // namespace app
