// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "client/room/round_log.h"
#include "protocol/drawing.h"
#include "protocol/room_text.h"

// What the client's session needs from the world outside it: the game connection and the
// windows. The Qt shell and the widgets implement these; tests use fakes.
namespace client {

// Colours are 24-bit values with red in the low byte.
using Colour = uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kRed = Rgb(255, 0, 0);
inline constexpr Colour kBlue = Rgb(0, 0, 255);
inline constexpr Colour kDarkBlue = Rgb(0, 0, 200);
inline constexpr Colour kMagenta = Rgb(255, 0, 255);
inline constexpr Colour kGreen = Rgb(0, 255, 0);
inline constexpr Colour kArtistGreen = Rgb(0, 180, 0);
inline constexpr Colour kFinderRed = Rgb(180, 0, 0);

// One line of the chat view. The bracketed form reads "<SENDER>: text" with the sender bold;
// the plain form "SENDER: text" with the sender and colon bold. Empty text is an empty line.
struct ChatLine {
  std::string sender;
  std::string text;
  Colour colour = kBlack;
  bool plain = false;
};

// One entry of the user list.
struct UserEntry {
  int32_t id = 0;
  std::string nickname;
  std::string points = "0";
  bool bold = true;  // bold while the user is not away
  Colour colour = kBlack;
  bool artist = false;      // draws this round
  bool found_word = false;  // found this round's word
  bool watching = false;    // watches the game: neither draws nor guesses
};

// The information panel.
struct Panel {
  std::string room_name = "-";
  std::string admin = "-";
  std::string rounds = "-";
  std::string word = "-";
  // What the pad shows large over its top: a guesser the word's blanks as far as they are
  // revealed, the artist the word, everyone the word once the round is over; empty: nothing.
  std::string pattern;
  std::string time = "--:--";
  Colour time_colour = kBlack;
  // One line over the pad that says what is happening.
  std::string status;
};

// What the Start button does: open the game set-up, or, for the artist, skip the word.
enum class StartAction { kSetupGame, kSkipWord };
// What the hint button does: a guesser warns the artist, or the artist gives a hint.
enum class HintAction { kWarnArtist, kGiveHint };

// The captions are only shown, in the player's language (SayIn); a press does what the action
// says.
constexpr std::string_view Caption(StartAction action) {
  return action == StartAction::kSkipWord ? SB_TEXT("Skip Word!") : SB_TEXT("Setup Game");
}
constexpr std::string_view Caption(HintAction action) {
  return action == HintAction::kGiveHint ? SB_TEXT("Give Hint") : SB_TEXT("Warn Artist");
}

template <typename Action>
struct ButtonState {
  Action action{};
  bool enabled = false;
  std::optional<Colour> colour;  // nothing: the system's button colour

