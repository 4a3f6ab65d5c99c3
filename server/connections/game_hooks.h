// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace server {

struct ConnectionRecord;

// What the connection layer asks of the game and tells it. The game engine implements this;
// until a game engine is attached, NoGame stands in: no game ever runs.
class GameHooks {
 public:
  virtual ~GameHooks() = default;

  virtual bool IsRunning() const = 0;
  virtual int32_t CurrentRound() const = 0;
  virtual int32_t TotalRounds() const = 0;
  virtual int32_t ArtistId() const = 0;
  // The letters revealed by hints this round.
  virtual std::string RevealedLetters() const = 0;
  // The word as guessers see it during a round: "_" for each hidden character of its first
  // spelling, spaces as they are, revealed letters shown; empty between rounds.
  virtual std::string WordPattern() const = 0;
  // How long the round (or its countdown) still runs, while one does.
  virtual std::optional<int32_t> TimeLeftMs() const = 0;

  // A chat line of an in-room player while a game runs; true when the game took it as a guess
  // and it must not be relayed as chat.
  virtual bool CheckGuess(int slot, const std::string& text) = 0;
  // The game's own commands (word lists, set-up, hints, skipping), from an in-room sender.
  virtual void HandleCommand(std::string_view command, int slot, const std::string& data) = 0;
  // Whether the in-room player of this slot may draw now.
  virtual bool MayDraw(int slot) const = 0;
  // A drawing message of this slot was relayed.
  virtual void OnDrawingRelayed(int slot) = 0;

  // A connection has closed and the others were told; the leaver's record is as it was, and
  // was_artist tells whether its user was the artist.
  virtual void OnPlayerGone(const ConnectionRecord& leaver, bool was_artist) = 0;
  // A socket reported an error.
  virtual void OnSocketError() = 0;
  // A player entered the room, and the others were told (JOIN).
  virtual void OnPlayerEntered(ConnectionRecord& player) = 0;
  // A player was sent the running game (GAMERUNNING) after its user list; the game tells it
  // what else is under way.
  virtual void TellGameInProgress(int slot) = 0;
  // Rounds begun so far, skipped ones included, and whether one is being played now: who was
  // in the room when the round began.
  virtual int64_t RoundSerial() const = 0;
  virtual bool RoundRunning() const = 0;
  // The artist is choosing the round's word, which its clock waits for.
  virtual bool ChoosingWord() const = 0;
};

class NoGame : public GameHooks {
 public:
  bool IsRunning() const override { return false; }
  int32_t CurrentRound() const override { return 1; }
  int32_t TotalRounds() const override { return 10; }
  int32_t ArtistId() const override { return 0; }
  std::string RevealedLetters() const override { return {}; }
  std::string WordPattern() const override { return {}; }
  std::optional<int32_t> TimeLeftMs() const override { return std::nullopt; }

  bool CheckGuess(int, const std::string&) override { return false; }
  void HandleCommand(std::string_view, int, const std::string&) override {}
  bool MayDraw(int) const override { return true; }
  void OnDrawingRelayed(int) override {}
  void OnPlayerGone(const ConnectionRecord&, bool) override {}
  void OnSocketError() override {}
  void OnPlayerEntered(ConnectionRecord&) override {}
  void TellGameInProgress(int) override {}
  int64_t RoundSerial() const override { return 0; }
  bool RoundRunning() const override { return false; }
  bool ChoosingWord() const override { return false; }
};

}  // namespace server
