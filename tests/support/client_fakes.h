// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "client/room/client_ports.h"
#include "client/room/session.h"
#include "client/settings/client_settings.h"
#include "protocol/framing.h"
#include "tests/support/fake_transport.h"
#include "tests/support/manual_clock.h"
#include "tests/support/memory_ini.h"

namespace testing_support {

// A game connection that records what the session sends and whether it is open.
class FakeConnection : public client::GameConnection {
 public:
  void Connect(const std::string& to_host, int to_port) override {
    host = to_host, port = to_port, state = client::SocketState::kConnecting, ++connects;
  }
  void Close() override { state = client::SocketState::kClosed; }
  void Leave() override { Close(), ++leaves; }
  bool Send(std::string_view bytes) override { return sent.append(bytes), true; }
  client::SocketState State() const override { return state; }

  // Cuts what was sent into messages and forgets it.
  std::vector<protocol::Message> Take() { return CutMessages(std::exchange(sent, {})); }

  client::SocketState state = client::SocketState::kClosed;
  std::string host;
  int port = 0, connects = 0, leaves = 0;  // leaves: closes that let what was sent go out first
  std::string sent;
};

// Keeps what the session showed.
class RecordingClientView : public client::ClientView {
 public:
  void AddChatLine(const client::ChatLine& line) override { lines.push_back(line); }
  void AddWelcome(const std::string&, const std::string&, const std::string&) override {}
  void ClearChat() override { lines.clear(); }
  void ShowUsers(const std::vector<client::UserEntry>& shown) override { users = shown; }
  void ShowPanel(const client::Panel& shown) override { panel = shown; }
  void ShowControls(const client::Controls& shown) override { controls = shown; }
  void FocusChatInput() override { ++focus_requests; }
  bool IsChatFloating() const override { return floating; }
  void ClearPad() override { ++pads_cleared; }
  void ResetTools() override { ++tool_resets; }
  void ReplayDrawing(const protocol::DrawCommand& command) override { drawings.push_back(command); }
  void RoundBegins() override { ++rounds_begun; }
  void RoundEnded(const client::RoundRecord& round) override { rounds.push_back(round); }
  void ShowWordChoice(const client::WordChoice& shown) override { choice = shown; }
  void ShowWinner(const std::vector<std::string>& shown,
                  const std::vector<client::Standing>& top) override {
    winners = shown;
    podium = top;
  }
  void AskRoomPassword(const std::string& room, bool wrong) override {
    password_asks.push_back(room + (wrong ? " (wrong)" : ""));
  }
  void ShowAgreement(const std::string& text) override { agreement = text; }
  void ShowUserInfo(const client::UserProfile& profile) override { user_info = profile; }
  void ShowReservedNicknameBox(bool in_profile_window) override {
    reserved_boxes.push_back(in_profile_window);
  }
  void AskForNickname(const std::string& refusal) override { nickname_asks.push_back(refusal); }
  void OpenGameSetup() override { ++game_setups_opened; }
  void WordListsReceived(const std::vector<std::string>&) override {}
  void WordListsComplete() override {}
  void NoWordLists() override {}
  void PlaySoundFile(const std::string& file) override { sounds.push_back(file); }
  void OfferDownload(const std::string& title, const std::string&,
                     const std::string& url) override {
    offers.push_back(title + " " + url);
  }
  void CloseProgram() override { closed = true; }
  void ShowRoundSummary(const std::string& text) override { summary = text; }

  const client::ChatLine& last() const { return lines.back(); }

