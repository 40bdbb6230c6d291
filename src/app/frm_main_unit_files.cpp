// The File menu's unit data commands: saving the status to a file and
// loading it back, saving the unit's whole memory, uploading a bulk dump into
// a unit, factory initialisation and the site-log download. Each starts a
// command or packet; the replies are handled by the reply state machine.
#include <string>

#include "app/console.h"
#include "app/frm_get_log.h"
#include "app/frm_load.h"
#include "app/frm_main.h"
#include "app/frm_readout.h"
#include "app/status_file.h"
#include "app/typed_file_save.h"
#include "common/app_info.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/saved_status.h"
#include "link/status_parsers.h"
#include "link/v4_link.h"
#include "platform/program_folder.h"
#include "unit/frm_install.h"
#include "unit/parameter_writes.h"

namespace app {

namespace {

// The address every V4 unit answers, whatever its own.
constexpr std::int32_t kAnyUnit = 65535;
// A bulk upload writes parameters from 0 while the cursor is below this.
constexpr int kBulkWriteEnd = 290;

void Tell(Console& c, const std::string& text) {
  c.rt.MsgBox(text, ui::vbExclamation, app_info::kTitle);
}

// The dump packet asked for; its reply (state 21) shows the unit and, with
// SaveBulkPending, offers to save the packet.
void RequestBulkData(Console& c, std::int32_t address) {
  auto& st = c.st;
  auto& readout = c.Get<frmReadout>();
  readout.lblReadout.Caption = "Retrieving EEPROM bulk data...";
  readout.Show();
  st.V4RetryCount = 0;
  st.CmdState = lnk::kV4Dump;
  st.RetryCount = 0;
  st.AutoNext = false;
  lnk::SendV4Packet(c, address, "D");
}

// A binary status file: the packet's image into the parameter rows, its
// status fields into the screens.
void ShowBinaryStatus(Console& c, const std::string& packet) {
  auto& st = c.st;
  st.PacketBuf = packet;
  st.StatusPacket = packet;
  lnk::ShowDumpPacket(c);
  auto& install = c.Get<unit::frmInstall>();
  install.cmdUpdate.Enabled = false;
  if (!install.Visible()) c.Get<frmMain>().ShowStatus(true, false);
}

}  // namespace

void frmMain::mnuSaveStatus_Click() {
  auto& st = c_.st;
  if (st.EepromImage.empty()) {
    c_.rt.MsgBox(
        "You must first establish a connection to the VKX-4700 or load a status file before you "
        "may save status",
        ui::vbOKOnly, app_info::kTitle);
    return;
  }
  // A V4 unit online is asked for its status packet, which is saved when it
  // arrives. Otherwise the status held is saved in the variant its image
  // is, whatever the dialect setting says since the hang-up.
  if (st.Online && st.V4Mode) {
    st.SaveBulkPending = true;
    return RequestBulkData(c_, st.UnitAddress);
  }
  const HeldStatusFile file =
      HeldStatusFileBytes(st.EepromImage, st.UStatusText, st.VStatusText, st.StatusPacket);
  if (!file.bytes)
    return Tell(c_, "The status held cannot be written as a whole status file; connect to the "
                    "unit to save its status.");
  SaveUnderTypedName(c_,
                     file.binary ? "Please enter a filename to save bulk data (no extension):"
                                 : "Please enter a filename to save status (no extension):",
                     "Save Status", *file.bytes);
}

// A file that is not a complete status file is refused and the status shown
// stays as it was.
void frmMain::mnuStatusLoad_Click() {
  auto& st = c_.st;
  c_.Get<frmLoad>().Show(true, this);
  const std::string path = st.StatusFilePath;
  if (path.empty()) return;
  const std::optional<std::string> bytes = platform::ReadWholeFile(path);
  if (!bytes) return Tell(c_, "\"" + path + "\" cannot be read; the status shown is unchanged.");
  const StatusFileReading file = ReadStatusFile(*bytes);
  if (!file.contents)
    return Tell(c_, "\"" + path + "\" is not a complete status file (" + file.refusal +
                        "); the status shown is unchanged.");
  if (!file.contents->text) return ShowBinaryStatus(c_, file.contents->packet);
  st.EepromImage = file.contents->eeprom;
  st.UStatusText = file.contents->u_line;
  st.VStatusText = file.contents->v_line;
  lnk::ParseFullStatus(c_);
}

// The unit's answer is what is saved: there is nothing to save without a
// unit online (the request would wait for good).
void frmMain::mnuFileSaveBulk_Click() {
  if (c_.st.PacketBuf.empty() || !c_.st.Online) {
    c_.rt.MsgBox("You must first establish a connection to the VKX-4700 before you may save bulk data",
                 ui::vbOKOnly, app_info::kTitle);
    return;
  }
  RequestBulkData(c_, kAnyUnit);
  c_.st.SaveBulkPending = true;
}

// The upload needs a unit to write to: one that is online and speaks V4 (a
// text unit would take the first four bytes and no more).
void frmMain::mnuFileUploadBulk_Click() {
  auto& st = c_.st;
  if (st.EepromImage.empty() || !st.Online) {
    c_.rt.MsgBox("You must first be connected to a unit before you may upload bulk data.",
                 ui::vbOKOnly, app_info::kTitle);
    return;
  }
  if (!st.V4Mode) return Tell(c_, "Bulk data can only be uploaded into a V4 unit.");
  ui::FileDialogRequest request;
  request.filter = "Bulk Dump Files|*.bdd";
  request.initial_dir = c_.folder.Path();
  const std::string path = c_.rt.FileDialog(request);
  if (path.empty()) return;
  // The file is read and checked first: the operator is not asked to erase
  // the unit's settings for a file that cannot replace them.
  const platform::FileReading file = platform::ReadWholeFileOrReason(path);
  if (!file.bytes)
    return Tell(c_, "\"" + path + "\" cannot be read (" + file.error + "); nothing was uploaded.");
  const std::optional<std::string> image = ReadBulkImage(*file.bytes);
  if (!image)
    return Tell(c_, "\"" + path + "\" is not a bulk dump file (it is shorter than 300 bytes); "
                        "nothing was uploaded.");
  if (c_.rt.MsgBox("Warning: By proceeding with this operation, you will erase all current unit "
                   "settings and replace them with settings from the saved file. Are you sure you "
                   "want to proceed?",
                   ui::vbYesNo, app_info::kTitle) != ui::vbYes)
    return;
  st.PacketBuf = *image;
  st.EepromImage = *image;
  unit::StartBulkWrite(c_, 0, kBulkWriteEnd);
}

void frmMain::mnuFactoryInit_Click() {
  auto& st = c_.st;
  if (st.V4Mode) {
    st.V4RetryCount = 0;
    st.CmdState = lnk::kV4Reset;
    st.RetryCount = 0;
    st.AutoNext = false;
    lnk::SendV4Packet(c_, st.UnitAddress, "Init");
    return;
  }
  // The loaded dump goes back from address 0; a dump text that holds no
  // values writes nothing.
  const std::string bytes = st.Online ? FactoryInitBytes(st.EepromImage) : "";
  if (bytes.empty()) {
    c_.rt.MsgBox("To initialize, first establish a connection to the VKX4700, and load a status file.",
                 ui::vbOKOnly, app_info::kProductName);
    return;
  }
  st.WriteData = bytes;
  st.WriteAddress = 0;
  unit::SendSetParameter(c_);
}

void frmMain::mnuDownloadLog_Click() {
  if (!c_.st.Online) {
    c_.rt.MsgBox("You must first be connected to a site before you may download the site log file.",
                 ui::vbOKOnly, app_info::kTitle);
    return;
  }
  c_.Get<frmGetLog>().Show(false, this);
  c_.st.CmdState = lnk::kSiteLog;
  lnk::SendCommand(c_);
}

}  // namespace app
