// SPDX-License-Identifier: MIT
#include "server/connections/room_server.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "protocol/limits.h"
#include "protocol/numbers.h"

namespace server {

using protocol::NumberText;
namespace to_client = protocol::to_client;

namespace {

// Typed chat goes out under the same command words it comes in with.
MessageKind KindOf(std::string_view command) {
  return command == to_client::SAY || command == to_client::USERACTION ? MessageKind::kChat
                                                                       : MessageKind::kControl;
}

// The messages in a run of framed ones: a piece of the picture ends each with the terminator.
uint64_t MessagesIn(std::string_view framed) {
  return static_cast<uint64_t>(std::count(framed.begin(), framed.end(), protocol::kMessageEnd));
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
      deny_message_(settings_.DenyMessage) {}

RoomServer::~RoomServer() = default;

RoomServer::EventScope::~EventScope() {
  if (server_->event_depth_ == 1) {
    server_->FlushRelay();
    server_->ClosePendingConnections();
  }
  if (--server_->event_depth_ == 0) server_->retired_.clear();
}

void RoomServer::SetGame(GameHooks* game) {
  game_ = game ? game : &no_game_;
}

void RoomServer::SetBanCheck(BanCheck* bans) {
  bans_ = bans;
}

void RoomServer::Start() {
  EventScope scope(this);
  InitialiseMasterSocket();
  statistics_.Increment(Stat::ServerLaunches);
}

void RoomServer::InitialiseMasterSocket() {
  view_.SetMasterState(kMasterOpening);
  listening_port_ = settings_.PortNumber();
  if (!OpenListeningSocket(listening_port_)) return;
  view_.AddConnectionRow(0, 0, transport_.LocalAddress(),
                         "Master Socket - " + transport_.LocalHostName(),
                         "Listening for connections..");
  const std::string ready = "Master socket ready and waiting for incoming connections on port " +
                            NumberText(listening_port_) + " ..";
  SetStatusMessage(ready, kIconInfo);
  LogConnection(ready, kIconInfo);
  view_.SetMasterState(kMasterListening);
}

bool RoomServer::OpenListeningSocket(int port) {
  ListenResult result;
  if (port == 0) {
    result = ListenResult{false, false, EINVAL, "\"" + settings_.Port + "\" is not a port number"};
  } else {
    result = transport_.Listen(port);
  }
  listening_ = result.ok;
  if (!result.ok) {
    const std::string text = result.address_in_use
                                 ? "Error creating listening port. Port " + NumberText(port) +
                                       " is already in-use by another application."
                                 : "Error while creating listening socket. Error: [" +
                                       NumberText(result.error) + "] - " + result.description;
    view_.SetMasterState(kMasterError);
    LogConnection("InitialiseMasterSocket() Error - " + NumberText(result.error) + ": " +
                      result.description + ".",
                  kIconError);
    SetStatusMessage(text, kIconError);
  }
  return result.ok;
}

bool RoomServer::Relisten() {
  transport_.StopListening();
  return OpenListeningSocket(listening_port_);
}

void RoomServer::StopListening() {
  transport_.StopListening();
  listening_ = false;
}

void RoomServer::SetDenyMessage(const std::string& message) {
  deny_message_ = message;
  ini_.INIWrite(kServerDetailsSection, "Deny Message", message);
}

void RoomServer::ReloadSettings() {
  settings_ = LoadSettings(ini_);
  SetStatusMessage("Server details and settings reloaded.", kIconInfo);
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
  EventScope scope(this);
  statistics_.Increment(Stat::AttemptedConnections);
  // The address's own limit first: a newcomer that is refused anyway takes nobody's place.
  if (settings_.MaxConnectionsPerAddress > 0) {
    const int from_address = static_cast<int>(
        std::count_if(connections_.begin(), connections_.end(),
                      [&address](const auto& entry) { return entry.second->address == address; }));
    if (from_address >= settings_.MaxConnectionsPerAddress) {
      ++counters_.refused[static_cast<size_t>(Refusal::kAddressLimit)];
      return Refuse(address, "Too many connections", "Too many connections from your address.",
                    "A connection from " + address + " was refused: " + NumberText(from_address) +
                        " connections from that address are open.");
    }
  }
  if (settings_.MaxConnections > 0 && ConnectionCount() >= settings_.MaxConnections &&
      !MakeWay(address)) {
    ++counters_.refused[static_cast<size_t>(Refusal::kRoomFull)];
    return Refuse("", "The room is full", "The room is full.",
                  "A connection from " + address + " was refused: the room is full.");
  }
  const int slot = ++last_slot_;
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
  // Idle connections must not hold the room: the greeting comes within a few seconds, the
  // rest of the login within the longer deadline.
  const int handshake_s = settings_.HandshakeTimeout;
  const int login_s = settings_.LoginTimeout;
  const int first_deadline_s = handshake_s > 0 && login_s > 0 ? std::min(handshake_s, login_s)
                                                              : std::max(handshake_s, login_s);
  if (first_deadline_s > 0) {
    record->login_timer = scheduler_.CreateTimer([this, slot] {
      EventScope tick_scope(this);
      OnLoginTimeout(slot);
    });
    record->login_timer->Start(first_deadline_s * 1000);
  }
  const int32_t id = record->Id;
  connections_.emplace(slot, std::move(record));
  ++counters_.accepted;
  view_.AddConnectionRow(slot, id, address, "Unknown User", "Connecting...");
  return Admission{slot, {}};
}

RoomServer::Admission RoomServer::Refuse(const std::string& key, const std::string& reason,
                                         const std::string& text, const std::string& log) {
  refusal_log_.Note(key, reason, log);
  Admission refused{0, protocol::Frame(to_client::NOTICE, text)};
  counters_.Sent(MessageKind::kControl, refused.refusal.size());
  return refused;
}

bool RoomServer::MakeWay(const std::string& newcomer) {
  // Slots only grow, so the first unfinished login in slot order is the oldest.
  ConnectionRecord* oldest =
      FindConnection([](const ConnectionRecord& record) { return !record.entered_room; });
  if (!oldest) return false;
  refusal_log_.Note("", "Closed to make way for a newcomer",
                    oldest->row_name + "'s (" + oldest->address +
                        ") connection has been closed to make way for a newcomer (" + newcomer +
                        "): the room is full.");
  oldest->LeaveReason = "Made way for a newcomer";
  CloseConnection(oldest->SlotIndex, CloseReason::kMadeWay);
  return true;
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
      record->LeaveReason = "Message too long";
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
  FlushRelay();
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
  if (!relay_batch_.empty()) FlushRelay();
  if (record.send_failed) return false;
  return CheckSent(record, transport_.Send(record.SlotIndex, framed), log_error, kind,
                   framed.size(), messages);
}

bool RoomServer::SendPiece(ConnectionRecord& record, const PictureLog::Chunk& piece) {
  if (!relay_batch_.empty()) FlushRelay();
  if (record.send_failed) return false;
  return CheckSent(record, transport_.SendShared(record.SlotIndex, piece.bytes), false,
                   MessageKind::kDrawing, piece.bytes->size(), piece.messages);
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
    record.LeaveReason = "Send queue exceeded";
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

// --- The picture ---------------------------------------------------------------------------

void RoomServer::BroadcastDrawing(std::string_view framed, int except_slot) {
  // An artist's strokes come in runs: each run goes to every receiver as one piece (see
  // FlushRelay), which costs a receiver one send per run rather than one per stroke.
  if (!relay_batch_.empty() && relay_except_ != except_slot) FlushRelay();
  relay_except_ = except_slot;
  relay_batch_.append(framed);
  ++relay_messages_;
  if (relay_batch_.size() >= kRelayBatchBytes) FlushRelay();
}

void RoomServer::FlushRelay() {
  if (relay_batch_.empty()) return;
  // The batch is taken first: the sends below must not flush it again.
  relay_sending_.swap(relay_batch_);
  relay_batch_.clear();
  const std::string_view framed = relay_sending_;
  const uint64_t messages = std::exchange(relay_messages_, 0);
  ForEachReceiver(relay_except_, [&](ConnectionRecord& record) {
    if (!record.picture_stream) {
      SendFramed(record, framed, false, MessageKind::kDrawing, messages);
      return;
    }
    // A joiner still waiting for its turn is sent these strokes in the picture.
    if (!record.picture_stream->started) return;
    std::string& meanwhile = record.picture_stream->drawn_meanwhile;
    if (meanwhile.size() + framed.size() > kMaxSendQueue) {
      // A joiner that takes the picture this slowly is a reader that stopped reading.
      record.LeaveReason = "Send queue exceeded";
      CloseAfterEvent(record, CloseReason::kSendQueueExceeded);
      return;
    }
    meanwhile.append(framed);
  });
  relay_sending_.clear();
}

void RoomServer::ClearPicture(bool tools_reset) {
  // What was drawn before the clear reaches the pads before it, as it always did.
  FlushRelay();
  picture_.Clear(tools_reset);
  // The old picture is gone from every pad: a joiner being sent it stops here, and one still
  // waiting will be sent the new one.
  ForEachConnection([](ConnectionRecord& record) {
    if (record.picture_stream && record.picture_stream->started) record.picture_stream.reset();
  });
}

void RoomServer::SendPicture(int slot) {
  ConnectionRecord* record = Record(slot);
  if (!record || picture_.size() == 0) return;
  record->picture_stream = std::make_unique<ConnectionRecord::PictureStream>();
  picture_waiting_.push_back(slot);
  FeedPictures();
}

void RoomServer::FeedPictures() {
  // A waiting joiner's picture is taken from the log when its turn comes: strokes still
  // waiting to be relayed are in the log already and must not reach it twice.
  FlushRelay();
  const auto fed = [this](int slot) {
    const ConnectionRecord* record = Record(slot);
    return record && record->picture_stream && !record->send_failed;
  };
  for (bool moved = true; moved;) {
    moved = false;
    while (picture_fed_.size() < kPictureFeeds && !picture_waiting_.empty()) {
      const int slot = picture_waiting_.front();
      picture_waiting_.pop_front();
      if (!fed(slot)) continue;
      ConnectionRecord& record = *Record(slot);
      record.picture_stream->started = true;
      if (picture_.overflowed()) {
        record.picture_stream.reset();
        SendMessage(slot, to_client::NOTICE,
                    "The picture is too large to send; it will appear with the next round.");
        const std::string tools = picture_.ToolState();
        if (!tools.empty()) {
          SendFramed(record, tools, false, MessageKind::kDrawing, MessagesIn(tools));
        }
        continue;
      }
      for (PictureLog::Chunk& chunk : picture_.Snapshot()) {
        record.picture_stream->chunks.push_back(std::move(chunk));
      }
      picture_fed_.push_back(slot);
    }
    for (const int slot : std::vector<int>(picture_fed_)) {
      if (!FeedPicture(slot)) moved = true;
    }
    std::erase_if(picture_fed_, [&](int slot) { return !fed(slot); });
    moved = moved && !picture_waiting_.empty();
  }
  if (picture_fed_.empty() || picture_feed_scheduled_) return;
  picture_feed_scheduled_ = true;
  scheduler_.SingleShot(kPictureRetryMs, [this] {
    EventScope later(this);
    picture_feed_scheduled_ = false;
    FeedPictures();
  });
}

bool RoomServer::FeedPicture(int slot) {
  ConnectionRecord* record = Record(slot);
  if (!record || !record->picture_stream || record->send_failed) return false;
  auto& stream = *record->picture_stream;
  // The picture goes through the same send queue as everything else, a piece at a time while
  // the queue is short, so that a large one neither floods the queue nor delays the others.
  while (!stream.chunks.empty() && transport_.QueuedBytes(slot) < kPictureFeedBelow) {
    const PictureLog::Chunk piece = std::move(stream.chunks.front());
    stream.chunks.pop_front();
    if (!SendPiece(*record, piece)) return false;
  }
  if (!stream.chunks.empty()) return true;
  const std::string meanwhile = std::move(stream.drawn_meanwhile);
  record->picture_stream.reset();
  if (!meanwhile.empty()) {
    SendFramed(*record, meanwhile, false, MessageKind::kDrawing, MessagesIn(meanwhile));
  }
  return false;
}

// --- Closing -------------------------------------------------------------------------------------

void RoomServer::CloseConnection(int slot, CloseReason why) {
  if (slot == 0) return;
  // The strokes relayed so far reach this connection too, before it goes.
  FlushRelay();
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

void RoomServer::OnLoginTimeout(int slot) {
  ConnectionRecord* record = Record(slot);
  if (!record || record->entered_room) return;
  record->LeaveReason = record->State == StateNew ? "Handshake timed out" : "Login timed out";
  CloseConnection(slot, CloseReason::kLoginTimeout);
}

void RoomServer::OnPingTimer(int slot) {
  ConnectionRecord* record = Record(slot);
  if (!record) return;
  if (record->PingPending) {
    record->LeaveReason = "Ping timeout";
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
  switch (quit_stage_) {
    case QuitStage::kRunning:
      break;
    case QuitStage::kHeldOpen:
      // The operator has read why the tracker failed; the players were told already.
      FinishQuit();
      return QuitResult::kQuitting;
    case QuitStage::kGameGrace:
    case QuitStage::kWaitingForTracker:
    case QuitStage::kFinished:
      return QuitResult::kQuitting;
  }
  const bool game_running = game_->IsRunning();
  if (game_running && !confirmed) return QuitResult::kNeedsConfirmation;
  if (game_running) {
    // Give the game's last messages a moment to go out before everyone is told to leave.
    quit_stage_ = QuitStage::kGameGrace;
    scheduler_.SingleShot(250, [this] {
      EventScope later(this);
      ContinueQuit();
    });
  } else {
    ContinueQuit();
  }
  return QuitResult::kQuitting;
}

void RoomServer::ContinueQuit() {
  const QuitGate::Decision decision =
      quit_gate_ ? quit_gate_->BeforeQuit() : QuitGate::Decision::kProceed;
  switch (decision) {
    case QuitGate::Decision::kProceed:
      FinishQuit();
      return;
    case QuitGate::Decision::kWaitForTracker:
      // Everyone is told now; the program ends once the tracker has let the room go.
      TellEveryoneOfTheQuit();
      quit_stage_ = QuitStage::kWaitingForTracker;
      return;
    case QuitGate::Decision::kStayOpen:
      quit_stage_ = QuitStage::kRunning;
      return;
  }
}

void RoomServer::EndTrackerWait(bool finish) {
  if (quit_stage_ != QuitStage::kWaitingForTracker) return;
  EventScope scope(this);
  if (finish) {
    FinishQuit();
  } else {
    quit_stage_ = QuitStage::kHeldOpen;
  }
}

void RoomServer::TellEveryoneOfTheQuit() {
  Broadcast(to_client::SERVERQUIT, "The server has been shutdown.", -1);
}

void RoomServer::FinishQuit() {
  const bool told =
      quit_stage_ == QuitStage::kWaitingForTracker || quit_stage_ == QuitStage::kHeldOpen;
  if (!told) TellEveryoneOfTheQuit();
  quit_stage_ = QuitStage::kFinished;
  statistics_.Flush();
  view_.QuitFinished();
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
