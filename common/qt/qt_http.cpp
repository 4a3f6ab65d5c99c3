// SPDX-License-Identifier: MIT
#include "common/qt/qt_http.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <cstring>
#include <memory>

namespace scrawlbox {

QtHttpGetter::~QtHttpGetter() {
  for (QNetworkReply* reply : manager_.findChildren<QNetworkReply*>()) {
    reply->disconnect(this);
    reply->abort();
  }
}

namespace {

// Queries hold 8-bit text and values sent as they are: every byte a URL cannot carry is
// percent-encoded here, byte for byte. (Left to QUrl, bytes above 127 would be read as UTF-8 and
// a lone Latin-1 letter would arrive as a replacement character.)
QByteArray EscapeForUrl(const std::string& url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  QByteArray out;
  out.reserve(static_cast<qsizetype>(url.size()));
  for (const char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || std::strchr("\"<>\\^`{|}", c)) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

void QtHttpGetter::Get(const std::string& url, const std::string& user_agent,
                       std::function<void(const directory::HttpResult&)> done,
                       std::function<void()> sent) {
  QNetworkRequest request(QUrl::fromEncoded(EscapeForUrl(url), QUrl::TolerantMode));
  request.setRawHeader("Accept", "*/*");
  request.setRawHeader("User-Agent", QByteArray::fromStdString(user_agent));
  request.setRawHeader("Connection", "close");
  request.setMaximumRedirectsAllowed(kMaxRedirects);
  QNetworkReply* reply = manager_.get(request);

  auto body = std::make_shared<QByteArray>();
  auto too_large = std::make_shared<bool>(false);
  auto timed_out = std::make_shared<bool>(false);
  // One bound on the whole request, however slowly the host answers.
  QTimer::singleShot(timeout_ms_, reply, [reply, timed_out] {
    *timed_out = true;
    reply->abort();
  });
  if (sent) {
    // Qt says so again for a redirect or a resent request; the caller hears it once.
    auto once = std::make_shared<std::function<void()>>(std::move(sent));
    connect(reply, &QNetworkReply::requestSent, this, [once] {
      if (!*once) return;
      const auto call = std::move(*once);
      *once = nullptr;
      call();
    });
  }
  connect(reply, &QNetworkReply::readyRead, this, [reply, body, too_large] {
    *body += reply->readAll();
    if (static_cast<size_t>(body->size()) > directory::kMaxReplyBytes) {
      *too_large = true;
      reply->abort();
    }
  });
  connect(reply, &QNetworkReply::finished, this, [reply, body, too_large, timed_out, done] {
    *body += reply->readAll();
    directory::HttpResult result;
    if (*too_large) {
      result.error = QNetworkReply::UnknownContentError;
      result.error_text = "The answer was too large";
    } else if (*timed_out) {
      result.error = QNetworkReply::TimeoutError;
      result.error_text = "The request timed out";
    } else if (reply->error() != QNetworkReply::NoError) {
      result.error = static_cast<int>(reply->error());
      result.error_text = reply->errorString().toStdString();
    } else {
      result.ok = true;
      result.body = body->toStdString();
    }
    reply->deleteLater();
    done(result);
  });
}

}  // namespace scrawlbox
