// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/scheduling.h"
#include "server/connections/game_hooks.h"
#include "server/connections/rate_limit.h"
#include "server/game/word_lists.h"

namespace server {

class RoomServer;
struct ConnectionRecord;

// What the round timer does when it fires.
enum TimerModes : int32_t {
  kTimerStopped = 0,
  kTimerRound = 1,      // a round is running
  kTimerCountdown = 2,  // the short countdown after the first find
  kTimerBetweenRounds = 3,
  kTimerBetweenGames = 4,
  kTimerChoosing = 5,  // the artist chooses the word; the round's clock has not started
};

// The room's one game.
struct GameState {
  bool GameRunning = false;
  int32_t Round = 1;
  int32_t TotalRounds = 10;
  int32_t RoundTime = 60000;
  int32_t FoundTime = 30000;
  std::string ChosenLists;
  std::vector<std::string> CustomWords;  // typed into the set-up, spellings joined by ","
  std::string CurrentWord;
  int32_t ArtistId = 0;
  int32_t MasterId = 0;  // who started the running game
  int32_t TimerMode = kTimerStopped;
  int32_t FoundCount = 0;
  int32_t HintCount = 0;
  std::string RevealedPrefix;
  int32_t ScorePot = 200;
  int32_t ArtistRoundPoints = 0;  // what the artist earned from this round's finders
  // Whether an artist drew and whether anyone found a word in the game so far: a game with
  // neither had nobody playing it, and the room does not start the next one by itself.
  bool Drawn = false;
  bool Found = false;
};

// Game constants.
inline constexpr int32_t StartPot = 200;
inline constexpr int32_t FirstFinderBonus = 20;
inline constexpr int32_t HintCost = 15;
inline constexpr int32_t SkipPenalty = 10;
inline constexpr int32_t BetweenRoundsPause = 3500;
inline constexpr int32_t BetweenGamesPause = 6000;
inline constexpr int32_t AfterSkipPause = 4000;
inline constexpr int32_t ArtistLeftPause = 4000;
inline constexpr int32_t ScoreTick = 1000;
// Hints a round can have: the letter count, then the first one, two and three letters.
inline constexpr int32_t kMaxHints = 4;

// A game's set-up is held within the set-up window's own limits: 1-100 rounds, rounds of
// 10-900 seconds and a countdown of 5-900 seconds.
inline constexpr int32_t kMaxTotalRounds = 100;
inline constexpr int32_t kMinRoundTime = 10000;
inline constexpr int32_t kMaxRoundTime = 900000;
inline constexpr int32_t kMinFoundTime = 5000;
// A guess shorter than this (or than half the word line) is never answered as close.
inline constexpr size_t kMinCloseGuess = 3;
// How long a dropped player's points wait for the player to come back, and how many players
// may wait at once.
inline constexpr int64_t kKeptScoreMs = 120000;
inline constexpr size_t kMaxKeptScores = 256;

// The game engine: set-up, rounds and artist rotation, the two game timers, guesses and points,
// hints and skipping. It plays through the connection layer's records and sends.
class Game : public GameHooks {
 public:
  Game(RoomServer& room, scrawlbox::Scheduler& scheduler, scrawlbox::Random& random,
       WordLists& word_lists);
  ~Game() override;

  // Scans the word-list folder; a problem is shown to the operator.
  void ScanWordlists();

  const GameState& state() const { return state_; }

  // GameHooks
  bool IsRunning() const override { return state_.GameRunning; }
  int32_t CurrentRound() const override { return state_.Round; }
  int32_t TotalRounds() const override { return state_.TotalRounds; }
  int32_t ArtistId() const override { return state_.ArtistId; }
  std::string RevealedLetters() const override { return state_.RevealedPrefix; }
  std::string WordPattern() const override;
  std::optional<int32_t> TimeLeftMs() const override;

  bool CheckGuess(int slot, const std::string& text) override;
  void HandleCommand(std::string_view command, int slot, const std::string& data) override;
  bool MayDraw(int slot) const override;
  void OnDrawingRelayed(int slot) override;
  void OnPlayerGone(const ConnectionRecord& leaver, bool was_artist) override;
  void OnSocketError() override;
  void OnPlayerEntered(ConnectionRecord& player) override;
  void TellGameInProgress(int slot) override;
  int64_t RoundSerial() const override { return round_serial_; }
  bool RoundRunning() const override { return RoundInPlay(); }
  bool ChoosingWord() const override { return Choosing(); }

  // The data of the next HINT message (label, then chat text); advances the hint count.
  std::string GetHint();

