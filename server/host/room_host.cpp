// SPDX-License-Identifier: MIT
#include "server/host/room_host.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/metrics/exposition.h"
#include "directory/languages.h"
#include "inifile/ini_document.h"
#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/limits.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "protocol/text.h"
#include "server/connections/settings.h"

namespace server {

namespace to_client = protocol::to_client;
namespace to_server = protocol::to_server;

namespace {

int ReadLimit(const inifile::IniDocument& ini, std::string_view key, int default_value, int most) {
  const double value =
      inifile::ReadNumber(ini, kHostSection, key, protocol::NumberText(default_value));
  return static_cast<int>(std::clamp(std::floor(value), 0.0, static_cast<double>(most)));
}

// The host's own settings, which its rooms take whatever their defaults say: what keeps the
// host alive must not be loosened one room at a time, and where the host is reached and listed
// is the same for all its rooms.
constexpr std::pair<std::string_view, std::string_view> kHostWideKeys[] = {
    {kServerDetailsSection, "Flood Burst"},
    {kServerDetailsSection, "Flood Rate"},
    {kServerDetailsSection, "Drawing Burst"},
    {kServerDetailsSection, "Drawing Rate"},
    {kServerDetailsSection, "Guess Burst"},
    {kServerDetailsSection, "Guess Rate"},
    {kServerDetailsSection, "Max Connections Per Address"},
    {kServerDetailsSection, "Handshake Timeout"},
    {kServerDetailsSection, "Login Timeout"},
    {kServerDetailsSection, "Ping"},
    {kServerDetailsSection, "Ping Timeout"},
    {kServerDetailsSection, "Trusted Proxies"},
    {kServerDetailsSection, "IP Address"},
    {kServerDetailsSection, "Port"},
    {kServerDetailsSection, "Web Port"},
    {kServerDetailsSection, "Web Address"},
    {kServerDetailsSection, "Browser Players"},
    {kServerDetailsSection, "TLS Certificate"},
    {kServerDetailsSection, "TLS Key"},
    {directory::kDirectorySection, "Tracker URL"},
    {directory::kDirectorySection, "Update URL"}};

}  // namespace

HostLimits LoadHostLimits(const inifile::IniStore& store) {
  const inifile::IniDocument ini = store.Snapshot();
  HostLimits limits;
  limits.max_rooms = ReadLimit(ini, "Max Rooms", limits.max_rooms, 100000);
  limits.creations_per_hour =
      ReadLimit(ini, "Creations Per Hour", limits.creations_per_hour, 100000);
  limits.players_per_room = ReadLimit(ini, "Players Per Room", limits.players_per_room, 1000);
  limits.empty_room_minutes =
      ReadLimit(ini, "Empty Room Minutes", limits.empty_room_minutes, 7 * 24 * 60);
  limits.list_public_rooms = inifile::ReadBool(ini, kHostSection, "List Public Rooms", true);
  return limits;
}

// A room's view of the host's sockets: its slots are the host's, and what it closes the host
// forgets. Only the default room opens the listening socket.
class RoomHost::RoomLink : public Transport {
 public:
  RoomLink(RoomHost& host, Hosted& hosted, bool listener)
      : host_(host), hosted_(hosted), listener_(listener) {}

  ListenResult Listen(int port) override {
    return listener_ ? transport().Listen(port) : ListenResult{};
  }
  void StopListening() override {
    if (listener_) transport().StopListening();
  }
  SendResult Send(int slot, std::string_view bytes) override {
    return transport().Send(slot, bytes);
  }
  SendResult SendShared(int slot, std::shared_ptr<const std::string> bytes) override {
    return transport().SendShared(slot, std::move(bytes));
  }
  size_t QueuedBytes(int slot) const override { return transport().QueuedBytes(slot); }
  void Close(int slot) override {
    transport().Close(slot);
    host_.Forget(slot);
  }
  void Abort(int slot) override {
    transport().Abort(slot);
    host_.Forget(slot);
  }
  void PauseReading(int slot, bool paused) override { transport().PauseReading(slot, paused); }
  void CloseAllThen(std::function<void()> done) override;
  std::string LocalHostName() const override { return transport().LocalHostName(); }
  std::string LocalAddress() const override { return transport().LocalAddress(); }

