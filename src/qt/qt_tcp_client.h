// The network socket on QTcpSocket, with the socket control's states
// (0 closed, 6 connecting, 7 connected, 8 closing, 9 error). Arriving data is
// collected when the event loop runs and announced through DataArrival.
#pragma once

#include <QTcpSocket>
#include <string>

#include "platform/tcp_client.h"

namespace qtui {

class QtTcpClient : public platform::TcpClient {
 public:
  QtTcpClient();
  ~QtTcpClient() override;

  void Connect() override;
  int State() const override;
  void SendData(std::string_view bytes) override;
  std::string GetData() override;
  void Close() override;

 private:
  void TakeArrivals();

  QTcpSocket socket_;
  std::string received_;
  bool failed_ = false;         // the last connection ended in an error
  bool peer_closed_ = false;    // the other end closed the connection
};

}  // namespace qtui
