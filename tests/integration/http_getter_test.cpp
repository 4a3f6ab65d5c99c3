// SPDX-License-Identifier: MIT
// The programs' HTTP getter against a host that gives each request the answer a row scripts.
#include <gmock/gmock.h>

#include <QTcpServer>

#include "common/qt/qt_http.h"
#include "tests/integration/processes.h"

namespace testing_support {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

// Keeps each request's head and answers it (an empty answer leaves the connection open and
// silent). One request per connection: whatever follows an answered request is dropped.
class ScriptedHost : public QTcpServer {
 public:
  explicit ScriptedHost(const QByteArray& answer) {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this, answer] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, answer] {
          const QByteArray before = socket->property("head").toByteArray();
          const QByteArray head = before + socket->readAll();
          socket->setProperty("head", head);
          if (before.contains("\r\n\r\n") || !head.contains("\r\n\r\n")) return;
          heads.push_back(head.toStdString());
          if (answer.isEmpty()) return;
          socket->write(answer);
          socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }

  std::vector<std::string> heads;
};

// The request goes out byte for byte whatever comes back; an answer that is huge, endless or
// never comes ends in an error.
TEST(HttpGetter, SendsEightBitTextByteForByteAndEndsBrokenAnswersWithAnError) {
  const struct {
    const char* name;
    QByteArray answer;
    std::string record;      // the first line of the body, when the answer is ok
    std::string error_text;  // when not ok; "?" for any
  } rows[] = {
      {"plain", "HTTP/1.1 200 OK\r\nContent-Length: 17\r\n\r\nSTATUS=UPDATEOK\r\n",
       "STATUS=UPDATEOK", ""},
      {"ten megabytes", "HTTP/1.1 200 OK\r\n\r\n" + QByteArray(10 << 20, 'x'), "",
       "The answer was too large"},
      {"a redirect loop",
       "HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
       "", "?"},
      {"silent", "", "", "The request timed out"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ScriptedHost host(row.answer);
    bool sent = false;
    const auto result =
        Fetch("http://127.0.0.1:" + std::to_string(host.serverPort()) + "/t?NAME=Caf\xE9%20x",
              row.answer.isEmpty() ? 300 : directory::kRequestTimeoutMs, &sent);
    EXPECT_TRUE(sent);
    EXPECT_THAT(
        host.heads.at(0),
        AllOf(StartsWith("GET /t?NAME=Caf%E9%20x HTTP/1.1\r\n"), HasSubstr("\r\nHost: 127.0.0.1:"),
              HasSubstr("\r\nAccept: */*\r\n"), HasSubstr("\r\nUser-Agent: Scrawlbox Test\r\n"),
              HasSubstr("\r\nConnection: close\r\n")));
    EXPECT_EQ(result.ok, row.error_text.empty()) << result.error_text;
    EXPECT_EQ(directory::ReplyRecord(result.body), row.record);
    EXPECT_EQ(result.error != 0 && !result.error_text.empty(), !result.ok);
    EXPECT_TRUE(row.error_text == "?" || result.error_text == row.error_text) << result.error_text;
    // Qt resends a request when the host closes the connection as the request goes out, so the
    // bound on a redirect loop's hops leaves room for such resends: what matters is it ends.
    EXPECT_LE(host.heads.size(), 2u * (1u + scrawlbox::QtHttpGetter::kMaxRedirects));
  }
}

}  // namespace
}  // namespace testing_support
