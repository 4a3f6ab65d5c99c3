// SPDX-License-Identifier: MIT
#include "client/room/session.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "client/room/nickname_filter.h"
#include "common/links.h"
#include "common/version.h"
#include "directory/languages.h"
#include "protocol/commands.h"
#include "protocol/numbers.h"
#include "protocol/version_text.h"

namespace client {

using protocol::FirstChars;
using protocol::NumberText;
namespace to_server = protocol::to_server;

namespace {

constexpr char kSep = protocol::kFieldSep;

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
    case Sound::kYourTurn:
      return "yourturn.wav";
    case Sound::kChooseWord:
      return "chooseword.wav";
    case Sound::kLastSeconds:
      return "lastseconds.wav";
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

std::string Spaced(std::string_view text) {
  std::string spaced;
  for (const char c : text) {
    if (!spaced.empty()) spaced += ' ';
    spaced += c;
  }
  return spaced;
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
      tmrNextGameLine_(ports.scheduler.CreateTimer([this] {
        tmrNextGameLine_->Stop();
        System(Say("Another game will be starting soon; please wait."), kBlue);
      })),
      tmrChoice_(ports.scheduler.CreateTimer([this] { OnChoiceTick(); })),
      options_(ports.settings.LoadOptions()),
      profile_(ports.settings.LoadProfile()) {}

Session::~Session() = default;

void Session::Start() {
  const std::string version =
      NumberText(scrawlbox::kVersionMajor) + "." + TwoDigits(scrawlbox::kVersionMinor);
  view_.AddWelcome("Scrawlbox v" + version, Say(" - made by the Scrawlbox developers"),
                   Say("    Type /help, /h or /? for a list of commands."));
  AddChatLine(Say("System"), "", kBlack);
  System(Say("Tip: you can use the right mouse button with any tool to quick-erase."),
         Rgb(100, 0, 0));
  EnterDisconnectedState();
}

// --- Sending -----------------------------------------------------------------------------------

std::string TypedField(std::string_view text, size_t max_length) {
  return FirstChars(protocol::StripControlCodes(text), max_length);
}

void Session::SendCommand(std::string_view command, std::string_view data) {
  if (connection_.State() == SocketState::kClosed) return;
  connection_.Send(protocol::Frame(command, data));
}

bool Session::CanSendDrawing() const {
  return connection_.State() != SocketState::kClosed && users_.size() >= 2;
}

void Session::SendDrawCommand(std::string_view command, std::string_view data) {
  if (!CanSendDrawing()) return;
  connection_.Send(protocol::Frame(command, data));
  // The artist's own strokes never come back from the room; the gallery keeps them as sent.
  if (const auto code = protocol::DrawCodeFromWord(command)) {
    LogDrawing(protocol::ParseDrawData(*code, data), true);
  }
}

bool Session::connected() const {
  return connection_.State() == SocketState::kConnected;
}

// --- Connection ----------------------------------------------------------------------------------

void Session::ConnectTo(const directory::RoomAddress& room, bool remember) {
  if (connection_.State() != SocketState::kClosed) connection_.Close();
  new_room_.reset();
  awaiting_password_answer_ = false;
  room_language_.clear();
  receive_buffer_ = protocol::ReceiveBuffer();
  room_ = room;
  remember_room_ = remember;
  SetStatus(Say("Connecting to %1...", {directory::AddressText(room)}));
  connection_.Connect(room.host, room.port);
}

void Session::JoinRoom(const std::string& address_text) {
  std::string why;
  const auto room = directory::ParseRoomAddress(address_text, &why);
  if (!room) {
    System(Say("Cannot connect to \"%1\": %2.", {address_text, Translated(why)}), kRed);
    return;
  }
  if (!NicknameReadyFor(*room, std::nullopt)) return;
  System(Say("Connecting to server %1 ...", {directory::AddressText(*room)}));
  ConnectTo(*room, true);
}

bool Session::NicknameReadyFor(const directory::RoomAddress& room,
                               std::optional<NewRoom> new_room) {
  if (NeedsProfile()) {
    pending_room_ = room;
    pending_new_room_ = std::move(new_room);
    SetStatus(new_room
                  ? Say("Choose a nickname to make a room on %1", {directory::AddressText(room)})
                  : Say("Choose a nickname to join %1", {directory::AddressText(room)}));
    view_.AskForNickname("");
    return false;
  }
  if (!NicknameUsable()) {
    view_.ShowReservedNicknameBox(false);
    return false;
  }
  pending_room_.reset();
  pending_new_room_.reset();
  return true;
}

void Session::CreateRoom(const std::string& server_text, const std::string& name,
                         const std::string& password, bool is_public, const std::string& language) {
  std::string why;
  auto server = directory::ParseRoomAddress(server_text, &why);
  if (!server) {
    System(Say("Cannot make a room on \"%1\": %2.", {server_text, Translated(why)}), kRed);
    return;
  }
  // The room is made on the host; a room of it named in the text has nothing to do with it.
  server->code.clear();
  NewRoom room{TypedField(name, protocol::kRoomNameLength),
               TypedField(password, kNewRoomPasswordLength), is_public,
               directory::IsLanguageCode(language) ? language : ""};
  if (room.name.find_first_not_of(' ') == std::string::npos) {
    System(Say("A new room needs a name of at most %1 characters.",
               {NumberText(protocol::kRoomNameLength)}),
           kRed);
    return;
  }
  if (!NicknameReadyFor(*server, room)) return;
  System(
      Say("Making the room \"%1\" on server %2 ...", {room.name, directory::AddressText(*server)}));
  ConnectTo(*server, true);
  // The maker logs in with the room's password like anyone; it is not kept unless asked later.
  given_password_.reset();
  if (!room.password.empty()) given_password_ = room.password;
  remember_password_ = false;
  new_room_ = std::move(room);
}

std::string Session::ServerForNewRoom() const {
  directory::RoomAddress server = room_;
  if (server.host.empty()) {
    const auto history = settings_.History();
    if (history.empty()) return {};
    const auto last = directory::ParseRoomAddress(history.back().address);
    if (!last) return {};
    server = *last;
  }
  server.code.clear();
  return directory::AddressText(server);
}

void Session::ConnectFromBrowser(const directory::RoomAddress& room) {
  System(Say("Connecting to server %1 on port %2 ..", {room.host, NumberText(room.port)}));
  ConnectTo(room, false);
}

void Session::OnConnected() {
  System(Say("Connected to server. Logging in..."));
  controls_.connect = false;
  controls_.drawing = true;
  logging_in_ = true;
  PublishControls();
  SetStatus(Say("Logging in..."));
  // A host of many rooms hands the connection to the room it names, or makes, before the
  // greeting.
  if (new_room_) {
    std::vector<std::string> fields = {new_room_->name, new_room_->password,
                                       new_room_->is_public ? "1" : "0"};
    // Hosts that read three fields make the room in their default language.
    if (!new_room_->language.empty()) fields.push_back(new_room_->language);
    SendCommand(to_server::MAKEROOM, protocol::JoinFields(fields));
  } else if (!room_.code.empty()) {
    SendCommand(to_server::ROOM, room_.code);
  }
  SendCommand(to_server::SCRAWLBOX_CL13NT, VersionText());
}

void Session::OnData(std::string_view bytes) {
  receive_buffer_.Append(bytes);
  std::string message;
  while (true) {
    const auto status = receive_buffer_.Next(&message);
    if (status == protocol::ReceiveBuffer::Status::kNeedMore) {
      // The room names the word in the same write as it stops the clock: a round kept open for
      // it ends once the data at hand is read, with the guess that found it at worst.
      if (round_over_) EndRound();
      return;
    }
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
  System(Say("Disconnected from server."));
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
          Say("There doesn't appear to be a Scrawlbox server running on the remote machine. If it "
              "is a valid Scrawlbox server, then please try again later.");
      break;
    case SocketErrorKind::kHostNotFound:
      text =
          Say("The specified server cannot be found. The server machine may be offline or the "
              "address is incorrect.");
      break;
    case SocketErrorKind::kOther:
      text = Say("Socket Error [%1] - %2.", {NumberText(error.number), error.description});
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
  // Gone before the server answered (refused, unreachable, closed): the player asked for a room.
  if (std::exchange(new_room_, std::nullopt)) {
    System(Say("No room was made on %1.", {directory::AddressText(room_)}), kRed);
  }
  EndWordChoice();
  EndRound();
  EndLastGameDisplay();
  game_on_ = false;
  logging_in_ = false;
  own_user_id_ = 0;
  admin_user_id_ = 0;
  SetArtist(0);
  panel_.word = panel_.rounds = panel_.admin = panel_.room_name = "-";
  panel_.pattern.clear();
  controls_.start = StartButtonState{StartAction::kSetupGame, false, std::nullopt};
  controls_.hint = HintButtonState{HintAction::kWarnArtist, false, std::nullopt};
  controls_.auto_skip = false;
  controls_.watch = controls_.watching = false;
  users_.clear();
  StopGameClock();
  controls_.disconnect = controls_.user_information = controls_.administrate = false;
  controls_.connect = true;
  controls_.load_image = controls_.paste = true;
  first_user_list_ = false;
  hinted_length_ = 0;  // the next room's word is another
  panel_.status = NotConnectedStatus();
  PublishUsers();
  PublishPanel();
  PublishControls();
}

void Session::EnterPracticeMode() {
  EndWordChoice();
  EndRound();
  game_on_ = false;
  controls_.start = StartButtonState{StartAction::kSetupGame, false, std::nullopt};
  controls_.hint = HintButtonState{HintAction::kWarnArtist, false, std::nullopt};
  panel_.word = "";
  panel_.pattern.clear();
  panel_.rounds = "-";
  // Alone, the player draws for practice, also one who was the artist.
  artist_user_id_ = 0;
  artist_nickname_.clear();
  controls_.drawing = true;
  StopGameClock();
  SetAdmin(own_user_id_, profile_.Nickname);
  ShowWaitingStatus();
  SendCommand(to_server::ADMIN, TypedField(profile_.Nickname));
}

// --- The round and the line over the pad -------------------------------------------------------

void Session::BeginRound() {
  round_ = RoundRecord{};
  round_->number = current_round_;
  round_->artist = artist_nickname_;
  round_started_ms_ = scheduler_.NowMs();
  view_.RoundBegins();
}

void Session::EndRound() {
  round_over_ = false;
  if (!round_) return;
  round_->word = FirstAlternative(round_word_.empty() ? guessed_word_ : round_word_);
  // Taken out first: the view may show windows that let further events run.
  const RoundRecord ended = std::move(*round_);
  round_.reset();
  view_.RoundEnded(ended);
}

void Session::LogDrawing(const protocol::DrawCommand& command, bool own) {
  if (round_ && !round_over_)
    round_->Add(LoggedDrawing{scheduler_.NowMs() - round_started_ms_, command, own});
}

void Session::SetStatus(std::string status) {
  panel_.status = std::move(status);
  PublishPanel();
}

void Session::ShowWaitingStatus() {
  if (users_.size() < 2) {
    SetStatus(Say("Waiting for a second player"));
  } else if (controls_.start.enabled && controls_.start.action == StartAction::kSetupGame) {
    SetStatus(Say("Press Setup Game to start a game"));
  } else if (admin_user_id_ != 0 && !IsAdmin()) {
    SetStatus(Say("Waiting for %1 to start a game", {panel_.admin}));
  } else {
    SetStatus(Say("Waiting for a game to start"));
  }
}

void Session::ShowDrawingStatus() {
  if (artist_user_id_ == 0) {
    SetStatus(Say("Waiting for the next round"));
  } else if (artist_user_id_ == own_user_id_) {
    SetStatus(round_word_.empty() ? Say("Your turn to draw")
                                  : Say("Your turn: draw %1", {FirstAlternative(round_word_)}));
  } else {
    SetStatus(Say("%1 is drawing", {artist_nickname_}));
  }
}

void Session::ShowRoundOverStatus() {
  // Only the room's word: a guess may have found it in another spelling.
  const std::string word = FirstAlternative(round_word_);
  panel_.word = word;
  panel_.pattern = Spaced(word);
  SetStatus(word.empty() ? Say("Everyone found the word") : Say("The word was: %1", {word}));
}

// --- Game display -------------------------------------------------------------------------------

void Session::ShowArtist(int32_t id) {
  ResetUserColours();
  if (UserEntry* artist = User(id)) {
    artist->colour = kArtistGreen;
    artist->artist = true;
  }
  PublishUsers();
  view_.ClearPad();
  SetArtist(id);
}

void Session::SetArtist(int32_t id) {
  artist_user_id_ = id;
  const UserEntry* artist = User(id);
  artist_nickname_ = artist ? artist->nickname : std::string();
  const bool is_artist = own_user_id_ == id;
  controls_.drawing = is_artist;
  if (id != 0) {
    if (is_artist) {
      controls_.start = StartButtonState{StartAction::kSkipWord, true, kRed};
      controls_.hint = HintButtonState{HintAction::kGiveHint, true, std::nullopt};
      view_.ResetTools();
    } else {
      controls_.start.enabled = false;
      ShowSetupButton();
      controls_.hint = HintButtonState{HintAction::kWarnArtist, true, std::nullopt};
    }
  }
  PublishControls();
  // The artist may chat too, but is there to draw: the tools' keys stay with the pad.
  if (!is_artist) view_.FocusChatInput();
}

void Session::SetAdmin(int32_t id, const std::string& nickname) {
  admin_user_id_ = id;
  panel_.admin = id == 0 ? "-" : nickname;
  controls_.administrate = IsAdmin();
  ShowSetupButton();
  PublishPanel();
  PublishControls();
}

void Session::ShowSetupButton() {
  if (controls_.start.action == StartAction::kSkipWord && controls_.start.enabled) return;
  const bool may = IsAdmin() && users_.size() >= 2;
  // Green invites a first game; during one it restarts the game, which nobody should do lightly.
  controls_.start = StartButtonState{StartAction::kSetupGame, may,
                                     may && !game_on_ ? std::optional(kGreen) : std::nullopt};
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
  // The artist's skip is over with the round; the admin's set-up stays.
  if (controls_.start.action == StartAction::kSkipWord) controls_.start.enabled = false;
  ShowSetupButton();
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
  if (seconds_left_ >= 1 && seconds_left_ <= 5) PlaySound(Sound::kLastSeconds);
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
    System(Say("Cannot send, not connected to a server."));
    return;
  }
  repeat_count_ = text == last_said_text_ ? repeat_count_ + 1 : 0;
  if (repeat_count_ < 3) {
    last_said_text_ = text;
    SendCommand(to_server::SAY, TypedField(text, kChatLineLength));
  } else {
    System(Say("You cannot send the same text more than 3 times in a row."), kRed);
  }
}

void Session::MenuDisconnect() {
  SendCommand(to_server::PART, kQuitting);
}

void Session::RequestUserInformation(int32_t id) {
  if (!connected()) return;
  System(Say("Please wait - getting user information..."));
  SendCommand(to_server::USERINFO, NumberText(id));
}

void Session::KickUser(int32_t id, const std::string& reason) {
  if (!connected()) return;
  const std::string typed = TypedField(reason, kKickReasonLength);
  if (typed.find_first_not_of(' ') == std::string::npos) return;
  SendCommand(to_server::KICK, NumberText(id) + kSep + typed);
}

void Session::VoteKick(int32_t id) {
  if (!connected()) return;
  if (!room_takes_game_rules_) return System(Say("This room does not take votes to kick."), kRed);
  SendCommand(to_server::VOTEKICK, NumberText(id));
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

void Session::SetWatching(bool on) {
  if (!controls_.watch) return;
  controls_.watching = on;
  PublishControls();
  SendCommand(to_server::WATCH, on ? "1" : "0");
}

void Session::SetWatchingByCommand(bool on) {
  if (!controls_.watch) {
    return System(
        connected() ? Say("This room does not take watchers.") : Say("You are not in a room."),
        kRed);
  }
  SetWatching(on);
}

void Session::AgreementAccepted() {
  awaiting_password_answer_ = true;
  SendCommand(to_server::PASS, PasswordToSend());
}

void Session::RetryWithPassword(const std::string& password, bool remember) {
  if (room_.host.empty()) return;
  // Codes 1 to 4 would break the message the password travels in.
  given_password_ = protocol::StripControlCodes(password);
  remember_password_ = remember;
  System(Say("Connecting to server %1 on port %2 ..", {room_.host, NumberText(room_.port)}));
  ConnectTo(room_, remember_room_);
}

void Session::LeaveRoom(const std::string& reason) {
  if (connection_.State() == SocketState::kClosed) return;
  SendCommand(to_server::PART, TypedField(reason));
  connection_.Leave();
  EnterDisconnectedState();
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
    if (!room_takes_game_rules_) {
      return AddChatLine(Say("System"), Say("This room does not count warnings of the artist."),
                         kMagenta);
    }
    // The room counts the warnings; when most guessers warned, it skips the round.
    SendCommand(to_server::WARNARTIST, protocol::kNoData);
    AddChatLine(Say("System"), Say("Your warning of the artist was sent."), kMagenta);
    // One warning a round counts; the button comes back with the next artist.
    controls_.hint.enabled = false;
    PublishControls();
    return;
  }
  SendCommand(to_server::GIVEHINT, protocol::kNoData);
}

void Session::RequestWordLists() {
  SendCommand(to_server::GETWORDLISTS, protocol::kNoData);
}

void Session::CancelGameSetup() {
  SendCommand(to_server::CANCELSETUP, protocol::kNoData);
}

bool Session::StartGame(const GameSetup& setup) {
  if (setup.word_lists.empty() && setup.custom_words.empty()) return false;
  const GameSetup held = HeldWithinLimits(setup);
  SendCommand(to_server::STARTGAME, StartGameData(held));
  settings_.SaveGameSetup(held);
  return true;
}

GameSetup Session::LastGameSetup() const {
  GameSetup setup = settings_.LoadGameSetup();
  if (own_user_id_ != 0 && !panel_.room_name.empty() && panel_.room_name != "-") {
    setup.room_name = panel_.room_name;
  }
  return setup;
}

std::vector<std::string> Session::DefaultWordLists(const std::vector<std::string>& names) const {
  return directory::DefaultWordLists(names, room_language_);
}

void Session::ChooseWord(size_t index) {
  if (!word_choice_.mine || index >= word_choice_.words.size()) return;
  SendCommand(to_server::CHOOSEWORD, NumberText(static_cast<double>(index)));
  EndWordChoice();
}

void Session::BeginWordChoice(int32_t chooser_id, WordChoice choice) {
  chooser_id_ = chooser_id;
  word_choice_ = std::move(choice);
  game_on_ = true;
  EndLastGameDisplay();
  // Nothing drawn before the round starts reaches the others: the pad waits with the rest. The
  // hint button already reads as it will in the round, off until the round starts.
  controls_.drawing = false;
  controls_.hint = HintButtonState{
      word_choice_.mine ? HintAction::kGiveHint : HintAction::kWarnArtist, false, std::nullopt};
  ShowSetupButton();
  PublishControls();
  tmrChoice_->Start(1000);
  view_.ShowWordChoice(word_choice_);
  ShowWordChoiceStatus();
}

void Session::ShowWordChoiceStatus() {
  const std::string seconds = NumberText(word_choice_.seconds_left);
  SetStatus(word_choice_.mine
                ? Say("Choose a word to draw (%1 s)", {seconds})
                : Say("%1 is choosing a word (%2 s)", {word_choice_.chooser, seconds}));
}

void Session::EndWordChoice() {
  tmrChoice_->Stop();
  if (chooser_id_ == 0) return;
  chooser_id_ = 0;
  word_choice_ = WordChoice{};
  view_.ShowWordChoice(word_choice_);
  SetStatus(Say("Waiting for the next round"));
}

void Session::OnChoiceTick() {
  if (word_choice_.seconds_left > 0) --word_choice_.seconds_left;
  // The room ends the choice: at 0 the countdown only waits for it.
  if (word_choice_.seconds_left == 0) tmrChoice_->Stop();
  view_.ShowWordChoice(word_choice_);
  ShowWordChoiceStatus();
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
               System(Say("There was an error checking for an update - %1: %2.",
                          {NumberText(result.error), result.error_text}));
               return;
             }
             if (directory::NamesNewerVersion(result.body)) {
               view_.OfferDownload(Say("New version available.."),
                                   Say("There is an updated Scrawlbox client available for "
                                       "download!\nWould you like to be taken to the download "
                                       "page?"),
                                   scrawlbox::kDownloadUrl);
             } else {
               AddChatLine(Say("Update"),
                           Say("You are already running the latest version of the client."),
                           kBlack);
             }
           });
}

// --- Settings ------------------------------------------------------------------------------------

void Session::SetOptions(const ClientOptions& options) {
  options_ = options;
  settings_.SaveOptions(options_);
}

void Session::DropPendingRoom() {
  pending_room_.reset();
  pending_new_room_.reset();
  if (connection_.State() == SocketState::kClosed) SetStatus(NotConnectedStatus());
}

void Session::SetProfile(const Profile& profile) {
  profile_ = profile;
  settings_.SaveProfile(profile_);
  // The room asked for before there was a nickname.
  if (!pending_room_ || NeedsProfile()) return;
  if (const auto room = std::exchange(pending_new_room_, std::nullopt)) {
    CreateRoom(directory::AddressText(*pending_room_), room->name, room->password, room->is_public,
               room->language);
  } else {
    JoinRoom(directory::AddressText(*pending_room_));
  }
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

std::string Session::Nick(int32_t id) {
  const UserEntry* user = User(id);
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
  for (UserEntry& user : users_) {
    user.colour = kBlack;
    user.artist = user.found_word = false;
  }
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
