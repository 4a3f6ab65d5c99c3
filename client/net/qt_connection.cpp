// SPDX-License-Identifier: MIT
#include "client/net/qt_connection.h"

#include <QTimer>
#include <utility>

#include "client/room/session.h"

namespace client {

QtConnection::QtConnection() {
  socket_.setReadBufferSize(kReadChunk);
  connect(&socket_, &QTcpSocket::connected, this, [this] {
    if (session_) session_->OnConnected();
  });
  connect(&socket_, &QTcpSocket::readyRead, this, &QtConnection::OnReadyRead);
  connect(&socket_, &QTcpSocket::disconnected, this, [this] {
    if (leaving_) {
      FinishLeaving();
      return;
    }
    if (closing_ || !session_) return;
    const int closes = closes_;
    OnReadyRead();                  // what arrived just before the close is still handled, in order
    if (closes_ != closes) return;  // a message closed the connection itself
    session_->OnClosed();
  });
  connect(&socket_, &QTcpSocket::errorOccurred, this, &QtConnection::OnError);
}

QtConnection::~QtConnection() {
  session_ = nullptr;
  socket_.disconnect(this);
  socket_.abort();
}

void QtConnection::Connect(const std::string& host, int port) {
  socket_.connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
}

void QtConnection::Close() {
  ++closes_;
  closing_ = true;
  socket_.abort();
  closing_ = false;
  if (leaving_) FinishLeaving();
}

void QtConnection::Leave() {
  LeaveThen({});
}

void QtConnection::LeaveThen(std::function<void()> done) {
  ++closes_;
  if (socket_.state() == QAbstractSocket::UnconnectedState) {
    if (done) done();
    return;
  }
  leaving_ = true;
  left_ = std::move(done);
  const int leave = ++leaves_;
  socket_.disconnectFromHost();  // writes out what is queued, then closes
  if (socket_.state() == QAbstractSocket::UnconnectedState) {
    FinishLeaving();
    return;
  }
  QTimer::singleShot(kLeaveGraceMs, this, [this, leave] {
    if (!leaving_ || leave != leaves_) return;
    closing_ = true;
    socket_.abort();
    closing_ = false;
    FinishLeaving();
  });
}

void QtConnection::FinishLeaving() {
  leaving_ = false;
  if (auto done = std::exchange(left_, {})) done();
}

bool QtConnection::Send(std::string_view bytes) {
  if (socket_.state() == QAbstractSocket::UnconnectedState) return false;
  return socket_.write(bytes.data(), static_cast<qint64>(bytes.size())) >= 0;
}

SocketState QtConnection::State() const {
  switch (socket_.state()) {
    case QAbstractSocket::UnconnectedState:
      return SocketState::kClosed;
    case QAbstractSocket::ConnectedState:
      return SocketState::kConnected;
    case QAbstractSocket::ClosingState:
      return SocketState::kClosing;
    default:
      return SocketState::kConnecting;
  }
}

void QtConnection::Flush() {
  socket_.flush();
}

void QtConnection::OnReadyRead() {
  while (session_ && socket_.bytesAvailable() > 0) {
    const QByteArray chunk = socket_.read(kReadChunk);
    if (chunk.isEmpty()) return;
    session_->OnData(std::string_view(chunk.constData(), static_cast<size_t>(chunk.size())));
  }
}

void QtConnection::OnError(QAbstractSocket::SocketError error) {
  // The server closing the connection is reported by the close event.
  if (error == QAbstractSocket::RemoteHostClosedError || closing_ || leaving_ || !session_) return;
  SocketError reported;
  reported.number = static_cast<int>(error);
  reported.description = socket_.errorString().toStdString();
  if (error == QAbstractSocket::ConnectionRefusedError) reported.kind = SocketErrorKind::kRefused;
  if (error == QAbstractSocket::HostNotFoundError) reported.kind = SocketErrorKind::kHostNotFound;
  session_->OnError(reported);
}

}  // namespace client
