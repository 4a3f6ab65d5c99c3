// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSslConfiguration>
#include <QTcpServer>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/http/peer_limits.h"
#include "common/http/request_head.h"
#include "common/http/trusted_proxies.h"
#include "common/http/websocket.h"
#include "common/qt/http_listener.h"
#include "server/connections/ports.h"
#include "server/net/transport_counters.h"

class QTcpSocket;

namespace server {

// The room's web port: HTTP for the room's page and, at kPlayPath, a WebSocket that carries the
// room's own byte stream in binary frames, over TLS when a certificate is set. A WebSocket that
// is let in becomes a slot of the room like a TCP connection, so the room's limits, bans and
// login hold for it unchanged; until then (TLS handshake and request head) the port bounds it
// itself: one deadline, a bound per address and one in all.
class WebTransport : public QObject {
  Q_OBJECT
 public:
  static constexpr char kPlayPath[] = "/play";
  // A data frame carries at most what one TCP read would hand the room.
  static constexpr size_t kMaxFrame = 64 * 1024;
  // What Qt takes from the network for a connection before the room has read it.
  static constexpr qint64 kReadBuffer = 64 * 1024;
  static constexpr size_t kReadPerTurn = 256 * 1024;
  // What a connection's frame buffer keeps between passes: a pass's strokes, not a burst's.
  static constexpr size_t kKeptCapacity = 4096;
  static constexpr int kCloseGraceMs = 5000;
  static constexpr int kSweepMs = 250;

  struct Config {
    int port = 0;
    bool browser_players = true;
    http::websocket::OriginPolicy origins;
    http::TrustedProxies trusted;
    // From the connection to the end of its request head, the TLS handshake included.
    int handshake_ms = 10000;
    size_t max_pending = 256;
    size_t max_pending_per_address = 8;
  };
  // A request for anything but the WebSocket, with its body when it has one (a POST), and the
  // client's address as the room would see it.
  struct Request {
    const http::RequestHead& head;
    std::string_view body;
    const std::string& client;
  };
  // A body longer than this is refused (413): the host's forms are a few fields.
  static constexpr size_t kMaxBody = 4096;
  // Answers it: the page's files, and a host's rooms.
  using PageHandler = std::function<std::string(const Request&)>;
  using Logger = std::function<void(const std::string& text, int icon)>;

  WebTransport();
  ~WebTransport() override;

  void Attach(ConnectionSink* core) { core_ = core; }
  void Configure(Config config, PageHandler page, Logger log);
  // The TLS certificate and key for connections from now on; nullopt: plain HTTP.
  void SetTls(std::optional<QSslConfiguration> tls) { tls_ = std::move(tls); }
  bool tls() const { return tls_.has_value(); }
  int port() const { return config_.port; }
  bool listening() const { return listener_.isListening(); }

  // Opens the port when one is configured (true), or says why it cannot. Reopening keeps the
  // connections.
  bool Open(std::string* error);
  void CloseListener();
  bool Owns(int slot) const { return !by_slot_.empty() && by_slot_.count(slot) != 0; }

  SendResult Send(int slot, std::string_view bytes);
  SendResult SendShared(int slot, const std::shared_ptr<const std::string>& bytes);
  size_t QueuedBytes(int slot) const;
  void Close(int slot);
  void Abort(int slot);
  void PauseReading(int slot, bool paused);
  void CloseAllThen(std::function<void()> done);

  const TransportCounters& counters() const { return counters_; }
  size_t OpenCount() const { return by_slot_.size(); }

 private:
  struct Connection;

  void Accept(qintptr descriptor);
  void OnReadable(uint64_t id);
  // Reads the request head a line at a time, so that what follows it stays unread.
  void ReadHead(Connection& connection);
  void Answer(Connection& connection, const std::string& answer);
  // Reads a request's body up to its length, then answers it.
  void ReadBody(Connection& connection);
  void Upgrade(Connection& connection);
  void ReadFrames(Connection& connection);
  void QueueWrite(Connection& connection);
  void WritePass();
  void WriteOut(Connection& connection);
  void Write(Connection& connection, std::string_view bytes);
  // The room lets the connection go: its last bytes and a close frame, then the socket closes.
  void Release(Connection& connection, uint16_t code, std::string_view reason, int grace_ms);
  // The peer went, or failed: the room hears of it if it was the room's.
  void Lost(uint64_t id);
  void Delete(uint64_t id);
  void Sweep();
  void CheckAllClosed();
  Connection* Find(int slot) const;

  Config config_;
  PageHandler page_;
  Logger log_;
  std::optional<QSslConfiguration> tls_;
  http::PeerLimits pending_{256, 8};
  std::unordered_map<uint64_t, std::unique_ptr<Connection>> connections_;
  std::unordered_map<int, Connection*> by_slot_;
  std::vector<std::unique_ptr<Connection>> graveyard_;  // deleted, freed after the event
  std::vector<uint64_t> waiting_writes_;
  bool write_queued_ = false;  // a write pass is on its way
  uint64_t next_id_ = 0;
  QTimer sweep_;
  std::function<void()> all_closed_;
  TransportCounters counters_;
  ConnectionSink* core_ = nullptr;
  scrawlbox::DescriptorServer listener_;
};

}  // namespace server
