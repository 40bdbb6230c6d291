// Where the simulated site meets the console: a pseudo-terminal (the
// console opens its slave side as a serial port) or a TCP port on the
// loopback address. Non-blocking descriptors served by the program's poll()
// loop; bytes the far side has not taken yet wait in an output buffer.
#pragma once

#include <poll.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace simprog {

class Endpoint {
 public:
  virtual ~Endpoint() = default;
  // "pty /dev/pts/7" or "tcp 127.0.0.1:4660".
  virtual std::string Describe() const = 0;
  // Appends the descriptors to wait on.
  virtual void AddPollFds(std::vector<pollfd>& fds) = 0;
  // Acts on the results of the descriptors it added, from `first` on.
  virtual void HandlePoll(const pollfd* first) = 0;
  virtual void Write(std::string_view bytes) = 0;

  // The console's bytes.
  std::function<void(std::string_view)> on_bytes;
  // Something worth a line in the verbose log.
  std::function<void(const std::string&)> on_note;
};

class PtyEndpoint : public Endpoint {
 public:
  ~PtyEndpoint() override;
  // Opens a new pseudo-terminal in raw mode; "" or what went wrong.
  std::string Open();
  std::string Describe() const override { return "pty " + slave_path_; }
  void AddPollFds(std::vector<pollfd>& fds) override;
  void HandlePoll(const pollfd* first) override;
  void Write(std::string_view bytes) override;

 private:
  void Flush();
  int master_ = -1;
  // Kept open so that the master never sees a hang-up while no console
  // has the slave open (poll would then report it without end).
  int slave_ = -1;
  std::string slave_path_;
  std::string out_;
};

class TcpEndpoint : public Endpoint {
 public:
  ~TcpEndpoint() override;
  // Listens on 127.0.0.1:port (0: a free port); "" or what went wrong.
  std::string Open(int port);
  std::string Describe() const override;
  void AddPollFds(std::vector<pollfd>& fds) override;
  void HandlePoll(const pollfd* first) override;
  void Write(std::string_view bytes) override;

 private:
  void Accept();
  void DropClient(const std::string& why);
  void Flush();
  int listener_ = -1;
  int client_ = -1;
  int port_ = 0;
  bool polled_client_ = false;
  std::string out_;
};

}  // namespace simprog
