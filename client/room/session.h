// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "client/room/client_ports.h"
#include "client/room/game_setup.h"
#include "client/settings/client_settings.h"
#include "common/scheduling.h"
#include "directory/languages.h"
#include "directory/room_address.h"
#include "directory/server_browser.h"
#include "directory/tracker.h"
#include "protocol/draw_sink.h"
#include "protocol/framing.h"
#include "protocol/game_texts.h"
#include "protocol/limits.h"
#include "protocol/receive_buffer.h"

namespace client {

// The longest chat line sent; rooms cut what they relay to this length as well.
inline constexpr size_t kChatLineLength = protocol::kChatLength;

// The longest kick reason sent.
inline constexpr size_t kKickReasonLength = 64;

// The longest password a room is made with: with the name and the flag it keeps MAKEROOM well
// within what a host reads of a connection before it gives up on it.
inline constexpr size_t kNewRoomPasswordLength = 128;

// Text the player typed, as one field of a message: without control characters (bytes 1 to 4
// would end the message or split its fields), then at most max_length characters.
std::string TypedField(std::string_view text, size_t max_length = std::string_view::npos);

// The client's side of one room: the login, every message from the server, the chat input and
// its commands, the user list, the information panel and the game display. It owns the state
// the windows show and tells the view whenever that state changes.
class Session : public protocol::DrawSink {
 public:
  struct Ports {
    GameConnection& connection;
    ClientView& view;
    scrawlbox::Scheduler& scheduler;
    ClientSettings& settings;
  };

  explicit Session(Ports ports);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Shows the welcome lines and the disconnected state: what the main window does as it loads.
  void Start();

  // --- Connection events ------------------------------------------------------------------
  void OnConnected();
  void OnData(std::string_view bytes);
  // The server closed the connection.
  void OnClosed();
  void OnError(const SocketError& error);