 private:
  Transport& transport() const { return host_.ports_.transport; }

  RoomHost& host_;
  Hosted& hosted_;
  const bool listener_;
};

// A made room's lines in the host's log, marked with its code. Its chat is its players' own
// business, and it has no status bar or connection list of its own.
class RoomHost::RoomLog : public ServerView {
 public:
  RoomLog(ServerView& host, std::string code) : host_(host), prefix_("[" + code + "] ") {}

  void Log(LogKind kind, const std::string& text, int icon) override {
    if (kind == LogKind::kChat || text.starts_with("Master socket")) return;
    host_.Log(kind, prefix_ + text, icon);
  }
  void SetStatusMessage(const std::string&, int) override {}
  void SetMasterState(int) override {}
  void AddConnectionRow(int, int32_t, const std::string&, const std::string&,
                        const std::string&) override {}
  void UpdateConnectionRow(int32_t, const std::string&, const std::string&, double) override {}
  void RemoveConnectionRow(int32_t) override {}
  void QuitFinished() override {}
  void ShowMessage(int icon, const std::string& title, const std::string& text) override {
    std::string line = prefix_ + title + ": " + text;
    // A log line is one line: a message box's breaks become spaces.
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    host_.Log(LogKind::kGeneral, line, icon);
  }
  void OfferDownload(const std::string&, const std::string&, const std::string&) override {}

 private:
  ServerView& host_;
  const std::string prefix_;
};

// A made room keeps out whom the host bans as well as whom its own admin bans.
class RoomHost::HostBans : public BanCheck {
 public:
  HostBans(BanCheck& host, BanCheck& room) : host_(host), room_(room) {}
  bool IsBanned(const std::string& address) override {
    return host_.IsBanned(address) || room_.IsBanned(address);
  }

 private:
  BanCheck& host_;
  BanCheck& room_;
};

struct RoomHost::Hosted {
  std::string code;
  std::string name;
  bool is_public = false;
  std::unique_ptr<inifile::MemoryStore> ini;  // a made room's settings
  std::unique_ptr<RoomLink> link;
  std::unique_ptr<RoomLog> log;
  std::unique_ptr<HostBans> bans;
  int connections = 0;
  uint64_t emptied = 0;  // counts the times the room became empty
  bool closing = false;  // its quit has begun: nobody more is let in
  bool finished = false;
  bool open() const { return !closing && !finished; }
  // Last, so that it goes first: it holds on to everything above.
  std::unique_ptr<Room> room;
};

void RoomHost::RoomLink::CloseAllThen(std::function<void()> done) {
  if (!host_.routes()) {
    transport().CloseAllThen(std::move(done));
    return;
  }
  std::vector<int> slots;
  for (const auto& [slot, connection] : host_.connections_) {
    if (connection.hosted == &hosted_) slots.push_back(slot);
  }
  for (int slot : slots) Close(slot);
  // Each connection writes out what was queued for it on its own; the room is done with them.
  host_.ports_.scheduler.SingleShot(0, std::move(done));
}

RoomHost::RoomHost(Ports ports) : ports_(std::move(ports)), limits_(LoadHostLimits(ports_.ini)) {
  default_room_ = MakeRoom("", ports_.ini);
  if (routes()) {
    TrackerRegistration& registration = default_room().registration();
    registration.SetHosted("", registration.registration_key(), [this] { return FreeRooms(); });
  }
}

int RoomHost::FreeRooms() const {
  if (!routes() || quitting_) return 0;
  return std::max(0, limits_.max_rooms - static_cast<int>(rooms_.size()));
}

void RoomHost::SetWebPort(int port) {
  web_port_ = port;
  default_room().registration().SetWebPort(port);
  for (const auto& [code, hosted] : rooms_) hosted->room->registration().SetWebPort(port);
}

RoomHost::~RoomHost() = default;

std::unique_ptr<RoomHost::Hosted> RoomHost::MakeRoom(const std::string& code,
                                                     inifile::IniStore& ini) {
  auto hosted = std::make_unique<Hosted>();
  hosted->code = code;
  const bool is_default = code.empty();
  hosted->link = std::make_unique<RoomLink>(*this, *hosted, is_default);
  ServerView* view = &ports_.view;
  if (!is_default) {
    hosted->log = std::make_unique<RoomLog>(ports_.view, code);
    view = hosted->log.get();
  }
  hosted->room = std::make_unique<Room>(Room::Ports{*hosted->link, ports_.scheduler, ports_.random,
                                                    *view, ini, ports_.word_list_folders,
                                                    ports_.http, ports_.machine_key, ports_.hash});
  Hosted* raw = hosted.get();
  hosted->room->OnFinished([this, raw] { Finished(*raw); });
  if (!is_default) {
    hosted->bans = std::make_unique<HostBans>(default_room_->room->bans(), hosted->room->bans());
    hosted->room->core().SetBanCheck(hosted->bans.get());
  }
  return hosted;
}

Room& RoomHost::default_room() {
  return *default_room_->room;
}

const Room& RoomHost::default_room() const {
  return *default_room_->room;
}

void RoomHost::Start() {
  default_room_->room->Start();
}

std::string RoomHost::NewCode() {
  // Fifty bits leave a clash only to a broken source, which must not hang the host.
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string code;
    for (size_t i = 0; i < kCodeLength; ++i) {
      const auto pick = static_cast<size_t>(ports_.code_random.Next() * kCodeAlphabet.size());
      code += kCodeAlphabet[std::min(pick, kCodeAlphabet.size() - 1)];
    }
    if (!rooms_.contains(code)) return code;
  }
  return {};
}

