// SPDX-License-Identifier: MIT
#include "tests/support/client_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>

#include "tests/support/wire.h"

namespace testing_support {

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
                  const std::vector<std::string>& others, const std::string& room_version) {
  ConnectSession(session, connection);
  std::string list;
  int32_t id = 100000;
  for (const auto& nickname : others)
    list += std::to_string(id++) + Wire("|") + nickname + Wire("|0|0|");
  list += std::to_string(own_id) + Wire("|") + session.profile().Nickname + Wire("|0|0");
  session.OnData(protocol::Frame("SCRAWLBOX_S3RV3R", room_version) +
                 protocol::Frame("USEROK", std::to_string(own_id) + Wire("|")) +
                 protocol::Frame("PASSOK", Wire("|Room|-|1|10")) + protocol::Frame("ULIST", list) +
                 protocol::Frame("ULISTEND", ""));
  connection.sent.clear();
}

std::string ClientHarness::Look(std::string_view what) {
  const client::Panel& panel = view.panel;
  const client::Controls& controls = view.controls;
  auto rgb = [](client::Colour c) {
    return std::to_string(c & 255) + "," + std::to_string(c >> 8 & 255) + "," +
           std::to_string(c >> 16);
  };
  std::string seen;
  if (what == "said") {
    size_t& from = view.lines_looked_at;
    if (from > view.lines.size()) from = 0;  // the chat was cleared since the last look
    for (size_t i = from; i < view.lines.size(); ++i)
      seen += (i == from ? "" : " / ") + view.lines[i].text;
    from = view.lines.size();
  } else if (what == "line") {
    if (!view.lines.empty()) seen = view.last().sender + ": " + view.last().text;
  } else if (what == "colour") {
    if (!view.lines.empty()) seen = rgb(view.last().colour) + (view.last().plain ? " plain" : "");
  } else if (what == "time") {
    seen = panel.time + (panel.time_colour == client::kBlack ? "" : " " + rgb(panel.time_colour));
  } else if (what == "controls") {
    const std::pair<const char*, bool> flags[] = {
        {"connect", controls.connect},       {"disconnect", controls.disconnect},
        {"info", controls.user_information}, {"admin", controls.administrate},
        {"load", controls.load_image},       {"paste", controls.paste},
        {"drawing", controls.drawing},       {"autoskip", controls.auto_skip}};
    for (const auto& [name, on] : flags)
      seen += on ? (seen.empty() ? "" : " ") + std::string(name) : "";
  } else if (what == "to") {
    seen = connection.host + ":" + std::to_string(connection.port) + " #" +
           std::to_string(connection.connects);
  } else if (what == "socket") {
    seen = std::array{"closed", "connecting", "connected",
                      "closing"}[static_cast<int>(connection.state)];
  } else if (what == "choice") {
    const client::WordChoice& c = view.choice;
    if (!c.chooser.empty())
      seen = (c.mine ? "me" : c.chooser) + ": " + protocol::JoinFields(c.words, ',') + " (" +
             std::to_string(c.seconds_left) + ")";
  } else if (what == "sounds") {
    seen = protocol::JoinFields(std::exchange(view.sounds, {}), ',');
  } else if (what == "sent") {
    seen = Render(connection.Take());
  } else if (what == "users") {
    for (const auto& u : view.users) {
      seen += (seen.empty() ? "" : ", ") + u.nickname + " " + u.points + (u.bold ? "*" : "") +
              (u.artist ? " drawing" : "") + (u.found_word ? " found" : "") +
              (u.watching ? " watching" : "");
      using client::kArtistGreen, client::kFinderRed, client::kBlack;
      if (u.colour != (u.artist ? kArtistGreen : u.found_word ? kFinderRed : kBlack)) seen += "?";
    }
  } else if (what == "start" || what == "hint") {
    const bool start = what == "start";
    seen = std::string(start ? controls.start.caption() : controls.hint.caption()) +
           ((start ? controls.start.enabled : controls.hint.enabled) ? "" : " (off)");
  } else {
    const std::pair<std::string_view, const std::string*> fields[] = {
        {"room", &panel.room_name}, {"admin", &panel.admin},     {"rounds", &panel.rounds},
        {"word", &panel.word},      {"pattern", &panel.pattern}, {"status", &panel.status},
        {"summary", &view.summary}};
    for (const auto& [name, field] : fields)
      if (name == what) return *field;
    ADD_FAILURE() << "nothing to look at called " << what;
  }
  return seen;
}

void ClientHarness::Play(std::string_view script) {
  while (!script.empty()) {
    // With a space in front every look starts at " => ", the first one too.
    const std::string line = " " + std::string(script.substr(0, script.find('\n')));
    script.remove_prefix(std::min(script.size(), line.size()));
    SCOPED_TRACE(line);
    size_t arrow = line.find(" => ");
    std::string message = line.substr(1, arrow == std::string::npos ? arrow : arrow - 1);
    for (char& c : message) c = c == '|' ? '\x03' : c == '^' ? '\x04' : c;
    if (message.starts_with("> ")) {
      session.EnterChatLine(message.substr(2));
    } else if (message.starts_with("+")) {
      clock.Advance(std::stoi(message.substr(1)));
    } else if (!message.empty()) {
      const size_t space = std::min(message.find(' '), message.size());
      Receive(message.substr(0, space), message.substr(std::min(space + 1, message.size())));
    }
    while (arrow != std::string::npos) {
      const size_t next = line.find(" => ", arrow + 4);
      const std::string look = line.substr(arrow + 4, next - arrow - 4);
      const size_t colon = look.find(':');
      EXPECT_EQ(Look(look.substr(0, colon)), look.substr(std::min(look.size(), colon + 2))) << look;
      arrow = next;
    }
  }
}

}  // namespace testing_support
