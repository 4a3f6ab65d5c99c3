// SPDX-License-Identifier: MIT
// The messages from the server: one route table from command word to handler, one handler a
// command. Each handler names the fields it reads before it uses them.
#include <algorithm>
#include <map>
#include <utility>

#include "client/room/session.h"
#include "common/links.h"
#include "directory/languages.h"
#include "protocol/commands.h"
#include "protocol/drawing.h"
#include "protocol/numbers.h"
#include "protocol/round_summary.h"
#include "protocol/text.h"
#include "protocol/version_text.h"

namespace client {

using protocol::FirstChars;
using protocol::NumberText;
namespace to_client = protocol::to_client;
namespace to_server = protocol::to_server;

namespace {

// The texts with which rooms that do not send NICKREFUSED refuse a login's nickname.
bool IsNicknameRefusal(std::string_view notice) {
  return notice == "Please choose a nickname (Edit, User Profile) before you join a room." ||
         (notice.starts_with("The nickname \"") && notice.ends_with("; please choose another."));
}

// "ann", "ann and ben", "ann, ben and cid", with the language's "and" between the last two.
std::string NameList(const std::vector<std::string>& names, std::string_view and_word) {
  std::string list;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? and_word : std::string_view(", ");
    list += names[i];
  }
  return list;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace

// A message as its handler reads it: the whole data and its fields. A field the server left out
// reads as "" (and as the number 0), so a short message never reads past its end.
struct Session::Received {
  const std::string& data;
  std::vector<std::string> fields;

