// SPDX-License-Identifier: MIT
// The page's core: the desktop client's session, pad tools and raster engine, compiled to
// WebAssembly, with every port of the session turned into calls on the page's view object.
// web/src/core.ts is the contract on the other side.
#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/eventloop.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "client/pad/pad_tools.h"
#include "client/room/client_ports.h"
#include "client/room/game_setup.h"
#include "client/room/session.h"
#include "client/settings/client_settings.h"
#include "common/scheduling.h"
#include "directory/languages.h"
#include "drawing/raster.h"
#include "inifile/ini_document.h"
#include "inifile/ini_store.h"
#include "protocol/custom_words.h"
#include "protocol/text.h"

namespace page {

namespace {

using emscripten::val;

// JavaScript strings cross as UTF-8; the session's text is Windows-1252. Every string passes
// through one of these, and what the code page cannot hold arrives as "?", never left out.
std::string Wire(const std::string& utf8, std::string* lost = nullptr) {
  return protocol::Cp1252FromUtf8(utf8, lost);
}
std::string Utf8(std::string_view wire) {
  return protocol::Utf8FromCp1252(wire);
}
val Js(std::string_view wire) {
  return val(Utf8(wire));
}

// The session keeps red in the low byte; the page writes colours as CSS does.
uint32_t Css(client::Colour colour) {
  return (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}

val Object(std::initializer_list<std::pair<const char*, val>> fields) {
  val object = val::object();
  for (const auto& [name, value] : fields) object.set(name, value);
  return object;
}

template <typename T, typename Convert>
val Array(const std::vector<T>& items, Convert convert) {
  val array = val::array();
  for (const T& item : items) array.call<void>("push", convert(item));
  return array;
}

// The strings of an array from the page, in the room's text; anything else in it is left out.
std::vector<std::string> Strings(const val& array) {
  std::vector<std::string> strings;
  const size_t count = array.isArray() ? array["length"].as<size_t>() : 0;
  for (size_t i = 0; i < count; ++i) {
    if (array[i].isString()) strings.push_back(Wire(array[i].as<std::string>()));
  }
  return strings;
}

// A number from the page held within int32_t; what is no number reads as 0.
int32_t Whole(const val& number) {
  const double value = number.isNumber() ? number.as<double>() : 0;
  if (!(value == value)) return 0;
  return static_cast<int32_t>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

// The browser's timers. Each event they start ends with the scheduler's after_event, so that
// the page hears of what a tick changed once it is over.
class PageScheduler : public scrawlbox::Scheduler {
 public:
  explicit PageScheduler(std::function<void()> after_event)
      : after_event_(std::move(after_event)) {}
  ~PageScheduler() override {
    for (const auto& [shot, pending] : shots_) emscripten_clear_timeout(pending->id);
  }
  PageScheduler(const PageScheduler&) = delete;
  PageScheduler& operator=(const PageScheduler&) = delete;

  int64_t NowMs() const override { return static_cast<int64_t>(emscripten_get_now()); }
  std::unique_ptr<scrawlbox::Timer> CreateTimer(std::function<void()> on_tick) override {
    return std::make_unique<Timer>(*this, std::move(on_tick));
  }
  void SingleShot(int delay_ms, std::function<void()> action) override {
    auto shot = std::make_unique<Shot>(Shot{this, std::move(action), 0});
    Shot* key = shot.get();
    shot->id = emscripten_set_timeout(&Shot::Fire, std::max(delay_ms, 0), key);
    shots_.emplace(key, std::move(shot));
  }

 private:
  struct Shot {
    PageScheduler* owner;
    std::function<void()> action;
    int id;

    static void Fire(void* data) {
      auto* shot = static_cast<Shot*>(data);
      PageScheduler& owner = *shot->owner;
      const std::function<void()> action = std::move(shot->action);
      owner.shots_.erase(shot);
      action();
      owner.after_event_();
    }
  };

  // Repeats by setting the next timeout as each one fires, before the tick runs, so that a
  // tick that stops or destroys its timer clears the one that counts.
  class Timer : public scrawlbox::Timer {
   public:
    Timer(PageScheduler& owner, std::function<void()> on_tick)
        : owner_(owner), on_tick_(std::move(on_tick)) {}
    ~Timer() override { Stop(); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void Start(int interval_ms) override {
      Stop();
      interval_ms_ = std::max(interval_ms, 0);
      id_ = emscripten_set_timeout(&Tick, interval_ms_, this);
      active_ = true;
    }
    void Stop() override {
      if (active_) emscripten_clear_timeout(id_);
      active_ = false;
    }
    bool IsActive() const override { return active_; }

   private:
    static void Tick(void* data) {
      auto* timer = static_cast<Timer*>(data);
      PageScheduler& owner = timer->owner_;
      timer->id_ = emscripten_set_timeout(&Tick, timer->interval_ms_, timer);
      const std::function<void()> tick = timer->on_tick_;
      tick();
      owner.after_event_();
    }

    PageScheduler& owner_;
    std::function<void()> on_tick_;
    int interval_ms_ = 0;
    int id_ = 0;
    bool active_ = false;
  };

  std::function<void()> after_event_;
  std::map<Shot*, std::unique_ptr<Shot>> shots_;
};

// What the desktop keeps in Client.ini, kept by the browser. Every access reads it afresh, as
// the desktop reads its file: another tab of the same room may have changed it.
class PageStore : public inifile::IniStore {
 public:
  explicit PageStore(const val& view) : view_(view) {}

  inifile::IniDocument Snapshot() const override {
    return inifile::IniDocument(Wire(view_.call<std::string>("loadSettings")));
  }
  bool Edit(const std::function<bool(inifile::IniDocument&)>& edit) override {
    inifile::IniDocument document = Snapshot();
    if (edit(document)) view_.call<void>("saveSettings", Js(document.Text()));
    return true;
  }

 private:
  const val& view_;
};

// The page's WebSocket to its own room, so the host and port the session names are not used.
class PageConnection : public client::GameConnection {
 public:
  explicit PageConnection(const val& view) : view_(view) {}

  void Connect(const std::string&, int) override {
    state_ = client::SocketState::kConnecting;
    view_.call<void>("connect");
  }
  void Close() override {
    state_ = client::SocketState::kClosed;
    view_.call<void>("close");
  }
  bool Send(std::string_view bytes) override {
    if (state_ == client::SocketState::kClosed) return false;
    // A copy: a view of the core's memory would go stale when the memory grows.
    const val copy = val::global("Uint8Array")
                         .new_(emscripten::typed_memory_view(
                             bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data())));
    return view_.call<bool>("send", copy);
  }
  void Leave() override {
    state_ = client::SocketState::kClosed;
    view_.call<void>("leave");
  }
  client::SocketState State() const override { return state_; }

  void Opened() { state_ = client::SocketState::kConnected; }
  // The socket closed by itself; false when the session had already let it go.
  bool Closed() {
    const bool open = state_ != client::SocketState::kClosed;
    state_ = client::SocketState::kClosed;
    return open;
  }

 private:
  const val& view_;
  client::SocketState state_ = client::SocketState::kClosed;
};

}  // namespace

// The session with its ports. Every call from the page runs to its end, then the page hears
// once that the pad changed, however many drawing codes the call replayed.
class PageCore : public client::ClientView {
 public:
  explicit PageCore(val view)
      : view_(std::move(view)),
        scheduler_([this] { Flush(); }),
        store_(view_),
        settings_(store_),
        connection_(view_),
        session_({connection_, *this, scheduler_, settings_}),
        pad_(&session_, scheduler_),
        rgba_(static_cast<size_t>(drawing::Raster::kWidth) * drawing::Raster::kHeight * 4) {
    pad_.AddOnChanged([this] { pad_changed_ = true; });
    WordStatus();
  }

  std::string Translated(const std::string& text) const {
    return Utf8(session_.Translated(Wire(text)));
  }

  // The player's language, from the page's choice: the session's own lines and the room's known
  // texts from now on, and the buttons at once. What the chat shows already stays as it was.
  void SetLanguage(const std::string& language) {
    session_.SetLanguage(language);
    WordStatus();
    session_.RefreshNotConnectedStatus();
    ShowControls(controls_);
  }

  // --- What the page calls ----------------------------------------------------------------------
  // The calls that only hand the session the player's action.
  template <void (client::Session::*Action)()>
  void Run() {
    (session_.*Action)();
    Flush();
  }
  void OnOpen() {
    if (connection_.State() != client::SocketState::kConnecting) return;
    connection_.Opened();
    session_.OnConnected();
    Flush();
  }
  void OnData(const val& bytes) {
    if (connection_.State() != client::SocketState::kConnected) return;
    const size_t size = bytes["length"].as<size_t>();
    std::string data(size, '\0');
    val(emscripten::typed_memory_view(size, reinterpret_cast<unsigned char*>(data.data())))
        .call<void>("set", bytes);
    session_.OnData(data);
    Flush();
  }
  void OnClose() {
    if (connection_.Closed()) session_.OnClosed();
    Flush();
  }
  void OnError(const std::string& description) {
    if (connection_.State() == client::SocketState::kClosed) return;
    session_.OnError(client::SocketError{client::SocketErrorKind::kOther, 0, Wire(description)});
    Flush();
  }

  std::string Nickname() const {
    return session_.NeedsProfile() ? "" : Utf8(session_.profile().Nickname);
  }
  // What of a text the player typed would reach the room as "?", so that the page can say so
  // before it is sent.
  std::string Unsendable(const std::string& text) const {
    std::string lost;
    Wire(text, &lost);
    return lost;
  }
  void Join(const std::string& nickname) {
    client::Profile profile = session_.profile();
    profile.Nickname = Wire(nickname);
    // The room is joined below, once; not a second time as one the profile was waited for.
    session_.DropPendingRoom();
    session_.SetProfile(profile);
    session_.JoinRoom(RoomOfPage());
    Flush();
  }
  // The page's own host, and on a host of many rooms the room of its link (/r/CODE), which the
  // session names before its greeting and keeps a password under.
  static std::string RoomOfPage() {
    const val location = val::global("location");
    std::string room = Wire(location["host"].as<std::string>());
    const val pathname = location["pathname"];
    const std::string path = pathname.isString() ? Wire(pathname.as<std::string>()) : "";
    if (path.starts_with("/r/") && path.size() > 3) room += path.substr(2);
    return room;
  }
  void RetryWithPassword(const std::string& password, bool remember) {
    session_.RetryWithPassword(Wire(password), remember);
    Flush();
  }
  void Leave(const std::string& reason) {
    session_.LeaveRoom(Wire(reason));
    Flush();
  }
  void EnterChat(const std::string& text) {
    session_.EnterChatLine(Wire(text));
    Flush();
  }
  void SetAutoSkip(bool on) {
    session_.SetAutoSkip(on);
    Flush();
  }
  void RequestUserInformation(int32_t id) {
    session_.RequestUserInformation(id);
    Flush();
  }
  void KickUser(int32_t id, const std::string& reason) {
    session_.KickUser(id, Wire(reason));
    Flush();
  }
  void VoteKick(int32_t id) {
    session_.VoteKick(id);
    Flush();
  }
  val LastGameSetup() const {
    const client::GameSetup setup = session_.LastGameSetup();
    return Object({{"roomName", Js(setup.room_name)},
                   {"description", Js(setup.description)},
                   {"playerLimit", val(setup.player_limit)},
                   {"totalRounds", val(setup.total_rounds)},
                   {"secondsPerRound", val(setup.seconds_per_round)},
                   {"graceSeconds", val(setup.grace_seconds)},
                   {"wordLists", Array(setup.word_lists, Js)},
                   {"customWords", Array(setup.custom_words, Js)}});
  }
  bool StartGame(const val& setup) {
    client::GameSetup game;
    game.room_name = Wire(setup["roomName"].as<std::string>());
    game.description = Wire(setup["description"].as<std::string>());
    game.player_limit = Whole(setup["playerLimit"]);
    game.total_rounds = Whole(setup["totalRounds"]);
    game.seconds_per_round = Whole(setup["secondsPerRound"]);
    game.grace_seconds = Whole(setup["graceSeconds"]);
    const val lists = setup["wordLists"];
    const size_t count = lists["length"].as<size_t>();
    for (size_t i = 0; i < count; ++i) game.word_lists.push_back(Wire(lists[i].as<std::string>()));
    const val words = setup["customWords"];
    if (words.isArray()) {
      std::string typed;
      const size_t typed_count = words["length"].as<size_t>();
      for (size_t i = 0; i < typed_count; ++i) typed += Wire(words[i].as<std::string>()) + "\n";
      game.custom_words = protocol::CustomWords(typed);
    }
    const bool started = session_.StartGame(game);
    Flush();
    return started;
  }
  val CustomWords(const std::string& text) const {
    return Array(protocol::CustomWords(Wire(text)), Js);
  }
  val DefaultWordLists(const val& names) const {
    return Array(session_.DefaultWordLists(Strings(names)), Js);
  }
  std::string RoomLanguage() const { return session_.RoomLanguage(); }
  // The lists by language, as the desktop's set-up shows them: the room's language first (a room
  // that names none is likely in the player's), each group under its language's own name and
  // each list without its language in front.
  val WordListGroups(const val& names) const {
    const std::vector<std::string> lists = Strings(names);
    const std::string& room = session_.RoomLanguage();
    return Array(
        client::WordListsByLanguage(lists, room.empty() ? session_.language() : room),
        [](const client::WordListGroup& group) {
          return Object(
              {{"name", val(directory::LanguageName(group.language))},
               {"lists", Array(group.lists, [](const std::string& list) {
                  return Object({{"name", Js(list)}, {"title", Js(client::WordListTitle(list))}});
                })}});
        });
  }
  void SetMuted(bool muted) { muted_ = muted; }

  // The pad takes the player's hand only while the session lets the player draw.
  void ClickTool(int tool) {
    if (controls_.drawing && tool >= 0 && tool <= static_cast<int>(client::Tool::kFillType)) {
      pad_.ClickTool(static_cast<client::Tool>(tool));
    }
    Flush();
  }
  // A click on the clear's message only takes the message away.
  void HideClearMessage() {
    pad_.HideClearMessage();
    Flush();
  }
  void ClickBrush(int index) {
    if (controls_.drawing && index >= 0 && index < static_cast<int>(client::kBrushWidths.size())) {
      pad_.ClickBrush(index);
    }
    Flush();
  }
  void PressSwatch(int index) {
    if (controls_.drawing && index >= 0 && index < static_cast<int>(client::kPalette.size())) {
      pad_.PressSwatch(index);
    }
    Flush();
  }
  void ChooseColour(uint32_t colour) {
    if (controls_.drawing) pad_.ChooseCustomColour(colour & 0xFFFFFFu);
    Flush();
  }
  void Press(int button, double x, double y) {
    if (controls_.drawing) pad_.Press(button, client::PadPoint{x, y});
    Flush();
  }
  void Move(int buttons, double x, double y) {
    if (controls_.drawing) pad_.Move(buttons, client::PadPoint{x, y});
    Flush();
  }
  void Release(int button, double x, double y) {
    if (controls_.drawing) pad_.Release(button, client::PadPoint{x, y});
    Flush();
  }
  val PadState() const {
    const auto point = [](const client::PadPoint& p) {
      return Object({{"x", val(p.x)}, {"y", val(p.y)}});
    };
    const auto rect = [](const std::optional<client::PadRect>& r) {
      if (!r) return val::null();
      return Object({{"x", val(r->x)},
                     {"y", val(r->y)},
                     {"width", val(r->width)},
                     {"height", val(r->height)}});
    };
    const client::PadTools::Previews& previews = pad_.previews();
    val line = val::null();
    if (previews.line) {
      line = val::array();
      line.call<void>("push", point(previews.line->first));
      line.call<void>("push", point(previews.line->second));
    }
    return Object({{"tool", val(static_cast<int>(pad_.tool()))},
                   {"brush", val(pad_.brush())},
                   {"swatch", val(pad_.swatch())},
                   {"colour", val(pad_.colour() & 0xFFFFFFu)},
                   {"fillSolid", val(pad_.fill_solid())},
                   {"clearMessageShown", val(pad_.clear_message_shown())},
                   {"line", line},
                   {"box", rect(previews.box)},
                   {"oval", rect(previews.oval)},
                   {"eraser", previews.eraser ? point(*previews.eraser) : val::null()}});
  }
  val PadPixels() {
    const uint32_t* pixels = pad_.raster().pixels();
    for (size_t i = 0; i < rgba_.size() / 4; ++i) {
      rgba_[4 * i] = static_cast<uint8_t>(pixels[i] >> 16);
      rgba_[4 * i + 1] = static_cast<uint8_t>(pixels[i] >> 8);
      rgba_[4 * i + 2] = static_cast<uint8_t>(pixels[i]);
      rgba_[4 * i + 3] = 0xFF;
    }
    return val(emscripten::typed_memory_view(rgba_.size(), rgba_.data()));
  }
  std::string PadHash() const {
    char hash[24];
    std::snprintf(hash, sizeof hash, "0x%016llX",
                  static_cast<unsigned long long>(drawing::PixelHash(pad_.raster())));
    return hash;
  }

  // --- The session's view -----------------------------------------------------------------------
  void AddChatLine(const client::ChatLine& line) override {
    view_.call<void>("addChatLine", Object({{"sender", Js(line.sender)},
                                            {"text", Js(line.text)},
                                            {"colour", val(Css(line.colour))},
                                            {"plain", val(line.plain)}}));
  }
  void AddWelcome(const std::string& title, const std::string& rest,
                  const std::string& hint) override {
    view_.call<void>("addWelcome", Js(title), Js(rest), Js(hint));
  }
  void ClearChat() override { view_.call<void>("clearChat"); }
  void ShowUsers(const std::vector<client::UserEntry>& users) override {
    view_.call<void>("showUsers", Array(users, [](const client::UserEntry& user) {
                       return Object({{"id", val(user.id)},
                                      {"nickname", Js(user.nickname)},
                                      {"points", Js(user.points)},
                                      {"away", val(!user.bold)},
                                      {"colour", val(Css(user.colour))},
                                      {"artist", val(user.artist)},
                                      {"foundWord", val(user.found_word)},
                                      {"watching", val(user.watching)}});
                     }));
  }
  void ShowPanel(const client::Panel& panel) override {
    view_.call<void>("showPanel", Object({{"roomName", Js(panel.room_name)},
                                          {"admin", Js(panel.admin)},
                                          {"rounds", Js(panel.rounds)},
                                          {"word", Js(panel.word)},
                                          {"pattern", Js(panel.pattern)},
                                          {"time", Js(panel.time)},
                                          {"timeColour", val(Css(panel.time_colour))},
                                          {"status", Js(panel.status)}}));
  }
  void ShowControls(const client::Controls& controls) override {
    controls_ = controls;
    const auto button = [this](const auto& state) {
      return Object({{"caption", Js(protocol::SayIn(session_.language(), state.caption()))},
                     {"enabled", val(state.enabled)},
                     {"colour", state.colour ? val(Css(*state.colour)) : val::null()}});
    };
    view_.call<void>("showControls", Object({{"connect", val(controls.connect)},
                                             {"disconnect", val(controls.disconnect)},
                                             {"drawing", val(controls.drawing)},
                                             {"autoSkip", val(controls.auto_skip)},
                                             {"start", button(controls.start)},
                                             {"hint", button(controls.hint)},
                                             {"watch", val(controls.watch)},
                                             {"watching", val(controls.watching)}}));
  }
  void FocusChatInput() override { view_.call<void>("focusChatInput"); }
  bool IsChatFloating() const override { return false; }

  void ClearPad() override {
    pad_.raster().Clear();
    pad_changed_ = true;
  }
  void ResetTools() override { pad_.Reset(); }
  void ReplayDrawing(const protocol::DrawCommand& command) override { pad_.Replay(command); }
  void ShowWinner(const std::vector<std::string>& winners,
                  const std::vector<client::Standing>& podium) override {
    view_.call<void>("showWinner", Array(winners, Js),
                     Array(podium, [](const client::Standing& standing) {
                       return Object({{"place", val(standing.place)},
                                      {"nickname", Js(standing.nickname)},
                                      {"points", val(standing.points)}});
                     }));
  }
  // The page keeps no gallery of rounds.
  void RoundBegins() override {}
  void RoundEnded(const client::RoundRecord&) override {}

  void ShowAgreement(const std::string& text) override {
    view_.call<void>("showAgreement", Js(text));
  }
  void AskRoomPassword(const std::string& room, bool wrong) override {
    view_.call<void>("askRoomPassword", Js(room), val(wrong));
  }
  void ShowUserInfo(const client::UserProfile& profile) override {
    view_.call<void>("showUserInfo", Object({{"name", Js(profile.name)},
                                             {"age", Js(profile.age)},
                                             {"gender", Js(profile.gender)},
                                             {"location", Js(profile.location)},
                                             {"homepage", Js(profile.homepage)},
                                             {"quote", Js(profile.quote)}}));
  }
  void ShowReservedNicknameBox(bool) override { view_.call<void>("showReservedNickname"); }
  void AskForNickname(const std::string& refusal) override {
    view_.call<void>("askForNickname", Js(refusal));
  }
  void OpenGameSetup() override { view_.call<void>("openGameSetup"); }
  void WordListsReceived(const std::vector<std::string>& names) override {
    view_.call<void>("wordListsReceived", Array(names, Js));
  }
  void WordListsComplete() override { view_.call<void>("wordListsComplete"); }
  void NoWordLists() override { view_.call<void>("noWordLists"); }
  void PlaySoundFile(const std::string& file_name) override {
    if (!muted_) view_.call<void>("playSound", Js(file_name));
  }
  void ShowWordChoice(const client::WordChoice& choice) override {
    view_.call<void>("showWordChoice", Object({{"chooser", Js(choice.chooser)},
                                               {"mine", val(choice.mine)},
                                               {"words", Array(choice.words, Js)},
                                               {"secondsLeft", val(choice.seconds_left)}}));
  }
  void ChooseWord(int32_t index) {
    if (index >= 0) session_.ChooseWord(static_cast<size_t>(index));
    Flush();
  }
  // The page is served by the room it plays in, so it is always the room's own version.
  void OfferDownload(const std::string&, const std::string&, const std::string&) override {}
  // A page cannot close its window: "/quit" leaves the room, once the command has run.
  void CloseProgram() override {
    scheduler_.SingleShot(0, [this] { session_.LeaveRoom(session_.quit_reason()); });
  }
  void ShowRoundSummary(const std::string& text) override {
    view_.call<void>("showRoundSummary", Js(text));
  }
  void SetWatching(bool on) {
    session_.SetWatching(on);
    Flush();
  }
  void SetWatchUntilNextRound(bool on) { session_.SetWatchUntilNextRound(on); }

 private:
  void WordStatus() {
    session_.SetNotConnectedStatus(
        session_.Say("Not connected: practise here, or join with a nickname."));
  }
  void Flush() {
    if (!pad_changed_) return;
    pad_changed_ = false;
    view_.call<void>("padChanged");
  }

  val view_;
  PageScheduler scheduler_;
  PageStore store_;
  client::ClientSettings settings_;
  PageConnection connection_;
  client::Session session_;
  client::PadTools pad_;
  client::Controls controls_;
  std::vector<uint8_t> rgba_;
  bool pad_changed_ = false;
  bool muted_ = false;
};

EMSCRIPTEN_BINDINGS(page_core) {
  emscripten::class_<PageCore>("PageCore")
      .constructor<val>()
      .function("start", &PageCore::Run<&client::Session::Start>)
      .function("onOpen", &PageCore::OnOpen)
      .function("onData", &PageCore::OnData)
      .function("onClose", &PageCore::OnClose)
      .function("onError", &PageCore::OnError)
      .function("nickname", &PageCore::Nickname)
      .function("unsendable", &PageCore::Unsendable)
      .function("join", &PageCore::Join)
      .function("retryWithPassword", &PageCore::RetryWithPassword)
      .function("leave", &PageCore::Leave)
      .function("agreementAccepted", &PageCore::Run<&client::Session::AgreementAccepted>)
      .function("agreementRefused", &PageCore::Run<&client::Session::AgreementRefused>)
      .function("enterChat", &PageCore::EnterChat)
      .function("startButton", &PageCore::Run<&client::Session::StartButtonPressed>)
      .function("hintButton", &PageCore::Run<&client::Session::HintButtonPressed>)
      .function("setAutoSkip", &PageCore::SetAutoSkip)
      .function("requestUserInformation", &PageCore::RequestUserInformation)
      .function("kickUser", &PageCore::KickUser)
      .function("lastGameSetup", &PageCore::LastGameSetup)
      .function("requestWordLists", &PageCore::Run<&client::Session::RequestWordLists>)
      .function("startGame", &PageCore::StartGame)
      .function("customWords", &PageCore::CustomWords)
      .function("defaultWordLists", &PageCore::DefaultWordLists)
      .function("roomLanguage", &PageCore::RoomLanguage)
      .function("wordListGroups", &PageCore::WordListGroups)
      .function("cancelGameSetup", &PageCore::Run<&client::Session::CancelGameSetup>)
      .function("setMuted", &PageCore::SetMuted)
      .function("clickTool", &PageCore::ClickTool)
      .function("hideClearMessage", &PageCore::HideClearMessage)
      .function("clickBrush", &PageCore::ClickBrush)
      .function("pressSwatch", &PageCore::PressSwatch)
      .function("chooseColour", &PageCore::ChooseColour)
      .function("press", &PageCore::Press)
      .function("move", &PageCore::Move)
      .function("release", &PageCore::Release)
      .function("padState", &PageCore::PadState)
      .function("padPixels", &PageCore::PadPixels)
      .function("padHash", &PageCore::PadHash)
      .function("chooseWord", &PageCore::ChooseWord)
      .function("voteKick", &PageCore::VoteKick)
      .function("setWatching", &PageCore::SetWatching)
      .function("setWatchUntilNextRound", &PageCore::SetWatchUntilNextRound)
      .function("setLanguage", &PageCore::SetLanguage)
      .function("translated", &PageCore::Translated);
}

}  // namespace page
