// SPDX-License-Identifier: MIT
#include "server/game/game.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <utility>

#include "directory/languages.h"
#include "protocol/commands.h"
#include "protocol/custom_words.h"
#include "protocol/framing.h"
#include "protocol/limits.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "protocol/round_summary.h"
#include "protocol/text.h"
#include "server/connections/room_server.h"

namespace server {

using protocol::NumberText;
namespace to_client = protocol::to_client;
namespace to_server = protocol::to_server;

namespace {

constexpr char kSep = protocol::kFieldSep;

enum class Guess { kWrong, kCorrect, kClose };

bool IsBeginningOf(std::string_view text, std::string_view word) {
  return text.size() <= word.size() &&
         protocol::EqualsIgnoreCase(text, word.substr(0, text.size()));
}

// Letter case aside, a guess is correct when it is the word or one of its alternatives, and

// close when it is the beginning of the whole word line and long enough to give nothing away:
// answering every prefix would let anyone read the word letter by letter.
Guess MatchGuess(std::string_view guess, std::string_view word) {
  if (word.empty()) return Guess::kWrong;
  for (const std::string& alternative : protocol::SplitFields(word, ',')) {
    if (protocol::EqualsIgnoreCase(guess, alternative)) return Guess::kCorrect;
  }
  const bool long_enough = guess.size() >= kMinCloseGuess && guess.size() * 2 >= word.size();
  return long_enough && IsBeginningOf(guess, word) ? Guess::kClose : Guess::kWrong;
}

bool IsWordCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return std::isalnum(byte) || byte >= 0xC0;
}

// Letter case aside, whether the text holds the word or one of its alternatives as a whole word:
// "pineapple" does not name "apple".
bool NamesWord(std::string_view text, std::string_view word) {
  const std::string lower = protocol::LowerCase(text);
  for (const std::string& alternative : protocol::SplitFields(word, ',')) {
    if (alternative.empty()) continue;
    const std::string wanted = protocol::LowerCase(alternative);
    for (size_t at = lower.find(wanted); at != std::string::npos; at = lower.find(wanted, at + 1)) {
      const size_t end = at + wanted.size();
      if ((at == 0 || !IsWordCharacter(lower[at - 1])) &&
          (end == lower.size() || !IsWordCharacter(lower[end]))) {
        return true;
      }
    }
  }
  return false;
}

int32_t ClampTime(double ms, int32_t low, int32_t high) {
  return std::clamp(protocol::RoundToInt32(ms), low, high);
}

}  // namespace

Game::Game(RoomServer& room, scrawlbox::Scheduler& scheduler, scrawlbox::Random& random,
           WordLists& word_lists)
    : room_(room), scheduler_(scheduler), random_(random), word_lists_(word_lists) {
  tmrGameTime_ = scheduler.CreateTimer([this] { room_.AsEvent([this] { OnRoundTimer(); }); });
  tmrGameScore_ = scheduler.CreateTimer([this] { OnScoreTimer(); });
}

Game::~Game() = default;

void Game::ScanWordlists() {
  const auto error = word_lists_.ScanWordlist();
  if (error) {
    room_.view().ShowMessage(
        kIconError, "ScanWordlist()",
        "There was an error scanning the available wordlists. The \r\nwordlists should reside in " +
            word_lists_.Where() +
            ". Make sure you \r\nhave correctly installed Scrawlbox. Error encountered "
            "follows:\r\n\r\n" +
            NumberText(error->number) + ": " + error->description + ".");
  }
  room_.LogGeneral(NumberText(static_cast<double>(word_lists_.names().size())) +
                       " word lists found in " + word_lists_.Where() + ".",
                   kIconInfo);
}

// --- Messages from players -------------------------------------------------------------------

void Game::HandleCommand(std::string_view command, int slot, const std::string& data) {
  if (command == to_server::GETWORDLISTS) {
    OnGetWordLists(slot);
  } else if (command == to_server::STARTGAME) {
    OnStartGame(slot, data);
  } else if (command == to_server::GIVEHINT) {
    OnGiveHint(slot);
  } else if (command == to_server::SKIPWORD) {
    OnSkipWord(slot);
  } else if (command == to_server::CANCELSETUP) {
    OnCancelSetup(slot);
  } else if (command == to_server::WARNARTIST) {
    OnWarnArtist(slot);
  } else if (command == to_server::CHOOSEWORD) {
    OnChooseWord(slot, data);
  } else if (command == to_server::WATCH) {
    OnWatch(slot, data);
  }
}