  const std::string& Field(size_t i) const { return protocol::FieldOr(fields, i); }
  int32_t Int(size_t i) const { return protocol::LeadingInt32(Field(i)); }
  // An auto-skip flag: anything but 0 means away.
  bool Away(size_t i) const { return protocol::LeadingNumber(Field(i)) != 0; }
};

const std::map<std::string_view, Session::Handler>& Session::Routes() {
  static const std::map<std::string_view, Handler> routes = {
      {to_client::SCRAWLBOX_S3RV3R, &Session::OnServerHello},
      {to_client::BANNED, &Session::OnBanned},
      {to_client::OLDVERSION, &Session::OnOldVersion},
      {to_client::USEROK, &Session::OnUserOk},
      {to_client::PASSOK, &Session::OnPassOk},
      {to_client::ULIST, &Session::OnUserList},
      {to_client::ULISTEND, &Session::OnUserListEnd},
      {to_client::JOIN, &Session::OnJoin},
      {to_client::PART, &Session::OnPart},
      {to_client::GAMERUNNING, &Session::OnGameRunning},
      {to_client::SAY, &Session::OnSay},
      {to_client::USERACTION, &Session::OnUserAction},
      {to_client::USERINFO, &Session::OnUserInfo},
      {to_client::AWAY, &Session::OnAway},
      {to_client::NOTICE, &Session::OnNotice},
      {to_client::PING, &Session::OnPing},
      {to_client::ADMIN, &Session::OnAdmin},
      {to_client::KICKINFO, &Session::OnKickInfo},
      {to_client::NOWORDLISTS, &Session::OnNoWordLists},
      {to_client::WORDLIST, &Session::OnWordList},
      {to_client::WORDLISTEND, &Session::OnWordListEnd},
      {to_client::GAMEISBEINGSETUP, &Session::OnGameBeingSetUp},
      {to_client::TOTALROUNDS, &Session::OnTotalRounds},
      {to_client::SETGAMETIMER, &Session::OnSetGameTimer},
      {to_client::STARTGAMETIMER, &Session::OnStartGameTimer},
      {to_client::STOPGAMETIMER, &Session::OnStopGameTimer},
      {to_client::START_GAME, &Session::OnGameStarting},
      {to_client::NEWROUND, &Session::OnNewRound},
      {to_client::NEWARTIST, &Session::OnNewArtist},
      {to_client::NEWWORD, &Session::OnNewWord},
      {to_client::WORDCLOSE, &Session::OnWordClose},
      {to_client::WORDFOUND, &Session::OnWordFound},
      {to_client::HINT, &Session::OnHint},
      {to_client::NOMOREHINTS, &Session::OnNoMoreHints},
      {to_client::RESETSCORES, &Session::OnResetScores},
      {to_client::POINTSCHG, &Session::OnPointsChange},
      {to_client::NICKCHG, &Session::OnNickChange},
      {to_client::WORDSKIPPED, &Session::OnWordSkipped},
      {to_client::ENDOFROUND, &Session::OnEndOfRound},
      {to_client::WINNER, &Session::OnWinner},
      {to_client::SERVERMSG, &Session::OnServerMessage},
      {to_client::KICKOP, &Session::OnKickedByOperator},
      {to_client::SERVERQUIT, &Session::OnServerQuit},
      {to_client::BADPASS, &Session::OnBadPassword},
      {to_client::NICKREFUSED, &Session::OnNickRefused},
      {to_client::WORDPATTERN, &Session::OnWordPattern},
      {to_client::ROUNDWORD, &Session::OnRoundWord},
      {to_client::GAMESTOPPED, &Session::OnGameStopped},
      {to_client::SETUPCANCELLED, &Session::OnSetupCancelled},
      {to_client::WORDCHOICES, &Session::OnWordChoices},
      {to_client::CHOOSINGWORD, &Session::OnChoosingWord},
      {to_client::WATCHING, &Session::OnWatching},
      {to_client::ROUNDSUMMARY, &Session::OnRoundSummary},
      {to_client::ROOMMADE, &Session::OnRoomMade},
  };
  return routes;
}

void Session::HandleServerMessage(const std::string& message) {
  const protocol::Message m = protocol::ParseMessage(message);
  // A room was asked for and the server answers as a single room does: it ignored MAKEROOM and
  // this is its own room's login going on.
  if (new_room_ && m.command != to_client::ROOMMADE && m.command != to_client::NOTICE) {
    new_room_.reset();
    System(Say("This server holds one room and makes no others; you are in its room."), kBlue);
  }
  // A joiner during the artist's choice of a word is told of it right after GAMERUNNING.
  joined_during_choice_ =
      std::exchange(just_joined_game_, false) && m.command == to_client::CHOOSINGWORD;
  // Drawing is most of the traffic and parses its own fields.
  if (const auto code = protocol::DrawCodeFromWord(m.command)) {
    const protocol::DrawCommand command = protocol::ParseRelayedDrawData(*code, m.data);
    view_.ReplayDrawing(command);
    LogDrawing(command, false);
    return;
  }
  const auto route = Routes().find(m.command);
  // NOP and commands this client does not know need nothing.
  if (route == Routes().end()) return;
  (this->*route->second)(Received{m.data, protocol::SplitFields(m.data)});
}

// --- Login ---------------------------------------------------------------------------------------

void Session::OnServerHello(const Received& m) {
  room_takes_game_rules_ = protocol::LeadingNumber(m.data) >= protocol::kGameRulesRoomVersion;
  SendCommand(
      to_server::USER,
      protocol::JoinFields({TypedField(profile_.Nickname, kNicknameLength), auto_skip_ ? "1" : "0",
                            FirstChars(NumberText(profile_.Age), kAgeLength),
                            TypedField(profile_.Gender, kGenderLength),
                            TypedField(profile_.Location, kLocationLength),
                            TypedField(profile_.Homepage, kHomepageLength),
                            TypedField(profile_.Quote, kQuoteLength)}));
}

void Session::OnBanned(const Received&) {
  AddChatLine(Say("Server"),
              Say("You have been banned from this server. You are not permitted to join it."),
              Rgb(255, 0, 32));
  CloseAndDisconnect();
}

void Session::OnOldVersion(const Received&) {
  System(Say("Sorry, but you are using an old version of the Scrawlbox client. You will need to "
             "download the newest version from %1 before you can join this server.",
             {scrawlbox::kDownloadUrl}),
         Rgb(160, 50, 30));
  CloseAndDisconnect();
}

void Session::OnUserOk(const Received& m) {
  const int32_t own_id = m.Int(0);
  const std::string& agreement = m.Field(1);
  own_user_id_ = own_id;
  agreement_text_ = agreement;
  if (agreement.empty()) {
    awaiting_password_answer_ = true;
    SendCommand(to_server::PASS, PasswordToSend());
  } else {
    view_.ShowAgreement(agreement);
  }
}

void Session::OnPassOk(const Received& m) {
  const std::string& motd = m.Field(0);
  const std::string& room_name = m.Field(1);
  const std::string& word = m.Field(2);
  const std::string& round = m.Field(3);
  const std::string& total_rounds = m.Field(4);
  const std::string& language = m.Field(5);
  awaiting_password_answer_ = false;
  logging_in_ = false;
  if (given_password_ && remember_password_)
    settings_.SaveRoomPassword(RoomKey(), *given_password_);
  given_password_.reset();
  motd_ = motd;
  room_language_ = directory::IsLanguageCode(language) ? language : "";
  if (remember_room_) {
    // The room let the player in: Recent lists it under its own name, unless Recent or
    // Favourites name it already (as the browser wrote it, perhaps with a description).
    const std::string address = directory::AddressText(room_);
    auto same_room = [this](const ServerEntry& entry) {
      const auto known = directory::ParseRoomAddress(entry.address);
      return known && directory::AddressText(*known) == directory::AddressText(room_);
    };
    const auto history = settings_.History();
    const auto favourites = settings_.Favourites();
    if (std::none_of(history.begin(), history.end(), same_room) &&
        std::none_of(favourites.begin(), favourites.end(), same_room)) {
      settings_.AddToHistory(ServerEntry{address, room_name.empty() ? address : room_name, ""});
    }
    remember_room_ = false;
  }
  panel_.room_name = room_name;
  panel_.word = word;
  // The round counts only once a game shows it runs (GAMERUNNING); until then "-", as every
  // other client in the room shows it.
  current_round_ = protocol::LeadingInt32(round);
  total_rounds_ = protocol::LeadingInt32(total_rounds);
  panel_.rounds = "-";
  PublishPanel();
  System(Say("Requesting userlist..."));
  first_user_list_ = true;
  entering_room_ = true;
  controls_.watching = false;
  SendCommand(to_server::ULISTREQ, protocol::kNoData);
}

// --- Users ---------------------------------------------------------------------------------------

void Session::OnUserList(const Received& m) {
  if (first_user_list_) {
    users_.clear();
    first_user_list_ = false;
  }
  // Four fields a user.
  for (size_t i = 0; i < m.fields.size(); i += 4) {
    const int32_t id = m.Int(i);
    std::string nickname = m.Field(i + 1);
    const bool away = m.Away(i + 2);
    const std::string& points = m.Field(i + 3);
    // "@" marks the room's admin.
    const bool admin = !nickname.empty() && nickname.front() == '@';
    if (admin) nickname.erase(0, 1);
    AddUser(UserEntry{id, nickname, points.empty() ? "0" : points, !away, kBlack});
    if (admin) SetAdmin(id, nickname);
  }
  if (users_.size() == 1) {
    controls_.auto_skip = true;
    SetAdmin(own_user_id_, profile_.Nickname);
    SendCommand(to_server::ADMIN, TypedField(profile_.Nickname));
    System(Say("You are alone in this room; feel free to practise drawing. Your drawing actions "
               "will not be sent to the server. But anything you type will - use it as a rough "
               "indication of your ping."),
           kRed);
    panel_.status = Say("Waiting for a second player");
  }
  PublishUsers();
  PublishPanel();
  PublishControls();
}

void Session::OnUserListEnd(const Received&) {
  if (!motd_.empty()) AddChatLine(Say("Server"), Say("MOTD - %1", {motd_}), kMagenta);
  view_.ClearPad();
  controls_.disconnect = true;
  controls_.connect = controls_.load_image = controls_.paste = false;
  controls_.user_information = true;
  controls_.auto_skip = true;
  controls_.watch = room_takes_game_rules_;
  controls_.administrate = IsAdmin();
  PublishControls();
  if (!game_on_) ShowWaitingStatus();
  view_.FocusChatInput();
}

void Session::OnJoin(const Received& m) {
  const int32_t id = m.Int(0);
  const std::string& nickname = m.Field(1);
  const bool away = m.Away(2);
  if (options_.ShowJoinMessages) System(Say("** %1 has joined the room!", {nickname}), kBlue);
  AddUser(UserEntry{id, nickname, "0", !away, kBlack});
  PlaySound(Sound::kJoin);
  // Someone to play with: the admin can set up a game.
  ShowSetupButton();
  PublishUsers();
  PublishControls();
  if (!game_on_) ShowWaitingStatus();
}

void Session::OnPart(const Received& m) {
  const int32_t id = m.Int(0);
  const std::string& reason = m.Field(1);
  if (options_.ShowLeaveMessages) {
    AddChatLine(Say("Server"), Say("%1 has left (%2).", {Nick(id), Translated(reason)}), kBlue);
  }
  users_.erase(
      std::remove_if(users_.begin(), users_.end(), [id](const UserEntry& u) { return u.id == id; }),
      users_.end());
  PublishUsers();
  // A room that passes the role on says who has it now; an older one leaves nobody.
  if (id == admin_user_id_) SetAdmin(0, "");
  if (id == chooser_id_) EndWordChoice();
  if (users_.size() < 2) {
    EnterPracticeMode();
  } else if (!game_on_) {
    ShowWaitingStatus();
  }
}

void Session::OnSay(const Received& m) {
  const int32_t id = m.Int(0);
  const std::string& text = m.Field(1);
  AddChatLine(Nick(id), text, kBlack);
  if (id != own_user_id_) PlaySound(Sound::kNewMessage);
}

void Session::OnUserAction(const Received& m) {
  const int32_t id = m.Int(0);
  const std::string& action = m.Field(1);
  AddChatLine(Say("System"), " * " + Nick(id) + " " + action, kBlue, true);
}

void Session::OnUserInfo(const Received& m) {
  view_.ShowUserInfo(UserProfile{.name = m.Field(0),
                                 .age = m.Field(1),
                                 .gender = m.Field(2),
                                 .location = m.Field(3),
                                 .homepage = m.Field(4),
                                 .quote = m.Field(5)});
}

void Session::OnAway(const Received& m) {
  const int32_t id = m.Int(0);
  const bool away = m.Away(1);
  if (UserEntry* user = User(id)) {
    user->bold = !away;
    PublishUsers();
  }
}

void Session::OnAdmin(const Received& m) {
  const int32_t id = m.Int(0);
  const std::string& nickname = m.Field(1);
  const std::string known = Nick(id);
  const std::string& name = known.empty() ? nickname : known;
  System(Say("%1 has been made into an admin.", {name}), kBlue);
  SetAdmin(id, name);
  if (!game_on_) ShowWaitingStatus();
}

void Session::OnKickInfo(const Received& m) {
  const int32_t kicker = m.Int(0);
  const int32_t target = m.Int(1);
  const std::string& reason = m.Field(2);
  System(Say("%1 has kicked %2: %3", {Nick(kicker), Nick(target), Translated(reason)}), kBlue);
}

void Session::OnResetScores(const Received&) {
  // The final points stay on show under the podium until the next game begins.
  if (last_game_shown_) {
    scores_reset_pending_ = true;
    return;
  }
  ZeroPoints();
}

void Session::ZeroPoints() {
  for (UserEntry& user : users_) user.points = "0";
  PublishUsers();
}

void Session::EndLastGameDisplay() {
  tmrNextGameLine_->Stop();
  if (!last_game_shown_) return;
  last_game_shown_ = false;
  if (std::exchange(scores_reset_pending_, false)) ZeroPoints();
  view_.ShowWinner({}, {});
}

void Session::OnPointsChange(const Received& m) {
  const int32_t id = m.Int(0);
  const std::string& points = m.Field(1);
  if (UserEntry* user = User(id)) {
    user->points = points;
    PublishUsers();
  }
}

void Session::OnNickChange(const Received& m) {
  const int32_t id = m.Int(0);
  const std::string& nickname = m.Field(1);
  System(Say(" ** %1 is now known as %2.", {Nick(id), nickname}), kBlue);
  if (UserEntry* user = User(id)) user->nickname = nickname;
  if (id == admin_user_id_) panel_.admin = nickname;
  PublishUsers();
  PublishPanel();
}

// --- Notices and the connection
// -------------------------------------------------------------------

void Session::OnNotice(const Received& m) {
  const std::string& text = m.Field(0);
  if (logging_in_ && IsNicknameRefusal(text)) {
    RefuseNickname(text);
    return;
  }
  // A room bans with this notice and then KICKOP, which then need not say "kicked" too.
  if (text.starts_with(protocol::kBannedNotice)) banned_ = true;
  System(Translated(text), kRed);
  // Before ROOMMADE a notice is the host's refusal, and the close follows. Hosts say that no
  // room was made; another server's reason may not.
  if (std::exchange(new_room_, std::nullopt) && !text.starts_with(kNoRoomMade)) {
    System(Say("No room was made on %1.", {directory::AddressText(room_)}), kRed);
  }
}

void Session::OnRoomMade(const Received& m) {
  const std::string& code = m.Field(0);
  const std::string& page = m.Field(1);
  // Unasked, or a second time: the connection is in a room already.
  const auto room = std::exchange(new_room_, std::nullopt);
  if (!room) return;
  const bool usable =
      !code.empty() && code.size() <= directory::kMaxRoomCode &&
      std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      });
  if (!usable) {
    // Its address is unknown, and Recent would keep the host's default room under its name.
    remember_room_ = false;
    System(Say("The server made the room but named it with a code this client cannot use; you are "
               "in it, but it is not kept in Recent."),
           kRed);
    return;
  }
  room_.code = protocol::LowerCase(code);
  const bool ipv6 = room_.host.find(':') != std::string::npos;
  RoomInvite invite{room->name, room_.code, directory::SaneWebAddress(page, room_.host),
                    std::string(directory::kLinkScheme) +
                        (ipv6 ? "[" + room_.host + "]" : room_.host) + ":" +
                        NumberText(room_.port) + "/" + room_.code};
  System(Say("Your room \"%1\" is made; its code is %2. Invite friends with a link:",
             {room->name, room_.code}),
         kDarkBlue);
  if (!invite.web_link.empty()) System(Say("  In a browser: %1", {invite.web_link}), kDarkBlue);
  System(Say("  In Scrawlbox: %1", {invite.desktop_link}), kDarkBlue);
  view_.ShowRoomInvite(invite);
}