RoomHost::Created RoomHost::CreateRoom(const RoomChoices& choices,
                                       const std::string& maker_address) {
  if (!routes()) return {"", protocol::RoomText("This server holds one room and makes no others.")};
  if (quitting_) return {"", protocol::RoomText("The host is shutting down.")};
  const int64_t now = ports_.scheduler.NowMs();
  // Forget what is older than the window, for every address: the table holds no more than an
  // hour's makers.
  for (auto it = creations_.begin(); it != creations_.end();) {
    std::deque<int64_t>& times = it->second;
    while (!times.empty() && now - times.front() >= kCreationWindowMs) times.pop_front();
    it = times.empty() ? creations_.erase(it) : std::next(it);
  }
  if (rooms_.size() >= static_cast<size_t>(limits_.max_rooms)) {
    ++create_refusals_[size_t(CreateRefusal::kTooManyRooms)];
    return {"", protocol::RoomText("This host has all the rooms it can hold; try again later.")};
  }
  std::deque<int64_t>& made = creations_[maker_address];
  if (made.size() >= static_cast<size_t>(limits_.creations_per_hour)) {
    ++create_refusals_[size_t(CreateRefusal::kTooManyCreations)];
    if (made.empty()) creations_.erase(maker_address);
    return {"", protocol::RoomText("You have made %1 rooms within the hour, as many as one "
                                   "address may; try again later.",
                                   {protocol::NumberText(limits_.creations_per_hour)})};
  }
  const std::string code = NewCode();
  if (code.empty())
    return {"", protocol::RoomText("No free code was found for the room; try again.")};
  made.push_back(now);

  // The room's settings: the host's defaults, what keeps the host alive, then the maker's.
  const inifile::IniDocument host = ports_.ini.Snapshot();
  inifile::IniDocument settings;
  for (const auto& [key, value] : host.ReadSection(kRoomDefaultsSection)) {
    settings.Write(kServerDetailsSection, key, value);
  }
  for (const auto& [section, key] : kHostWideKeys) {
    const std::string value = host.Read(section, key, "");
    if (!value.empty()) settings.Write(section, key, value);
  }
  std::string name =
      protocol::FirstChars(protocol::StripControlCodes(choices.name), protocol::kRoomNameLength);
  name.erase(0, name.find_first_not_of(' '));
  name.erase(name.find_last_not_of(' ') + 1);
  if (name.empty()) name = "Private room";
  settings.Write(kServerDetailsSection, "Name", name);
  settings.Write(kServerDetailsSection, "Server Password",
                 protocol::StripControlCodes(choices.password));
  settings.Write(kServerDetailsSection, "Private Server", inifile::BoolText(!choices.is_public));
  if (!choices.language.empty())
    settings.Write(kServerDetailsSection, "Language", choices.language);
  settings.Write(kServerDetailsSection, "Max Connections",
                 protocol::NumberText(limits_.players_per_room));

  auto ini = std::make_unique<inifile::MemoryStore>(settings.Text());
  inifile::MemoryStore& store = *ini;
  std::unique_ptr<Hosted> hosted = MakeRoom(code, store);
  hosted->ini = std::move(ini);
  hosted->name = name;
  hosted->is_public = choices.is_public;
  Hosted& room = *hosted;
  rooms_.emplace(code, std::move(hosted));
  room.room->Start();
  ++rooms_made_;
  TrackerRegistration& registration = room.room->registration();
  if (web_port_) registration.SetWebPort(*web_port_);
  if (choices.is_public && limits_.list_public_rooms) {
    // Under the key of its own that its code gives it, named as one of this host's.
    registration.SetHosted(code, default_room().registration().registration_key());
    registration.SetRemoveOnQuit(true);
    registration.Submit();
  }
  ports_.view.Log(
      LogKind::kGeneral,
      "Room " + code + " (\"" + name + "\", " + (choices.is_public ? "public" : "private") + ", " +
          room.room->core().settings().Language + ") was made for " + maker_address + ".",
      kIconInfo);
  WatchEmpty(room);
  return {code, ""};
}

