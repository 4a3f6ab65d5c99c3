// SPDX-License-Identifier: MIT
#include "client/room/session.h"

#include <algorithm>
#include <cstdio>

#include "client/room/nickname_filter.h"
#include "common/links.h"
#include "common/version.h"
#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/numbers.h"
#include "protocol/version_text.h"

namespace client {

using protocol::FieldOr;
using protocol::FirstChars;
using protocol::LeadingInt32;
using protocol::LeadingNumber;
using protocol::NumberText;
namespace to_client = protocol::to_client;
namespace to_server = protocol::to_server;

namespace {

constexpr char kSep = protocol::kFieldSep;

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The files in the Sound folder, which players may replace with their own.
const char* SoundFile(Sound sound) {
  switch (sound) {
    case Sound::kJoin:
      return "join.wav";
    case Sound::kNewMessage:
      return "newmsg.wav";
    case Sound::kWordFound:
      return "wordfound.wav";
    case Sound::kCloseGuess:
      return "closeguess.wav";
    case Sound::kKeyClick:
      return "keyclick.wav";
    case Sound::kMouseClick:
      return "mouseclick.wav";
  }
  return "";
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

}  // namespace

std::string FirstAlternative(std::string_view word_line) {
  return std::string(protocol::LeftOf(word_line, ','));
}

std::string Session::VersionText() {
  return protocol::ClientVersionText(scrawlbox::kVersionMajor, scrawlbox::kVersionMinor,
                                     scrawlbox::kVersionRevision);
}

Session::Session(Ports ports)
    : connection_(ports.connection),
      view_(ports.view),
      scheduler_(ports.scheduler),
      settings_(ports.settings),
      tmrGameTimer_(ports.scheduler.CreateTimer([this] { OnClockTick(); })),
      options_(ports.settings.LoadOptions()),
      profile_(ports.settings.LoadProfile()) {}

Session::~Session() = default;

void Session::Start() {
  const std::string version =
      NumberText(scrawlbox::kVersionMajor) + "." + TwoDigits(scrawlbox::kVersionMinor);
  view_.AddWelcome("Scrawlbox v" + version, " - made by the Scrawlbox developers",
                   "    Type /help, /h or /? for a list of commands.");
  AddChatLine("System", "", kBlack);
  System(
      "Please note that this is an early beta release and may have bugs/problems. Please "
      "check the About menu above for the Scrawlbox site and public forum.");
  System("Tip; you can use the right mouse button with any tool to quick-erase.", Rgb(100, 0, 0));
  EnterDisconnectedState();
}

// --- Sending -----------------------------------------------------------------------------------

void Session::SendCommand(std::string_view command, std::string_view data) {
  if (connection_.State() == SocketState::kClosed) return;
  connection_.Send(protocol::Frame(command, data));
}

bool Session::CanSendDrawing() const {
  return connection_.State() != SocketState::kClosed && users_.size() >= 2;
}

void Session::SendDrawCommand(std::string_view command, std::string_view data) {
  if (CanSendDrawing()) connection_.Send(protocol::Frame(command, data));
}

bool Session::connected() const {
  return connection_.State() == SocketState::kConnected;
}

// --- Connection ----------------------------------------------------------------------------------

void Session::Connect(const std::string& host) {
  if (connection_.State() != SocketState::kClosed) connection_.Close();
  receive_buffer_ = protocol::ReceiveBuffer();
  connection_.Connect(host, port_);
}

void Session::ConnectFromBrowser(const std::string& host, int port) {
  port_ = port;
  System("Connecting to server " + host + " on port " + NumberText(port) + " ..");
  Connect(host);
}

void Session::OnConnected() {
  System("Connected to server. Logging in...");
  controls_.connect = false;
  controls_.drawing = true;
  PublishControls();
  SendCommand(to_server::SCRAWLBOX_CL13NT, VersionText());
}

void Session::OnData(std::string_view bytes) {
  receive_buffer_.Append(bytes);
  std::string message;
  while (true) {
    const auto status = receive_buffer_.Next(&message);
    if (status == protocol::ReceiveBuffer::Status::kNeedMore) return;
    if (status == protocol::ReceiveBuffer::Status::kTooLong) {
      // A server that never ends its message would make the client hold it for ever.
      OnClosed();
      return;
    }
    HandleServerMessage(message);
    // A message may have closed the connection; what follows it belongs to nobody.
    if (connection_.State() == SocketState::kClosed) {
      receive_buffer_ = protocol::ReceiveBuffer();
      return;
    }
  }
}

void Session::OnClosed() {
  connection_.Close();
  receive_buffer_ = protocol::ReceiveBuffer();
  System("Disconnected from server.");
  EnterDisconnectedState();
}

void Session::OnError(const SocketError& error) {
  controls_.drawing = true;
  connection_.Close();
  receive_buffer_ = protocol::ReceiveBuffer();
  std::string text;
  switch (error.kind) {
    case SocketErrorKind::kRefused:
      text =
          "There doesn't appear to be a Scrawlbox server running on the remote machine. If it "
          "is a valid Scrawlbox server, then please try again later.";
      break;
    case SocketErrorKind::kHostNotFound:
      text =
          "The specified server cannot be found. The server machine may be offline or the "
          "address is incorrect.";
      break;
    case SocketErrorKind::kOther:
      text = "Socket Error [" + NumberText(error.number) + "] - " + error.description + ".";
      break;
  }
  System(text, kRed);
  EnterDisconnectedState();
}

void Session::CloseAndDisconnect() {
  connection_.Close();
  EnterDisconnectedState();
}

void Session::EnterDisconnectedState() {
  own_user_id_ = 0;
  SetArtist(0);
  controls_.chat_input = true;
  panel_.word = panel_.rounds = panel_.admin = panel_.room_name = "-";
  controls_.start = StartButtonState{StartAction::kSetupGame, false, std::nullopt};
  controls_.hint = HintButtonState{HintAction::kWarnArtist, false, std::nullopt};
  controls_.auto_skip = false;
  users_.clear();
  StopGameClock();
  controls_.disconnect = controls_.user_information = controls_.administrate = false;
  controls_.connect = true;
  controls_.load_image = controls_.paste = true;
  first_user_list_ = false;
  PublishUsers();
  PublishPanel();
  PublishControls();
}

void Session::EnterPracticeMode() {
  controls_.start = StartButtonState{StartAction::kSetupGame, false, std::nullopt};
  controls_.hint = HintButtonState{HintAction::kWarnArtist, false, std::nullopt};
  panel_.word = "";
  panel_.rounds = "-";
  // Alone, the player draws for practice and may always chat, also one who was the artist.
  artist_user_id_ = 0;
  artist_nickname_.clear();
  controls_.drawing = true;
  controls_.chat_input = true;
  StopGameClock();
  admin_user_id_ = own_user_id_;
  panel_.admin = profile_.Nickname;
  PublishPanel();
  PublishControls();
  SendCommand(to_server::ADMIN, profile_.Nickname);
}

// --- Messages ------------------------------------------------------------------------------------

void Session::HandleServerMessage(const std::string& message) {
  const protocol::Message m = protocol::ParseMessage(message);
  const std::string& c = m.command;
  const std::string& data = m.data;

  // Drawing is most of the traffic and parses its own fields.
  if (const auto code = protocol::DrawCodeFromWord(c)) {
    view_.ReplayDrawing(protocol::ParseRelayedDrawData(*code, data));
    return;
  }
  const std::vector<std::string> f = protocol::SplitFields(data);
  if (c == to_client::SCRAWLBOX_S3RV3R || c == to_client::BANNED || c == to_client::OLDVERSION ||
      c == to_client::USEROK || c == to_client::PASSOK) {
    HandleLoginMessage(c, f, data);
  } else if (c == to_client::ULIST) {
    if (first_user_list_) {
      users_.clear();
      first_user_list_ = false;
    }
    for (size_t i = 0; i < f.size(); i += 4) {
      UserEntry entry;
      entry.id = LeadingInt32(f[i]);
      entry.nickname = FieldOr(f, i + 1);
      if (!entry.nickname.empty() && entry.nickname.front() == '@') {
        entry.nickname.erase(0, 1);
        panel_.admin = entry.nickname;
        admin_user_id_ = entry.id;
      }
      entry.bold = LeadingNumber(FieldOr(f, i + 2)) == 0;
      entry.points = FieldOr(f, i + 3).empty() ? "0" : FieldOr(f, i + 3);
      AddUser(std::move(entry));
    }
    if (users_.size() == 1) {
      controls_.auto_skip = true;
      panel_.admin = profile_.Nickname;
      admin_user_id_ = own_user_id_;
      SendCommand(to_server::ADMIN, profile_.Nickname);
      System(
          "You are alone in this room; feel free to practice drawing. Your drawing actions will "
          "not be sent to the server. But anything you type will - use it as a rough "
          "indication of your ping.",
          kRed);
    }
    PublishUsers();
    PublishPanel();
    PublishControls();
  } else if (c == to_client::ULISTEND) {
    if (!motd_.empty()) AddChatLine("Server", "MOTD - " + motd_, kMagenta);
    view_.ClearPad();
    controls_.disconnect = true;
    controls_.connect = controls_.load_image = controls_.paste = false;
    controls_.user_information = true;
    controls_.auto_skip = true;
    if (users_.size() == 1) controls_.administrate = true;
    PublishControls();
    if (controls_.chat_input) view_.FocusChatInput();
  } else if (c == to_client::JOIN) {
    UserEntry entry;
    entry.id = LeadingInt32(FieldOr(f, 0));
    entry.nickname = FieldOr(f, 1);
    entry.bold = LeadingNumber(FieldOr(f, 2)) == 0;
    if (options_.ShowJoinMessages) System("** " + entry.nickname + " has joined the room!", kBlue);
    AddUser(std::move(entry));
    PlaySound(Sound::kJoin);
    if (users_.size() == 2) {
      controls_.start.enabled = true;
      controls_.start.colour = kGreen;
    }
    PublishUsers();
    PublishControls();
  } else if (c == to_client::PART) {
    const int32_t id = LeadingInt32(FieldOr(f, 0));
    if (options_.ShowLeaveMessages) {
      AddChatLine("Server", Nick(FieldOr(f, 0)) + " has left (" + FieldOr(f, 1) + ").", kBlue);
    }
    users_.erase(std::remove_if(users_.begin(), users_.end(),
                                [id](const UserEntry& u) { return u.id == id; }),
                 users_.end());
    PublishUsers();
    if (users_.size() < 2) EnterPracticeMode();
  } else if (c == to_client::GAMERUNNING) {
    ResetUserColours();
    if (UserEntry* artist = User(LeadingInt32(FieldOr(f, 0)))) artist->colour = kArtistGreen;
    PublishUsers();
    view_.ClearPad();
    SetArtist(LeadingInt32(FieldOr(f, 0)));
    panel_.word = FieldOr(f, 1);
    PublishPanel();
  } else if (c == to_client::SAY) {
    AddChatLine(Nick(FieldOr(f, 0)), FieldOr(f, 1), kBlack);
  } else if (c == to_client::USERACTION) {
    AddChatLine("System", " * " + Nick(FieldOr(f, 0)) + " " + FieldOr(f, 1), kBlue, true);
  } else if (c == to_client::USERINFO) {
    view_.ShowUserInfo(UserProfile{FieldOr(f, 0), FieldOr(f, 1), FieldOr(f, 2), FieldOr(f, 3),
                                   FieldOr(f, 4), FieldOr(f, 5)});
  } else if (c == to_client::AWAY) {
    if (UserEntry* user = User(LeadingInt32(FieldOr(f, 0)))) {
      user->bold = LeadingNumber(FieldOr(f, 1)) == 0;
      PublishUsers();
    }
  } else if (c == to_client::NOTICE) {
    System(FieldOr(f, 0), kRed);
  } else if (c == to_client::PING) {
    SendCommand(to_server::PONG, protocol::kNoData);
  } else if (c == to_client::ADMIN) {
    System(Nick(FieldOr(f, 0)) + " has been made into an admin.", kBlue);
    panel_.admin = Nick(FieldOr(f, 0));
    admin_user_id_ = LeadingInt32(FieldOr(f, 0));
    PublishPanel();
  } else if (c == to_client::KICKINFO) {
    System(Nick(FieldOr(f, 0)) + " has kicked " + Nick(FieldOr(f, 1)) + ": " + FieldOr(f, 2),
           kBlue);
  } else if (c == to_client::NOWORDLISTS) {
    view_.NoWordLists();
  } else if (c == to_client::WORDLIST) {
    std::vector<std::string> names;
    for (const std::string& name : f) names.push_back(ReplaceAll(name, ".txt", ""));
    view_.WordListsReceived(names);
  } else if (c == to_client::WORDLISTEND) {
    view_.WordListsComplete();
  } else if (c == to_client::GAMEISBEINGSETUP) {
    System(panel_.admin + " is setting-up the game..", kRed);
  } else if (c == to_client::TOTALROUNDS) {
    total_rounds_ = LeadingInt32(data);
  } else if (c == to_client::SETGAMETIMER) {
    SetGameClock(LeadingInt32(data));
  } else if (c == to_client::STARTGAMETIMER) {
    RunGameClock(LeadingInt32(data));
  } else if (c == to_client::STOPGAMETIMER) {
    StopGameClock();
  } else if (c == to_client::START_GAME) {
    AddChatLine("System", "", kBlack);
    System(" -- The game is now starting! --", kDarkBlue);
    System("Wordlists: " + ReplaceAll(data, std::string(1, protocol::kListSep), ", ") + ".",
           kDarkBlue);
    panel_.rounds = "1 of " + NumberText(total_rounds_);
    PublishPanel();
    view_.ClearPad();
    current_round_ = 1;
    view_.ResetTools();
    RunGameClock(0);
  } else if (c == to_client::NEWROUND) {
    System("A new round is starting!", kBlue);
    current_round_ = LeadingInt32(data);
    panel_.rounds = NumberText(current_round_) + " of " + NumberText(total_rounds_);
    panel_.word = "";
    PublishPanel();
    view_.ResetTools();
    RunGameClock(0);
  } else if (c == to_client::NEWARTIST) {
    System("A new artist has been selected to draw: " + Nick(data), kBlue);
    ResetUserColours();
    if (UserEntry* artist = User(LeadingInt32(data))) artist->colour = kArtistGreen;
    PublishUsers();
    view_.ClearPad();
    SetArtist(LeadingInt32(data));
    view_.ResetTools();
  } else if (c == to_client::NEWWORD) {
    panel_.word = ReplaceAll(ReplaceAll(data, ",", ", "), "#", ", ");
    PublishPanel();
  } else if (c == to_client::WORDCLOSE) {
    System(FieldOr(f, 0) + " is close to the word!", kRed);
  } else if (c == to_client::WORDFOUND) {
    System(Nick(FieldOr(f, 1)) + " has found the word!", kRed);
    if (UserEntry* finder = User(LeadingInt32(FieldOr(f, 1)))) {
      finder->colour = kFinderRed;
      PublishUsers();
    }
  } else if (c == to_client::HINT) {
    System(FieldOr(f, 1), kRed);
    if (own_user_id_ != artist_user_id_) {
      panel_.word = FieldOr(f, 0);
      PublishPanel();
    }
  } else if (c == to_client::NOMOREHINTS) {
    controls_.hint.enabled = false;
    PublishControls();
  } else if (c == to_client::RESETSCORES) {
    for (UserEntry& user : users_) user.points = "0";
    PublishUsers();
  } else if (c == to_client::POINTSCHG) {
    if (UserEntry* user = User(LeadingInt32(FieldOr(f, 0)))) {
      user->points = FieldOr(f, 1);
      PublishUsers();
    }
  } else if (c == to_client::NICKCHG) {
    const int32_t id = LeadingInt32(FieldOr(f, 0));
    UserEntry* user = User(id);
    System(" ** " + (user ? user->nickname : std::string()) + " is now known as " + FieldOr(f, 1) +
               ".",
           kBlue);
    if (user) user->nickname = FieldOr(f, 1);
    if (id == admin_user_id_) panel_.admin = FieldOr(f, 1);
    PublishUsers();
    PublishPanel();
  } else if (c == to_client::WORDSKIPPED) {
    System(artist_nickname_ + " has skipped the word: " + FirstAlternative(FieldOr(f, 0)), kRed);
    StopGameClock();
    ResetUserColours();
    PublishUsers();
  } else if (c == to_client::ENDOFROUND) {
    controls_.start.enabled = false;
    System("The round is over! The word was: " + FirstAlternative(FieldOr(f, 0)), kRed);
    StopGameClock();
    controls_.chat_input = true;
    PublishControls();
    ResetUserColours();
    PublishUsers();
  } else if (c == to_client::WINNER) {
    controls_.start.enabled = false;
    System("----------");
    System("The game is over and the winner is " + Nick(data) + " - well done!", kRed);
    System("Another game will be starting soon; please wait.", kBlue);
    AddChatLine("System", "", kBlack);
    view_.ShowWinner(Nick(data));
    controls_.start = StartButtonState{StartAction::kSetupGame, false, std::nullopt};
    StopGameClock();
    panel_.rounds = "-";
    controls_.chat_input = true;
    PublishPanel();
    PublishControls();
  } else if (c == to_client::SERVERMSG) {
    AddChatLine("ADMIN", data, kMagenta);
  } else if (c == to_client::KICKOP) {
    System("You have been kicked from the server by the operator for the following reason: " + data,
           kRed);
    SendCommand(to_server::NOP, "NOP");
    CloseAndDisconnect();
  } else if (c == to_client::SERVERQUIT) {
    AddChatLine("ADMINISTRATOR", "Server has quit: " + data + ".", kRed);
    CloseAndDisconnect();
  }
  // NOP and commands this client does not know need nothing.
}

void Session::HandleLoginMessage(const std::string& c, const std::vector<std::string>& f,
                                 const std::string&) {
  if (c == to_client::SCRAWLBOX_S3RV3R) {
    SendCommand(to_server::USER,
                protocol::JoinFields({FirstChars(profile_.Nickname, kNicknameLength),
                                      auto_skip_ ? "1" : "0",
                                      FirstChars(NumberText(profile_.Age), kAgeLength),
                                      FirstChars(profile_.Gender, kGenderLength),
                                      FirstChars(profile_.Location, kLocationLength),
                                      FirstChars(profile_.Homepage, kHomepageLength),
                                      FirstChars(profile_.Quote, kQuoteLength)}));
  } else if (c == to_client::BANNED) {
    AddChatLine("Server",
                "You have been banned from this server. You are not permitted to join it.",
                Rgb(255, 0, 32));
    CloseAndDisconnect();
  } else if (c == to_client::OLDVERSION) {
    System(std::string("Sorry, but you are using an old version of the Scrawlbox client. You will "
                       "need to download the newest version from ") +
               scrawlbox::kDownloadUrl + " before you can join this server.",
           Rgb(160, 50, 30));
    CloseAndDisconnect();
  } else if (c == to_client::USEROK) {
    own_user_id_ = LeadingInt32(FieldOr(f, 0));
    agreement_text_ = FieldOr(f, 1);
    if (agreement_text_.empty()) {
      SendCommand(to_server::PASS, kNoPassword);
    } else {
      view_.ShowAgreement(agreement_text_);
    }
  } else if (c == to_client::PASSOK) {
    motd_ = FieldOr(f, 0);
    panel_.room_name = FieldOr(f, 1);
    panel_.word = FieldOr(f, 2);
    panel_.rounds = FieldOr(f, 3) + " of " + FieldOr(f, 4);
    PublishPanel();
    System("Requesting userlist...");
    first_user_list_ = true;
    SendCommand(to_server::ULISTREQ, protocol::kNoData);
  }
}

// --- Game display -------------------------------------------------------------------------------

void Session::SetArtist(int32_t id) {
  artist_user_id_ = id;
  const UserEntry* artist = User(id);
  artist_nickname_ = artist ? artist->nickname : std::string();
  const bool is_artist = own_user_id_ == id;
  controls_.drawing = is_artist;
  controls_.chat_input = !is_artist;
  if (id != 0) {
    if (is_artist) {
      controls_.start = StartButtonState{StartAction::kSkipWord, true, kRed};
      controls_.hint = HintButtonState{HintAction::kGiveHint, true, std::nullopt};
      view_.ResetTools();
    } else {
      controls_.start.enabled = false;
      controls_.start.colour.reset();
      controls_.hint = HintButtonState{HintAction::kWarnArtist, true, std::nullopt};
    }
  }
  PublishControls();
  if (controls_.chat_input) view_.FocusChatInput();
}

void Session::SetGameClock(int32_t ms) {
  tmrGameTimer_->Stop();
  panel_.time_colour = kBlack;
  seconds_left_ = std::max(0, ms / 1000);
  ShowClock();
}

void Session::RunGameClock(int32_t ms) {
  tmrGameTimer_->Stop();
  if (ms > 0) SetGameClock(ms);
  panel_.time_colour = kBlack;
  PublishPanel();
  tmrGameTimer_->Start(1000);
}

void Session::StopGameClock() {
  tmrGameTimer_->Stop();
  panel_.time_colour = kBlack;
  panel_.time = "--:--";
  controls_.hint.enabled = false;
  controls_.start.enabled = false;
  PublishPanel();
  PublishControls();
}

void Session::ShowClock() {
  const int minutes = seconds_left_ / 60;
  const int seconds = seconds_left_ % 60;
  panel_.time = TwoDigits(std::min(minutes, 99)) + ":" + TwoDigits(seconds);
  if (minutes == 0 && seconds >= 1 && seconds <= 5) {
    static constexpr int kReds[] = {255, 170, 100, 64, 32};  // 1 to 5 seconds left
    panel_.time_colour = Rgb(kReds[seconds - 1], 0, 0);
  } else if (minutes == 0 && seconds == 0) {
    panel_.time_colour = kBlack;
  }
  PublishPanel();
}

void Session::OnClockTick() {
  if (seconds_left_ > 0) --seconds_left_;
  ShowClock();
  if (seconds_left_ == 0) tmrGameTimer_->Stop();
}

// --- What the player does ----------------------------------------------------------------------

void Session::EnterChatLine(const std::string& text) {
  if (text.empty()) return;
  if (text.front() == '/') {
    ExecuteUserCommand(text.substr(1));
    return;
  }
  if (!connected()) {
    System("Cannot send, not connected to a server.");
    return;
  }
  repeat_count_ = text == last_said_text_ ? repeat_count_ + 1 : 0;
  if (repeat_count_ < 3) {
    last_said_text_ = text;
    SendCommand(to_server::SAY, FirstChars(text, kChatLineLength));
  } else {
    System("You cannot send the same text more than 3 times in a row.", kRed);
  }
}

void Session::MenuDisconnect() {
  SendCommand(to_server::PART, kQuitting);
}

void Session::RequestUserInformation(int32_t id) {
  if (!connected()) return;
  System("Please wait - getting user information...");
  SendCommand(to_server::USERINFO, NumberText(id));
}

void Session::KickUser(int32_t id, const std::string& reason) {
  if (!connected()) return;
  const size_t first = reason.find_first_not_of(' ');
  if (first == std::string::npos) return;
  SendCommand(to_server::KICK, NumberText(id) + kSep + FirstChars(reason, kKickReasonLength));
}

void Session::SetAutoSkip(bool checked) {
  auto_skip_ = checked;
  if (!users_.empty()) {
    if (UserEntry* own = User(own_user_id_)) {
      own->bold = !checked;
      PublishUsers();
    }
    SendCommand(to_server::AWAY, checked ? "1" : "0");
  }
}

void Session::AgreementAccepted() {
  SendCommand(to_server::PASS, kNoPassword);
}

void Session::AgreementRefused() {
  SendCommand(to_server::DISAGREE, protocol::kNoData);
  scheduler_.SingleShot(250, [this] { SendCommand(to_server::NOP, protocol::kNoData); });
}

void Session::StartButtonPressed() {
  if (controls_.start.action == StartAction::kSetupGame) {
    view_.OpenGameSetup();
    return;
  }
  controls_.start.enabled = false;
  controls_.hint.enabled = false;
  PublishControls();
  SendCommand(to_server::SKIPWORD, protocol::kNoData);
}

void Session::HintButtonPressed() {
  if (controls_.hint.action == HintAction::kWarnArtist) {
    AddChatLine("System", "Sorry, the Warn Artist feature has not yet been implemented.", kMagenta);
    return;
  }
  SendCommand(to_server::GIVEHINT, protocol::kNoData);
}

void Session::RequestWordLists() {
  SendCommand(to_server::GETWORDLISTS, protocol::kNoData);
}

bool Session::StartGame(const GameSetup& setup) {
  if (setup.word_lists.empty()) return false;
  SendCommand(to_server::STARTGAME, StartGameData(HeldWithinLimits(setup)));
  return true;
}

void Session::PlaySound(Sound sound) {
  const auto n = static_cast<size_t>(sound);
  if (n >= options_.SoundEnabled.size() || !options_.SoundEnabled[n]) return;
  view_.PlaySoundFile(SoundFile(sound));
}

void Session::CheckForUpdate(directory::HttpGetter& http) {
  http.Get(settings_.LoadDirectory().update + "client.txt", directory::UserAgent("Client"),
           [this](const directory::HttpResult& result) {
             if (!result.ok) {
               System("There was an error checking for an update - " + NumberText(result.error) +
                      ": " + result.error_text + ".");
               return;
             }
             if (directory::NamesNewerVersion(result.body)) {
               view_.OfferDownload("New version available..",
                                   "There is an updated Scrawlbox client available for download!"
                                   "\r\nWould you like to be taken to the download page?",
                                   scrawlbox::kDownloadUrl);
             } else {
               AddChatLine("Update", "You are already running the latest version of the client.",
                           kBlack);
             }
           });
}

// --- Settings ------------------------------------------------------------------------------------

void Session::SetOptions(const ClientOptions& options) {
  options_ = options;
  settings_.SaveOptions(options_);
}

void Session::SetProfile(const Profile& profile) {
  profile_ = profile;
  settings_.SaveProfile(profile_);
}

void Session::SaveProfile() {
  settings_.SaveProfile(profile_);
}

bool Session::NicknameUsable() const {
  return !IsNicknameRejected(profile_.Nickname);
}

bool Session::NeedsProfile() const {
  const std::string& nickname = profile_.Nickname;
  return nickname.find_first_not_of(' ') == std::string::npos || nickname == kDefaultNickname;
}

// --- Chat and user list
// ---------------------------------------------------------------------------

void Session::AddChatLine(const std::string& sender, const std::string& text, Colour colour,
                          bool plain) {
  view_.AddChatLine(ChatLine{sender, text, colour, plain});
}

UserEntry* Session::User(int32_t id) {
  for (UserEntry& user : users_) {
    if (user.id == id) return &user;
  }
  return nullptr;
}

std::string Session::Nick(const std::string& id_text) {
  const UserEntry* user = User(LeadingInt32(id_text));
  return user ? user->nickname : std::string();
}

void Session::AddUser(UserEntry entry) {
  // Keys are unique: a user listed again replaces its old entry.
  if (UserEntry* existing = User(entry.id)) {
    *existing = std::move(entry);
  } else {
    users_.push_back(std::move(entry));
  }
}

void Session::ResetUserColours() {
  for (UserEntry& user : users_) user.colour = kBlack;
}

void Session::PublishUsers() {
  view_.ShowUsers(users_);
}
void Session::PublishPanel() {
  view_.ShowPanel(panel_);
}
void Session::PublishControls() {
  view_.ShowControls(controls_);
}

}  // namespace client