  // --- What the player does -------------------------------------------------------------------
  // "/connect" and "--connect": the room the text names ("host", "host:port", "[IPv6]:port"),
  // remembered in Recent once it lets the player in. A player without a nickname is asked for
  // one first, and the connection follows when the profile is saved.
  void JoinRoom(const std::string& address_text);
  // A room chosen in the server browser, which keeps Recent itself.
  void ConnectFromBrowser(const directory::RoomAddress& room);
  // "/create" and File > Create Room: asks the server the text names (as for JoinRoom; a room's
  // code in it is ignored) to make a room, and enters it as its first player. The nickname is
  // checked as for JoinRoom; the made room goes into Recent under its code. The language is a
  // code the host knows, or "" for the host's default.
  void CreateRoom(const std::string& server_text, const std::string& name,
                  const std::string& password, bool is_public, const std::string& language = {});
  // The server a new room is made on unless the player names another: the one the player is
  // on, or was on last, else the room last added to Recent; "" when there is none.
  std::string ServerForNewRoom() const;
  // The player closed the nickname window without saving: the room asked for is not joined.
  void DropPendingRoom();
  // The Enter key in a chat input, with the line typed (never empty).
  void EnterChatLine(const std::string& text);
  // A line typed after "/".
  void ExecuteUserCommand(const std::string& line);
  void MenuDisconnect();
  void RequestUserInformation(int32_t id);
  void KickUser(int32_t id, const std::string& reason);
  // The player's vote to have that user kicked; the room tells everyone, or the player why not.
  void VoteKick(int32_t id);
  void SetAutoSkip(bool checked);
  // The Watch toggle: watch the game rather than play it, from the next round while one is in
  // play.
  void SetWatching(bool on);
  // /watch and /play: as the toggle, or a line saying why there is nothing to watch.
  void SetWatchingByCommand(bool on);
  // "Watch until the next round": joining during a round, the player watches it and plays from
  // the next.
  void SetWatchUntilNextRound(bool on) { watch_until_next_round_ = on; }
  void AgreementAccepted();
  void AgreementRefused();
  // The password the player gave for the room that asked for one: the login starts again
  // with it, and once the room takes it, it is kept for that room when remember is set.
  void RetryWithPassword(const std::string& password, bool remember);
  // Leaves the room the way a player does (PART with the reason), letting the message reach
  // the room before the connection closes.
  void LeaveRoom(const std::string& reason);
  // The game buttons, pressed: what a press does follows the action the button shows.
  void StartButtonPressed();
  void HintButtonPressed();
  // Sends the game with its numbers held within their limits; false, and nothing sent, when no
  // word list is chosen.
  bool StartGame(const GameSetup& setup);
  // The set-up window closed without a game started: the others stop waiting for one.
  void CancelGameSetup();
  // What the set-up window shows first: the last set-up sent from this client, named after the
  // room the player is in.
  GameSetup LastGameSetup() const;
  void RequestWordLists();
  // The player picked the word of this index among those offered; any other index does nothing.
  void ChooseWord(size_t index);
  void PlaySound(Sound sound);
  // Asks the update host whether a newer client exists and tells the player.
  void CheckForUpdate(directory::HttpGetter& http);
  // A "System" line in the chat, for what the windows report (pictures loaded and saved).
  void ShowSystemLine(const std::string& text) { System(text); }
  // The language the session words its texts in, and shows the room's in where it knows them:
  // a two-letter code; one the game has no translations for reads English, as before any is set.
  void SetLanguage(std::string language) { language_ = std::move(language); }
  const std::string& language() const { return language_; }
  // A text of the game in the session's language (see protocol/game_texts.h); lupdate reads these
  // two as it reads QT_TR_NOOP and QT_TR_N_NOOP, so every template written through them is
  // translated.
  std::string Say(std::string_view source,
                  std::initializer_list<std::string_view> args = {}) const {
    return protocol::SayIn(language_, source, args);
  }
  std::string SayCounted(std::string_view source, int64_t count,
                         std::initializer_list<std::string_view> args = {}) const {
    return protocol::SayCountedIn(language_, source, count, args);
  }
  // What a room or the directory worded, in the session's language where it is a known text.
  std::string Translated(std::string_view text) const {
    return protocol::TranslatedIn(language_, text);
  }
  // What the status line says while no room is joined: the desktop points at its menu, the
  // page at its nickname box.
  void SetNotConnectedStatus(std::string text) { not_connected_status_ = std::move(text); }
  // The line says so again, in the session's language, while no room is joined or asked for: a
  // page whose player chose another language shows it at once.
  void RefreshNotConnectedStatus() {
    if (connection_.State() == SocketState::kClosed && !pending_room_)
      SetStatus(NotConnectedStatus());
  }

  // Sends a command at once when the socket is not closed.
  void SendCommand(std::string_view command, std::string_view data);
  // Drawing is sent only to a room with someone else in it.
  void SendDrawCommand(std::string_view command, std::string_view data) override;
  bool CanSendDrawing() const;

  // --- Settings ---------------------------------------------------------------------------------
  const ClientOptions& options() const { return options_; }
  void SetOptions(const ClientOptions& options);
  const Profile& profile() const { return profile_; }
  // Stores the profile and writes it to Client.ini.
  void SetProfile(const Profile& profile);
  // Writes the profile as it is now (the nickname may have changed with /nick).
  void SaveProfile();
  bool NicknameUsable() const;
  // The nickname is blank or still the default: the player should set up a profile first.
  bool NeedsProfile() const;

  // --- State, for the windows -------------------------------------------------------------------
  int32_t OwnUserId() const { return own_user_id_; }
  // The language code of the room the player is in, or was in last, as its PASSOK named it; ""
  // from a room that names none (an older one) and before any room.
  const std::string& RoomLanguage() const { return room_language_; }
  // The lists of those a room offers that a set-up starts with when it remembers none of them:
  // the room's language's (see directory::DefaultWordLists).
  std::vector<std::string> DefaultWordLists(const std::vector<std::string>& names) const;
  const std::vector<UserEntry>& users() const { return users_; }
  bool connected() const;
  // A game runs in the room: leaving needs the player's word.
  bool GameInProgress() const { return game_on_; }
  // The reason the room is told when the program closes.
  const std::string& quit_reason() const { return quit_reason_; }