Room* RoomHost::Find(std::string_view code) {
  if (code.empty()) return default_room_->room.get();
  const auto it = rooms_.find(protocol::LowerCase(code));
  return it == rooms_.end() || !it->second->open() ? nullptr : it->second->room.get();
}

std::vector<std::string> RoomHost::Codes() const {
  std::vector<std::string> codes;
  for (const auto& [code, hosted] : rooms_) codes.push_back(code);
  return codes;
}

bool RoomHost::CloseRoom(std::string_view code) {
  const auto it = rooms_.find(protocol::LowerCase(code));
  if (it == rooms_.end() || !it->second->open()) return false;
  it->second->closing = true;
  it->second->room->core().Quit(true);
  return true;
}

void RoomHost::Quit(std::function<void()> done) {
  on_finished_ = std::move(done);
  if (quitting_) return;
  quitting_ = true;
  // Those that have named no room yet have nobody to be told by.
  std::vector<int> waiting;
  for (const auto& [slot, connection] : connections_) {
    if (!connection.hosted) waiting.push_back(slot);
  }
  for (int slot : waiting) {
    ports_.transport.Close(slot);
    Forget(slot);
  }
  std::vector<Hosted*> rooms;
  for (const auto& [code, hosted] : rooms_) {
    if (hosted->open()) rooms.push_back(hosted.get());
  }
  if (default_room_->open()) rooms.push_back(default_room_.get());
  for (Hosted* hosted : rooms) {
    hosted->closing = true;
    hosted->room->core().Quit(true);
  }
  CheckAllFinished();
}

void RoomHost::Finished(Hosted& hosted) {
  hosted.finished = true;
  if (&hosted == default_room_.get()) {
    if (!routes()) {
      if (on_finished_) on_finished_();
      return;
    }
    // The default room's operator quit it: the host goes with it.
    if (!quitting_) Quit(std::move(on_finished_));
    CheckAllFinished();
    return;
  }
  ++rooms_closed_;
  ports_.view.Log(LogKind::kGeneral, "Room " + hosted.code + " has closed.", kIconInfo);
  // Anyone still in it came while it closed: the room is going, and so is the connection.
  std::vector<int> left;
  for (const auto& [slot, connection] : connections_) {
    if (connection.hosted == &hosted) left.push_back(slot);
  }
  for (int slot : left) {
    ports_.transport.Close(slot);
    Forget(slot);
  }
  const auto it = rooms_.find(hosted.code);
  if (it != rooms_.end()) {
    // Called from inside the room: it is freed once this event is over.
    finished_.push_back(std::move(it->second));
    rooms_.erase(it);
    ports_.scheduler.SingleShot(0, [this] { finished_.clear(); });
  }
  CheckAllFinished();
}

void RoomHost::CheckAllFinished() {
  // A host that has quit stays so: it takes no connection and makes no room any more.
  if (!quitting_ || closing_all_ || !rooms_.empty() || !default_room_->finished) return;
  closing_all_ = true;
  std::function<void()> done = std::move(on_finished_);
  ports_.transport.CloseAllThen([done = std::move(done)] {
    if (done) done();
  });
}