void Session::OnNickRefused(const Received& m) {
  const std::string& reason = m.data;
  RefuseNickname(reason);
}

void Session::RefuseNickname(const std::string& reason) {
  System(Translated(reason), kRed);
  const directory::RoomAddress room = room_;
  // The NOTICE and the close that follow have nothing more to say.
  CloseAndDisconnect();
  pending_room_ = room;
  pending_new_room_.reset();
  SetStatus(Say("Choose another nickname to join %1", {directory::AddressText(room)}));
  view_.AskForNickname(Translated(reason));
}

void Session::OnPing(const Received&) {
  SendCommand(to_server::PONG, protocol::kNoData);
}

void Session::OnServerMessage(const Received& m) {
  const std::string& text = m.data;
  AddChatLine(Say("ADMIN"), text, kMagenta);
}

void Session::OnKickedByOperator(const Received& m) {
  const std::string& reason = m.data;
  if (reason == protocol::kVoteKickReason) {
    banned_ = false;
    System(Say("You have been kicked from the room by a vote of the players."), kRed);
  } else if (!std::exchange(banned_, false)) {
    System(Say("You have been kicked from the server by the operator for the following reason: %1",
               {Translated(reason)}),
           kRed);
  }
  // Let the NOP reach the room before the connection closes.
  SendCommand(to_server::NOP, "NOP");
  connection_.Leave();
  EnterDisconnectedState();
}

