// SPDX-License-Identifier: MIT
// The round gallery: what it keeps, the pictures it saves and the replays it draws.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "client/drawing/pad_image.h"
#include "client/ui/gallery_window.h"
#include "tests/support/window_harness.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace client {
namespace {

// A player in a room with ann (100000); this client is 100005. The window keeps the gallery.
class GalleryTest : public testing::Test, protected testing_support::WindowHarness {
 protected:
  GalleryTest() {
    testing_support::LogInSession(session, connection, 100005, {"ann"});
    Receive("TOTALROUNDS", "100");
    Receive("START_GAME", "animals");
  }
  // Ann draws round n: a line a round, so that every picture differs.
  void AnnDraws(int n) {
    Receive("NEWROUND", std::to_string(n));
    Receive("NEWARTIST", "100000");
    const std::string y = std::to_string(n * 5 % 300);
    Receive("FH", Wire("100000|10|") + y + Wire("|400|") + y);
    Receive("ENDOFROUND", "word" + std::to_string(n));
  }
  // Replays the round to its end and returns what the replay drew.
  QImage ReplayToEnd(const Gallery::Entry& round, int speed, int64_t* took_ms = nullptr) {
    RoundReplay replay(clock, nullptr, nullptr);
    replay.Start(round, speed);
    const int64_t began = clock.now();
    while (replay.running() && clock.now() - began < 600000) clock.Advance(RoundReplay::kFrameMs);
    if (took_ms) *took_ms = clock.now() - began;
    return PictureOf(replay.tools().raster());
  }
};

TEST_F(GalleryTest, KeepsFiftyRoundsNewestFirstUnderTheirGamesAndFollowsNewOnes) {
  for (int n = 2; n <= 51; ++n) AnnDraws(n);
  // The next game starts again at round 1; the first round of the first game is gone.
  Receive("NEWROUND", "1");
  Receive("NEWARTIST", "100000");
  Receive("ENDOFROUND", "an extraordinarily long phrase that no list could ever show whole");
  const auto& rounds = window.gallery().rounds();
  ASSERT_EQ(rounds.size(), Gallery::kMaxRounds);
  GalleryWindow* gallery = window.OpenGallery();
  auto* list = gallery->findChild<QListWidget*>(QStringLiteral("lstRounds"));
  auto text = [&](int row) { return list->item(row)->text().toStdString(); };
  ASSERT_EQ(list->count(), 52);
  EXPECT_EQ(gallery->Selected(), rounds.back());
  for (int heading : {0, 2}) {
    EXPECT_THAT(text(heading), testing::StartsWith("Game of ")) << heading;
    EXPECT_FALSE(list->item(heading)->flags() & Qt::ItemIsSelectable);
  }
  EXPECT_THAT(text(1), testing::MatchesRegex("Round 1: an extraordinarily long.*\u2026\nby ann"));
  EXPECT_THAT(list->item(1)->toolTip().toStdString(), testing::HasSubstr("show whole"));
  EXPECT_EQ(text(3), "Round 51: word51\nby ann");
  list->setCurrentRow(2);
  EXPECT_EQ(gallery->Selected(), rounds.back());  // a heading shows no round

  Receive("NEWROUND", "2");
  Receive("NEWARTIST", "100000");
  session.EnterChatLine("Boat");
  Receive("WORDFOUND", Wire("1|100005"));
  Receive("STOPGAMETIMER", "-");
  Receive("NEWROUND", "3");
  Receive("NEWARTIST", "100000");
  session.OnClosed();            // the room went away before it told the word
  EXPECT_EQ(list->count(), 52);  // two more rounds, two older ones gone
  EXPECT_EQ(gallery->Selected(), rounds[rounds.size() - 3]);  // still the round on show
  EXPECT_EQ(text(1), "Round 3: the word was not told\nby ann");
  list->setCurrentRow(2);
  EXPECT_EQ(gallery->findChild<QLabel*>(QStringLiteral("labRoundWord"))->text() + " " +
                gallery->findChild<QLabel*>(QStringLiteral("labRoundFinders"))->text(),
            "Round 2: Boat Found by un-named.");
  EXPECT_EQ(window.OpenGallery(), gallery);  // one gallery window
}

TEST_F(GalleryTest, PicturesAreSavedAsPngOneOrAllAndNeverOverAFile) {
  AnnDraws(1);
  AnnDraws(2);
  const auto& rounds = window.gallery().rounds();
  EXPECT_EQ(Gallery::FileName(*rounds[0]), "Scrawlbox round 01 - word1 by ann.png");
  const QString folder = QString::fromStdString(dir.path().string());
  const QStringList first = window.gallery().SaveAll(folder);
  const QStringList second = window.gallery().SaveAll(folder);
  ASSERT_EQ(first.size() + second.size(), 4);
  EXPECT_TRUE(second[0].endsWith(QStringLiteral("word1 by ann (2).png")));
  EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.png")}).size(), 4);
  for (int i = 0; i < 2; ++i) {
    const QImage saved(first[i], "PNG");
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), rounds[static_cast<size_t>(i)]->picture);
  }
  QStringList failed;
  EXPECT_TRUE(window.gallery().SaveAll(folder + "/missing/folder", &failed).empty());
  EXPECT_EQ(failed.size(), 2);

  // Larger, each pad pixel a sharp square.
  const QString large = QDir(folder).filePath(QStringLiteral("large.png"));
  ASSERT_TRUE(Gallery::SavePicture(*rounds[1], large, 4));
  EXPECT_EQ(QImage(large, "PNG").convertToFormat(QImage::Format_RGB32),
            rounds[1]->picture.scaled(rounds[1]->picture.size() * 4));

  // The dialogs start in the player's Pictures folder, made when it is missing.
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(dir.path().string()));
  EXPECT_EQ(Gallery::SaveFolder(), QDir(folder).filePath(QStringLiteral("Pictures")));
  EXPECT_TRUE(QFileInfo(Gallery::SaveFolder()).isDir());
  qputenv("HOME", home);
}