void RoomHost::WatchEmpty(Hosted& hosted) {
  if (hosted.code.empty() || hosted.connections > 0 || hosted.finished) return;
  const uint64_t emptied = ++hosted.emptied;
  const std::string code = hosted.code;
  ports_.scheduler.SingleShot(limits_.empty_room_minutes * 60 * 1000, [this, code, emptied] {
    const auto it = rooms_.find(code);
    if (it == rooms_.end()) return;
    const Hosted& room = *it->second;
    if (room.connections == 0 && room.emptied == emptied) CloseRoom(code);
  });
}

std::vector<std::string> RoomHost::Execute(std::string_view line) {
  if (!routes()) return default_room_->room->Execute(line);
  const auto trim = [](std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string_view();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
  };
  line = trim(line);
  const std::string command = protocol::LowerCase(line.substr(0, line.find(' ')));
  const std::string rest(trim(line.substr(std::min(line.size(), command.size()))));
  if (command == "rooms") {
    std::vector<std::string> lines = {protocol::NumberText(static_cast<double>(rooms_.size())) +
                                      " rooms made here (at most " +
                                      protocol::NumberText(limits_.max_rooms) + "):"};
    for (const auto& [code, hosted] : rooms_) {
      lines.push_back("  " + code + "  " +
                      protocol::NumberText(hosted->room->core().InRoomCount()) + " players  " +
                      (hosted->is_public ? "public" : "private") + "  " + hosted->name);
    }
    return lines;
  }
  if (command == "create") {
    RoomChoices choices;
    std::string_view name = rest;
    const size_t last = name.rfind(' ');
    if (const std::string_view word = last == std::string_view::npos ? name : name.substr(last + 1);
        word.starts_with("lang=")) {
      choices.language = protocol::LowerCase(word.substr(5));
      name = last == std::string_view::npos ? std::string_view() : trim(name.substr(0, last));
      if (!directory::IsKnownLanguage(choices.language))
        return {"The language is to be one of " + directory::KnownLanguagesText() + "."};
    }
    if (name.empty()) {
      return {"Usage: create [public] NAME [lang=CODE] (a private room; public lists it; CODE: " +
              directory::KnownLanguagesText() + ")"};
    }
    choices.is_public = name.starts_with("public ");
    choices.name = choices.is_public ? name.substr(7) : name;
    // The operator's own rooms count against no address.
    const Created created = CreateRoom(choices, "the operator");
    if (created.code.empty()) return {created.refusal};
    return {"Room " + created.code + " made."};
  }
  if (command == "close") {
    if (rest.empty()) return {"Usage: close CODE"};
    return {CloseRoom(rest) ? "Room " + protocol::LowerCase(rest) + " is closing."
                            : "There is no room " + rest + "."};
  }
  std::vector<std::string> lines = default_room_->room->Execute(line);
  if (command == "help") {
    lines.push_back("The host's commands (for its made rooms):");
    lines.push_back("  rooms                       the rooms made here, with their players");
    lines.push_back("  create [public] NAME [lang=CODE]");
    lines.push_back("                              makes a room and tells its code; it plays in");
    lines.push_back("                              CODE (" + directory::KnownLanguagesText() +
                    "), else in [Room Defaults]' Language");
    lines.push_back("  close CODE                  ends a made room; its players are told");
  }
  return lines;
}