void Session::OnServerQuit(const Received& m) {
  const std::string& reason = m.data;
  AddChatLine(Say("ADMINISTRATOR"), Say("Server has quit: %1.", {Translated(reason)}), kRed);
  CloseAndDisconnect();
}

// --- Setting up a game ---------------------------------------------------------------------------

void Session::OnNoWordLists(const Received&) {
  view_.NoWordLists();
}

void Session::OnWordList(const Received& m) {
  // Every field is a list's file name.
  std::vector<std::string> names;
  for (const std::string& file_name : m.fields) names.push_back(ReplaceAll(file_name, ".txt", ""));
  view_.WordListsReceived(names);
}

void Session::OnWordListEnd(const Received&) {
  view_.WordListsComplete();
}

void Session::OnGameBeingSetUp(const Received&) {
  if (admin_user_id_ == 0) {
    System(Say("Somebody is setting up the game..."), kRed);
    if (!game_on_) SetStatus(Say("Somebody is setting up a game"));
    return;
  }
  System(Say("%1 is setting up the game...", {panel_.admin}), kRed);
  if (!game_on_) SetStatus(Say("%1 is setting up a game", {panel_.admin}));
}

void Session::OnSetupCancelled(const Received&) {
  if (!game_on_) ShowWaitingStatus();
}

