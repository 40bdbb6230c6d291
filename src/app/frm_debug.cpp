#include "app/frm_debug.h"

#include <optional>

#include "app/console.h"
#include "common/vb.h"
#include "link/line_values.h"
#include "link/receive_loop.h"
#include "link/serial_open.h"
#include "link/settings_access.h"
#include "platform/program_folder.h"

namespace app {

frmDebug::frmDebug(Console& c) : ui::Form(c.rt, "frmDebug"), c_(c) {
  txtOut.KeyPress = [this](int& key) { txtOut_KeyPress(key); };
  cmdOpenPort.Click = [this] { cmdOpenPort_Click(); };
  cmdSave.Click = [this] { cmdSave_Click(); };
  cmdClear.Click = [this] { cmdClear_Click(); };
  cmdClose.Click = [this] { cmdClose_Click(); };
}

void frmDebug::Design() {
  Caption = "Debug";
  Move(600, 600, 7200, 5400);
  Label1.Caption = "In:";
  Label1.Move(120, 120, 600, 255);
  txtIn.MultiLine = true;
  txtIn.ScrollBars = ui::vbBoth;  // a status line stays one line, however long
  txtIn.Move(120, 400, 6840, 3000);
  Label2.Caption = "Out:";
  Label2.Move(120, 3540, 600, 255);
  txtOut.Move(720, 3500, 3000, 315);
  Label3.Caption = "Test:";
  Label3.Move(3900, 3540, 600, 255);
  txtTest.Move(4500, 3500, 2460, 315);
  cmdOpenPort.Caption = "&Open Port";
  cmdOpenPort.Move(120, 4080, 1560, 375);
  cmdSave.Caption = "&Save Buffer";
  cmdSave.Move(1800, 4080, 1560, 375);
  cmdClear.Caption = "C&lear Buffer";
  cmdClear.Move(3480, 4080, 1560, 375);
  cmdClose.Caption = "&Close";
  cmdClose.Cancel = true;
  cmdClose.Move(5400, 4080, 1560, 375);
}

void frmDebug::txtOut_KeyPress(int& key_ascii) {
  // The port opens with its current number and line settings.
  if (!c_.MSComm1.PortOpen() && !lnk::OpenSerialPort(c_, "")) {
    key_ascii = 0;
    return;
  }
  // The grave accent stands for Escape; as a control code, like the
  // Ctrl+letters, it goes out without showing in the box.
  if (key_ascii == '`') key_ascii = 27;
  typed_ = true;
  c_.MSComm1.Output(vb::Chr(key_ascii));
  if (key_ascii == 13) {
    c_.MSComm1.Output("\r");
    txtOut.Text = "";
    key_ascii = 0;
  }
}

void frmDebug::cmdOpenPort_Click() {
  if (c_.MSComm1.PortOpen()) return;
  const std::optional<int> port = lnk::StoredCommPort(c_, "CableComPort");
  if (!port) return;
  c_.MSComm1.CommPort = *port;
  if (!lnk::OpenSerialPort(c_, "")) return;
  lnk::ReceiveLoop(c_);
}

void frmDebug::cmdSave_Click() {
  ui::FileDialogRequest request;
  request.save = true;
  request.title = "Save Buffer";
  request.filter = "All Files (*.*)|*.*|Text Files(*.txt)|*.txt";
  request.filter_index = 2;
  const std::string path = c_.rt.FileDialog(request);
  if (path.empty()) return;  // cancelled
  // A file that cannot be written ends the save quietly; a file written
  // before stays whole.
  platform::WriteWholeFileAtomic(path, txtIn.Text() + "\r\n");
}

void frmDebug::cmdClear_Click() { txtIn.Text = ""; }

void frmDebug::cmdClose_Click() {
  c_.st.DebugEcho = false;
  typed_ = false;
  Hide();
}

void EchoToTerminal(Console& c, const std::string& text) { c.Get<frmDebug>().txtIn.Append(text); }

}  // namespace app
