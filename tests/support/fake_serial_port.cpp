#include "fake_serial_port.h"

namespace testkit {

bool FakeSerialPort::SetPortOpen(bool open) {
  if (!open) {
    open_ = false;
    in_.clear();
    return true;
  }
  refused_.clear();
  if (open_) {
    last_error_ = "Port already open";
    return false;
  }
  if (missing_ports.count(CommPort) != 0) {
    last_error_ = "Invalid port number";
    return false;
  }
  if (busy_ports.count(CommPort) != 0) {
    last_error_ = "Port already in use";
    return false;
  }
  if (!refuses.empty()) {
    refused_ = refuses;
    last_error_ = "The port refuses " + refuses;
    return false;
  }
  open_ = true;
  ++open_count_;
  OpenedSettings = Settings;
  OpenedPort = CommPort;
  return true;
}

std::string FakeSerialPort::Input() {
  std::string out;
  out.swap(in_);
  return out;
}

void FakeSerialPort::Output(std::string_view bytes) {
  if (!open_) return;
  writes_.push_back(TimedBytes{rt_->Now(), std::string(bytes)});
  if (peer) peer(bytes);
}

void FakeSerialPort::Deliver(std::string bytes, std::int64_t delay_ms) {
  rt_->After(delay_ms, [this, b = std::move(bytes)] {
    if (open_) in_ += b;
  });
}

void FakeSerialPort::Vanish(std::string why, std::int64_t delay_ms) {
  rt_->After(delay_ms, [this, why = std::move(why)] {
    if (!open_) return;
    open_ = false;
    in_.clear();
    last_error_ = why;
    if (DeviceLost) DeviceLost();
  });
}

std::string FakeSerialPort::AllWritten() const {
  std::string all;
  for (const auto& w : writes_) all += w.bytes;
  return all;
}

}  // namespace testkit