TEST_F(GalleryTest, AReplayEndsOnTheRoundsFinalPixelsAt1xAnd4x) {
  // Ann's round, as this pad replays what she sends: fills, undo, spray and a custom colour.
  Receive("NEWROUND", "1");
  Receive("NEWARTIST", "100000");
  // clang-format off
  for (const char* code : {"DW 4|8", "FH 20|20|300|200", "FT 0", "PA 12", "BO 50|50|120|90",
                           "CU -", "CI 200|100|260|180", "UN -", "SP 400|250", "CC 10|200|30",
                           "FL 5|300", "ER 60|60", "LI 0|321|510|0"}) {
    // clang-format on
    const std::string_view text(code);
    std::string data = "100000|" + std::string(text.substr(3));
    std::replace(data.begin(), data.end(), '|', '\x03');
    Receive(text.substr(0, 2), data);
    clock.Advance(text.substr(0, 2) == "SP" ? 5000 : 200);  // a long pause is cut short
  }
  Receive("ENDOFROUND", "fish");

  // This player's own round: the pad draws for itself what it sends.
  Receive("NEWROUND", "2");
  Receive("NEWARTIST", "100005");
  PadTools& tools = window.tools();
  auto drag = [&](Tool tool, PadPoint from, PadPoint to) {
    tools.ClickTool(tool);
    tools.Press(kLeftButton, from);
    clock.Advance(100);
    tools.Move(kLeftButton, to);
    tools.Release(kLeftButton, to);
    clock.Advance(100);
  };
  drag(Tool::kSpray, {100, 100}, {140, 120});
  tools.ClickBrush(3);
  tools.PressSwatch(12);
  drag(Tool::kLine, {0, 300}, {510, 200});
  tools.ChooseCustomColour(ToPadColour(QColor(10, 200, 30)));
  drag(Tool::kEraser, {60, 30}, {70, 32});
  drag(Tool::kCircle, {200, 50}, {281, 107});  // the artist's own copy rounds the radius
  tools.ToggleFillType();
  drag(Tool::kBox, {300, 200}, {360, 280});
  drag(Tool::kFreehand, {10, 300}, {500, 10});
  tools.ClickTool(Tool::kUndo);
  drag(Tool::kFlood, {5, 5}, {5, 5});
  tools.ClickTool(Tool::kClear);
  tools.ClickTool(Tool::kClear);
  Receive("CL", "-");  // the room sends the clear back to its artist
  drag(Tool::kSpray, {250, 150}, {260, 170});
  Receive("WORDSKIPPED", "cat");
  // A round whose drawing log was cut short.
  Receive("NEWROUND", "3");
  Receive("NEWARTIST", "100000");
  for (size_t i = 0; i <= RoundRecord::kMaxDrawing; ++i) {
    const std::string x = std::to_string(i % 500);
    Receive("FH", Wire("100000|") + x + Wire("|0|") + x + Wire("|321"));
  }
  Receive("ENDOFROUND", "grass");

  const auto& rounds = window.gallery().rounds();
  ASSERT_EQ(rounds.size(), 3u);
  EXPECT_FALSE(rounds[2]->record.complete);
  for (const Gallery::Entry& round : rounds) {
    SCOPED_TRACE(round->record.word);
    int64_t slow = 0;
    int64_t fast = 0;
    EXPECT_EQ(ReplayToEnd(round, 1, &slow), round->picture);
    EXPECT_EQ(ReplayToEnd(round, GalleryWindow::kFastSpeed, &fast), round->picture);
    if (round->record.complete) {
      EXPECT_LE(fast, slow / 4 + 2 * RoundReplay::kFrameMs);
    }
  }
  // No pause lasts longer than a second: ann's round of 3.4 s with a 5 s pause in it.
  int64_t slow = 0;
  ReplayToEnd(rounds[0], 1, &slow);
  EXPECT_LE(slow, 12 * 200 + RoundReplay::kMaxPauseMs + 2 * RoundReplay::kFrameMs);
}