void Game::OnGetWordLists(int slot) {
  const auto& names = word_lists_.names();
  if (names.empty()) {
    room_.SendMessage(slot, to_client::NOWORDLISTS, protocol::kNoData);
    return;
  }
  constexpr size_t kNamesPerMessage = 10;
  constexpr size_t kMaxBatch = 4096;
  for (size_t first = 0; first < names.size(); first += kNamesPerMessage) {
    const size_t last = std::min(first + kNamesPerMessage, names.size());
    const std::vector<std::string> batch(names.begin() + static_cast<std::ptrdiff_t>(first),
                                         names.begin() + static_cast<std::ptrdiff_t>(last));
    room_.SendMessage(slot, to_client::WORDLIST,
                      protocol::FirstChars(protocol::JoinFields(batch), kMaxBatch));
  }
  room_.SendMessage(slot, to_client::WORDLISTEND, protocol::kNoData);
  room_.Broadcast(to_client::GAMEISBEINGSETUP, protocol::kNoData, slot);
}

void Game::OnCancelSetup(int slot) {
  // The others show who is setting up only while the room waits for a game.
  if (!state_.GameRunning) room_.Broadcast(to_client::SETUPCANCELLED, protocol::kNoData, slot);
}

void Game::OnStartGame(int slot, const std::string& data) {
  kept_scores_.clear();  // a new game: nobody's points from the last one come back

  const ConnectionRecord* starter = room_.Record(slot);
  // A running game is the game master's: only the player who started it, or the room's admin,
  // may start it over.
  if (state_.GameRunning && starter->Id != state_.MasterId && !starter->IsAdmin) return;
  state_.MasterId = starter->Id;
  const auto fields = protocol::SplitFields(data);
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("Has started the game.."));
  BeginRoundsPlayers();
  const int32_t artist = GetNextArtist();
  ClearFoundFlags();
  state_.TotalRounds =
      std::clamp(protocol::LeadingInt32(protocol::FieldOr(fields, 3)), 1, kMaxTotalRounds);
  state_.RoundTime = ClampTime(protocol::LeadingNumber(protocol::FieldOr(fields, 4)), kMinRoundTime,
                               kMaxRoundTime);
  state_.FoundTime = ClampTime(protocol::LeadingNumber(protocol::FieldOr(fields, 5)), kMinFoundTime,
                               kMaxRoundTime);
  state_.FoundCount = 0;
  std::string_view lists = protocol::FieldOr(fields, 6);
  if (!lists.empty() && lists.front() == protocol::kListSep) lists.remove_prefix(1);
  // Only lists the room has, each once: what the sender named beyond them would cost every
  // round and every player.
  state_.ChosenLists = word_lists_.KnownLists(lists);
  TakeCustomWords(protocol::FieldOr(fields, 7));
  // A set-up that names none of the room's lists, and no words of its own, plays the lists of
  // the room's language rather than none.
  if (state_.ChosenLists.empty() && state_.CustomWords.empty()) {
    state_.ChosenLists = protocol::JoinFields(
        directory::DefaultWordLists(word_lists_.names(), room_.settings().Language),
        protocol::kListSep);
  }
  state_.Round = 1;
  state_.Drawn = false;
  state_.Found = false;
  if (!PickRoundWord(artist)) return;
  state_.ArtistId = artist;
  game_announced_ = false;
  if (word_choices_.empty()) {
    StartRound();
  } else {
    OfferWordChoices();
  }
  room_.statistics().Increment(Stat::GamesStarted);
  ++room_.counters().games_started;
}

void Game::OnGiveHint(int slot) {
  // Only the artist knows the word; nobody else may spend the others' points on hints.
  if (!RoundInPlay() || !IsArtist(slot) || state_.HintCount >= kMaxHints) return;
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("Has given a hint."));
  // The pattern after the hint text is for clients that show the word's blanks; others read
  // only the first two fields.
  const std::string hint = GetHint();
  room_.Broadcast(to_client::HINT, hint + kSep + WordPattern(), -1);
  if (state_.ScorePot >= HintCost) state_.ScorePot -= HintCost;
  room_.statistics().Increment(Stat::HintsGiven);
  if (state_.HintCount == kMaxHints)
    room_.SendMessage(slot, to_client::NOMOREHINTS, protocol::kNoData);
}

void Game::OnSkipWord(int slot) {
  if (!RoundInPlay() || !IsArtist(slot)) return;
  ConnectionRecord& artist = *room_.Record(slot);
  state_.GameRunning = false;
  tmrGameTime_->Stop();
  // A skipped word pays its artist nothing: what its finders earned the artist goes back.
  const int64_t after = int64_t{artist.Points} - state_.ArtistRoundPoints - SkipPenalty;
  artist.Points = static_cast<int32_t>(std::max<int64_t>(after, INT32_MIN));
  // What the artist gained this round, as the summary tells it.
  state_.ArtistRoundPoints = -SkipPenalty;
  room_.UpdateConnectionRow(slot, "", protocol::RoomText("Has skipped the current word."));
  room_.Broadcast(to_client::WORDSKIPPED, state_.CurrentWord, -1);
  TellRoundWord();
  TellPoints(artist);
  if (!ReplaySkippedRound()) return;
  room_.statistics().Increment(Stat::WordsSkipped);
}