std::string RoomHost::MetricsText() const {
  if (!routes()) return default_room_->room->MetricsText();
  std::vector<std::string> texts;
  texts.reserve(rooms_.size() + 2);
  std::vector<metrics::LabelledPart> parts;
  texts.push_back(default_room_->room->MetricsText());
  parts.push_back({"", texts.back()});
  for (const auto& [code, hosted] : rooms_) {
    texts.push_back(hosted->room->MetricsText());
    parts.push_back({code, texts.back()});
  }
  metrics::Exposition out;
  out.Gauge("scrawlbox_host_rooms", "Rooms made on this host and open now.");
  out.Sample(static_cast<double>(rooms_.size()));
  out.Counter("scrawlbox_host_rooms_made_total", "Rooms made on this host.");
  out.Sample(static_cast<double>(rooms_made_));
  out.Counter("scrawlbox_host_rooms_closed_total", "Made rooms that have closed.");
  out.Sample(static_cast<double>(rooms_closed_));
  out.Counter("scrawlbox_host_refused_rooms_total", "Rooms the host would not make, by reason.");
  out.Sample(static_cast<double>(create_refusals_[size_t(CreateRefusal::kTooManyRooms)]),
             {{"reason", "max_rooms"}});
  out.Sample(static_cast<double>(create_refusals_[size_t(CreateRefusal::kTooManyCreations)]),
             {{"reason", "creations_per_hour"}});
  out.Counter("scrawlbox_host_refused_connections_total",
              "Connections the host turned away before any room, by reason.");
  constexpr std::pair<HostRefusal, std::string_view> kReasons[] = {
      {HostRefusal::kAddressLimit, "address_limit"},
      {HostRefusal::kHostFull, "host_full"},
      {HostRefusal::kUnknownRoom, "unknown_room"},
      {HostRefusal::kNoRoomMessage, "no_room_message"}};
  for (const auto& [why, reason] : kReasons) {
    out.Sample(static_cast<double>(host_refusals_[size_t(why)]), {{"reason", reason}});
  }
  out.Gauge("scrawlbox_host_connections", "Connections of the host, in any room or none yet.");
  out.Sample(static_cast<double>(connections_.size()));
  return metrics::MergeLabelled("room", parts) + out.Take();
}

// --- Connections -------------------------------------------------------------------------------

int RoomHost::ConnectionsFrom(const std::string& address) const {
  const auto it = per_address_.find(address);
  return it == per_address_.end() ? 0 : it->second;
}

ConnectionSink::Admission RoomHost::OnConnectionRequest(const std::string& address) {
  const ServerSettings& settings = default_room_->room->core().settings();
  if (quitting_)
    return {0,
            protocol::Frame(to_client::NOTICE, protocol::RoomText("The host is shutting down."))};
  // The host's limits first: each room counts only its own connections.
  if (settings.MaxConnectionsPerAddress > 0 &&
      ConnectionsFrom(address) >= settings.MaxConnectionsPerAddress) {
    ++host_refusals_[size_t(HostRefusal::kAddressLimit)];
    return {0, protocol::Frame(to_client::NOTICE,
                               protocol::RoomText("Too many connections from your address."))};
  }
  if (settings.MaxConnections > 0 &&
      connections_.size() >= static_cast<size_t>(settings.MaxConnections)) {
    ++host_refusals_[size_t(HostRefusal::kHostFull)];
    return {0, protocol::Frame(to_client::NOTICE, protocol::RoomText("The host is full."))};
  }
  const int slot = ++last_slot_;
  connections_.emplace(slot, Connection{address, {}, nullptr});
  ++per_address_[address];
  // One that names no room and says nothing is closed as a silent login is in a room.
  const int deadline_ms = std::max(1, settings.HandshakeTimeout) * 1000;
  ports_.scheduler.SingleShot(deadline_ms, [this, slot] {
    const auto it = connections_.find(slot);
    if (it == connections_.end() || it->second.hosted) return;
    ++host_refusals_[size_t(HostRefusal::kNoRoomMessage)];
    ports_.transport.Close(slot);
    Forget(slot);
  });
  return {slot, {}};
}