 private:
  void OnGetWordLists(int slot);
  void OnStartGame(int slot, const std::string& data);
  void OnGiveHint(int slot);
  void OnSkipWord(int slot);
  void PayArtist(int32_t finder_gain);
  void OnWarnArtist(int slot);
  void SkipWarnedRound();
  bool ReplaySkippedRound();
  // Tells everyone the player's points as they are now.
  void TellPoints(const ConnectionRecord& player);
  void OnCancelSetup(int slot);
  void OnChooseWord(int slot, const std::string& data);
  void OnWatch(int slot, const std::string& data);
  // Makes the player watch or play as it asked, and tells the room.
  void ApplyWatch(ConnectionRecord& player);
  // As a round begins, before its artist is chosen: every switch asked for during the last one
  // takes effect, and nobody is a late joiner of the new one.
  void BeginRoundsPlayers();
  // Players in the room who do not watch, and those of them who guess this round.
  int32_t PlayerCount();
  int32_t GuesserCount();
  // Ends the round when every guesser has found the word.
  void EndRoundIfAllFound();
  // What the round gave, to newer clients as ROUNDSUMMARY and to older ones as a NOTICE.
  void TellRoundSummary();

  void SetGameTimer(int32_t mode);
  void OnRoundTimer();
  void OnScoreTimer();
  void NewRound();
  // The user id of the next artist in slot order, or 0 when nobody may draw.
  int32_t GetNextArtist();
  void ClearFoundFlags();
  void ResetGame();
  // Ends a round that every player has found.
  void EndRoundAllFound();
  // Stops the game without telling the clients, as when too few players remain.
  void StopGame();
  // Picks the round's word, or the words its artist may choose from; when no list gives one,
  // stops the game and tells the room.
  bool PickRoundWord(int32_t artist);
  // Starts the round with its word: the game's start (in its first round) or a new round's
  // messages, then the artist and the clock.
  void StartRound();
  // Offers the words to the artist and tells the others who chooses; the round waits.
  void OfferWordChoices();
  // The artist's choice, or the first word when the time is up, starts the round.
  void TakeWordChoice(size_t index, bool chosen);
  bool Choosing() const;
  // The seconds of the choice still left, rounded up.
  int32_t ChoiceSecondsLeft() const;
  // The set-up's own words, cleaned as the set-up cleans them.
  void TakeCustomWords(std::string_view field);
  // A word from the chosen lists and the game's own words; nothing when none gives one.
  std::optional<std::string> DrawWord();
  // Different words (by their first spelling) from the same, up to count.
  std::vector<std::string> DrawWords(size_t count);
  // A random index below count (count > 0).
  size_t Draw(size_t count);
  // Sends the start of a round (NEWARTIST to all, NEWWORD to the artist, WORDPATTERN to the
  // others).
  void AnnounceArtist();
  // Tells everyone the word of the round that just ended.
  void TellRoundWord();
  // The word's first spelling as guessers see it, with this much of it revealed.
  std::string PatternOf(size_t revealed) const;
  // A round is being played: guesses, hints and skips count.
  bool RoundInPlay() const;
  bool IsArtist(int slot) const;

  // A player whose connection ended during a game, kept for a while so that the same player
  // coming back (same nickname, same address) gets the points back.
  struct KeptScore {
    std::string nickname;  // as compared: lower case
    std::string address;
    int32_t points = 0;
    bool found = false;  // found the word of round_serial
    int64_t round_serial = 0;
    int64_t until_ms = 0;
  };
  void KeepScore(const ConnectionRecord& leaver);
  // Starts the round timer in a mode where the clock runs for the players.
  void StartClock(int32_t ms);

  RoomServer& room_;
  scrawlbox::Scheduler& scheduler_;
  scrawlbox::Random& random_;

  WordLists& word_lists_;
  GameState state_;
  std::unique_ptr<scrawlbox::Timer> tmrGameTime_;
  std::unique_ptr<scrawlbox::Timer> tmrGameScore_;
  int64_t clock_ends_ms_ = 0;  // when the running round or countdown ends
  int64_t round_serial_ = 0;   // counts every round played, skips included
  std::vector<KeptScore> kept_scores_;
  std::vector<size_t> custom_left_;  // the game's own words not drawn since they were last all used
  // Guesses by address this round: many connections of one peer share one bucket, so that
  // together they cannot run through a word list faster than one guesser types.
  std::map<std::string, TokenBucket> guess_buckets_;
  // This round's warnings of the artist: one per player and one per address.
  std::set<int32_t> warned_ids_;
  std::set<std::string> warned_addresses_;
  // The words offered to the artist while it chooses.
  std::vector<std::string> word_choices_;
  // The players were told the game started (START_GAME): its first round was played or begun.
  bool game_announced_ = false;
  // This round's finders in finding order, with what each gained.
  std::vector<std::pair<int32_t, int32_t>> finders_;
  // Who entered the room while this round was in play: having no part in it yet, they may
  // watch it at once.
  std::set<int32_t> late_joiners_;
};

}  // namespace server
