#include "qt/serial_line_check.h"

#include <termios.h>

#include <array>
#include <utility>

namespace qtui {

namespace {

struct SpeedCode {
  qint32 baud;
  speed_t code;
};

constexpr std::array<SpeedCode, 18> kSpeeds{{
    {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200}, {300, B300},
    {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400}, {4800, B4800}, {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
}};

bool HoldsSpeed(const termios& t, qint32 baud) {
  const speed_t held = cfgetospeed(&t);
  for (const SpeedCode& s : kSpeeds)
    if (s.baud == baud) return held == s.code;
#ifdef BOTHER
  return held == BOTHER;  // a speed of its own: the driver took one
#else
  return false;
#endif
}

char ParityLetter(QSerialPort::Parity parity) {
  switch (parity) {
    case QSerialPort::EvenParity: return 'E';
    case QSerialPort::OddParity: return 'O';
    case QSerialPort::MarkParity: return 'M';
    case QSerialPort::SpaceParity: return 'S';
    default: return 'N';
  }
}

bool HoldsParity(const termios& t, QSerialPort::Parity parity) {
  const tcflag_t c = t.c_cflag;
  const bool enabled = (c & PARENB) != 0;
  const bool odd = (c & PARODD) != 0;
#ifdef CMSPAR
  const bool stick = (c & CMSPAR) != 0;
#else
  const bool stick = false;
#endif
  switch (parity) {
    case QSerialPort::NoParity: return !enabled;
    case QSerialPort::EvenParity: return enabled && !odd && !stick;
    case QSerialPort::OddParity: return enabled && odd && !stick;
    case QSerialPort::MarkParity: return enabled && odd && stick;
    case QSerialPort::SpaceParity: return enabled && !odd && stick;
    default: return false;
  }
}

tcflag_t SizeBits(QSerialPort::DataBits bits) {
  switch (bits) {
    case QSerialPort::Data5: return CS5;
    case QSerialPort::Data6: return CS6;
    case QSerialPort::Data7: return CS7;
    default: return CS8;
  }
}

bool HoldsStopBits(const termios& t, QSerialPort::StopBits stop) {
  const bool two = (t.c_cflag & CSTOPB) != 0;
  switch (stop) {
    case QSerialPort::OneStop: return !two;
    case QSerialPort::TwoStop: return two;
    default: return false;  // 1.5: termios has no such setting
  }
}

bool HoldsFlow(const termios& t, const Handshake& handshake) {
  const bool hardware = (t.c_cflag & CRTSCTS) != 0;
  const bool software = (t.c_iflag & (IXON | IXOFF)) == (IXON | IXOFF);
  const bool no_software = (t.c_iflag & (IXON | IXOFF)) == 0;
  return hardware == handshake.rts_cts && (handshake.xon_xoff ? software : no_software);
}

const char* FlowName(const Handshake& handshake) {
  if (handshake.rts_cts && handshake.xon_xoff) return "RTS/CTS with Xon/Xoff";
  if (handshake.rts_cts) return "RTS/CTS";
  if (handshake.xon_xoff) return "Xon/Xoff";
  return "None";
}

}  // namespace

bool AddXonXoff(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return false;
  t.c_iflag |= IXON | IXOFF | IXANY;  // as QSerialPort sets XON/XOFF alone
  return tcsetattr(fd, TCSANOW, &t) == 0;
}

std::vector<std::string> SettingsNotHeld(int fd, const SerialLineSettings& wanted,
                                         const Handshake& handshake) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return {"line settings"};
  std::vector<std::string> refused;
  if (!HoldsSpeed(t, wanted.baud)) refused.push_back("speed " + std::to_string(wanted.baud));
  if (!HoldsParity(t, wanted.parity))
    refused.push_back(std::string("parity ") + ParityLetter(wanted.parity));
  if ((t.c_cflag & CSIZE) != SizeBits(wanted.data_bits))
    refused.push_back(std::to_string(static_cast<int>(wanted.data_bits)) + " data bits");
  if (!HoldsStopBits(t, wanted.stop_bits))
    refused.push_back(wanted.stop_bits == QSerialPort::TwoStop         ? "2 stop bits"
                      : wanted.stop_bits == QSerialPort::OneAndHalfStop ? "1.5 stop bits"
                                                                         : "1 stop bit");
  if (!HoldsFlow(t, handshake))
    refused.push_back(std::string("flow control ") + FlowName(handshake));
  return refused;
}

}  // namespace qtui
