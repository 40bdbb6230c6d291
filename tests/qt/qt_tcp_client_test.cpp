// The network socket against a QTcpServer on 127.0.0.1.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include "qt/qt_tcp_client.h"
#include "qt_test_support.h"

namespace qttest {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes;
}

class QtTcpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    client.RemoteHost = "127.0.0.1";
    client.RemotePort = server.serverPort();
  }

  QTcpSocket* Accept() {
    RunUntil(rt, [&] { return server.hasPendingConnections(); }, 3000);
    return server.nextPendingConnection();
  }

  qtui::QtRuntime rt;
  QTcpServer server;
  qtui::QtTcpClient client;
};

TEST_F(QtTcpClientTest, ConnectsAndReportsArrivingData) {
  EXPECT_EQ(client.State(), platform::sckClosed);
  client.Connect();
  EXPECT_EQ(client.State(), platform::sckConnecting);
  ASSERT_TRUE(RunUntil(rt, [&] { return client.State() == platform::sckConnected; }, 3000));
  QTcpSocket* peer = Accept();
  ASSERT_NE(peer, nullptr);

  long announced = 0;
  std::string received;
  client.DataArrival = [&](long count) {
    announced = count;
    received += client.GetData();
  };
  peer->write(AllBytes().data(), 256);
  ASSERT_TRUE(RunUntil(rt, [&] { return received.size() >= 256; }, 3000));
  EXPECT_EQ(received, AllBytes());
  EXPECT_GT(announced, 0);

  client.SendData(std::string("AT\r\x00\xFF\x80", 6));
  std::string at_peer;
  ASSERT_TRUE(RunUntil(rt, [&] {
    const QByteArray got = peer->readAll();
    at_peer.append(got.constData(), static_cast<size_t>(got.size()));
    return at_peer.size() >= 6;
  }, 3000));
  EXPECT_EQ(at_peer, std::string("AT\r\x00\xFF\x80", 6));
}

TEST_F(QtTcpClientTest, PeerClosingShowsAsClosing) {
  client.Connect();
  ASSERT_TRUE(RunUntil(rt, [&] { return client.State() == platform::sckConnected; }, 3000));
  QTcpSocket* peer = Accept();
  ASSERT_NE(peer, nullptr);
  peer->close();
  EXPECT_TRUE(RunUntil(rt, [&] { return client.State() == platform::sckClosing; }, 3000));
  client.Close();
  EXPECT_EQ(client.State(), platform::sckClosed);
}

TEST_F(QtTcpClientTest, RefusedConnectionShowsAsError) {
  server.close();  // nothing listens on the port any more
  client.Connect();
  EXPECT_TRUE(RunUntil(rt, [&] { return client.State() == platform::sckError; }, 3000));
  client.SendData("ignored");
  EXPECT_EQ(client.GetData(), "");
}

}  // namespace
}  // namespace qttest