  std::string_view caption() const { return Caption(action); }
};
using StartButtonState = ButtonState<StartAction>;
using HintButtonState = ButtonState<HintAction>;

// Which controls and menu items can be used, and the game buttons' faces.
struct Controls {
  bool connect = true;
  bool disconnect = false;
  bool user_information = false;
  bool administrate = false;
  bool load_image = true;
  bool paste = true;
  bool drawing = true;  // the pad, both tool bars and the palette
  bool auto_skip = false;
  StartButtonState start{StartAction::kSetupGame, false, std::nullopt};
  HintButtonState hint{HintAction::kWarnArtist, false, std::nullopt};
  bool watch = false;     // the Watch toggle can be used
  bool watching = false;  // and is on: the player asked to watch
};

// A place in the final standings of a game: players with equal points share a place.
struct Standing {
  int place = 0;
  std::string nickname;
  int32_t points = 0;
};

// Another player's profile as USERINFO brings it.
struct UserProfile {
  std::string name;
  std::string age;
  std::string gender;
  std::string location;
  std::string homepage;
  std::string quote;
};

// A choice of the round's word under way: the artist chooses among the words, which only it is
// shown, while the others wait. No chooser: no choice is under way.
struct WordChoice {
  std::string chooser;  // the artist's nickname
  bool mine = false;    // this player chooses
  std::vector<std::string> words;
  int seconds_left = 0;
};

// A room this player made on a host of many rooms, and the links that bring others into it.
struct RoomInvite {
  std::string name;
  std::string code;
  std::string web_link;      // the room's page for browsers; empty when the host has none
  std::string desktop_link;  // scrawlbox://host:port/CODE
};

enum class SocketState { kClosed, kConnecting, kConnected, kClosing };

enum class SocketErrorKind { kRefused, kHostNotFound, kOther };
struct SocketError {
  SocketErrorKind kind = SocketErrorKind::kOther;
  int number = 0;
  std::string description;
};

// The one connection to a room.
class GameConnection {
 public:
  virtual ~GameConnection() = default;
  virtual void Connect(const std::string& host, int port) = 0;
  // Closes at once; no close event follows.
  virtual void Close() = 0;
  // Writes the bytes; false when the socket would not take them.
  virtual bool Send(std::string_view bytes) = 0;
  // Writes out what was sent, then closes, so that a last message (PART, NOP) reaches the
  // room. No close event follows.
  virtual void Leave() = 0;
  virtual SocketState State() const = 0;
};

// What the player sees. The session keeps the state and hands the view whole pictures of it
// (users, panel, controls); the view only draws them.
class ClientView {
 public:
  virtual ~ClientView() = default;
  virtual void AddChatLine(const ChatLine& line) = 0;
  // The first lines of the chat view: the title (shown emphasised) and what follows it on its
  // line, then the hint line below.
  virtual void AddWelcome(const std::string& title, const std::string& rest,
                          const std::string& hint) = 0;
  virtual void ClearChat() = 0;
  virtual void ShowUsers(const std::vector<UserEntry>& users) = 0;
  virtual void ShowPanel(const Panel& panel) = 0;
  virtual void ShowControls(const Controls& controls) = 0;
  virtual void FocusChatInput() = 0;
  virtual bool IsChatFloating() const = 0;

  // The drawing pad.
  virtual void ClearPad() = 0;
  virtual void ResetTools() = 0;
  virtual void ReplayDrawing(const protocol::DrawCommand& command) = 0;
  // The game is over: its winners (several share first place; none takes the display down)
  // and the top of the final standings, every winner among them. It stays until taken down.
  virtual void ShowWinner(const std::vector<std::string>& winners,
                          const std::vector<Standing>& podium) = 0;
  // A round begins on the pad as it is now (cleared for the new artist); the gallery keeps the
  // pad's state from here to replay the round.
  virtual void RoundBegins() = 0;
  // The round is over: the pad holds its final picture.
  virtual void RoundEnded(const RoundRecord& round) = 0;
  // Over the pad: the words this player may choose from, or who is choosing, with the seconds
  // left; shown until a choice without a chooser takes it away.
  virtual void ShowWordChoice(const WordChoice& choice) = 0;

  // Windows and boxes.
  virtual void ShowAgreement(const std::string& text) = 0;
  // The room wants a password: asks for one (the room's address shown), which comes back
  // through Session::RetryWithPassword. wrong is true when the last one given was refused.
  virtual void AskRoomPassword(const std::string& room, bool wrong) = 0;
  virtual void ShowUserInfo(const UserProfile& profile) = 0;
  virtual void ShowReservedNicknameBox(bool in_profile_window) = 0;
  // The profile window asks for a nickname and says why: the room's refusal of the last one,
  // or, when that is empty, that the player has none yet.
  virtual void AskForNickname(const std::string& refusal) = 0;
  // Opens the game set-up window, or brings it to the front when it is open.
  virtual void OpenGameSetup() = 0;
  virtual void WordListsReceived(const std::vector<std::string>& names) = 0;
  virtual void WordListsComplete() = 0;
  virtual void NoWordLists() = 0;
  virtual void PlaySoundFile(const std::string& file_name) = 0;
  // A newer version exists: asks whether to open the download page (minimising the window).
  virtual void OfferDownload(const std::string& title, const std::string& text,
                             const std::string& url) = 0;
  // Closes the main window, which ends the program.
  virtual void CloseProgram() = 0;
  // What the round that ended gave, shown over the pad until the view takes it down after a few
  // seconds or the session does (with empty text) as the next round starts.
  virtual void ShowRoundSummary(const std::string& text) = 0;
  // The room the player asked for is made: offers its links to pass on. The chat has them too,
  // which is all a view without a window for them (the page makes its rooms itself) shows.
  virtual void ShowRoomInvite(const RoomInvite&) {}
};

}  // namespace client
