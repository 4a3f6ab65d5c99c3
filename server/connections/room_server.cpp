// SPDX-License-Identifier: MIT
#include "server/connections/room_server.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/limits.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"

namespace server {

using protocol::NumberText;
namespace to_client = protocol::to_client;

namespace {

// Typed chat goes out under the same command words it comes in with.
MessageKind KindOf(std::string_view command) {
  return command == to_client::SAY || command == to_client::USERACTION ? MessageKind::kChat
                                                                       : MessageKind::kControl;
}

}  // namespace

RoomServer::RoomServer(Ports ports)
    : transport_(ports.transport),
      scheduler_(ports.scheduler),
      view_(ports.view),
      ini_(ports.ini),
      statistics_(ports.ini, ports.scheduler,
                  [this] {
                    LogGeneral(
                        "The statistics could not be written to Server.ini; they are "
                        "kept and written again.",
                        kIconWarning);
                  }),
      settings_(LoadSettings(ports.ini)),
      refusal_log_(ports.scheduler,
                   [this](const std::string& line) { LogConnection(line, kIconWarning); }),
      listener_(*this, ports.transport, ports.view),
      relay_(*this, ports.transport, ports.scheduler),
      entrance_(*this, ports.transport, ports.scheduler, refusal_log_),
      commands_(*this),
      quit_(*this, ports.scheduler),
      deny_message_(settings_.DenyMessage) {}

RoomServer::~RoomServer() = default;

RoomServer::EventScope::~EventScope() {
  if (server_->event_depth_ == 1) {
    server_->relay_.Flush();
    server_->ClosePendingConnections();
  }
  if (--server_->event_depth_ == 0) server_->retired_.clear();
}

void RoomServer::SetGame(GameHooks* game) {
  game_ = game ? game : &no_game_;
}

void RoomServer::SetBanCheck(BanCheck* bans) {
  entrance_.SetBanCheck(bans);
}

void RoomServer::Start() {
  EventScope scope(this);
  listener_.Initialise();
  statistics_.Increment(Stat::ServerLaunches);
}

bool RoomServer::Relisten() {
  return listener_.Relisten();
}

void RoomServer::StopListening() {
  listener_.Stop();
}

void RoomServer::SetDenyMessage(const std::string& message) {
  deny_message_ = message;
  ini_.INIWrite(kServerDetailsSection, "Deny Message", message);
}

void RoomServer::ReloadSettings() {
  settings_ = LoadSettings(ini_);
  SetStatusMessage(protocol::RoomText("Server details and settings reloaded."), kIconInfo);
}

ServerDetails RoomServer::CurrentDetails() const {
  return server::CurrentDetails(settings_, ini_);
}

bool RoomServer::SaveDetails(const ServerDetails& details) {
  const bool ok = server::SaveDetails(details, ini_);
  settings_ = LoadSettings(ini_);
  return ok;
}

// --- Connections -------------------------------------------------------------------------------

RoomServer::Admission RoomServer::OnConnectionRequest(const std::string& address) {
  return Admit(address, last_slot_ + 1);
}

RoomServer::Admission RoomServer::Admit(const std::string& address, int slot) {
  EventScope scope(this);
  statistics_.Increment(Stat::AttemptedConnections);
  if (std::optional<std::string> refusal = entrance_.Screen(address)) {
    return Admission{0, std::move(*refusal)};
  }
  last_slot_ = std::max(last_slot_, slot);
  auto record = std::make_unique<ConnectionRecord>();
  record->Id = ++last_id_;
  record->SlotIndex = slot;
  record->State = StateNew;
  record->address = address;
  record->connected_ms = record->last_received_ms = scheduler_.NowMs();
  record->ping_timer = scheduler_.CreateTimer([this, slot] {
    EventScope tick_scope(this);
    OnPingTimer(slot);
  });
  record->ping_timer->Start(settings_.PingInterval);
  entrance_.StartLoginDeadline(*record);
  const int32_t id = record->Id;
  connections_.emplace(slot, std::move(record));
  ++counters_.accepted;
  view_.AddConnectionRow(slot, id, address, protocol::RoomText("Unknown User"),
                         protocol::RoomText("Connecting..."));
  return Admission{slot, {}};
}

ConnectionRecord* RoomServer::Record(int slot) {
  const auto it = connections_.find(slot);
  return it == connections_.end() ? nullptr : it->second.get();
}

const ConnectionRecord* RoomServer::Record(int slot) const {
  const auto it = connections_.find(slot);
  return it == connections_.end() ? nullptr : it->second.get();
}

int RoomServer::SlotOfId(double id) const {
  for (const auto& [slot, record] : connections_) {
    if (record->Id == id) return slot;
  }
  return 0;
}

int RoomServer::InRoomCount() const {
  int count = 0;
  for (const auto& [slot, record] : connections_) {
    if (record->State == StateInRoom) ++count;
  }
  return count;
}

void RoomServer::OnData(int slot, std::string_view bytes) {
  EventScope scope(this);
  ConnectionRecord* record = Record(slot);
  if (!record) return;
  record->last_received_ms = scheduler_.NowMs();
  record->stopped_answering = false;
  record->receive_buffer.Append(bytes);
  ServeReceived(slot, true);
}

void RoomServer::ServeReceived(int slot, bool limited) {
  ConnectionRecord* record = Record(slot);
  if (!record) return;
  const int32_t id = record->Id;
  std::string message;
  int handled = 0;
  bool more = false;
  // A handler may close this very connection, or fail to send to it (it closes when this event
  // ends); the record is looked up again for every message.
  while ((record = Record(slot)) != nullptr && !record->send_failed && record->probing_slot <= 0) {
    if (limited && handled == kMessagesPerTurn) {
      more = record->receive_buffer.Pending() > 0;
      break;
    }
    const auto status = record->receive_buffer.Next(&message);
    if (status == protocol::ReceiveBuffer::Status::kNeedMore) break;
    if (status == protocol::ReceiveBuffer::Status::kTooLong) {
      record->LeaveReason = protocol::RoomText("Message too long");
      CloseConnection(slot, CloseReason::kMessageTooLong);
      break;
    }
    const double counted = static_cast<double>(message.size()) + 1;
    record->BytesReceived += counted;
    total_bytes_received_ += counted;
    ++handled;
    ProcessMessage(message, slot);
  }
  // A turn's strokes are out before the next connection's turn can change who is in the room.
  relay_.Flush();
  // The counts are shown once per turn: one turn may hold dozens of drawing messages.
  if ((record = Record(slot)) != nullptr) {
    view_.UpdateConnectionRow(id, "", "", record->BytesReceived);
  }
  view_.UpdateConnectionRow(0, "", "", total_bytes_received_);
  if (!record) return;
  if (record->probing_slot > 0) {
    // What the login sends meanwhile waits in the network until the holder has been asked.
    if (!record->reading_paused) transport_.PauseReading(slot, true);
    record->reading_paused = true;
    return;
  }
  if (more) {
    // The rest waits for the next turn, and the network holds what the peer sends meanwhile.
    if (!record->reading_paused) transport_.PauseReading(slot, true);
    record->reading_paused = true;
    if (!record->queued_for_turn) backlog_.push_back(slot);
    record->queued_for_turn = true;
    if (!backlog_scheduled_) {
      backlog_scheduled_ = true;
      scheduler_.SingleShot(0, [this] { ServeBacklog(); });
    }
  } else if (record->reading_paused) {
    record->reading_paused = false;
    transport_.PauseReading(slot, false);
  }
}

void RoomServer::ServeBacklog() {
  EventScope scope(this);
  backlog_scheduled_ = false;
  // One turn for each connection that was waiting; those with more queue again behind them.
  std::deque<int> turn = std::exchange(backlog_, {});
  for (const int slot : turn) {
    ConnectionRecord* record = Record(slot);
    if (!record) continue;
    record->queued_for_turn = false;
    ServeReceived(slot, true);
  }
}

void RoomServer::OnClosed(int slot) {
  EventScope scope(this);
  // What the peer sent before it closed is still handled, in order, however much it is.
  ServeReceived(slot, false);
  CloseConnection(slot, CloseReason::kPeerClosed);
}

void RoomServer::OnSocketError(int slot, int number, const std::string& description) {
  EventScope scope(this);
  LogConnection("Sockets_Error(Index=" + NumberText(slot) + ") = " + NumberText(number) + ": " +
                    description + ".",
                kIconError);
  game_->OnSocketError();
  statistics_.Increment(Stat::SocketErrors);
}

// --- Sending -------------------------------------------------------------------------------------

bool RoomServer::SendMessage(int slot, std::string_view command, std::string_view data) {
  ConnectionRecord* record = Record(slot);
  return record && SendFramed(*record, protocol::Frame(command, data), true, KindOf(command));
}

void RoomServer::Broadcast(std::string_view command, std::string_view data, int except_slot) {
  const std::string framed = protocol::Frame(command, data);
  const MessageKind kind = KindOf(command);
  // A failed send closes that connection only; the others still get the message.
  ForEachReceiver(except_slot,
                  [&](ConnectionRecord& record) { SendFramed(record, framed, false, kind); });
}

bool RoomServer::SendFramed(ConnectionRecord& record, std::string_view framed, bool log_error,
                            MessageKind kind, uint64_t messages) {
  // Strokes relayed before this message go out before it.
  if (relay_.Pending()) relay_.Flush();
  if (record.send_failed) return false;
  return CheckSent(record, transport_.Send(record.SlotIndex, framed), log_error, kind,
                   framed.size(), messages);
}

bool RoomServer::CheckSent(ConnectionRecord& record, const SendResult& result, bool log_error,
                           MessageKind kind, size_t bytes, uint64_t messages) {
  const int slot = record.SlotIndex;
  if (!result.ok) {
    if (log_error) {
      LogConnection("SendDATA(Index=" + NumberText(slot) + ") error - " + NumberText(result.error) +
                        ": " + result.description + ".",
                    kIconError);
    }
    CloseAfterEvent(record, CloseReason::kSendFailed);
    return false;
  }
  counters_.Sent(kind, bytes, messages);
  if (result.queued > kMaxSendQueue) {
    record.LeaveReason = protocol::RoomText("Send queue exceeded");
    CloseAfterEvent(record, CloseReason::kSendQueueExceeded);
    return false;
  }
  return true;
}

void RoomServer::CloseAfterEvent(ConnectionRecord& record, CloseReason reason) {
  record.send_failed = true;
  if (event_depth_ == 0) {
    CloseConnection(record.SlotIndex, reason);
  } else {
    pending_closes_.emplace_back(record.SlotIndex, reason);
  }
}

void RoomServer::ClosePendingConnections() {
  // Closing announces the departure, and that broadcast may fail for others in turn.
  while (!pending_closes_.empty()) {
    const auto [slot, reason] = pending_closes_.front();
    pending_closes_.erase(pending_closes_.begin());
    CloseConnection(slot, reason);
  }
}

// --- Closing -------------------------------------------------------------------------------------

void RoomServer::CloseConnection(int slot, CloseReason why) {
  if (slot == 0) return;
  // The strokes relayed so far reach this connection too, before it goes.
  relay_.Flush();
  const auto it = connections_.find(slot);
  if (it == connections_.end()) return;
  std::unique_ptr<ConnectionRecord> record = std::move(it->second);
  connections_.erase(it);
  counters_.Closed(record->kicked ? CloseReason::kKicked : why);

  // An abuser's further bytes are not worth reading: it is reset once its last message is out.
  if (why == CloseReason::kFlooding || why == CloseReason::kDrawingFlood ||
      why == CloseReason::kProtocolError || why == CloseReason::kMessageTooLong) {
    transport_.Abort(slot);
  } else {
    transport_.Close(slot);
  }
  record->ping_timer->Stop();
  if (record->login_timer) record->login_timer->Stop();

  const int32_t id = record->Id;
  const std::string reason =
      record->LeaveReason.empty() ? "Server closed connection" : record->LeaveReason;
  const bool was_artist = id == game_->ArtistId();
  const bool announce = record->entered_room && !record->part_announced;
  const std::string line =
      record->row_name + "'s (" + record->address + ") connection has been closed: " + reason + ".";
  if (why == CloseReason::kMadeWay || (record->probed && record->State == StateNew)) {
    // Logged as it made way; or a probe that did nothing else, which comes every minute from
    // the tracker: counted, not logged.
  } else if (record->attempt_refused || why == CloseReason::kFlooding ||
             why == CloseReason::kDrawingFlood || why == CloseReason::kLoginTimeout) {
    // A peer retrying in a loop writes a line a minute.
    refusal_log_.Note(record->address, reason, line);
  } else {
    LogConnection(line, kIconInfo);
  }
  view_.RemoveConnectionRow(id);
  // The record may still be in use by the handler that led here; it goes when the event ends.
  ConnectionRecord& leaver = *record;
  retired_.push_back(std::move(record));

  if (announce) Broadcast(to_client::PART, NumberText(id) + protocol::kFieldSep + reason, -1);
  HandOverAdmin(leaver);
  game_->OnPlayerGone(leaver, was_artist);
}

void RoomServer::HandOverAdmin(ConnectionRecord& leaver) {
  if (!leaver.IsAdmin) return;
  leaver.IsAdmin = false;
  ConnectionRecord* longest = nullptr;
  for (auto& [slot, record] : connections_) {
    if (record.get() == &leaver || record->State != StateInRoom) continue;
    if (!longest || record->entry_order < longest->entry_order) longest = record.get();
  }
  // The last player gone: the next one to find itself alone claims the role.
  if (!longest) return;
  longest->IsAdmin = true;
  Broadcast(to_client::ADMIN,
            NumberText(longest->Id) + protocol::kFieldSep +
                protocol::FirstChars(longest->Nickname, protocol::kShownNicknameLength),
            -1);
}

void RoomServer::RestartPingTimer(int slot, int interval_ms) {
  if (ConnectionRecord* record = Record(slot)) record->ping_timer->Start(interval_ms);
}

void RoomServer::OnPingTimer(int slot) {
  ConnectionRecord* record = Record(slot);
  if (!record) return;
  if (record->PingPending) {
    record->LeaveReason = protocol::RoomText("Ping timeout");
    CloseConnection(slot, CloseReason::kPingTimeout);
    statistics_.Increment(Stat::PingTimeouts);
    return;
  }
  RestartPingTimer(slot, settings_.PingTimeout);
  record->PingPending = true;
  SendMessage(slot, to_client::PING, protocol::kNoData);
}

// --- Shutdown ------------------------------------------------------------------------------------

RoomServer::QuitResult RoomServer::Quit(bool confirmed) {
  EventScope scope(this);
  return quit_.Quit(confirmed, game_->IsRunning());
}

void RoomServer::EndTrackerWait(bool finish) {
  quit_.EndTrackerWait(finish);
}

// --- The picture ---------------------------------------------------------------------------------

void RoomServer::ClearPicture(bool tools_reset) {
  relay_.ClearPicture(tools_reset);
}

// --- Operator's view -----------------------------------------------------------------------------

void RoomServer::UpdateConnectionRow(int slot, const std::string& name, const std::string& status) {
  ConnectionRecord* record = Record(slot);
  if (!record) return;
  if (!name.empty()) record->row_name = name;
  view_.UpdateConnectionRow(record->Id, name, status, -1);
}

namespace {

// Peer text reaches the logs inside these lines: one message must not flood them. "\x85" is
// the ellipsis in the 8-bit text the logs hold.
std::string LogLine(const std::string& text) {
  if (text.size() <= RoomServer::kMaxLogLine) return text;
  return protocol::FirstChars(text, RoomServer::kMaxLogLine) + "\x85";
}

}  // namespace

void RoomServer::LogConnection(const std::string& text, int icon) {
  view_.Log(LogKind::kConnections, LogLine(text), icon);
}

void RoomServer::LogChat(const std::string& text, int icon) {
  view_.Log(LogKind::kChat, LogLine(text), icon);
}

void RoomServer::LogGeneral(const std::string& text, int icon) {
  view_.Log(LogKind::kGeneral, LogLine(text), icon);
}

void RoomServer::SetStatusMessage(const std::string& text, int icon) {
  view_.SetStatusMessage(text, icon);
}

}  // namespace server
