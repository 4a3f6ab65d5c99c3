// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

#include "common/http/peer_limits.h"
#include "common/http/request_head.h"
#include "common/http/trusted_proxies.h"

class QTcpSocket;

namespace scrawlbox {

// A listening socket that hands each connection the system accepted over as its descriptor, so
// that a refused one is answered and closed right there and a storm of them costs no socket
// objects.
class DescriptorServer : public QTcpServer {
 public:
  explicit DescriptorServer(std::function<void(qintptr)> accept) : accept_(std::move(accept)) {}

 protected:
  void incomingConnection(qintptr descriptor) override { accept_(descriptor); }

 private:
  std::function<void(qintptr)> accept_;
};

struct HttpLimits {
  int max_connections = 1024;
  int max_per_address = 8;  // 0: no bound
  // From the connection to the end of its request head.
  int head_deadline_ms = 5000;
  // From the connection to the last byte of its answer.
  int deadline_ms = 10000;
};

// Answers one HTTP request per connection within HttpLimits: a peer's head is read through
// http::RequestHead (at most 8 KiB, which is also all Qt buffers), nothing after it is read, and
// the connection closes after its answer. The handler builds the whole answer to a complete head
// and hears whom it speaks for: the peer's address, or the client a trusted proxy names.
class HttpListener : public QObject {
  Q_OBJECT
 public:
  // Connection requests the system holds until they are taken, so that a rush of browsers
  // does not find the door shut.
  static constexpr int kListenBacklog = 1024;
  // How often deadlines are looked at: a connection may outlive its deadline by this much.
  static constexpr int kSweepMs = 250;

  using Handler =
      std::function<QByteArray(const http::RequestHead&, const std::string& client_address)>;

  HttpListener(HttpLimits limits, Handler handler, http::TrustedProxies trusted = {},
               QObject* parent = nullptr);
  ~HttpListener() override;

  bool Listen(const QHostAddress& address, quint16 port);
  QString errorString() const { return listener_.errorString(); }
  quint16 port() const { return listener_.serverPort(); }

 private:
  struct Connection {
    QTcpSocket* socket;
    std::string peer;
    http::RequestHead head;
    std::chrono::steady_clock::time_point since;
  };

  void Accept(qintptr descriptor);
  void Read(uint64_t id);
  // Closes the connections past their deadlines: one timer for all, so that connections
  // coming and going leave no timers behind.
  void Sweep();
  void Drop(uint64_t id);

  HttpLimits limits_;
  Handler handler_;
  http::TrustedProxies trusted_;
  http::PeerLimits peers_;
  uint64_t next_id_ = 0;
  QTimer sweep_;
  std::unordered_map<uint64_t, Connection> connections_;
  DescriptorServer listener_;
};

}  // namespace scrawlbox