// More than half of the guessers warning the artist skip the round. A vote rather than one
// press, so that one player cannot take the others' round away.
void Game::OnWarnArtist(int slot) {
  if (!RoundInPlay() || IsArtist(slot)) return;
  const ConnectionRecord* player = room_.Record(slot);
  // A watcher's press takes nobody's place: a player at its address may still warn.
  if (!player || player->State != StateInRoom || player->Watching) return;
  if (warned_ids_.contains(player->Id) || warned_addresses_.contains(player->address)) return;
  warned_ids_.insert(player->Id);
  warned_addresses_.insert(player->address);
  const size_t needed = static_cast<size_t>(std::max(GuesserCount(), 1)) / 2 + 1;
  const std::string text =
      protocol::RoomText("%1 warned the artist (%2 of %3 needed).",
                         {player->Nickname, NumberText(static_cast<double>(warned_ids_.size())),
                          NumberText(static_cast<double>(needed))});
  room_.Broadcast(to_client::NOTICE, text, -1);
  room_.LogGeneral(text, kIconInfo);
  ++room_.counters().artist_warnings;
  if (warned_ids_.size() >= needed) SkipWarnedRound();
}

// As a skip, but the guessers' vote costs nobody anything and the artist earns nothing.
void Game::SkipWarnedRound() {
  state_.GameRunning = false;
  tmrGameTime_->Stop();
  ConnectionRecord* artist = room_.Record(room_.SlotOfId(state_.ArtistId));
  if (artist && artist->Id == state_.ArtistId && state_.ArtistRoundPoints > 0) {
    artist->Points -= state_.ArtistRoundPoints;
    TellPoints(*artist);
  }
  state_.ArtistRoundPoints = 0;
  const std::string text =
      protocol::RoomText("Most players warned the artist; the round is skipped.");
  room_.Broadcast(to_client::NOTICE, text, -1);
  room_.LogGeneral(text, kIconInfo);
  room_.Broadcast(to_client::ENDOFROUND, state_.CurrentWord, -1);
  TellRoundWord();
  ++room_.counters().rounds_warned_off;
  ReplaySkippedRound();
}

// The skipped round is played again under the same number, after a pause; false when that was
// the game's last round and the game is over.
bool Game::ReplaySkippedRound() {
  state_.Round -= 1;
  state_.HintCount = 0;
  if (state_.Round >= state_.TotalRounds) {
    ResetGame();
    return false;
  }
  state_.TimerMode = kTimerBetweenRounds;
  tmrGameTime_->Start(AfterSkipPause);
  state_.GameRunning = true;
  return true;
}

void Game::OnChooseWord(int slot, const std::string& data) {
  if (!Choosing() || !IsArtist(slot)) return;
  const std::string_view text = protocol::LeftOf(data, kSep);
  const double index = protocol::LeadingNumber(text);
  if (!(index >= 0) || index >= static_cast<double>(word_choices_.size())) return;
  TakeWordChoice(static_cast<size_t>(index), true);
}

void Game::TellPoints(const ConnectionRecord& player) {
  room_.Broadcast(to_client::POINTSCHG, NumberText(player.Id) + kSep + NumberText(player.Points),
                  -1);
}

bool Game::CheckGuess(int slot, const std::string& text) {
  // The artist choosing gives none of the words offered away in the chat.
  if (Choosing() && IsArtist(slot)) {
    return std::any_of(word_choices_.begin(), word_choices_.end(), [&](const std::string& word) {
      return MatchGuess(text, word) != Guess::kWrong || IsBeginningOf(text, word);
    });
  }
  // Between rounds and games the last word has been shown to everyone; typing it scores nothing.
  if (!RoundInPlay()) return false;
  ConnectionRecord& player = *room_.Record(slot);
  if (player.Watching) {
    // A watcher's line is chat, but never one that tells the guessers the word: refused, rather
    // than starred, since stars would still show where the word stands and how long it is.
    if (!NamesWord(text, state_.CurrentWord)) return false;
    room_.SendMessage(
        slot, to_client::NOTICE,
        protocol::RoomText("Your line was not sent: while you watch, it may not name the word."));
    return true;
  }
  const Guess guess = MatchGuess(text, state_.CurrentWord);
  if (IsArtist(slot)) {
    // The artist can neither score with the word nor give any of it away in the chat.
    return guess != Guess::kWrong || IsBeginningOf(text, state_.CurrentWord);
  }
  bool taken = false;
  bool found = false;
  // A guess over its address's bucket is chat: it is neither answered nor scored.
  if (!player.FoundWord) {
    const ServerSettings& settings = room_.settings();
    if (!guess_buckets_[player.address].Take(scheduler_.NowMs(), settings.GuessBurst,
                                             settings.GuessRate)) {
      return false;
    }
  }
  // Chat of a player who found the word already is no guess.
  if (!player.FoundWord) {
    room_.counters().Guessed(guess == Guess::kCorrect ? GuessResult::kCorrect
                             : guess == Guess::kClose ? GuessResult::kClose
                                                      : GuessResult::kWrong);
  }
  if (guess == Guess::kCorrect && !player.FoundWord) {
    room_.Broadcast(to_client::WORDFOUND, NumberText(slot) + kSep + NumberText(player.Id), -1);
    ++state_.FoundCount;
    int32_t gain = state_.ScorePot;
    if (PlayerCount() > 2 && state_.FoundCount == 1) gain += FirstFinderBonus;
    player.Points += gain;
    finders_.emplace_back(player.Id, gain);
    TellPoints(player);
    PayArtist(gain);
    player.FoundWord = true;
    state_.Found = true;
    taken = found = true;
  } else if (guess == Guess::kClose) {
    room_.SendMessage(slot, to_client::WORDCLOSE, text);
    room_.statistics().Increment(Stat::WordsAlmostGuessed);
    taken = true;
  }
  if (found && state_.FoundCount == 1 && state_.FoundCount < GuesserCount())
    SetGameTimer(kTimerCountdown);
  EndRoundIfAllFound();
  return taken;
}

