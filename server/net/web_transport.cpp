// SPDX-License-Identifier: MIT
#include "server/net/web_transport.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QHostAddress>
#include <QSslSocket>
#include <QTcpSocket>
#include <utility>

#include "common/http/response.h"
#include "common/qt/host_address.h"
#include "server/connections/room_server.h"

namespace server {

namespace ws = http::websocket;

namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

struct WebTransport::Connection : public ws::FrameHandler {
  enum class Phase {
    kHead,     // TLS handshake and request head
    kBody,     // a request's body
    kOpen,     // a slot of the room
    kClosing,  // answered or let go: writing out its last bytes
  };

  Connection(WebTransport& transport, uint64_t number, QTcpSocket* s, std::string address)
      : owner(transport), id(number), socket(s), peer(std::move(address)) {}

  void OnData(std::string_view bytes) override {
    if (phase == Phase::kOpen) owner.core_->OnData(slot, bytes);
  }
  void OnPing(std::string_view payload) override {
    if (phase == Phase::kOpen) owner.Write(*this, ws::Frame(ws::Opcode::kPong, payload));
  }
  void OnClose(uint16_t code, std::string_view) override {
    peer_close_code = code == 0 ? ws::kNormal : code;
  }

  WebTransport& owner;
  uint64_t id;
  QTcpSocket* socket;
  std::string peer;
  Phase phase = Phase::kHead;
  http::RequestHead head;
  std::string body;
  size_t body_length = 0;
  ws::FrameReader reader{kMaxFrame};
  int slot = 0;
  std::string out;  // the room's bytes since the last write pass: one frame
  bool write_queued = false;
  bool paused = false;
  bool pending = true;  // still counted by the port's own bound
  uint16_t peer_close_code = 0;
  int64_t deadline_ms = 0;
};

WebTransport::WebTransport() : listener_([this](qintptr descriptor) { Accept(descriptor); }) {
  listener_.setListenBacklogSize(1024);
  sweep_.setInterval(kSweepMs);
  connect(&sweep_, &QTimer::timeout, this, &WebTransport::Sweep);
}

WebTransport::~WebTransport() {
  for (const auto& [id, connection] : connections_) {
    connection->socket->disconnect(this);
    connection->socket->abort();
    delete connection->socket;
  }
}

void WebTransport::Configure(Config config, PageHandler page, Logger log) {
  config_ = std::move(config);
  page_ = std::move(page);
  log_ = std::move(log);
  pending_ = http::PeerLimits(config_.max_pending, config_.max_pending_per_address);
}

bool WebTransport::Open(std::string* error) {
  if (config_.port == 0 || listener_.isListening()) return true;
  if (listener_.listen(QHostAddress::Any, static_cast<quint16>(config_.port))) return true;
  if (error) *error = listener_.errorString().toStdString();
  return false;
}

void WebTransport::CloseListener() {
  listener_.close();
}

// --- Arriving --------------------------------------------------------------------------------

void WebTransport::Accept(qintptr descriptor) {
  const auto fd = static_cast<int>(descriptor);
  const uint64_t id = ++next_id_;
  std::string address = scrawlbox::PeerAddressText(fd);
  const bool known = !address.empty();
  const http::PeerLimits::Admission admission =
      known ? pending_.Admit(id, address, config_.trusted.Contains(address))
            : http::PeerLimits::Admission{http::PeerLimits::Verdict::kFull, std::nullopt};
  if (!core_ || admission.verdict != http::PeerLimits::Verdict::kAdmitted) {
    // Told why if its socket takes the few bytes now (over TLS it cannot read them), never read.
    static const std::string refusal = http::TooManyConnections();
    if (!tls_) {
      [[maybe_unused]] const ssize_t sent =
          ::send(fd, refusal.data(), refusal.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    }
    ::close(fd);
    return;
  }
  if (admission.evicted) Delete(*admission.evicted);
  QTcpSocket* socket = tls_ ? new QSslSocket(this) : new QTcpSocket(this);
  if (!socket->setSocketDescriptor(descriptor)) {
    pending_.Closed(id);
    ::close(fd);
    delete socket;
    return;
  }
  socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  socket->setReadBufferSize(kReadBuffer);
  auto connection = std::make_unique<Connection>(*this, id, socket, std::move(address));
  connection->deadline_ms = NowMs() + config_.handshake_ms;
  connections_.emplace(id, std::move(connection));
  connect(socket, &QTcpSocket::readyRead, this, [this, id] { OnReadable(id); });
  connect(socket, &QTcpSocket::disconnected, this, [this, id] { Lost(id); });
  if (tls_) {
    auto* secure = static_cast<QSslSocket*>(socket);
    secure->setSslConfiguration(*tls_);
    secure->startServerEncryption();
  }
  if (!sweep_.isActive()) sweep_.start();
}

void WebTransport::OnReadable(uint64_t id) {
  const auto found = connections_.find(id);
  if (found == connections_.end()) return;
  Connection& connection = *found->second;
  switch (connection.phase) {
    case Connection::Phase::kHead:
      ReadHead(connection);
      break;
    case Connection::Phase::kBody:
      ReadBody(connection);
      break;
    case Connection::Phase::kOpen:
      ReadFrames(connection);
      break;
    case Connection::Phase::kClosing:
      // Only its close is awaited; Qt's buffer is bounded, so this costs at most a buffer.
      counters_.received_bytes += static_cast<uint64_t>(connection.socket->skip(kReadBuffer));
      break;
  }
}

void WebTransport::ReadHead(Connection& connection) {
  QTcpSocket& socket = *connection.socket;
  while (connection.head.state() == http::RequestHead::State::kReading) {
    QByteArray line;
    if (socket.canReadLine()) {
      line = socket.readLine(static_cast<qint64>(http::RequestHead::kMaxHead) + 1);
    } else if (socket.bytesAvailable() > static_cast<qint64>(http::RequestHead::kMaxHead)) {
      line = socket.readAll();  // a line longer than any head: refused as too long
    } else {
      return;
    }
    counters_.received_bytes += static_cast<uint64_t>(line.size());
    connection.head.Feed(std::string_view(line.constData(), static_cast<size_t>(line.size())));
  }
  pending_.HeadRead(connection.id);
  switch (connection.head.state()) {
    case http::RequestHead::State::kComplete:
      if (connection.head.path() == kPlayPath) {
        Upgrade(connection);
        break;
      }
      if (const std::optional<std::string> length = connection.head.Field("Content-Length")) {
        const bool digits = !length->empty() && length->size() <= 9 &&
                            length->find_first_not_of("0123456789") == std::string::npos;
        if (!digits) {
          Answer(connection, http::BadRequest());
          break;
        }
        connection.body_length = std::stoul(*length);
        if (connection.body_length > kMaxBody) {
          Answer(connection, http::Response("413 Content Too Large", "text/plain; charset=utf-8",
                                            "The request's body is too long.\n"));
          break;
        }
      }
      connection.phase = Connection::Phase::kBody;
      ReadBody(connection);
      break;
    case http::RequestHead::State::kTooLong:
      Answer(connection, http::HeadTooLong());
      break;
    case http::RequestHead::State::kReading:
    case http::RequestHead::State::kBad:
      Answer(connection, http::BadRequest());
      break;
  }
}

void WebTransport::ReadBody(Connection& connection) {
  if (connection.body.size() < connection.body_length) {
    const QByteArray bytes = connection.socket->read(
        static_cast<qint64>(connection.body_length - connection.body.size()));
    counters_.received_bytes += static_cast<uint64_t>(bytes.size());
    connection.body.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    // The rest comes later, within the same deadline as the head.
    if (connection.body.size() < connection.body_length) return;
  }
  const std::string client =
      config_.trusted.ClientAddress(connection.peer, connection.head.Field("X-Forwarded-For"));
  const std::string answer = page_(Request{connection.head, connection.body, client});
  std::string().swap(connection.body);
  Answer(connection, answer);
}

void WebTransport::Answer(Connection& connection, const std::string& answer) {
  connection.head.ReleaseFields();
  Write(connection, answer);
  connection.phase = Connection::Phase::kClosing;
  connection.deadline_ms = NowMs() + kCloseGraceMs;
  connection.socket->disconnectFromHost();
}

void WebTransport::Upgrade(Connection& connection) {
  const ws::Upgrade upgrade = ws::AnswerUpgrade(connection.head, config_.origins);
  if (upgrade.verdict != ws::Upgrade::Verdict::kAccept) {
    Answer(connection, upgrade.answer);
    return;
  }
  const std::string client =
      config_.trusted.ClientAddress(connection.peer, connection.head.Field("X-Forwarded-For"));
  connection.head.ReleaseFields();
  Write(connection, upgrade.answer);
  if (!config_.browser_players) {
    Release(connection, ws::kPolicy, "This room does not take browser players.", kCloseGraceMs);
    return;
  }
  // From here the room's own bounds hold it, as any connection of the room.
  pending_.Closed(connection.id);
  connection.pending = false;
  const ConnectionSink::Admission admission = core_->OnConnectionRequest(client);
  if (admission.slot == 0) {
    Write(connection, ws::Frame(ws::Opcode::kBinary, admission.refusal));
    Release(connection, ws::kNormal, "", kCloseGraceMs);
    return;
  }
  connection.slot = admission.slot;
  connection.phase = Connection::Phase::kOpen;
  by_slot_.emplace(admission.slot, &connection);
  ++counters_.accepted;
  ReadFrames(connection);  // frames may have come with the head
}

void WebTransport::ReadFrames(Connection& connection) {
  static char buffer[kReadBuffer];  // one thread: the room copies what it keeps
  const uint64_t id = connection.id;
  const int slot = connection.slot;
  size_t taken = 0;
  while (taken < kReadPerTurn && connection.phase == Connection::Phase::kOpen &&
         !connection.paused) {
    const qint64 n = connection.socket->read(buffer, sizeof buffer);
    if (n <= 0) return;
    taken += static_cast<size_t>(n);
    counters_.received_bytes += static_cast<uint64_t>(n);
    if (connection.reader.Feed(std::string_view(buffer, static_cast<size_t>(n)), NowMs(),
                               connection)) {
      continue;
    }
    if (connection.phase != Connection::Phase::kOpen) return;  // the room closed it meanwhile
    const ws::FrameReader& reader = connection.reader;
    if (reader.fault_code() != 0) {
      if (log_) {
        log_("WebSocket of " + connection.peer + " closed: " + reader.fault_reason() + ".",
             kIconWarning);
      }
      Release(connection, reader.fault_code(), reader.fault_reason(), kCloseGraceMs);
    } else {
      Release(connection, connection.peer_close_code, "", kCloseGraceMs);
    }
    core_->OnClosed(slot);
    return;
  }
  // The rest waits for the next pass, so that the others are served in between.
  if (connection.phase == Connection::Phase::kOpen && !connection.paused &&
      connection.socket->bytesAvailable() > 0) {
    QTimer::singleShot(0, this, [this, id] { OnReadable(id); });
  }
}

// --- Sending ---------------------------------------------------------------------------------

WebTransport::Connection* WebTransport::Find(int slot) const {
  const auto found = by_slot_.find(slot);
  return found == by_slot_.end() ? nullptr : found->second;
}

SendResult WebTransport::Send(int slot, std::string_view bytes) {
  Connection* connection = Find(slot);
  if (!connection) return SendResult{false, EBADF, "The connection is closed", 0};
  connection->out.append(bytes);
  QueueWrite(*connection);
  return SendResult{true, 0, {}, QueuedBytes(slot)};
}

SendResult WebTransport::SendShared(int slot, const std::shared_ptr<const std::string>& bytes) {
  return Send(slot, *bytes);
}

size_t WebTransport::QueuedBytes(int slot) const {
  const Connection* connection = Find(slot);
  if (!connection) return 0;
  qint64 queued = connection->socket->bytesToWrite();
  if (tls_) queued += static_cast<QSslSocket*>(connection->socket)->encryptedBytesToWrite();
  return connection->out.size() + static_cast<size_t>(queued);
}

void WebTransport::QueueWrite(Connection& connection) {
  if (!connection.write_queued) {
    connection.write_queued = true;
    waiting_writes_.push_back(connection.id);
  }
  if (write_queued_) return;
  // Once the pass's events are handled: what the room sent a player meanwhile is one frame.
  write_queued_ = true;
  QMetaObject::invokeMethod(this, &WebTransport::WritePass, Qt::QueuedConnection);
}

void WebTransport::WritePass() {
  write_queued_ = false;
  for (const uint64_t id : std::exchange(waiting_writes_, {})) {
    const auto found = connections_.find(id);
    if (found == connections_.end()) continue;
    found->second->write_queued = false;
    WriteOut(*found->second);
  }
}

void WebTransport::WriteOut(Connection& connection) {
  if (connection.out.empty()) return;
  Write(connection, ws::FrameHeader(ws::Opcode::kBinary, connection.out.size()));
  Write(connection, connection.out);
  connection.out.clear();
  // A burst's buffer is not kept by a player who is quiet afterwards: a thousand of them would
  // hold megabytes.
  if (connection.out.capacity() > kKeptCapacity) std::string().swap(connection.out);
}

void WebTransport::Write(Connection& connection, std::string_view bytes) {
  if (connection.socket->write(bytes.data(), static_cast<qint64>(bytes.size())) > 0) {
    counters_.sent_bytes += bytes.size();
  }
}

// --- Closing ---------------------------------------------------------------------------------

void WebTransport::Release(Connection& connection, uint16_t code, std::string_view reason,
                           int grace_ms) {
  if (connection.slot != 0) by_slot_.erase(connection.slot);
  connection.phase = Connection::Phase::kClosing;
  connection.deadline_ms = NowMs() + grace_ms;
  if (QueuedBytes(connection.slot) + connection.out.size() > RoomServer::kMaxSendQueue) {
    // A reader this far behind would keep the data (and the socket) for ever.
    connection.socket->abort();
    return;
  }
  WriteOut(connection);
  Write(connection, ws::CloseFrame(code, reason));
  // Its peer's close frame and the end of the connection follow; the sweep ends the wait.
  connection.socket->disconnectFromHost();
  if (!sweep_.isActive()) sweep_.start();
}

void WebTransport::Close(int slot) {
  if (Connection* connection = Find(slot)) Release(*connection, ws::kNormal, "", kCloseGraceMs);
}

void WebTransport::Abort(int slot) {
  // An abuser gets what is queued and a second to take it, not the grace of a close.
  if (Connection* connection = Find(slot)) Release(*connection, ws::kPolicy, "", 1000);
}

void WebTransport::PauseReading(int slot, bool paused) {
  Connection* connection = Find(slot);
  if (!connection || connection->paused == paused) return;
  connection->paused = paused;
  // Qt tells of new bytes only: what waits in its buffer is read on the next pass.
  const uint64_t id = connection->id;
  if (!paused) QTimer::singleShot(0, this, [this, id] { OnReadable(id); });
}

void WebTransport::Lost(uint64_t id) {
  const auto found = connections_.find(id);
  if (found == connections_.end()) return;
  Connection& connection = *found->second;
  const bool open = connection.phase == Connection::Phase::kOpen;
  const int slot = connection.slot;
  if (open) by_slot_.erase(slot);
  connection.phase = Connection::Phase::kClosing;
  Delete(id);
  if (open) core_->OnClosed(slot);
}

void WebTransport::Delete(uint64_t id) {
  const auto found = connections_.find(id);
  if (found == connections_.end()) return;
  std::unique_ptr<Connection> connection = std::move(found->second);
  connections_.erase(found);
  if (connection->pending) pending_.Closed(id);
  if (connection->phase == Connection::Phase::kOpen) by_slot_.erase(connection->slot);
  connection->socket->disconnect(this);
  connection->socket->abort();
  connection->socket->deleteLater();
  // It may be in the middle of its own read: it goes once this event is over.
  graveyard_.push_back(std::move(connection));
  if (graveyard_.size() == 1) QTimer::singleShot(0, this, [this] { graveyard_.clear(); });
  CheckAllClosed();
}

void WebTransport::Sweep() {
  const int64_t now = NowMs();
  std::vector<uint64_t> late;
  for (const auto& [id, connection] : connections_) {
    if (connection->phase != Connection::Phase::kOpen && now >= connection->deadline_ms) {
      late.push_back(id);
    }
  }
  for (const uint64_t id : late) Delete(id);
  const bool waiting = std::any_of(connections_.begin(), connections_.end(), [](const auto& c) {
    return c.second->phase != Connection::Phase::kOpen;
  });
  if (!waiting) sweep_.stop();
}

void WebTransport::CloseAllThen(std::function<void()> done) {
  CloseListener();
  all_closed_ = std::move(done);
  std::vector<uint64_t> ids;
  for (const auto& [id, connection] : connections_) ids.push_back(id);
  for (const uint64_t id : ids) {
    const auto found = connections_.find(id);
    if (found == connections_.end()) continue;
    Connection& connection = *found->second;
    if (connection.phase == Connection::Phase::kOpen) {
      Release(connection, ws::kGoingAway, "The room is closing.", kCloseGraceMs);
    } else if (connection.phase == Connection::Phase::kHead ||
               connection.phase == Connection::Phase::kBody) {
      Delete(id);
    }
  }
  CheckAllClosed();
}

void WebTransport::CheckAllClosed() {
  if (all_closed_ && connections_.empty()) std::exchange(all_closed_, nullptr)();
}

}  // namespace server
