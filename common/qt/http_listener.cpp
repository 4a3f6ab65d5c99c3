// SPDX-License-Identifier: MIT
#include "common/qt/http_listener.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QTcpSocket>
#include <QTimer>
#include <string>
#include <vector>

#include "common/http/response.h"
#include "common/qt/host_address.h"

namespace scrawlbox {

namespace {

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

HttpListener::HttpListener(HttpLimits limits, Handler handler, http::TrustedProxies trusted,
                           QObject* parent)
    : QObject(parent),
      limits_(limits),
      handler_(std::move(handler)),
      trusted_(std::move(trusted)),
      peers_(static_cast<size_t>(limits.max_connections),
             static_cast<size_t>(limits.max_per_address)),
      listener_([this](qintptr descriptor) { Accept(descriptor); }) {
  listener_.setListenBacklogSize(kListenBacklog);
  sweep_.setInterval(kSweepMs);
  connect(&sweep_, &QTimer::timeout, this, &HttpListener::Sweep);
}

HttpListener::~HttpListener() {
  // The sockets are children, deleted after this object's members are gone.
  for (const auto& [id, connection] : connections_) connection.socket->disconnect(this);
}

bool HttpListener::Listen(const QHostAddress& address, quint16 port) {
  return listener_.listen(address, port);
}

void HttpListener::Accept(qintptr descriptor) {
  const auto fd = static_cast<int>(descriptor);
  const uint64_t id = ++next_id_;
  std::string address = PeerAddressText(fd);
  const bool known = !address.empty();
  const http::PeerLimits::Admission admission =
      known ? peers_.Admit(id, address, trusted_.Contains(address))
            : http::PeerLimits::Admission{http::PeerLimits::Verdict::kFull, std::nullopt};
  if (admission.verdict != http::PeerLimits::Verdict::kAdmitted) {
    // Told why if its socket takes the few bytes now, and never read.
    static const std::string refusal = http::TooManyConnections();
    [[maybe_unused]] const ssize_t sent =
        ::send(fd, refusal.data(), refusal.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    ::close(fd);
    return;
  }
  if (admission.evicted) Drop(*admission.evicted);
  auto* socket = new QTcpSocket(this);
  if (!socket->setSocketDescriptor(descriptor)) {
    peers_.Closed(id);
    ::close(fd);
    delete socket;
    return;
  }
  // Qt then takes no more from the network than one request head can hold.
  socket->setReadBufferSize(static_cast<qint64>(http::RequestHead::kMaxHead));
  connections_.emplace(
      id, Connection{socket, std::move(address), {}, std::chrono::steady_clock::now()});
  connect(socket, &QTcpSocket::readyRead, this, [this, id] { Read(id); });
  connect(socket, &QTcpSocket::disconnected, this, [this, id] { Drop(id); });
  if (!sweep_.isActive()) sweep_.start();
  if (socket->bytesAvailable() > 0) Read(id);
}

void HttpListener::Read(uint64_t id) {
  const auto found = connections_.find(id);
  if (found == connections_.end()) return;
  Connection& connection = found->second;
  // Once the head is decided nothing more is read: Qt's buffer fills and the peer waits.
  if (connection.head.state() != http::RequestHead::State::kReading) return;
  const QByteArray bytes = connection.socket->readAll();
  if (!connection.head.Feed(
          std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
    return;
  }
  peers_.HeadRead(id);
  QByteArray answer;
  switch (connection.head.state()) {
    case http::RequestHead::State::kComplete:
      answer = handler_(
          connection.head,
          trusted_.ClientAddress(connection.peer, connection.head.Field("X-Forwarded-For")));
      break;
    case http::RequestHead::State::kTooLong:
      answer = Bytes(http::HeadTooLong());
      break;
    case http::RequestHead::State::kReading:
    case http::RequestHead::State::kBad:
      answer = Bytes(http::BadRequest());
      break;
  }
  connection.head.ReleaseFields();
  connection.socket->write(answer);
  connection.socket->disconnectFromHost();
}

void HttpListener::Sweep() {
  const auto now = std::chrono::steady_clock::now();
  const auto head_deadline = std::chrono::milliseconds(limits_.head_deadline_ms);
  const auto deadline = std::chrono::milliseconds(limits_.deadline_ms);
  std::vector<uint64_t> late;
  for (const auto& [id, connection] : connections_) {
    const auto age = now - connection.since;
    if (age >= deadline ||
        (age >= head_deadline && connection.head.state() == http::RequestHead::State::kReading)) {
      late.push_back(id);
    }
  }
  for (const uint64_t id : late) Drop(id);
  if (connections_.empty()) sweep_.stop();
}

void HttpListener::Drop(uint64_t id) {
  const auto found = connections_.find(id);
  if (found == connections_.end()) return;
  QTcpSocket* socket = found->second.socket;
  connections_.erase(found);
  peers_.Closed(id);
  socket->disconnect(this);  // its close has nothing more to tell
  socket->abort();
  socket->deleteLater();
}

}  // namespace scrawlbox
