// SPDX-License-Identifier: MIT
// The room's web port with real programs: a browser's WebSocket is a player of the same room as
// a TCP one, over TLS too; what it refuses is refused over the wire. The frame rules themselves
// are the codec's tests.
#include <gmock/gmock.h>

#include <QtCore/qtestsupport_core.h>
#include <QFile>
#include <QSslCertificate>
#include <filesystem>

#include "protocol/commands.h"
#include "tests/integration/processes.h"

namespace testing_support {
namespace {

using testing::HasSubstr;
using testing::StartsWith;
namespace to_server = protocol::to_server;

QUrl PlayUrl(const char* scheme, quint16 port) {
  return QUrl(QStringLiteral("%1://localhost:%2/play").arg(QLatin1String(scheme)).arg(port));
}

// A certificate for localhost valid for the days, made as an operator would.
bool MakeCertificate(const TempDir& dir, int days) {
  QProcess openssl;
  openssl.start(QStringLiteral("openssl"),
                Args(QStringLiteral("req -x509 -newkey rsa:2048 -nodes -keyout %1/key.pem -out "
                                    "%1/cert.pem -days %2 -subj /CN=localhost -addext "
                                    "subjectAltName=DNS:localhost")
                         .arg(QString::fromStdString(dir.path().string()))
                         .arg(days)));
  return openssl.waitForFinished(30000) && openssl.exitCode() == 0;
}

// Whoever got the word draws a stroke, which the other sees, and the other finds the word.
void PlayARound(RawClient& ann, RawClient& bob) {
  ann.Send(to_server::STARTGAME,
           protocol::JoinFields({"Room", "Desc", "8", "1", "60000", "30000",
                                 std::string(1, protocol::kListSep) + "test"}));
  const bool ann_draws =
      ann.WaitFor("NEWARTIST", 10000).has_value() && ann.WaitFor("NEWWORD", 1000).has_value();
  RawClient& artist = ann_draws ? ann : bob;
  RawClient& guesser = ann_draws ? bob : ann;
  artist.Send("LI", protocol::JoinFields({"10", "20", "30", "40"}));
  EXPECT_TRUE(guesser.WaitFor("LI").has_value());
  guesser.Send(to_server::SAY, "cat");
  EXPECT_TRUE(artist.WaitFor("WORDFOUND").has_value());
}

TEST(WebPort, AWebPlayerAndATcpPlayerChatDrawAndGuessInOneGame) {
  const quint16 web = FreePort();
  const quint16 metrics = FreePort();
  ServerProcess server;
  std::filesystem::create_directory(server.dir() / "Wordlists");
  WriteFile(server.dir() / "Wordlists" / "test.txt", "cat\r\n");
  server.arguments = Args(QStringLiteral("--web-port %1 --metrics-port %2").arg(web).arg(metrics));
  ASSERT_TRUE(server.Start());
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("Browser players: http://")));
  // The page, and nothing outside it.
  const Ending page = RawExchange(web, "GET / HTTP/1.1\r\nHost: localhost\r\n\r\n");
  EXPECT_THAT(page.read, StartsWith("HTTP/1.1 200 OK"));
  EXPECT_THAT(page.read, HasSubstr("aria-label=\"Drawing pad\""));
  EXPECT_THAT(RawExchange(web, "GET /../Server.ini HTTP/1.1\r\n\r\n").read,
              StartsWith("HTTP/1.1 404 "));
  // The core comes compressed and typed so that the browser compiles it as it downloads.
  const std::string core =
      RawExchange(web, "GET /core.wasm HTTP/1.1\r\nAccept-Encoding: gzip\r\n\r\n").read;
  if (SCRAWLBOX_PAGE_SCRIPT) {
    EXPECT_THAT(core, HasSubstr("Content-Type: application/wasm\r\n"));
    EXPECT_THAT(core, HasSubstr("Content-Encoding: gzip\r\n"));
  }

