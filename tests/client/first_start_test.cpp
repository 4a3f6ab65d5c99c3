// SPDX-License-Identifier: MIT
// A newcomer's first start, and the real socket behind the server browser's probe of a room.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTcpServer>
#include <QTest>

#include "client/net/server_probe.h"
#include "client/ui/profile_window.h"
#include "client/ui/server_browser_window.h"
#include "tests/support/window_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

class FirstStart : public testing::Test, protected testing_support::WindowHarness {
 protected:
  ProfileWindow* ProfileShown() {
    for (auto* profile : window.findChildren<ProfileWindow*>()) {
      if (profile->isVisible()) return profile;
    }
    return nullptr;
  }
  // Types a nickname into the open profile window and saves it.
  void Save(const QString& nickname) {
    ProfileWindow* profile = ProfileShown();
    ASSERT_NE(profile, nullptr);
    profile->findChild<QLineEdit*>(QStringLiteral("txtNickname"))->setText(nickname);
    profile->accept();
  }
  int VisibleBoxes() {
    int boxes = 0;
    for (auto* box : window.findChildren<QMessageBox*>()) boxes += box->isVisible();
    return boxes;
  }
};

TEST_F(FirstStart, OneWindowAsksForTheNicknameSaysWhatIsWrongInItselfAndThenJoins) {
  window.show();
  session.JoinRoom("room.example:2021");  // what --connect does once the window is shown
  session.JoinRoom("room.example:2021");  // asked again: the same window, not a second one
  ASSERT_NE(ProfileShown(), nullptr);
  EXPECT_EQ(window.findChildren<ProfileWindow*>().size() + VisibleBoxes(), 1);
  EXPECT_THAT(
      ProfileShown()->findChild<QLabel*>(QStringLiteral("labWhyNickname"))->text().toStdString(),
      testing::HasSubstr("Choose a nickname first."));
  Save(QStringLiteral("un-named"));
  auto* problem = ProfileShown()->findChild<QLabel*>(QStringLiteral("labNicknameProblem"));
  EXPECT_EQ(problem->isVisible() ? problem->text() : QString(), "Choose a nickname first.");
  EXPECT_EQ(VisibleBoxes(), 0);
  // A reserved name the player chose gets the reserved-name box.
  Save(QStringLiteral("SuperAdmin"));
  ASSERT_EQ(VisibleBoxes(), 1);
  for (auto* box : window.findChildren<QMessageBox*>()) {
    EXPECT_THAT(box->text().toStdString(), testing::HasSubstr("reserved"));
    box->close();
  }
  Save(QStringLiteral("Zed"));
  EXPECT_EQ(ProfileShown(), nullptr);
  EXPECT_EQ(connection.host + ":" + std::to_string(connection.port), "room.example:2021");
  connection.state = SocketState::kConnected;
  session.OnConnected();
  Receive("SCRAWLBOX_S3RV3R", "100");
  Receive("USEROK", Wire("100001|"));
  Receive("PASSOK", Wire("|Far room|-|0|0"));
  Receive("ULISTEND", "");
  EXPECT_EQ(VisibleBoxes() + (ProfileShown() != nullptr), 0);  // no stale prompt comes back
}

TEST_F(FirstStart, CancelJoinsNothingAndWithoutARoomToJoinTheBrowserFollowsTheNickname) {
  window.show();
  session.JoinRoom("other.example");
  ProfileShown()->reject();
  session.SetProfile({.Nickname = "Zed"});
  EXPECT_EQ(connection.connects, 0);
  session.SetProfile({});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(window.ChooseNicknameIfNeeded());
  Save(QStringLiteral("Ann"));
  EXPECT_NE(window.findChild<ServerBrowserWindow*>(QStringLiteral("wServers")), nullptr);
  EXPECT_FALSE(window.ChooseNicknameIfNeeded());
}

// A room on this machine that answers every connection the same way; "-" for one that
// stops listening before it is asked.
class ProbedRoom : public QObject {
 public:
  explicit ProbedRoom(QByteArray answer) : answer_(std::move(answer)) {
    listening = server_.listen(QHostAddress::LocalHost);
    port = server_.serverPort();
    if (answer_ == "-") server_.close();
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
      QTcpSocket* peer = server_.nextPendingConnection();
      QObject::connect(peer, &QTcpSocket::disconnected, this, [this] { ++gone; });
      QObject::connect(peer, &QTcpSocket::readyRead, peer, [this, peer] {
        received += peer->readAll();
        if (answer_.isEmpty()) {
          peer->disconnectFromHost();
        } else {
          peer->write(answer_);
        }
      });
    });
  }

  bool listening = false;
  quint16 port = 0;
  int gone = 0;
  QByteArray received;

 private:
  QByteArray answer_;
  QTcpServer server_;
};

TEST(RealSockets, EveryProbeEndsInOneAnswer) {
  for (const auto& [answer, expected] :
       {std::pair<QByteArray, const char*>{"ISALIVE\x02YES\x01", "online"},
        {"", "closed"},  // the room closes without a word
        {"PING\x02-\x01", "closed"},
        {"-", "failed"}}) {
    SCOPED_TRACE(expected);
    ProbedRoom room(answer);
    ASSERT_TRUE(room.listening);
    ServerProbe probe;
    std::vector<std::string> answers;
    QObject::connect(&probe, &ServerProbe::online, [&] { answers.emplace_back("online"); });
    QObject::connect(&probe, &ServerProbe::closed, [&] { answers.emplace_back("closed"); });
    QObject::connect(&probe, &ServerProbe::failed,
                     [&](const QString&) { answers.emplace_back("failed"); });
    probe.Probe(QStringLiteral("127.0.0.1"), room.port);
    // Both ends have let go before the answers are counted.
    const bool listens = answer != "-";
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !answers.empty() && (room.gone || !listens); }, 10000));
    EXPECT_THAT(answers, testing::ElementsAre(expected));
  }
  // A made room of a host is named before the question, so that it answers for itself.
  ProbedRoom made("ISALIVE\x02YES\x01");
  ServerProbe probe;
  bool online = false;
  QObject::connect(&probe, &ServerProbe::online, [&] { online = true; });
  probe.Probe(QStringLiteral("127.0.0.1"), made.port, "k3mq8tz2wd");
  ASSERT_TRUE(QTest::qWaitFor([&] { return online; }, 10000));
  EXPECT_EQ(made.received, QByteArray("ROOM\x02k3mq8tz2wd\x01ISALIVE\x02-\x01"));
}

}  // namespace
}  // namespace client