// --- The game ------------------------------------------------------------------------------------

void Session::OnTotalRounds(const Received& m) {
  const int32_t total_rounds = m.Int(0);
  total_rounds_ = total_rounds;
}

void Session::OnSetGameTimer(const Received& m) {
  const int32_t round_ms = m.Int(0);
  SetGameClock(round_ms);
}

void Session::OnStartGameTimer(const Received& m) {
  const int32_t left_ms = m.Int(0);
  RunGameClock(left_ms);
}

void Session::OnStopGameTimer(const Received&) {
  StopGameClock();
  // The room stops the clock when everyone has found the word: the round is over. A guesser
  // learns the word as the room spells it from the ROUNDWORD that follows (see OnData).
  if (round_) {
    if (round_word_.empty()) {
      round_over_ = true;
    } else {
      EndRound();
    }
    ShowRoundOverStatus();
  }
}

void Session::OnGameStarting(const Received& m) {
  const std::string& lists = m.data;
  AddChatLine(Say("System"), "", kBlack);
  System(Say(" -- The game is now starting! --"), kDarkBlue);
  System(Say("Wordlists: %1.", {ReplaceAll(lists, std::string(1, protocol::kListSep), ", ")}),
         kDarkBlue);
  panel_.rounds = Say("%1 of %2", {"1", NumberText(total_rounds_)});
  EndWordChoice();
  game_on_ = true;
  EndLastGameDisplay();
  ShowSetupButton();
  PublishControls();
  panel_.status = Say("The game is starting");
  PublishPanel();
  view_.ClearPad();
  current_round_ = 1;
  hinted_length_ = 0;
  view_.ResetTools();
  RunGameClock(0);
}

