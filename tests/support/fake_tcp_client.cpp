#include "fake_tcp_client.h"

#include <algorithm>

#include "platform/input_limit.h"

namespace testkit {

void FakeTcpClient::Connect() {
  ++connects_;
  ++generation_;
  state_ = platform::sckConnecting;
  ConnectedHost = RemoteHost;
  ConnectedPort = RemotePort;
  if (far_end == FarEnd::Silent) return;
  unsigned gen = generation_;
  rt_->After(connect_delay_ms, [this, gen] {
    if (gen != generation_ || state_ != platform::sckConnecting) return;
    state_ = far_end == FarEnd::Accepts ? platform::sckConnected : platform::sckError;
  });
}

void FakeTcpClient::SendData(std::string_view bytes) {
  if (state_ != platform::sckConnected) return;
  writes_.push_back(TimedBytes{rt_->Now(), std::string(bytes)});
  if (peer) peer(bytes);
}

std::string FakeTcpClient::GetData() {
  // As the real socket, whose buffer is bounded: the rest stays in the line.
  const std::size_t take = std::min(pending_.size(), platform::kInputHeld);
  std::string out = pending_.substr(0, take);
  pending_.erase(0, take);
  return out;
}

void FakeTcpClient::Close() {
  ++generation_;
  state_ = platform::sckClosed;
  pending_.clear();
}

void FakeTcpClient::Deliver(std::string bytes, std::int64_t delay_ms) {
  unsigned gen = generation_;
  rt_->After(delay_ms, [this, gen, b = std::move(bytes)] {
    if (gen != generation_ || state_ != platform::sckConnected) return;
    pending_ += b;
    if (DataArrival) DataArrival(static_cast<long>(b.size()));
  });
}

std::string FakeTcpClient::AllWritten() const {
  std::string all;
  for (const auto& w : writes_) all += w.bytes;
  return all;
}

}  // namespace testkit