// A share of each find, rounded down: an artist whose drawing many find scores about as well as a
// good guesser, and one whose drawing nobody finds scores nothing.
void Game::PayArtist(int32_t finder_gain) {
  ConnectionRecord* artist = room_.Record(room_.SlotOfId(state_.ArtistId));
  const int32_t share = finder_gain * room_.settings().ArtistPoints / 100;
  if (!artist || artist->Id != state_.ArtistId || share <= 0) return;
  artist->Points += share;
  state_.ArtistRoundPoints += share;
  TellPoints(*artist);
}

bool Game::MayDraw(int slot) const {
  // The pads are cleared when the round starts: nothing drawn while the artist chooses stays.
  if (Choosing()) return false;
  return !state_.GameRunning || state_.ArtistId == 0 || IsArtist(slot);
}

void Game::OnDrawingRelayed(int slot) {
  if (state_.GameRunning && IsArtist(slot)) state_.Drawn = true;
}

void Game::OnPlayerGone(const ConnectionRecord& leaver, bool was_artist) {
  // Only a finder who leaves takes a find with it.
  if (state_.FoundCount > 0 && leaver.FoundWord) --state_.FoundCount;
  late_joiners_.erase(leaver.Id);
  if (!state_.GameRunning) return;
  if (leaver.entered_room) KeepScore(leaver);
  if (PlayerCount() < 2) {
    if (RoundInPlay()) TellRoundWord();
    StopGame();
    // Watchers are left waiting for a game that no longer runs unless they are told.
    if (room_.InRoomCount() >= 2)
      room_.Broadcast(to_client::NOTICE,
                      protocol::RoomText("Too few players are left, so the game stops."), -1);
    return;
  }
  if (was_artist) {
    room_.Broadcast(to_client::NOTICE,
                    protocol::RoomText("Artist has left the room; a new one will be selected."),
                    -1);
    // A round whose word was never chosen was not played: the next artist plays it.
    if (Choosing()) {
      word_choices_.clear();
      state_.Round -= 1;
    }
    if (RoundInPlay()) TellRoundWord();
    // The abandoned round counts as played: in the last round that ends the game, rather than
    // adding a round beyond the last.
    if (RoundInPlay() && state_.Round >= state_.TotalRounds) {
      tmrGameTime_->Stop();
      ResetGame();
      return;
    }
    state_.TimerMode = kTimerBetweenRounds;
    tmrGameTime_->Start(ArtistLeftPause);
    return;
  }
  // The last player still guessing may have been the one who left.
  EndRoundIfAllFound();
}

void Game::OnSocketError() {
  if (state_.GameRunning && PlayerCount() < 2) StopGame();
}

// --- Rounds and timers ------------------------------------------------------------------------

void Game::SetGameTimer(int32_t mode) {
  state_.GameRunning = true;
  switch (mode) {
    case kTimerStopped:
      tmrGameTime_->Stop();
      state_.GameRunning = false;
      break;
    case kTimerRound:
      state_.HintCount = 0;
      state_.RevealedPrefix.clear();
      state_.ScorePot = StartPot;
      state_.ArtistRoundPoints = 0;
      ++round_serial_;
      ++room_.counters().rounds_started;
      guess_buckets_.clear();
      warned_ids_.clear();
      warned_addresses_.clear();
      finders_.clear();
      StartClock(state_.RoundTime);
      tmrGameScore_->Start(ScoreTick);
      break;
    case kTimerCountdown:
      room_.Broadcast(to_client::STARTGAMETIMER, NumberText(state_.FoundTime), -1);
      StartClock(state_.FoundTime);
      break;
    case kTimerBetweenRounds:
      tmrGameTime_->Start(BetweenRoundsPause);
      break;
    case kTimerBetweenGames:
      tmrGameTime_->Start(BetweenGamesPause);
      break;
    default:
      break;
  }
  state_.TimerMode = mode;
}

