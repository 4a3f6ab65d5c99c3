// SPDX-License-Identifier: MIT
// A newcomer's first start, and the server browser when the room directory is down or a room
// is asked whether it is alive.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTreeWidget>

#include "client/net/server_probe.h"
#include "client/ui/profile_window.h"
#include "client/ui/server_browser_window.h"
#include "common/qt/qt_http.h"
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

TEST_F(FirstStart, OneWindowAsksForANicknameAndThenTheConnectRoomIsJoined) {
  window.show();
  // What --connect does once the window is shown.
  session.JoinRoom("room.example:2021");
  ProfileWindow* profile = ProfileShown();
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(VisibleBoxes(), 0);  // one window, no box over it
  EXPECT_THAT(profile->findChild<QLabel*>(QStringLiteral("labWhyNickname"))->text().toStdString(),
              testing::HasSubstr("Choose a nickname first."));
  EXPECT_EQ(profile->findChild<QLineEdit*>(QStringLiteral("txtNickname"))->text(), "");

  // The default name gets its own plain words, in the window itself.
  Save(QStringLiteral("un-named"));
  ASSERT_EQ(ProfileShown(), profile);
  auto* problem = profile->findChild<QLabel*>(QStringLiteral("labNicknameProblem"));
  EXPECT_TRUE(problem->isVisible());
  EXPECT_EQ(problem->text(), "Choose a nickname first.");
  EXPECT_EQ(VisibleBoxes(), 0);
  EXPECT_EQ(connection.connects, 0);

  // A reserved name the player chose gets the reserved-name box.
  Save(QStringLiteral("SuperAdmin"));
  EXPECT_EQ(VisibleBoxes(), 1);
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
  Receive("ULIST", Wire("100001|Zed|0|0"));
  Receive("ULISTEND", "");
  // No stale prompt comes back, and the room is in Recent with its port.
  EXPECT_EQ(VisibleBoxes(), 0);
  EXPECT_EQ(ProfileShown(), nullptr);
  EXPECT_THAT(settings.History(),
              testing::ElementsAre(ServerEntry{"room.example:2021", "Far room", ""}));
}

TEST_F(FirstStart, WithoutARoomToJoinTheBrowserFollowsTheNickname) {
  window.show();
  ASSERT_TRUE(window.ChooseNicknameIfNeeded());
  // Asking again brings the same window forward instead of stacking another.
  session.JoinRoom("room.example");
  EXPECT_EQ(window.findChildren<ProfileWindow*>().size(), 1);
  Save(QStringLiteral("Zed"));
  EXPECT_NE(window.findChild<ServerBrowserWindow*>(QStringLiteral("wServers")), nullptr);
  EXPECT_EQ(connection.connects, 1);  // the room asked for in the meantime
  EXPECT_FALSE(window.ChooseNicknameIfNeeded());
}

TEST_F(FirstStart, CancellingLeavesThePlayerPractisingAndJoinsNothing) {
  window.show();
  session.JoinRoom("room.example");
  ProfileShown()->reject();
  client::Profile p = session.profile();
  p.Nickname = "Zed";
  session.SetProfile(p);
  EXPECT_EQ(connection.connects, 0);
}

TEST_F(FirstStart, TheBrowserSaysSoInTheListWhenTheDirectoryIsDown) {
  // A port that was free a moment ago: nothing listens there.
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
  const quint16 closed = probe.serverPort();
  probe.close();
  scrawlbox::QtHttpGetter http(5000);
  QPointer<ServerBrowserWindow> browser(new ServerBrowserWindow(
      &session, &settings, &http,
      "http://127.0.0.1:" + std::to_string(closed) + "/misc/scrawlbox/tracker.php", &window));
  auto* sections = browser->findChild<QListWidget*>(QStringLiteral("lvwSections"));
  emit sections->itemClicked(sections->item(0));
  auto* list = browser->findChild<QTreeWidget*>(QStringLiteral("lvwServers"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return list->topLevelItemCount() == 1 &&
               list->topLevelItem(0)->text(0).startsWith(QStringLiteral("Could not reach"));
      },
      10000));
  EXPECT_THAT(list->topLevelItem(0)->text(0).toLower().toStdString(),
              testing::HasSubstr("refused"));
  EXPECT_TRUE(browser->findChild<QPushButton*>(QStringLiteral("cmdRefresh"))->isEnabled());
  delete browser.data();
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
        peer->readAll();
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

 private:
  QByteArray answer_;
  QTcpServer server_;
};

TEST(ServerProbeAnswers, EveryProbeEndsInOneAnswer) {
  struct Case {
    QByteArray answer;  // empty: the room closes without a word
    const char* expected;
  };
  for (const Case& c : {Case{"ISALIVE\x02YES\x01", "online"}, Case{"", "closed"},
                        Case{"PING\x02-\x01", "closed"}, Case{"-", "failed"}}) {
    SCOPED_TRACE(c.expected);
    ProbedRoom room(c.answer);
    ASSERT_TRUE(room.listening);
    ServerProbe probe;
    std::vector<std::string> answers;
    QObject::connect(&probe, &ServerProbe::online, [&] { answers.emplace_back("online"); });
    QObject::connect(&probe, &ServerProbe::closed, [&] { answers.emplace_back("closed"); });
    QObject::connect(&probe, &ServerProbe::failed,
                     [&](const QString&) { answers.emplace_back("failed"); });
    probe.Probe(QStringLiteral("127.0.0.1"), room.port);
    // Both ends have let go before the answers are counted.
    const bool listens = c.answer != "-";
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !answers.empty() && (room.gone || !listens); }, 10000));
    EXPECT_THAT(answers, testing::ElementsAre(c.expected));
  }
}

}  // namespace
}  // namespace client
