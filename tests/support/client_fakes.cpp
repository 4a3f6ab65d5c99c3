// SPDX-License-Identifier: MIT
#include "tests/support/client_fakes.h"

#include <utility>

#include "tests/support/fake_transport.h"
#include "tests/support/wire.h"

namespace testing_support {

std::vector<protocol::Message> FakeConnection::Take() {
  return CutMessages(std::exchange(sent, {}));
}

std::vector<std::string> RecordingClientView::TakeTexts() {
  std::vector<std::string> texts;
  for (const auto& line : lines) texts.push_back(line.text);
  lines.clear();
  return texts;
}

ClientHarness::ClientHarness(std::string_view client_ini)
    : ini(client_ini), settings(ini), session({connection, view, clock, settings}) {
  session.Start();
  view.lines.clear();
}

void ConnectSession(client::Session& session, FakeConnection& connection, const std::string& host) {
  session.ConnectFromBrowser({host, directory::kDefaultGamePort});
  connection.state = client::SocketState::kConnected;
  session.OnConnected();
}

void LogInSession(client::Session& session, FakeConnection& connection, int32_t own_id,
                  const std::vector<std::string>& others) {
  ConnectSession(session, connection);
  auto receive = [&session](std::string_view command, std::string_view data) {
    session.OnData(protocol::Frame(command, data));
  };
  receive("SCRAWLBOX_S3RV3R", "100");
  receive("USEROK", std::to_string(own_id) + Wire("|"));
  receive("PASSOK", Wire("|Room|-|1|10"));
  std::string list;
  int32_t id = 100000;
  for (const auto& nickname : others) {
    list += std::to_string(id++) + Wire("|") + nickname + Wire("|0|0|");
  }
  list += std::to_string(own_id) + Wire("|") + session.profile().Nickname + Wire("|0|0");
  receive("ULIST", list);
  receive("ULISTEND", "");
  connection.sent.clear();
}

void ClientHarness::Connect(const std::string& host) {
  ConnectSession(session, connection, host);
}

void ClientHarness::Receive(std::string_view command, std::string_view data) {
  session.OnData(protocol::Frame(command, data));
}

void ClientHarness::LogIn(int32_t own_id, const std::vector<std::string>& others) {
  LogInSession(session, connection, own_id, others);
  view.lines.clear();
}

void ClientHarness::StartGame(int32_t artist_id, int rounds) {
  Receive("TOTALROUNDS", std::to_string(rounds));
  Receive("START_GAME", "animals");
  Receive("NEWARTIST", std::to_string(artist_id));
}

std::vector<std::string> ClientHarness::SentCommands() {
  return CommandsOf(Sent());
}

}  // namespace testing_support