void RoomHost::OnData(int slot, std::string_view bytes) {
  const auto it = connections_.find(slot);
  if (it == connections_.end()) return;
  Connection& connection = it->second;
  if (connection.hosted) {
    connection.hosted->room->core().OnData(slot, bytes);
    return;
  }
  // At most one read more than a ROOM or MAKEROOM message may be: bounded by the transport's
  // read.
  std::string& received = connection.received;
  received.append(bytes);
  const auto begins = [&received](std::string_view command) {
    const std::string head = std::string(command) + protocol::kCommandSep;
    const size_t compared = std::min(received.size(), head.size());
    return received.compare(0, compared, head, 0, compared) == 0;
  };
  const bool make = begins(to_server::MAKEROOM);
  if (!make && !begins(to_server::ROOM)) {
    // Any other first message: an older client, or one for the default room. The room gets
    // every byte, as it would have without a host.
    const std::string all = std::move(received);
    Route(slot, *default_room_, all);
    return;
  }
  const size_t most = make ? kMaxMakeRoomMessage : kMaxRoomMessage;
  const size_t end = received.find(protocol::kMessageEnd);
  if (end == std::string::npos || end > most) {
    if (received.size() > most) {
      ++host_refusals_[size_t(HostRefusal::kNoRoomMessage)];
      ports_.transport.Abort(slot);
      Forget(slot);
    }
    return;
  }
  const protocol::Message message =
      protocol::ParseMessage(std::string_view(received).substr(0, end));
  const std::string rest = received.substr(end + 1);
  if (make) {
    MakeRoomFor(slot, message.data, rest);
    return;
  }
  const std::string code = protocol::LowerCase(message.data);
  Hosted* hosted = nullptr;
  if (code.empty()) {
    hosted = default_room_.get();
  } else if (const auto room = rooms_.find(code); room != rooms_.end() && room->second->open()) {
    hosted = room->second.get();
  }
  if (!hosted) {
    ++host_refusals_[size_t(HostRefusal::kUnknownRoom)];
    Refuse(slot, protocol::RoomText("There is no room with that code here; it may have closed."));
    return;
  }
  Route(slot, *hosted, rest);
}

void RoomHost::MakeRoomFor(int slot, std::string_view data, std::string_view rest) {
  const std::vector<std::string> fields = protocol::SplitFields(data);
  RoomChoices choices;
  choices.name = protocol::FieldOr(fields, 0);
  choices.password = protocol::FieldOr(fields, 1);
  choices.is_public = protocol::FieldOr(fields, 2) == "1";
  // A language this host does not know (a newer client's, say) still makes the room, in the
  // host's default language: the client learns which from PASSOK, and a refusal would only
  // send it away without a room.
  if (directory::IsKnownLanguage(protocol::FieldOr(fields, 3)))
    choices.language = protocol::FieldOr(fields, 3);
  const Created created = CreateRoom(choices, connections_.at(slot).address);
  if (created.code.empty()) {
    Refuse(slot, protocol::RoomText("No room was made: %1", {created.refusal}));
    return;
  }
  Hosted& hosted = *rooms_.at(created.code);
  const std::string page =
      BrowserPage(hosted.room->core().settings(), web_port_.value_or(0), created.code);
  ports_.transport.Send(
      slot, protocol::Frame(to_client::ROOMMADE, protocol::JoinFields({created.code, page})));
  Route(slot, hosted, rest);
}

void RoomHost::Refuse(int slot, const std::string& why) {
  ports_.transport.Send(slot, protocol::Frame(to_client::NOTICE, why));
  ports_.transport.Close(slot);
  Forget(slot);
}

void RoomHost::Route(int slot, Hosted& hosted, std::string_view rest) {
  Connection& connection = connections_.at(slot);
  connection.received = std::string();
  const Admission admission = hosted.room->core().Admit(connection.address, slot);
  if (admission.slot == 0) {
    ports_.transport.Send(slot, admission.refusal);
    ports_.transport.Close(slot);
    Forget(slot);
    return;
  }
  connection.hosted = &hosted;
  ++hosted.connections;
  if (!rest.empty()) hosted.room->core().OnData(slot, rest);
}

void RoomHost::Forget(int slot) {
  const auto it = connections_.find(slot);
  if (it == connections_.end()) return;
  Hosted* hosted = it->second.hosted;
  if (const auto count = per_address_.find(it->second.address);
      count != per_address_.end() && --count->second <= 0) {
    per_address_.erase(count);
  }
  connections_.erase(it);
  if (hosted) {
    --hosted->connections;
    WatchEmpty(*hosted);
  }
}

void RoomHost::OnClosed(int slot) {
  const auto it = connections_.find(slot);
  if (it == connections_.end()) return;
  Hosted* hosted = it->second.hosted;
  Forget(slot);
  if (hosted) hosted->room->core().OnClosed(slot);
}

void RoomHost::OnSocketError(int slot, int number, const std::string& description) {
  const auto it = connections_.find(slot);
  if (it != connections_.end() && it->second.hosted) {
    it->second.hosted->room->core().OnSocketError(slot, number, description);
  }
}

}  // namespace server