void Game::OnRoundTimer() {
  switch (state_.TimerMode) {
    case kTimerRound:
    case kTimerCountdown:
      // Time is up: everyone learns the word, also those still guessing in the last round.
      room_.Broadcast(to_client::ENDOFROUND, state_.CurrentWord, -1);
      TellRoundWord();
      if (state_.Round < state_.TotalRounds) {
        SetGameTimer(kTimerBetweenRounds);
      } else {
        ResetGame();
      }
      break;
    case kTimerBetweenRounds:
    case kTimerBetweenGames:
      NewRound();
      break;
    case kTimerChoosing:
      TakeWordChoice(0, false);
      break;
    default:
      tmrGameTime_->Stop();
      break;
  }
}

void Game::OnScoreTimer() {
  if (state_.ScorePot >= 2) state_.ScorePot -= 2;
}

void Game::NewRound() {
  BeginRoundsPlayers();
  const int32_t artist = GetNextArtist();
  ClearFoundFlags();
  state_.Round += 1;
  state_.GameRunning = true;
  if (!PickRoundWord(artist)) return;
  state_.ArtistId = artist;
  state_.RevealedPrefix.clear();
  if (word_choices_.empty()) {
    StartRound();
  } else {
    OfferWordChoices();
  }
}

void Game::StartRound() {
  room_.Broadcast(to_client::SETGAMETIMER, NumberText(state_.RoundTime), -1);
  if (!std::exchange(game_announced_, true)) {
    room_.Broadcast(to_client::TOTALROUNDS, NumberText(state_.TotalRounds), -1);
    std::string shown_lists = state_.ChosenLists;
    if (!state_.CustomWords.empty()) {
      if (!shown_lists.empty()) shown_lists += protocol::kListSep;
      const size_t own = state_.CustomWords.size();
      shown_lists += NumberText(own) + (own == 1 ? " word" : " words") + " of the game's own";
    }
    room_.Broadcast(to_client::START_GAME, shown_lists, -1);
  } else {
    room_.Broadcast(to_client::NEWROUND, NumberText(state_.Round), -1);
  }
  AnnounceArtist();
  SetGameTimer(kTimerRound);
}

// Nothing of the round goes out before its word is chosen: an older client starts its clock
// and shows the artist drawing at NEWROUND, START_GAME and NEWARTIST.
void Game::OfferWordChoices() {
  const int32_t seconds = room_.settings().WordChoiceSeconds;
  state_.GameRunning = true;
  state_.TimerMode = kTimerChoosing;
  clock_ends_ms_ = scheduler_.NowMs() + int64_t{seconds} * 1000;
  tmrGameTime_->Start(seconds * 1000);
  const int artist_slot = room_.SlotOfId(state_.ArtistId);
  std::vector<std::string> offered = {NumberText(seconds)};
  for (const std::string& word : word_choices_) offered.emplace_back(protocol::LeftOf(word, ','));
  room_.SendMessage(artist_slot, to_client::WORDCHOICES, protocol::JoinFields(offered));
  room_.ForEachConnection([this](ConnectionRecord& r) {
    if (r.State == StateInRoom) TellGameInProgress(r.SlotIndex);
  });
}

void Game::TakeWordChoice(size_t index, bool chosen) {
  tmrGameTime_->Stop();
  state_.CurrentWord = word_choices_[index];
  word_choices_.clear();
  const ConnectionRecord* artist = room_.Record(room_.SlotOfId(state_.ArtistId));
  const std::string who = artist ? artist->Nickname : std::string("The artist");
  const std::string word(protocol::LeftOf(state_.CurrentWord, ','));
  room_.LogGeneral(chosen ? who + " chose the word " + word + "."
                          : who + " did not choose in time; the word is " + word + ".",
                   kIconInfo);
  StartRound();
}

bool Game::Choosing() const {
  return state_.GameRunning && state_.TimerMode == kTimerChoosing && !word_choices_.empty();
}

int32_t Game::ChoiceSecondsLeft() const {
  const int64_t ms = std::max<int64_t>(0, clock_ends_ms_ - scheduler_.NowMs());
  return static_cast<int32_t>((ms + 999) / 1000);
}

void Game::TellGameInProgress(int slot) {
  const ConnectionRecord* player = room_.Record(slot);
  if (!Choosing() || !player || !player->TakesGameRules() || IsArtist(slot)) {
    return;
  }
  room_.SendMessage(slot, to_client::CHOOSINGWORD,
                    NumberText(state_.ArtistId) + kSep + NumberText(ChoiceSecondsLeft()));
}