void Session::OnNewRound(const Received& m) {
  const int32_t round = m.Int(0);
  System(Say("A new round is starting!"), kBlue);
  current_round_ = round;
  game_on_ = true;
  EndLastGameDisplay();
  hinted_length_ = 0;
  panel_.rounds = Say("%1 of %2", {NumberText(current_round_), NumberText(total_rounds_)});
  panel_.word = "";
  panel_.pattern.clear();
  PublishPanel();
  view_.ResetTools();
  RunGameClock(0);
}

void Session::OnGameRunning(const Received& m) {
  const int32_t artist_id = m.Int(0);
  const std::string& revealed = m.Field(1);
  const std::string& pattern = m.Field(2);  // rooms that show blanks send it
  game_on_ = true;
  EndLastGameDisplay();
  round_word_.clear();
  guessed_word_.clear();
  ShowArtist(artist_id);
  ShowGuessersWord(revealed, pattern);
  // Come in during a round (the room sends its pattern only then), the player may sit it out.
  const bool entering = std::exchange(entering_room_, false);
  if (entering && !pattern.empty()) SitOutIfAsked();
  just_joined_game_ = entering && pattern.empty();
  panel_.rounds = current_round_ > 0
                      ? Say("%1 of %2", {NumberText(current_round_), NumberText(total_rounds_)})
                      : "-";
  // The round began before this client came: it is not one of the gallery's.
  ShowDrawingStatus();
}

void Session::OnNewArtist(const Received& m) {
  const int32_t artist_id = m.Int(0);
  System(Say("A new artist has been selected to draw: %1", {Nick(artist_id)}), kBlue);
  EndWordChoice();
  if (artist_id != 0 && artist_id == own_user_id_) PlaySound(Sound::kYourTurn);
  entering_room_ = false;
  view_.ShowRoundSummary("");
  // An artist who left ends the round without a word.
  EndRound();
  game_on_ = true;
  EndLastGameDisplay();
  round_word_.clear();
  guessed_word_.clear();
  panel_.word = "";
  panel_.pattern.clear();
  ShowArtist(artist_id);
  view_.ResetTools();
  BeginRound();
  ShowDrawingStatus();
}

void Session::OnNewWord(const Received& m) {
  // The alternatives of the word, split by "," and "#".
  const std::string& word_line = m.data;
  panel_.word = ReplaceAll(ReplaceAll(word_line, ",", ", "), "#", ", ");
  panel_.pattern = FirstAlternative(word_line);
  round_word_ = word_line;
  PublishPanel();
  if (artist_user_id_ != 0 && artist_user_id_ == own_user_id_) ShowDrawingStatus();
}

void Session::OnWordClose(const Received& m) {
  const std::string& guess = m.Field(0);
  System(Say("%1 is close to the word!", {guess}), kRed);
}

void Session::OnWordFound(const Received& m) {
  const int32_t finder_id = m.Int(1);  // the first field is the finder's slot
  System(Say("%1 has found the word!", {Nick(finder_id)}), kRed);
  if (UserEntry* finder = User(finder_id)) {
    finder->colour = kFinderRed;
    finder->found_word = true;
    PublishUsers();
    // Once each: a room that says it twice does not make the list longer.
    if (round_ && std::find(round_->finders.begin(), round_->finders.end(), finder->nickname) ==
                      round_->finders.end()) {
      round_->finders.push_back(finder->nickname);
    }
  }
  // A guess matches the word whatever its letter case, so the guess that found it names it.
  if (finder_id == own_user_id_) guessed_word_ = last_said_text_;
  PlaySound(Sound::kWordFound);
}

void Session::OnHint(const Received& m) {
  const std::string& revealed = m.Field(0);
  const std::string& text = m.Field(1);
  const std::string& pattern = m.Field(2);  // rooms that show blanks send it
  System(Translated(text), kRed);
  // "[11 letters]": the length stays on show while the letters come.
  if (!revealed.empty() && revealed.front() == '[') {
    hinted_length_ = static_cast<size_t>(std::max(0, protocol::LeadingInt32(revealed.substr(1))));
  }
  ShowGuessersWord(revealed, pattern);
}

void Session::OnWordPattern(const Received& m) {
  const std::string& pattern = m.data;
  ShowGuessersWord("", pattern);
}

void Session::ShowGuessersWord(const std::string& revealed, const std::string& pattern) {
  // The artist keeps the whole word on show.
  if (artist_user_id_ != 0 && own_user_id_ == artist_user_id_) return;
  panel_.word = panel_.pattern = GuessersWord(revealed, pattern);
  PublishPanel();
}

