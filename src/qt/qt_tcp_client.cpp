#include "qt/qt_tcp_client.h"

#include "qt/qt_convert.h"

namespace qtui {

QtTcpClient::QtTcpClient() {
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
  const QByteArray bytes = socket_.readAll();
  if (bytes.isEmpty()) return;
  received_.append(bytes.constData(), static_cast<size_t>(bytes.size()));
  if (DataArrival) DataArrival(static_cast<long>(received_.size()));
}

std::string QtTcpClient::GetData() {
  // Data that came while a DataArrival handler was still running waits in
  // the socket (Qt does not announce it again meanwhile).
  const QByteArray late = socket_.readAll();
  received_.append(late.constData(), static_cast<size_t>(late.size()));
  std::string data;
  data.swap(received_);
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