  std::vector<client::ChatLine> lines;
  size_t lines_looked_at = 0;  // by ClientHarness::Look("said")
  std::vector<client::UserEntry> users;
  client::Panel panel;
  client::Controls controls;
  int focus_requests = 0, pads_cleared = 0, tool_resets = 0, rounds_begun = 0,
      game_setups_opened = 0;
  bool floating = false, closed = false;
  std::vector<protocol::DrawCommand> drawings;
  std::vector<client::RoundRecord> rounds;
  // The winners (none while no winner is shown), the podium's rows, the nickname refusals ("" for
  // an ask without one), and whether each reserved-name box was in the profile window.
  std::vector<std::string> winners, password_asks, nickname_asks, sounds, offers;
  std::vector<client::Standing> podium;
  std::vector<bool> reserved_boxes;
  std::string agreement;
  std::string summary;
  client::UserProfile user_info;
  client::WordChoice choice;
};

// Connects the session, and the fake connection accepts at once.
void ConnectSession(client::Session& session, FakeConnection& connection,
                    const std::string& host = "room.example");
// Connects and plays the server's side of the whole login up to ULISTEND, with the given other
// users already in the room (ids from 100000); what the session sent is forgotten. The room's
// hello names its version ("100" for a room older than the game rules).
void LogInSession(client::Session& session, FakeConnection& connection, int32_t own_id,
                  const std::vector<std::string>& others, const std::string& room_version = "101");

// A session on fake ports with helpers that play the server's side.
class ClientHarness {
 public:
  explicit ClientHarness(std::string_view client_ini = "");

  // Connects and accepts the connection.
  void Connect(const std::string& host = "room.example") {
    ConnectSession(session, connection, host);
  }
  // Delivers one message from the server.
  void Receive(std::string_view command, std::string_view data) {
    session.OnData(protocol::Frame(command, data));
  }
  // The whole login up to ULISTEND, with the given other users already in the room; returns
  // with the session in the room and nothing recorded.
  void LogIn(int32_t own_id = 100005, const std::vector<std::string>& others = {},
             const std::string& room_version = "101") {
    LogInSession(session, connection, own_id, others, room_version);
    view.lines.clear();
    view.lines_looked_at = 0;
  }
  // A game of this many rounds with words from "animals" starts, and this user draws first; what
  // it said is taken as looked at.
  void StartGame(int32_t artist_id, int rounds = 5) {
    Receive("TOTALROUNDS", std::to_string(rounds));
    Receive("START_GAME", "animals");
    Receive("NEWARTIST", std::to_string(artist_id));
    view.lines_looked_at = view.lines.size();
  }
  // What the player sees of one thing, as one line:
  //   said    the chat texts since the last look, joined by " / " (then forgotten)
  //   line    the last chat line, "sender: text"; colour   its colour, "r,g,b", then " plain"
  //           if it is shown as it came
  //   sent    what was sent since the last look, "COMMAND data" per message joined by ", "
  //   users   the list, "nickname points" per row, then '*' if bold (not away), " drawing" for
  //           the artist, " found" for a finder and " watching" for a watcher; '?' when the
  //           row's colour does not match
  //   start, hint   the button's caption, then " (off)" while it is disabled
  //   controls   the names of the other controls that are enabled
  //   to      where the connection went, "host:port #connects"; socket   its state
  //   room, admin, rounds, word, pattern, status   that field of the panel
  //   summary   what is shown over the pad of the round that ended
  //   time    the clock, then its colour "r,g,b" when it is not black
  //   choice  over the pad: "chooser: words joined by ',' (seconds)", "me" when it is this player's
  //   sounds  the files played since the last look, joined by "," (then forgotten)
  std::string Look(std::string_view what);
  // Plays a script, one step a line: a message from the server, "COMMAND data" with '|' and
  // '^' for the separators, "> text" typed in the chat, "+ms" on the clock, or nothing; then
  // " => look: text" for each thing the player should then see, named as for Look, e.g.
  // "NEWWORD fish => word: fish => status: Your turn: draw fish".
  void Play(std::string_view script);

  MemoryIni ini;
  ManualClock clock;
  FakeConnection connection;
  RecordingClientView view;
  client::ClientSettings settings;
  client::Session session;
};

}  // namespace testing_support