void Game::AnnounceArtist() {
  // NEWARTIST clears every pad and resets the tools.
  room_.ClearPicture(true);
  room_.Broadcast(to_client::NEWARTIST, NumberText(state_.ArtistId), -1);
  const int artist_slot = room_.SlotOfId(state_.ArtistId);
  room_.SendMessage(artist_slot, to_client::NEWWORD, state_.CurrentWord);
  room_.Broadcast(to_client::WORDPATTERN, PatternOf(0), artist_slot);
}

void Game::TellRoundWord() {
  room_.Broadcast(to_client::ROUNDWORD, protocol::LeftOf(state_.CurrentWord, ','), -1);
  TellRoundSummary();
}

void Game::TellRoundSummary() {
  protocol::RoundSummary summary{std::string(protocol::LeftOf(state_.CurrentWord, ',')),
                                 state_.ArtistId,
                                 state_.ArtistRoundPoints,
                                 {}};
  for (const auto& [id, points] : finders_) summary.finders.push_back({id, points});
  const std::string data = protocol::SummaryData(summary);
  const std::string text = protocol::SummaryText(summary, [this](int32_t id) {
    const ConnectionRecord* player = room_.Record(room_.SlotOfId(id));
    return player && player->Id == id
               ? protocol::FirstChars(player->Nickname, protocol::kShownNicknameLength)
               : protocol::RoomText("a player who left");
  });
  room_.ForEachConnection([&](ConnectionRecord& r) {
    if (r.State != StateInRoom) return;
    if (r.TakesGameRules()) {
      room_.SendMessage(r.SlotIndex, to_client::ROUNDSUMMARY, data);
    } else {
      room_.SendMessage(r.SlotIndex, to_client::NOTICE, text);
    }
  });
}

void Game::OnWatch(int slot, const std::string& data) {
  ConnectionRecord* player = room_.Record(slot);
  if (!player || player->State != StateInRoom) return;
  player->WantsWatching = protocol::LeadingNumber(data) != 0;
  if (player->WantsWatching == player->Watching) return;
  // A switch waits for the round in play, or the artist's choice of its word, to end, so that
  // its artist and guessers stay who they were; a joiner who has had no part in it yet may
  // watch it at once.
  if (!(RoundInPlay() || Choosing()) ||
      (player->WantsWatching && late_joiners_.contains(player->Id))) {
    ApplyWatch(*player);
    if (RoundInPlay()) EndRoundIfAllFound();
    return;
  }
  room_.SendMessage(slot, to_client::NOTICE,
                    player->WantsWatching
                        ? protocol::RoomText("You will watch from the next round.")
                        : protocol::RoomText("You will play from the next round."));
}

void Game::ApplyWatch(ConnectionRecord& player) {
  if (player.Watching == player.WantsWatching) return;
  player.Watching = player.WantsWatching;
  const std::string data = NumberText(player.Id) + kSep + (player.Watching ? "1" : "0");
  room_.ForEachConnection([&](ConnectionRecord& r) {
    if (r.State == StateInRoom && r.TakesGameRules())
      room_.SendMessage(r.SlotIndex, to_client::WATCHING, data);
  });
  room_.LogGeneral(player.Nickname + (player.Watching ? " watches the game." : " plays again."),
                   kIconInfo);
}

void Game::BeginRoundsPlayers() {
  late_joiners_.clear();
  room_.ForEachConnection([this](ConnectionRecord& r) {
    if (r.State == StateInRoom) ApplyWatch(r);
  });
}

int32_t Game::PlayerCount() {
  int32_t count = 0;
  room_.ForEachConnection([&count](ConnectionRecord& r) {
    if (r.State == StateInRoom && !r.Watching) ++count;
  });
  return count;
}

int32_t Game::GuesserCount() {
  const ConnectionRecord* artist = room_.Record(room_.SlotOfId(state_.ArtistId));
  const bool artist_plays = artist && artist->Id == state_.ArtistId && !artist->Watching;
  return PlayerCount() - (artist_plays ? 1 : 0);
}

void Game::EndRoundIfAllFound() {
  if (RoundInPlay() && state_.FoundCount > 0 && state_.FoundCount >= GuesserCount())
    EndRoundAllFound();
}

void Game::TakeCustomWords(std::string_view field) {
  state_.CustomWords.clear();
  for (const std::string& entry : protocol::CustomWords(field)) {
    state_.CustomWords.push_back(EntryToWord(entry));
  }
  custom_left_.clear();
}

std::optional<std::string> Game::DrawWord() {
  const size_t custom = state_.CustomWords.size();
  if (custom > 0) {
    // The typed words count as one more list, and each comes once before any comes again: a
    // short list of one's own repeats soon enough.
    const size_t lists = word_lists_.KnownListCount(state_.ChosenLists);
    if (lists == 0 || Draw(lists + 1) == lists) {
      if (custom_left_.empty()) {
        for (size_t i = 0; i < custom; ++i) custom_left_.push_back(i);
      }
      const size_t pick = Draw(custom_left_.size());
      const size_t word = custom_left_[pick];
      custom_left_.erase(custom_left_.begin() + static_cast<std::ptrdiff_t>(pick));
      return state_.CustomWords[word];
    }
  }
  if (auto word = word_lists_.PickWord(state_.ChosenLists, random_)) return word;
  if (custom > 0) return state_.CustomWords[Draw(custom)];  // the lists gave nothing
  return std::nullopt;
}

