// The console's shared module state: every variable that the link, the
// windows and the site code share for the program's lifetime, with its start
// value. Start-up sets them again where the start sequence says so.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace common {

struct SharedState {
  // ---- command in progress and reply collection
  int CmdState = 0;        // command number 0..24; 0 = idle
  bool AutoNext = false;   // go on with CmdState + 1 when the reply is handled
  int CharDelay = 50;      // ms between command characters
  int InitDelay = 200;     // ms before a delayed command start
  int CmdSendPos = 0;      // 1-based position of the next character to send
  std::string RxBuffer;    // reply of the running command
  std::string RxText;      // text received while no command runs
  std::string TcpRxText;   // text from the socket, waiting for the loop
  std::int32_t LfSearchPos = 0;
  int LinesReceived = 0;
  bool StopReceive = false;
  int ReceiveLoopDepth = 0;  // receive loops running now, one inside the other
  bool ResumeUpdate = false;
  bool ProgressActive = false;
  std::int32_t ProgressCount = 0;
  bool DebugEcho = false;
  int RetryCount = 0;      // repeats of "U", "V", "D"
  int V4RetryCount = 0;    // repeats of V4 packets
  std::int64_t DialGiveUpMs = 0;  // steady-clock end of the dial's no-answer time-out
  // Counts the commands sent; a receive loop times a command started by an
  // event it dispatched from that command's start.
  std::uint32_t CommandsStarted = 0;

  // ---- dialect, address and connection
  bool V4Mode = false;
  std::int32_t UnitAddress = 65535;
  bool UseTcp = false;
  bool Online = false;
  bool DirectCable = false;
  bool CalloutActive = false;
  // The session last started reached its unit (a modem's CONNECT, or a
  // cable or network link up): the windows hold that unit's values.
  bool SessionConnected = false;
  // The session's log has been stored with its site since the session began.
  bool SessionLogStored = false;
  bool LogDownloaded = false;
  std::string SiteNetAddress;  // network address of the map site ("~" removed)
  bool ConnectFailed = false;  // the last network connect did not succeed
  bool NetworkConnecting = false;   // a network connect waits for its socket
  std::int64_t CallInUntilMs = 0;   // steady clock: a call-in holds the line until then
  std::string AlarmFlags = "0000000000000000";

  // ---- access levels
  bool ControlsLocked = true;
  bool InstallLocked = true;
  bool FactoryLocked = true;
  std::string CurrentKey;  // key of the last page button, or "Terminal"
  int InstallPage = 4;     // 0 Factory, 1 Install, 2 Controls, 3 Memory, 4 Status

  // ---- selected or called site
  std::int32_t SelectedSiteID = 0;
  std::int16_t SelectedSiteNum = -1;
  std::string SelectedSiteName;
  std::int32_t SelectedCustNum = 0;
  // Whose log the log window lists: a whole site id, so no site is taken
  // for another whose id lies 65536 away.
  std::int32_t LogSiteID = -1;
  bool AddingSite = false;

  // ---- writes into the unit's parameter memory
  std::string WriteData;   // bytes still to write, one char each
  int WriteAddress = 0;
  bool WriteCancelled = false;  // the operator cancelled the text write whose reply is awaited
  bool BulkWriteActive = false;
  int BulkWriteFirst = 0;  // address of the bulk write's first packet
  int WriteCursor = 0;
  int WriteEnd = 0;
  bool SaveBulkPending = false;
  std::string ClockPacket;  // V4 "T" payload kept for a resend
  std::string PacketOut;    // V4 "S" payload kept for a resend

  // ---- the current status as three text lines ("" = none)
  std::string EepromImage;
  std::string UStatusText;
  std::string VStatusText;
  std::string CheckLine;   // line under CRC-16 check
  std::string PacketBuf;   // last decoded V4 packet, one char per byte
  std::string StatusPacket;  // the dump packet the shown "(Data)" status came from
  std::string StatusFilePath;

  // ---- windows and map
  bool WindowRestored = false;
  int SettingsTab = 1;
  bool PrintPending = false;
  bool MapZoomed = false;
  bool FlashOn = false;
  int ZoomFactor = 0;
  double ViewLeft = 0, ViewTop = 0, ViewRight = 0, ViewBottom = 0;

  // ---- site coordinate bounds (read by the site properties dialog)
  int LatDegMin = 22, LatMinutesAtMin = 35, LatDegMax = 26, LatMinutesAtMax = 45;
  int LonDegMin = 50, LonMinutesAtMin = 28, LonDegMax = 57, LonMinutesAtMax = 0;
};

// Weekday names, index 0 (Sunday) to 6.
inline constexpr std::array<const char*, 7> DayName = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};

// Alarm input names, index 1..16 = position of the flag in the alarm string;
// index 0 holds nothing.
inline constexpr std::array<const char*, 17> AlarmName = {
    "",
    "AUX 1 / AUX 2",
    "Shelter Temperature Final",
    "Tower Light",
    "DC-DC 1 / DC-DC 2",
    "Inverter",
    "Water 1 / Water 2",
    "Air Conditioner",
    "Door Open",
    "Fire 1 / Fire 2",
    "LLVA",
    "LVA",
    "HVA",
    "(not used)",
    "(not used)",
    "Load HVD",
    "Shelter Temperature Pre",
};

}  // namespace common