  // The client's version as the handshake sends it.
  static std::string VersionText();

 private:
  // What the client sends for a password when the player gave none; rooms without a password
  // take anything.
  static constexpr std::string_view kNoPassword = "<none>";
  // Reasons the room passes on to the others, who read them in their language.
  static constexpr std::string_view kQuitting = SB_TEXT("Quitting");
  static constexpr std::string_view kQuit = SB_TEXT("Quit");
  // How the player is told that the room asked for was not made; hosts begin their refusals so.
  static constexpr std::string_view kNoRoomMade = "No room was made";
  // Time enough for the room to say, after the winner, that it waits for a player to start one.
  static constexpr int kNextGameLineMs = 1500;

  // --- Messages from the server (server_messages.cpp) ---------------------------------------
  struct Received;
  using Handler = void (Session::*)(const Received& message);
  // From command word to handler; a command not listed is ignored.
  static const std::map<std::string_view, Handler>& Routes();
  void HandleServerMessage(const std::string& message);
  // Login.
  void OnServerHello(const Received& m);
  void OnBanned(const Received& m);
  void OnOldVersion(const Received& m);
  void OnUserOk(const Received& m);
  void OnPassOk(const Received& m);
  // Users.
  void OnUserList(const Received& m);
  void OnUserListEnd(const Received& m);
  void OnJoin(const Received& m);
  void OnPart(const Received& m);
  void OnSay(const Received& m);
  void OnUserAction(const Received& m);
  void OnUserInfo(const Received& m);
  void OnAway(const Received& m);
  void OnAdmin(const Received& m);
  void OnKickInfo(const Received& m);
  void OnResetScores(const Received& m);
  void OnPointsChange(const Received& m);
  void OnNickChange(const Received& m);
  // Notices and the connection.
  void OnNotice(const Received& m);
  void OnPing(const Received& m);
  void OnServerMessage(const Received& m);
  void OnKickedByOperator(const Received& m);
  void OnServerQuit(const Received& m);
  // Setting up a game.
  void OnNoWordLists(const Received& m);
  void OnWordList(const Received& m);
  void OnWordListEnd(const Received& m);
  void OnGameBeingSetUp(const Received& m);
  // The game.
  void OnTotalRounds(const Received& m);
  void OnSetGameTimer(const Received& m);
  void OnStartGameTimer(const Received& m);
  void OnStopGameTimer(const Received& m);
  void OnGameStarting(const Received& m);
  void OnNewRound(const Received& m);
  void OnGameRunning(const Received& m);
  void OnNewArtist(const Received& m);
  void OnNewWord(const Received& m);
  void OnWordClose(const Received& m);
  void OnWordFound(const Received& m);
  void OnHint(const Received& m);
  void OnNoMoreHints(const Received& m);
  void OnWordSkipped(const Received& m);
  void OnEndOfRound(const Received& m);
  void OnWinner(const Received& m);
  void OnBadPassword(const Received& m);
  void OnNickRefused(const Received& m);
  void OnWordPattern(const Received& m);
  void OnRoundWord(const Received& m);
  void OnGameStopped(const Received& m);
  void OnSetupCancelled(const Received& m);
  void OnWordChoices(const Received& m);
  void OnChoosingWord(const Received& m);
  void OnWatching(const Received& m);
  void OnRoundSummary(const Received& m);
  void OnRoomMade(const Received& m);
  void SitOutIfAsked();