std::vector<std::string> Game::DrawWords(size_t count) {
  if (state_.CustomWords.empty()) return word_lists_.PickWords(state_.ChosenLists, count, random_);
  std::vector<std::string> words;
  // Each draw may repeat a list's word, so a few more draws than words, and no more.
  for (size_t draws = 0; words.size() < count && draws < count * 4; ++draws) {
    std::optional<std::string> word = DrawWord();
    if (!word) break;
    const std::string_view first = protocol::LeftOf(*word, ',');
    if (std::none_of(words.begin(), words.end(), [first](const std::string& taken) {
          return protocol::EqualsIgnoreCase(protocol::LeftOf(taken, ','), first);
        })) {
      words.push_back(std::move(*word));
    }
  }
  return words;
}

size_t Game::Draw(size_t count) {
  const auto index = static_cast<size_t>(random_.Next() * static_cast<double>(count));
  return std::min(index, count - 1);
}

bool Game::PickRoundWord(int32_t artist) {
  word_choices_.clear();
  const ConnectionRecord* chooser = room_.Record(room_.SlotOfId(artist));
  const auto choices = static_cast<size_t>(room_.settings().WordChoices);
  // An older client would never answer: it gets the word at once, as before.
  const bool offer =
      artist != 0 && choices > 1 && chooser && chooser->Id == artist && chooser->TakesGameRules();
  std::optional<std::string> word;
  if (offer) {
    word_choices_ = DrawWords(choices);
    if (!word_choices_.empty()) word = word_choices_.front();
    // One word is no choice.
    if (word_choices_.size() < 2) word_choices_.clear();
  } else {
    word = DrawWord();
  }
  if (!word) {
    StopGame();
    room_.Broadcast(to_client::NOTICE,
                    protocol::RoomText("No words could be read from the chosen word lists."), -1);
    return false;
  }
  state_.CurrentWord = *word;
  return true;
}

int32_t Game::GetNextArtist() {
  // Players still logging in cannot draw; players on auto-skip never do.
  auto eligible = [](const ConnectionRecord& r) {
    return r.Id > 0 && r.State == StateInRoom && !r.AutoSkip && !r.Watching && !r.HasDrawn;
  };
  ConnectionRecord* chosen = room_.FindConnection(eligible);
  if (!chosen) {
    room_.ForEachConnection([](ConnectionRecord& r) {
      if (r.Id > 0) r.HasDrawn = false;
    });
    chosen = room_.FindConnection(eligible);
  }
  if (!chosen) return 0;
  chosen->HasDrawn = true;
  return chosen->Id;
}

void Game::ClearFoundFlags() {
  room_.ForEachConnection([](ConnectionRecord& r) { r.FoundWord = false; });
  state_.FoundCount = 0;
}

void Game::EndRoundAllFound() {
  room_.Broadcast(to_client::STOPGAMETIMER, protocol::kNoData, -1);
  TellRoundWord();
  tmrGameTime_->Stop();
  room_.statistics().Increment(Stat::WordsGuessed);
  room_.statistics().Increment(Stat::Rounds);
  if (state_.Round < state_.TotalRounds) {
    SetGameTimer(kTimerBetweenRounds);
  } else {
    ResetGame();
  }
}

void Game::ResetGame() {
  // Everyone with the top score shares first place, the lowest slot first (older clients read
  // only that one); a game in which nobody scored has no winner, "0".
  int32_t top = 0;
  std::vector<std::string> winners;
  room_.ForEachConnection([&](ConnectionRecord& r) {
    if (r.State != StateInRoom || r.Points <= 0 || r.Points < top) return;
    if (r.Points > top) winners.clear();
    top = r.Points;
    winners.push_back(NumberText(r.Id));
  });
  if (winners.empty()) winners.emplace_back("0");
  state_.Round = 0;
  room_.ForEachConnection([](ConnectionRecord& r) {
    r.Points = 0;
    r.FoundWord = false;
  });
  kept_scores_.clear();
  room_.Broadcast(to_client::WINNER, protocol::JoinFields(winners), -1);
  room_.Broadcast(to_client::RESETSCORES, protocol::kNoData, -1);
  room_.statistics().Increment(Stat::GamesCompleted);
  if (!state_.Drawn && !state_.Found) {
    // Nobody played: rather than run empty games for ever, the room waits for a player.
    room_.Broadcast(to_client::GAMESTOPPED, protocol::kNoData, -1);
    StopGame();
    return;
  }
  state_.Drawn = false;
  state_.Found = false;
  SetGameTimer(kTimerBetweenGames);
}