  RawClient ann, bob;
  ASSERT_EQ(ann.Join(server.port(), "ann"), "100000");
  ASSERT_TRUE(bob.ConnectWeb(PlayUrl("ws", web), QStringLiteral("http://localhost:%1").arg(web)));
  ASSERT_EQ(bob.JoinConnected("bob"), "100001");
  // Each sees the other's line after its own.
  bob.Send(to_server::SAY, "hello from the browser");
  ann.Send(to_server::SAY, "hello from the desktop");
  const std::string from_bob = protocol::JoinFields({"100001", "hello from the browser"});
  const std::string from_ann = protocol::JoinFields({"100000", "hello from the desktop"});
  EXPECT_EQ(ann.WaitFor("SAY").value_or(protocol::Message{}).data, from_bob);
  EXPECT_EQ(ann.WaitFor("SAY").value_or(protocol::Message{}).data, from_ann);
  EXPECT_EQ(bob.WaitFor("SAY").value_or(protocol::Message{}).data, from_bob);
  EXPECT_EQ(bob.WaitFor("SAY").value_or(protocol::Message{}).data, from_ann);
  PlayARound(ann, bob);

  const std::string scrape = Scrape(metrics);
  EXPECT_EQ(MetricValue(scrape, "scrawlbox_transport_connections_total{transport=\"web\"}"), 1);
  EXPECT_EQ(MetricValue(scrape, "scrawlbox_transport_open_connections{transport=\"tcp\"}"), 1);
  EXPECT_EQ(PromtoolComplaints(scrape), "");
  server.Terminate();
  EXPECT_TRUE(bob.HangUpOnQuit());
  EXPECT_TRUE(ann.HangUpOnQuit());
  EXPECT_EQ(server.WaitForExit(), 0);
}

// The operator's certificate makes the port HTTPS and WSS; one about to run out is reported,
// and a renewed one is taken on SIGHUP without a restart.
TEST(WebPort, SpeaksTlsWithTheOperatorsCertificateAndRenewsItOnSighup) {
  const quint16 web = FreePort();
  ServerProcess server("Web Port=" + std::to_string(web) +
                       "\nTLS Certificate=cert.pem\nTLS Key=key.pem\n");
  ASSERT_TRUE(MakeCertificate(server.dir(), 3));
  ASSERT_TRUE(server.Start());
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("days; renew it and send the room SIGHUP.")));
  ASSERT_TRUE(server.WaitForOutput(QStringLiteral("Browser players: https://")));
  QFile pem(QString::fromStdString((server.dir() / "cert.pem").string()));
  ASSERT_TRUE(pem.open(QIODevice::ReadOnly));
  const QSslCertificate certificate(&pem);

  RawClient plain, secure;
  // No TLS, no room: what a plain peer sends is no handshake.
  EXPECT_FALSE(plain.ConnectWeb(PlayUrl("ws", web)));
  ASSERT_TRUE(secure.ConnectWeb(PlayUrl("wss", web), {}, certificate));
  EXPECT_EQ(secure.JoinConnected("tls"), "100000");

  ASSERT_TRUE(MakeCertificate(server.dir(), 90));
  server.Signal(SIGHUP);
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("The TLS certificate was read again")));
  RawClient renewed;
  QFile renewed_pem(QString::fromStdString((server.dir() / "cert.pem").string()));
  ASSERT_TRUE(renewed_pem.open(QIODevice::ReadOnly));
  ASSERT_TRUE(renewed.ConnectWeb(PlayUrl("wss", web), {}, QSslCertificate(&renewed_pem)));
  EXPECT_EQ(renewed.JoinConnected("renewed"), "100001");
  server.Terminate();
  EXPECT_EQ(server.WaitForExit(), 0);
}

// Each refusal has its answer, and a peer that never finishes its head is closed at the
// handshake deadline.
TEST(WebPort, RefusesOtherSitesBrowsersWhenOffAndHostileHeads) {
  const quint16 web = FreePort();
  ServerProcess server("Web Port=" + std::to_string(web) +
                       "\nBrowser Players=0\nHandshake Timeout=1\n");
  ASSERT_TRUE(server.Start());
  const std::string upgrade =
      "GET /play HTTP/1.1\r\nHost: localhost\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
      "Sec-WebSocket-Version: 13\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n";
  // The codec's answers reach the peer: a page of another site is refused.
  EXPECT_THAT(RawExchange(web, upgrade + "Origin: http://elsewhere.example\r\n\r\n").read,
              StartsWith("HTTP/1.1 403 "));
  EXPECT_THAT(RawExchange(web, "GET / HTTP/1.1\r\nX: " + std::string(9000, 'x') + "\r\n\r\n").read,
              StartsWith("HTTP/1.1 431 "));
  EXPECT_EQ(RawExchange(web, "GET / HTTP/1.1\r\nHost: slow").read, "");

  RawClient browser;
  EXPECT_FALSE(browser.ConnectWeb(PlayUrl("ws", web)));
  EXPECT_EQ(browser.CloseReason(), QStringLiteral("This room does not take browser players."));
  server.Terminate();
  EXPECT_EQ(server.WaitForExit(), 0);
}