std::string Session::GuessersWord(const std::string& revealed, const std::string& pattern) const {
  if (!pattern.empty()) return Spaced(pattern);
  if (hinted_length_ == 0) return revealed;
  // A room that sends no pattern: the letters given, then a blank for each one still hidden.
  const std::string letters =
      !revealed.empty() && revealed.front() == '[' ? std::string() : revealed;
  std::string blanks = letters;
  blanks.resize(std::max(hinted_length_, letters.size()), '_');
  return Spaced(blanks);
}

void Session::OnNoMoreHints(const Received&) {
  controls_.hint.enabled = false;
  PublishControls();
}

void Session::OnWordSkipped(const Received& m) {
  const std::string& word_line = m.Field(0);
  System(Say("%1 has skipped the word: %2", {artist_nickname_, FirstAlternative(word_line)}), kRed);
  if (!word_line.empty()) round_word_ = word_line;
  EndRound();
  StopGameClock();
  ResetUserColours();
  PublishUsers();
  ShowRoundOverStatus();
}

void Session::OnEndOfRound(const Received& m) {
  const std::string& word_line = m.Field(0);
  System(Say("The round is over! The word was: %1", {FirstAlternative(word_line)}), kRed);
  if (!word_line.empty()) round_word_ = word_line;
  EndRound();
  StopGameClock();
  ResetUserColours();
  PublishUsers();
  ShowRoundOverStatus();
}

void Session::OnWinner(const Received& m) {
  // The first id is the winner, or 0 when nobody scored; ids after it share first place.
  std::vector<int32_t> winner_ids;
  std::vector<std::string> winners;
  for (size_t i = 0; m.Int(0) != 0 && i < m.fields.size(); ++i) {
    const int32_t id = m.Int(i);
    const std::string nickname = Nick(id);
    if (nickname.empty() || std::find(winner_ids.begin(), winner_ids.end(), id) != winner_ids.end())
      continue;
    winner_ids.push_back(id);
    winners.push_back(nickname);
  }
  // The points as they stand now: the room resets them right after.
  const std::vector<Standing> standings = FinalStandings(winner_ids);
  // An older room names a winner even when nobody scored.
  if (std::none_of(standings.begin(), standings.end(),
                   [](const Standing& s) { return s.points > 0; })) {
    winner_ids.clear();
    winners.clear();
  }
  // The last round may end here, when its artist left.
  EndWordChoice();
  EndRound();
  game_on_ = false;
  System("----------");
  if (winners.empty()) {
    System(Say("The game is over. Nobody scored, so there is no winner."), kRed);
  } else if (winners.size() == 1) {
    System(Say("The game is over and the winner is %1 - well done!", {winners[0]}), kRed);
  } else {
    System(Say("The game is over: %1 share first place - well done!",
               {NameList(winners, Say(" and "))}),
           kRed);
  }
  if (!winners.empty()) {
    System(Say("Final standings:"), kDarkBlue);
    for (const Standing& s : standings) {
      System(SayCounted("%1. %2 - %n point(s)", s.points, {NumberText(s.place), s.nickname}),
             kDarkBlue);
    }
  }
  AddChatLine(Say("System"), "", kBlack);
  // Every winner is on the top step, however many share it.
  const size_t podium = std::min(std::max<size_t>(3, winners.size()), standings.size());
  view_.ShowWinner(winners, winners.empty() ? std::vector<Standing>()
                                            : std::vector<Standing>(standings.begin(),
                                                                    standings.begin() + podium));
  last_game_shown_ = true;
  // Whether another game follows by itself the room says right after, with GAMESTOPPED.
  tmrNextGameLine_->Start(kNextGameLineMs);
  // Nobody draws or guesses between games: the list and the buttons no longer name an artist
  // or the finders of the last round.
  controls_.start = StartButtonState{StartAction::kSetupGame, false, std::nullopt};
  controls_.hint = HintButtonState{HintAction::kWarnArtist, false, std::nullopt};
  ResetUserColours();
  PublishUsers();
  StopGameClock();
  panel_.rounds = "-";
  panel_.pattern.clear();
  panel_.status = winners.empty() ? Say("The game is over: nobody scored")
                  : winners.size() == 1
                      ? Say("%1 wins!", {winners[0]})
                      : Say("%1 share first place", {NameList(winners, Say(" and "))});
  PublishPanel();
  PublishControls();
}

void Session::OnGameStopped(const Received&) {
  tmrNextGameLine_->Stop();
  game_on_ = false;
  ShowSetupButton();
  PublishControls();
  const std::string who = IsAdmin() ? Say("Press Setup Game to start one.")
                          : admin_user_id_ != 0
                              ? Say("%1 may start one with Setup Game.", {panel_.admin})
                              : Say("A player may start one.");
  System(
      Say("Nobody drew or found a word in that game, so no new game starts by itself. %1", {who}),
      kBlue);
  ShowWaitingStatus();
}

