// SPDX-License-Identifier: MIT
#include "tracker/prober.h"

#include <QTcpSocket>
#include <algorithm>
#include <memory>

#include "common/qt/text_codec.h"
#include "directory/server_browser.h"
#include "protocol/commands.h"
#include "protocol/framing.h"

namespace tracker {

Prober::Prober(Registry& registry, int interval_ms, QObject* parent)
    : QObject(parent), registry_(registry), timeout_ms_(std::clamp(interval_ms / 3, 1, 10000)) {
  connect(&timer_, &QTimer::timeout, this, &Prober::Tick);
  timer_.start(std::max(interval_ms / 2, 1));
}

void Prober::Tick() {
  const bool everyone = ++ticks_ % 2 == 0;
  for (const Room& room : everyone ? registry_.All() : registry_.Failing()) Probe(room);
}

void Prober::Probe(const Room& room) {
  auto* socket = new QTcpSocket(this);
  socket->setReadBufferSize(4096);
  auto done = std::make_shared<bool>(false);
  auto reply = std::make_shared<std::string>();
  const std::string key = room.key;
  auto finish = [this, socket, done, key](bool alive) {
    if (*done) return;
    *done = true;
    socket->abort();
    socket->deleteLater();
    Result(key, alive);
  };
  connect(socket, &QTcpSocket::connected, socket, [socket] {
    const std::string probe = protocol::Frame(protocol::to_server::ISALIVE, protocol::kNoData);
    socket->write(probe.data(), static_cast<qint64>(probe.size()));
  });
  connect(socket, &QTcpSocket::readyRead, socket, [socket, reply, finish] {
    reply->append(socket->read(4096).toStdString());
    if (directory::IsAliveAnswer(*reply)) finish(true);
  });
  connect(socket, &QTcpSocket::errorOccurred, socket, [finish] { finish(false); });
  QTimer::singleShot(timeout_ms_, socket, [finish] { finish(false); });
  socket->connectToHost(QString::fromStdString(room.address), static_cast<quint16>(room.port));
}

void Prober::Result(const std::string& key, bool alive) {
  if (registry_.RecordProbe(key, alive)) emit roomDropped(scrawlbox::Printable(key));
}

}  // namespace tracker