  // The password to send for the room being joined.
  std::string PasswordToSend() const;
  // "host:port" (and "/CODE" for a room of a host of many rooms), the room as the player named
  // it: how a kept password is found again.
  std::string RoomKey() const;
  // What the Word box shows a guesser: the pattern with a space between characters, and word
  // gaps kept wider; or, from a room that sends no pattern, the letters and the rest as blanks.
  std::string GuessersWord(const std::string& revealed, const std::string& pattern) const;
  // A guesser's view of the word (see GuessersWord), in the Word box and over the pad.
  void ShowGuessersWord(const std::string& revealed, const std::string& pattern);
  // The final standings from the points shown, best first, with the room's winners in front.
  std::vector<Standing> FinalStandings(const std::vector<int32_t>& winners) const;
  // The room refused the login's nickname: the player picks another and the login follows.
  void RefuseNickname(const std::string& reason);
  // The last game's points and podium give way to the next game.
  // Everyone's points back to 0, as RESETSCORES says.
  void ZeroPoints();
  void EndLastGameDisplay();

  void AddChatLine(const std::string& sender, const std::string& text, Colour colour,
                   bool plain = false);
  void System(const std::string& text, Colour colour = kBlack) {
    AddChatLine(Say("System"), text, colour);
  }

  void ConnectTo(const directory::RoomAddress& room, bool remember);
  // What MAKEROOM asks for.
  struct NewRoom {
    std::string name;
    std::string password;
    bool is_public = false;
    std::string language;
  };
  // Whether the player may go to the room now. One who needs a nickname first is asked for it,
  // and the room (and the room to make there) waits for it; a reserved nickname is refused.
  bool NicknameReadyFor(const directory::RoomAddress& room, std::optional<NewRoom> new_room);
  void EnterDisconnectedState();
  // The round being drawn, kept for the gallery from its artist's choice to its end.
  void BeginRound();
  void EndRound();
  void LogDrawing(const protocol::DrawCommand& command, bool own);
  // The line over the pad.
  void SetStatus(std::string status);
  // What the line says while nobody draws, and while somebody does.
  void ShowWaitingStatus();
  void ShowDrawingStatus();
  // After a round: its word, when this client learnt it.
  void ShowRoundOverStatus();
  void EnterPracticeMode();
  std::string NotConnectedStatus() const {
    return not_connected_status_.empty()
               ? Say("Not connected: practise here, or join a room with File > Connect..")
               : not_connected_status_;
  }
  bool IsAdmin() const { return own_user_id_ != 0 && own_user_id_ == admin_user_id_; }
  void SetAdmin(int32_t id, const std::string& nickname);
  // The Start button of everyone but the artist in play: the admin sets up (or restarts) games.
  void ShowSetupButton();
  void CloseAndDisconnect();
  // Marks the artist in the list and clears the pad for the new drawing.
  void ShowArtist(int32_t id);
  void SetArtist(int32_t id);

  // The choice of the word: shown with its countdown, and taken away.
  void BeginWordChoice(int32_t chooser_id, WordChoice choice);
  void ShowWordChoiceStatus();
  void EndWordChoice();
  void OnChoiceTick();

  // The game clock.
  void SetGameClock(int32_t ms);
  void RunGameClock(int32_t ms);
  void StopGameClock();
  void ShowClock();
  void OnClockTick();

  // The user list.
  UserEntry* User(int32_t id);
  std::string Nick(int32_t id);
  void AddUser(UserEntry entry);
  void ResetUserColours();
  void PublishUsers();
  void PublishPanel();
  void PublishControls();

  // The chat commands, with the help line of each (user_commands.cpp).
  struct UserCommand;
  static const std::vector<UserCommand>& UserCommands();

  GameConnection& connection_;
  ClientView& view_;
  scrawlbox::Scheduler& scheduler_;
  ClientSettings& settings_;
  std::unique_ptr<scrawlbox::Timer> tmrGameTimer_;
  // Says that another game follows, once the room has had time to say it waits instead.
  std::unique_ptr<scrawlbox::Timer> tmrNextGameLine_;
  std::unique_ptr<scrawlbox::Timer> tmrChoice_;

