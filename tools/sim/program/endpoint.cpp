#include "endpoint.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace simprog {

namespace {

// A console that never reads must not make the simulator grow without end.
constexpr std::size_t kMaxPendingOutput = 1 << 20;

std::string Errno(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

void Close(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// Writes what the descriptor takes now; false when it failed for good.
bool WriteSome(int fd, std::string& out, bool socket) {
  while (!out.empty()) {
    const ssize_t n = socket ? ::send(fd, out.data(), out.size(), MSG_NOSIGNAL)
                             : ::write(fd, out.data(), out.size());
    if (n > 0) {
      out.erase(0, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
  return true;
}

void Queue(std::string& out, std::string_view bytes) {
  if (out.size() + bytes.size() <= kMaxPendingOutput) out.append(bytes);
}

}  // namespace

// ---- pseudo-terminal -------------------------------------------------------

PtyEndpoint::~PtyEndpoint() {
  Close(master_);
  Close(slave_);
}

std::string PtyEndpoint::Open() {
  termios raw{};
  ::cfmakeraw(&raw);
  ::cfsetispeed(&raw, B9600);
  ::cfsetospeed(&raw, B9600);
  char name[256] = {};
  if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) return Errno("openpty");
  slave_path_ = name;
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  if (::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK) != 0)
    return Errno("fcntl");
  return "";
}

void PtyEndpoint::AddPollFds(std::vector<pollfd>& fds) {
  fds.push_back(pollfd{master_, static_cast<short>(POLLIN | (out_.empty() ? 0 : POLLOUT)), 0});
}

void PtyEndpoint::HandlePoll(const pollfd* first) {
  if ((first->revents & POLLOUT) != 0) Flush();
  if ((first->revents & (POLLIN | POLLHUP | POLLERR)) == 0) return;
  char buf[4096];
  const ssize_t n = ::read(master_, buf, sizeof buf);
  if (n > 0 && on_bytes) on_bytes(std::string_view(buf, static_cast<std::size_t>(n)));
}

void PtyEndpoint::Write(std::string_view bytes) {
  Queue(out_, bytes);
  Flush();
}

void PtyEndpoint::Flush() {
  if (!WriteSome(master_, out_, false)) out_.clear();
}

// ---- TCP -------------------------------------------------------------------

TcpEndpoint::~TcpEndpoint() {
  Close(client_);
  Close(listener_);
}

std::string TcpEndpoint::Open(int port) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listener_ < 0) return Errno("socket");
  const int yes = 1;
  ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never any other address
  addr.sin_port = htons(static_cast<std::uint16_t>(port));
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return Errno("bind");
  if (::listen(listener_, 4) != 0) return Errno("listen");
  socklen_t len = sizeof addr;
  if (::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
    return Errno("getsockname");
  port_ = ntohs(addr.sin_port);
  return "";
}

std::string TcpEndpoint::Describe() const { return "tcp 127.0.0.1:" + std::to_string(port_); }

void TcpEndpoint::AddPollFds(std::vector<pollfd>& fds) {
  fds.push_back(pollfd{listener_, POLLIN, 0});
  polled_client_ = client_ >= 0;
  if (polled_client_)
    fds.push_back(pollfd{client_, static_cast<short>(POLLIN | (out_.empty() ? 0 : POLLOUT)), 0});
}

void TcpEndpoint::HandlePoll(const pollfd* first) {
  if (polled_client_ && client_ >= 0) {
    const pollfd& c = first[1];
    if ((c.revents & POLLOUT) != 0) Flush();
    if (client_ >= 0 && (c.revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      char buf[4096];
      const ssize_t n = ::recv(client_, buf, sizeof buf, 0);
      if (n > 0) {
        if (on_bytes) on_bytes(std::string_view(buf, static_cast<std::size_t>(n)));
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        DropClient("connection closed");
      }
    }
  }
  if ((first[0].revents & POLLIN) != 0) Accept();
}

void TcpEndpoint::Accept() {
  const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  // One console at a time: a new connection replaces the old one.
  if (client_ >= 0) DropClient("replaced by a new connection");
  client_ = fd;
  if (on_note) on_note("connection accepted");
}

void TcpEndpoint::DropClient(const std::string& why) {
  Close(client_);
  out_.clear();
  if (on_note) on_note(why);
}

void TcpEndpoint::Write(std::string_view bytes) {
  if (client_ < 0) return;  // nobody is listening
  Queue(out_, bytes);
  Flush();
}

void TcpEndpoint::Flush() {
  if (client_ >= 0 && !WriteSome(client_, out_, true)) DropClient("write failed");
}

}  // namespace simprog