TEST_F(GalleryTest, AReplayShowsHowFarItIsAndStops) {
  Receive("NEWROUND", "1");
  Receive("NEWARTIST", "100000");
  for (int y = 10; y < 300; y += 10) {
    const std::string row = std::to_string(y);
    Receive("FH", Wire("100000|10|") + row + Wire("|400|") + row);
    clock.Advance(100);
  }
  Receive("ENDOFROUND", "stripes");
  GalleryWindow* gallery = window.OpenGallery();
  auto* bar = gallery->findChild<QProgressBar*>(QStringLiteral("barReplay"));
  auto* stop = gallery->findChild<QPushButton*>(QStringLiteral("cmdStopReplay"));
  EXPECT_FALSE(stop->isEnabled());
  gallery->findChild<QPushButton*>(QStringLiteral("cmdReplay"))->click();
  clock.Advance(1400);  // about half of the round's 2.8 s
  EXPECT_TRUE(stop->isEnabled());
  EXPECT_NEAR(bar->value(), GalleryWindow::kProgressSteps / 2, GalleryWindow::kProgressSteps / 10);
  stop->click();
  EXPECT_FALSE(gallery->replay().running() || stop->isEnabled() || bar->value() != 0);
  EXPECT_EQ(PictureOf(gallery->replay().tools().raster()), gallery->Selected()->picture);
  gallery->findChild<QPushButton*>(QStringLiteral("cmdReplayFast"))->click();
  clock.Advance(1000);
  EXPECT_FALSE(gallery->replay().running());
  EXPECT_EQ(bar->value(), GalleryWindow::kProgressSteps);
}

}  // namespace
}  // namespace client