  ClientOptions options_;
  Profile profile_;
  protocol::ReceiveBuffer receive_buffer_;
  directory::RoomAddress room_;
  // The room goes into Recent when it lets the player in (the browser adds its own rooms).
  bool remember_room_ = false;
  // Asked for before the player had a nickname; joined once the profile is saved, or, with a
  // new room pending too, asked to make that room.
  std::optional<directory::RoomAddress> pending_room_;
  std::optional<NewRoom> pending_new_room_;
  // The room asked for on this connection, from the call until the server's first answer.
  std::optional<NewRoom> new_room_;
  bool auto_skip_ = false;

  int32_t own_user_id_ = 0;
  int32_t admin_user_id_ = 0;
  int32_t artist_user_id_ = 0;
  std::string artist_nickname_;
  std::string motd_;
  std::string room_language_;
  std::string agreement_text_;
  int32_t total_rounds_ = 0;
  int32_t current_round_ = 0;
  int32_t seconds_left_ = 0;
  std::string last_said_text_;
  int32_t repeat_count_ = 0;
  bool send_generic_quit_ = false;
  // The first ULIST after PASSOK replaces the list; the later ones of that login add to it.
  bool first_user_list_ = false;
  // A game runs in the room: from its start (or GAMERUNNING) to its winner.
  bool game_on_ = false;
  // The word of the round as the room gave it: the artist's NEWWORD, or the word the room names
  // at the round's end.
  std::string round_word_;
  // The guess with which this player found the word: the gallery's word when the room names
  // none, never what the others are shown.
  std::string guessed_word_;
  // Everyone found the word and the room has not named it yet: the round stays open for the
  // rest of the data at hand.
  bool round_over_ = false;
  // The last game's winner display and points stay up until the next game begins.
  bool last_game_shown_ = false;
  bool scores_reset_pending_ = false;
  // From the connection to PASSOK: a NOTICE may be the refusal of the nickname.
  bool logging_in_ = false;
  // The room's ban notice came: the KICKOP after it says nothing more.
  bool banned_ = false;
  std::optional<RoundRecord> round_;
  int64_t round_started_ms_ = 0;
  // The password given for the next login, and whether to keep it once the room takes it.
  std::optional<std::string> given_password_;
  bool remember_password_ = false;
  // PASS went out and neither PASSOK nor a refusal came yet: the only time BADPASS counts.
  bool awaiting_password_answer_ = false;
  std::string quit_reason_ = std::string(kQuit);
  // The word's length as the first hint told it, for rooms that send no pattern.
  size_t hinted_length_ = 0;

  std::vector<UserEntry> users_;
  Panel panel_;
  std::string language_ = directory::kDefaultLanguage;
  // Empty: the desktop's line, in the session's language.
  std::string not_connected_status_;
  Controls controls_;
  // The choice of the word under way, and whose it is (0: none).
  WordChoice word_choice_;
  int32_t chooser_id_ = 0;
  bool watch_until_next_round_ = false;
  // The room's hello named 1.1 or later: it takes watching, warnings and votes to kick.
  bool room_takes_game_rules_ = false;
  // From PASSOK to the first GAMERUNNING: whether the player came in during a round.
  bool entering_room_ = false;
  // The message before was this joiner's GAMERUNNING without a round in play; this one is the
  // CHOOSINGWORD that follows it when the player came in during the choice of a word.
  bool just_joined_game_ = false;
  bool joined_during_choice_ = false;
};

// The text before the first ",", or the whole word line.
std::string FirstAlternative(std::string_view word_line);
// The characters with a space between each two, so that blanks can be counted and the gap
// between words stays wide: "a _b" becomes "a   _ b".
std::string Spaced(std::string_view text);

}  // namespace client
