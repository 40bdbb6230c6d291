#include "qt/qt_tcp_client.h"

#include <algorithm>

#include "platform/input_limit.h"
#include "qt/qt_convert.h"

namespace qtui {

QtTcpClient::QtTcpClient() {
  // What the program has not taken stays with the sender (TCP's window).
  socket_.setReadBufferSize(static_cast<qint64>(platform::kInputHeld));
  QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] { TakeArrivals(); });
  QObject::connect(&socket_, &QTcpSocket::errorOccurred, &socket_,
                   [this](QAbstractSocket::SocketError error) {
                     if (error == QAbstractSocket::RemoteHostClosedError)
                       peer_closed_ = true;
                     else
                       failed_ = true;
                   });
}

QtTcpClient::~QtTcpClient() { socket_.abort(); }

void QtTcpClient::Connect() {
  socket_.abort();
  received_.clear();
  failed_ = false;
  peer_closed_ = false;
  socket_.connectToHost(ToQt(RemoteHost), static_cast<quint16>(RemotePort));
}

int QtTcpClient::State() const {
  switch (socket_.state()) {
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
    case QAbstractSocket::BoundState: return platform::sckConnecting;
    case QAbstractSocket::ConnectedState: return platform::sckConnected;
    case QAbstractSocket::ClosingState: return platform::sckClosing;
    default:
      if (peer_closed_) return platform::sckClosing;
      return failed_ ? platform::sckError : platform::sckClosed;
  }
}

void QtTcpClient::SendData(std::string_view bytes) {
  if (socket_.state() != QAbstractSocket::ConnectedState || bytes.empty()) return;
  socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  socket_.flush();  // out now, without waiting for the event loop
}

void QtTcpClient::TakeArrivals() {
  // At most a socket's worth waits here; the rest waits in the socket until
  // GetData takes what is here.
  const QByteArray bytes =
      socket_.read(static_cast<qint64>(platform::kInputHeld - std::min(received_.size(), platform::kInputHeld)));
  if (bytes.isEmpty()) return;
  received_.append(bytes.constData(), static_cast<size_t>(bytes.size()));
  if (DataArrival) DataArrival(static_cast<long>(received_.size()));
}

std::string QtTcpClient::GetData() {
  // Data that came while a DataArrival handler was still running, or that
  // found this side full, waits in the socket (Qt does not announce it
  // again meanwhile). At most a socket's worth: a caller given that much
  // asks again.
  std::string data;
  data.swap(received_);
  const QByteArray late = socket_.read(static_cast<qint64>(platform::kInputHeld - data.size()));
  data.append(late.constData(), static_cast<size_t>(late.size()));
  return data;
}

void QtTcpClient::Close() {
  socket_.flush();
  socket_.abort();
  received_.clear();
  failed_ = false;
  peer_closed_ = false;
}

}  // namespace qtui