void Game::StopGame() {
  state_.GameRunning = false;
  tmrGameTime_->Stop();
  tmrGameScore_->Stop();
  state_.TimerMode = kTimerStopped;
  state_.ScorePot = StartPot;
  state_.FoundCount = 0;
  state_.Round = 1;
  state_.CurrentWord.clear();
  state_.RevealedPrefix.clear();
  kept_scores_.clear();
  word_choices_.clear();
}

void Game::StartClock(int32_t ms) {
  clock_ends_ms_ = scheduler_.NowMs() + ms;
  tmrGameTime_->Start(ms);
}

std::optional<int32_t> Game::TimeLeftMs() const {
  if (!RoundInPlay() || !tmrGameTime_->IsActive()) return std::nullopt;
  return static_cast<int32_t>(std::max<int64_t>(0, clock_ends_ms_ - scheduler_.NowMs()));
}

std::string Game::WordPattern() const {
  return RoundInPlay() ? PatternOf(state_.RevealedPrefix.size()) : std::string();
}

std::string Game::PatternOf(size_t revealed) const {
  const std::string_view word = protocol::LeftOf(state_.CurrentWord, ',');
  std::string pattern;
  for (size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    pattern += (c == ' ' || i < revealed) ? c : '_';
  }
  return pattern;
}

void Game::KeepScore(const ConnectionRecord& leaver) {
  const int64_t now = scheduler_.NowMs();
  std::erase_if(kept_scores_, [now](const KeptScore& kept) { return kept.until_ms <= now; });
  if (kept_scores_.size() >= kMaxKeptScores) kept_scores_.erase(kept_scores_.begin());
  kept_scores_.push_back(KeptScore{protocol::LowerCase(leaver.Nickname), leaver.address,
                                   leaver.Points, leaver.FoundWord, round_serial_,
                                   now + kKeptScoreMs});
}

void Game::OnPlayerEntered(ConnectionRecord& player) {
  if (RoundInPlay() || Choosing()) late_joiners_.insert(player.Id);
  if (!state_.GameRunning) return;
  const int64_t now = scheduler_.NowMs();
  const std::string nickname = protocol::LowerCase(player.Nickname);
  const auto kept = std::find_if(kept_scores_.begin(), kept_scores_.end(), [&](const KeptScore& k) {
    return k.until_ms > now && k.nickname == nickname && k.address == player.address;
  });
  if (kept == kept_scores_.end()) return;
  player.Points = kept->points;
  // A finder comes back a finder while the round in which it found the word still runs.
  if (kept->found && kept->round_serial == round_serial_ && RoundInPlay()) {
    player.FoundWord = true;
    ++state_.FoundCount;
  }
  kept_scores_.erase(kept);
  room_.Broadcast(to_client::POINTSCHG, NumberText(player.Id) + kSep + NumberText(player.Points),
                  player.SlotIndex);
}

bool Game::RoundInPlay() const {
  return state_.GameRunning &&
         (state_.TimerMode == kTimerRound || state_.TimerMode == kTimerCountdown);
}

bool Game::IsArtist(int slot) const {
  const ConnectionRecord* record = room_.Record(slot);
  return record && state_.ArtistId != 0 && record->Id == state_.ArtistId;
}

// --- Hints --------------------------------------------------------------------------------------

std::string Game::GetHint() {
  const std::string& word = state_.CurrentWord;
  auto reveal = [&](size_t letters, std::string_view text, int32_t next, size_t needed) {
    state_.RevealedPrefix = protocol::FirstChars(word, letters);
    state_.HintCount = word.size() < needed ? kMaxHints : next;
    return state_.RevealedPrefix + kSep + protocol::Fill(text, {state_.RevealedPrefix});
  };
  switch (state_.HintCount) {
    case 0: {
      state_.HintCount = 1;
      const size_t comma = word.find(',');
      if (comma != std::string::npos) {
        const std::string n = NumberText(static_cast<double>(comma));
        return "[" + n + " letters]" + kSep +
               protocol::RoomText("The artist has given a hint! The word has %1 letters.", {n});
      }
      const auto spaces = static_cast<size_t>(std::count(word.begin(), word.end(), ' '));
      return "[" + NumberText(static_cast<double>(word.size())) + " letters]" + kSep +
             protocol::RoomText("The artist has given a hint! The word has %1 letters.",
                                {NumberText(static_cast<double>(word.size() - spaces))});
    }
    case 1:
      return reveal(1, SB_TEXT("The artist has given a second hint! The word starts with: %1"), 2,
                    2);
    case 2:
      return reveal(2, SB_TEXT("The artist has given a third hint! The word starts with: %1"), 3,
                    3);
    default:
      return reveal(3, SB_TEXT("The artist has given a final hint! The word starts with: %1"),
                    kMaxHints, 0);
  }
}

}  // namespace server