// The choice comes between rounds: the last round's word stays on show meanwhile.
void Session::OnWordChoices(const Received& m) {
  const int32_t seconds = m.Int(0);
  WordChoice choice{profile_.Nickname, true, {}, std::max(0, seconds)};
  // A room offers a few words; more would not fit over the pad.
  constexpr size_t kMaxWords = 5;
  for (size_t i = 1; i < m.fields.size() && choice.words.size() < kMaxWords; ++i) {
    choice.words.push_back(FirstChars(m.Field(i), protocol::kChatLength));
  }
  if (choice.words.empty()) return;
  BeginWordChoice(own_user_id_, std::move(choice));
  PlaySound(Sound::kChooseWord);
}

// The room lets a joiner watch the round it came into at once, and the switch back waits for the
// next round.
void Session::SitOutIfAsked() {
  if (!watch_until_next_round_) return;
  SendCommand(to_server::WATCH, "1");
  SendCommand(to_server::WATCH, "0");
}

void Session::OnChoosingWord(const Received& m) {
  const int32_t artist_id = m.Int(0);
  const int32_t seconds = m.Int(1);
  const std::string nickname = Nick(artist_id);
  if (artist_id == 0 || artist_id == own_user_id_ || nickname.empty()) return;
  System(Say("%1 is choosing a word to draw.", {nickname}), kBlue);
  if (std::exchange(joined_during_choice_, false)) SitOutIfAsked();
  BeginWordChoice(artist_id, WordChoice{nickname, false, {}, std::max(0, seconds)});
}

void Session::OnRoundWord(const Received& m) {
  const std::string& word = m.data;
  if (word.empty() || !game_on_) return;
  round_word_ = word;
  // However the round ended, it ends with the word as the room spells it.
  EndRound();
  ShowRoundOverStatus();
}

void Session::OnWatching(const Received& m) {
  const int32_t id = m.Int(0);
  const bool watching = m.Away(1);
  UserEntry* user = User(id);
  if (!user || user->watching == watching) return;
  user->watching = watching;
  PublishUsers();
  if (id == own_user_id_) {
    System(watching ? Say("You are watching: you neither draw nor guess until you play again.")
                    : Say("You are playing again."),
           kBlue);
  }
}

void Session::OnRoundSummary(const Received& m) {
  const std::string text =
      protocol::SummaryText(protocol::ParseSummary(m.data), [this](int32_t id) {
        const std::string name = Nick(id);
        return name.empty() ? Say("a player who left") : name;
      });
  System(Translated(text), kDarkBlue);
  view_.ShowRoundSummary(Translated(text));
}

std::vector<Standing> Session::FinalStandings(const std::vector<int32_t>& winners) const {
  std::vector<std::pair<bool, Standing>> ranked;
  for (const UserEntry& user : users_) {
    const bool winner = std::find(winners.begin(), winners.end(), user.id) != winners.end();
    ranked.emplace_back(winner, Standing{0, user.nickname, protocol::LeadingInt32(user.points)});
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first : a.second.points > b.second.points;
  });
  // The room's winners share the first place; other players with equal points share a place,
  // and the next place counts everyone before it.
  std::vector<Standing> standings;
  for (auto& [winner, standing] : ranked) {
    const size_t i = standings.size();
    standing.place = winner ? 1
                     : i > 0 && standing.points == standings.back().points
                         ? standings.back().place
                         : static_cast<int>(i) + 1;
    standings.push_back(std::move(standing));
  }
  return standings;
}

// --- Password rooms --------------------------------------------------------------------------

void Session::OnBadPassword(const Received&) {
  // Only an answer to this login's password counts: a room cannot make the client ask at will.
  if (!awaiting_password_answer_) return;
  awaiting_password_answer_ = false;
  const bool kept = !settings_.RoomPassword(RoomKey()).empty();
  const bool wrong = given_password_.has_value() || kept;
  if (kept && !given_password_) settings_.ForgetRoomPassword(RoomKey());
  given_password_.reset();
  view_.AskRoomPassword(RoomKey(), wrong);
}

std::string Session::PasswordToSend() const {
  if (given_password_) return *given_password_;
  const std::string kept = settings_.RoomPassword(RoomKey());
  return kept.empty() ? std::string(kNoPassword) : kept;
}

std::string Session::RoomKey() const {
  // The rooms of one host have passwords of their own.
  return room_.host + ":" + NumberText(room_.port) + (room_.code.empty() ? "" : "/" + room_.code);
}

}  // namespace client
