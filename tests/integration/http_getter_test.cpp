// SPDX-License-Identifier: MIT
// The programs' HTTP getter against a host that answers exactly what each test scripts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

#include "common/qt/qt_http.h"
#include "tests/integration/processes.h"

namespace testing_support {
namespace {

using testing::HasSubstr;

// Reads each request's head, keeps it, and answers with what the script returns for it (an
// empty answer leaves the connection open and silent). One request per connection: whatever
// follows an answered request is dropped.
class ScriptedHost : public QTcpServer {
 public:
  explicit ScriptedHost(std::function<QByteArray(const QByteArray& head)> script) {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this, script] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, script] {
          const QByteArray before = socket->property("head").toByteArray();
          const QByteArray head = before + socket->readAll();
          socket->setProperty("head", head);
          if (before.contains("\r\n\r\n") || !head.contains("\r\n\r\n")) return;
          heads.push_back(head);
          const QByteArray answer = script(head);
          if (answer.isEmpty()) return;
          socket->write(answer);
          socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }

  std::string Url(const std::string& path_and_query) const {
    return "http://127.0.0.1:" + std::to_string(serverPort()) + path_and_query;
  }

  std::vector<QByteArray> heads;
};

QByteArray Chunked(const QByteArray& body) {
  return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n" +
         QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n0\r\n\r\n";
}

QByteArray Plain(const QByteArray& body, bool with_length = true) {
  return "HTTP/1.1 200 OK\r\n" +
         (with_length ? "Content-Length: " + QByteArray::number(body.size()) + "\r\n"
                      : QByteArray()) +
         "Connection: close\r\n\r\n" + body;
}

TEST(HttpGetter, SendsTheRequestLinesAndEightBitTextByteForByte) {
  ScriptedHost host([](const QByteArray&) { return Chunked("STATUS=SUBMITOK|EXTRA=\r\n"); });
  const auto result =
      Fetch(host.Url("/misc/scrawlbox/tracker.php?ACTION=ADD&KEY=PC:ANN&SERVERNAME=Caf\xE9%20x"));
  ASSERT_TRUE(result.ok) << result.error_text;
  ASSERT_EQ(host.heads.size(), 1u);
  const std::string head = host.heads[0].toStdString();
  EXPECT_THAT(head, testing::StartsWith("GET /misc/scrawlbox/tracker.php?ACTION=ADD&KEY=PC:ANN"
                                        "&SERVERNAME=Caf%E9%20x HTTP/1.1\r\n"));
  EXPECT_THAT(head, HasSubstr("\r\nHost: 127.0.0.1:"));
  EXPECT_THAT(head, HasSubstr("\r\nAccept: */*\r\n"));
  EXPECT_THAT(head, HasSubstr("\r\nUser-Agent: Scrawlbox Test\r\n"));
  EXPECT_THAT(head, HasSubstr("\r\nConnection: close\r\n"));
}

// The answer is read as HTTP: chunked and plain bodies read the same, and what is broken, huge
// or endless ends in an error.
TEST(HttpGetter, ReadsTheAnswerAsHttpAndEndsBrokenOnesWithAnError) {
  const QByteArray record = "STATUS=UPDATEOK\r\n";
  const struct {
    const char* name;
    QByteArray answer;
    bool ok;
    std::string record;      // the first line of the body
    std::string error_text;  // when not ok; empty for any
  } rows[] = {
      {"chunked", Chunked(record), true, "STATUS=UPDATEOK", ""},
      {"plain", Plain(record), true, "STATUS=UPDATEOK", ""},
      {"plain without a length", Plain(record, false), true, "STATUS=UPDATEOK", ""},
      {"empty", Plain(""), true, "", ""},
      {"garbage", "\x01\xFFnot http at all\r\n\r\n", false, "", ""},
      {"not found", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", false, "", ""},
      {"ten megabytes", Plain(QByteArray(10 << 20, 'x')), false, "", "The answer was too large"},
      {"a redirect loop",
       "HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
       false, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ScriptedHost host([&](const QByteArray&) { return row.answer; });
    const auto result = Fetch(host.Url("/t?ACTION=ADD"));
    EXPECT_EQ(result.ok, row.ok) << result.error_text;
    EXPECT_EQ(directory::ReplyRecord(result.body), row.record);
    EXPECT_EQ(result.error != 0 && !result.error_text.empty(), !row.ok);
    EXPECT_TRUE(row.error_text.empty() || result.error_text == row.error_text) << result.error_text;
    // Qt resends a request when the host closes the connection as the request goes out, so the
    // bound on a redirect loop's hops leaves room for such resends: what matters is it ends.
    EXPECT_LE(host.heads.size(), 2u * (1u + scrawlbox::QtHttpGetter::kMaxRedirects));
  }
}

TEST(HttpGetter, AHostThatNeverAnswersTimesOut) {
  ScriptedHost host([](const QByteArray&) { return QByteArray(); });
  bool sent = false;
  const auto result = Fetch(host.Url("/t"), 300, &sent);
  EXPECT_TRUE(sent);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, QNetworkReply::TimeoutError);
  EXPECT_EQ(result.error_text, "The request timed out");
  EXPECT_EQ(host.heads.size(), 1u);  // the request went out and was not answered
}

}  // namespace
}  // namespace testing_support