// The deployment's haproxy, on test ports, in front of a room that trusts its address alone: a
// browser reaches the room over TLS through it, and the room takes the player's address from
// haproxy's X-Forwarded-For, not from one the player wrote or one sent by anyone else.
TEST(WebPort, BehindTheDeployedHaproxyTakesThePlayersAddressFromItAlone) {
  const quint16 web = FreePort();
  const quint16 https = FreePort();
  ServerProcess server("Web Port=" + std::to_string(web) + "\nTrusted Proxies=127.0.0.5\n");
  ASSERT_TRUE(MakeCertificate(server.dir(), 30));
  const std::string pem = (server.dir() / "haproxy.pem").string();
  WriteFile(pem, ReadFile(server.dir() / "cert.pem") + ReadFile(server.dir() / "key.pem"));
  std::string config =
      ReadFile(std::filesystem::path(SCRAWLBOX_SOURCE_DIR) / "deploy" / "haproxy-room.cfg");
  const auto replace = [&config](const std::string& from, const std::string& to) {
    const size_t at = config.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    config.replace(at, from.size(), to);
  };
  // What only an installed haproxy has: its account, the system log, a daemon's life, and the
  // descriptors for its connections.
  replace("maxconn 20000", "maxconn 100");
  for (const char* line : {"    log /dev/log local0\n", "    user haproxy\n", "    group haproxy\n",
                           "    daemon\n", "    log global\n"}) {
    replace(line, "");
  }
  replace("bind :443 ssl crt /etc/haproxy/certs/scrawlbox.pem",
          "bind 127.0.0.1:" + std::to_string(https) + " ssl crt " + pem);
  replace("bind :80", "bind 127.0.0.1:" + std::to_string(FreePort()));
  // Its connections to the room come from an address of their own, which the room trusts.
  replace("server room 127.0.0.1:2081",
          "server room 127.0.0.1:" + std::to_string(web) + " source 127.0.0.5");
  WriteFile(server.dir() / "haproxy.cfg", config);
  ASSERT_TRUE(server.Start());

  // Straight to the room, a forwarded address is not believed.
  const std::string hello = protocol::Frame(to_server::SCRAWLBOX_CL13NT, "100001");
  const std::string frame = std::string{'\x82', static_cast<char>(0x80 | (2 * hello.size()))} +
                            std::string(4, '\0') + hello + hello;  // a mask of zeros
  RawExchange(web,
              "GET /play HTTP/1.1\r\nHost: localhost\r\nUpgrade: websocket\r\n"
              "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
              "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nX-Forwarded-For: 6.6.6.6\r\n\r\n" +
                  frame,
              "127.0.0.2");
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("connected, from IP address: 127.0.0.2")));
  QProcess haproxy;
  haproxy.start(QStringLiteral("haproxy"),
                {QStringLiteral("-db"), QStringLiteral("-f"),
                 QString::fromStdString((server.dir() / "haproxy.cfg").string())});
  ASSERT_TRUE(haproxy.waitForStarted());
  QFile certificate_file(QString::fromStdString((server.dir() / "cert.pem").string()));
  ASSERT_TRUE(certificate_file.open(QIODevice::ReadOnly));
  const QSslCertificate certificate(&certificate_file);
  RawClient player;
  const QUrl url(QStringLiteral("wss://localhost:%1/play").arg(https));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return player.ConnectWeb(url, {}, certificate, "6.6.6.6"); }, 10000))
      << haproxy.readAll().toStdString();
  EXPECT_EQ(player.JoinConnected("proxied"), "100001");
  EXPECT_TRUE(server.WaitForOutput(QStringLiteral("connected, from IP address: 127.0.0.1")));
  EXPECT_FALSE(server.output().contains(QStringLiteral("6.6.6.6")));
  server.Terminate();
  EXPECT_TRUE(player.HangUpOnQuit());
  EXPECT_EQ(server.WaitForExit(), 0);
  haproxy.terminate();
  haproxy.waitForFinished();
}

}  // namespace
}  // namespace testing_support
