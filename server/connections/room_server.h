// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inifile/ini_store.h"
#include "protocol/drawing.h"
#include "server/connections/connection_record.h"
#include "server/connections/drawing_relay.h"
#include "server/connections/entrance.h"
#include "server/connections/game_hooks.h"
#include "server/connections/listening_socket.h"
#include "server/connections/login_guard.h"
#include "server/connections/picture_log.h"
#include "server/connections/ports.h"
#include "server/connections/quit_sequence.h"
#include "server/connections/room_metrics.h"
#include "server/connections/settings.h"
#include "server/connections/statistics.h"
#include "server/connections/user_commands.h"

namespace server {

// The room server's connection layer: the connection table, dispatch of every received message
// with fair turns, sending, keep-alive and closing connections; its parts hold the listening
// socket (ListeningSocket), the login (Entrance), the drawing relay (DrawingRelay), the players'
// commands (UserCommands) and the shutdown sequence (QuitSequence). It is driven by calls from the
// shell (OnConnectionRequest, OnData, OnClosed, OnSocketError, timer ticks) and by the operator,
// and reaches the world only through its ports.
class RoomServer : public ConnectionSink {
 public:
  struct Ports {
    Transport& transport;
    Scheduler& scheduler;
    ServerView& view;
    inifile::IniStore& ini;  // Server.ini
  };

  // A peer that sends more than this without a terminator is closed ("Message too long").
  static constexpr size_t kMaxMessageLength = protocol::ReceiveBuffer::kMaxMessageLength;
  // A peer that leaves more than this unread is closed ("Send queue exceeded").
  static constexpr size_t kMaxSendQueue = 1u << 20;
  // Messages of one connection handled in a row before the others get their turn. A turn costs
  // a pass of the event loop and a write to every receiver, so an artist drawing fast must get
  // a good part of a second's strokes in one; a turn of the cheapest messages to a full room
  // still ends within a few milliseconds.
  static constexpr int kMessagesPerTurn = 1024;
  // A drawing message longer than its fields can ever need is dropped.
  static constexpr size_t kMaxDrawingData = 256;
  // Flood control: a sender over the chat limit is told at most this often, and closed when
  // more than kFloodDropsToClose of its lines were dropped within kFloodDropWindowMs.
  static constexpr int64_t kFloodNoticeMs = 5000;
  static constexpr size_t kFloodDropsToClose = 30;
  static constexpr int64_t kFloodDropWindowMs = 10000;
  // Refused attempts of one address (or of a full room) are logged at most this often.
  static constexpr int64_t kRefusalLogMs = RefusalLog::kIntervalMs;
  // Log lines carry at most this much (peer text included).
  static constexpr size_t kMaxLogLine = 1024;
  // A joiner is sent the picture a piece at a time while its send queue holds less than this,
  // and looks again this often while it holds more. This many joiners are sent it at once; the
  // others wait their turn, so that a rush of joiners neither stalls the room's relay nor
  // holds what was drawn meanwhile once for each of them.
  static constexpr size_t kPictureFeedBelow = kMaxSendQueue / 2;
  static constexpr int kPictureRetryMs = 20;
  static constexpr size_t kPictureFeeds = 8;
  // This many wrong passwords from one address within kPasswordLockMs refuse that address for
  // kPasswordLockMs without comparing (and its network, after several of its addresses).
  static constexpr size_t kMaxPasswordFailures = PasswordLockout::kMaxFailures;
  static constexpr int64_t kPasswordLockMs = PasswordLockout::kLockMs;
  // A player from whom nothing came for longer than the ping interval and this has stopped
  // answering: a live client answers every ping within its round trip.
  static constexpr int64_t kAnswerGraceMs = 1000;
  // How long a login under a nickname its own address holds waits for the holder's answer.
  static constexpr int kGhostProbeMs = 2000;

  // The first user id of a run.
  static constexpr int32_t kFirstUserId = 100000;

  explicit RoomServer(Ports ports);
  ~RoomServer() override;
  RoomServer(const RoomServer&) = delete;
  RoomServer& operator=(const RoomServer&) = delete;

  // Seams for the game and the ban list; without them no game runs and nobody is banned.
  void SetGame(GameHooks* game);
  void SetBanCheck(BanCheck* bans);
  // Without it the room answers every vote to kick that it takes none.
  void SetVoteKick(VoteKickHooks* votes) { votes_ = votes; }
  void SetQuitGate(QuitGate* gate) { quit_.set_gate(gate); }
  // What the program does once the quit is over and the view has been told.
  void OnQuitFinished(std::function<void()> done) { quit_.set_on_finished(std::move(done)); }
  // The key the tracker lists the room under, named in every ISALIVE answer so that the
  // tracker's probe knows which room it reached; without one the answer is "YES" alone.
  void SetRegistrationKey(std::string key) { commands_.SetRegistrationKey(std::move(key)); }

  // Opens the listening socket and counts a launch: what the main window does when it loads.
  void Start();

  // --- Transport events -------------------------------------------------------------------
  // A connection request on the listening socket.
  Admission OnConnectionRequest(const std::string& address) override;
  // A connection a host of many rooms passes on under the slot it gave it; the room then uses
  // no slot numbers of its own.
  Admission Admit(const std::string& address, int slot);
  void OnData(int slot, std::string_view bytes) override;
  void OnClosed(int slot) override;
  void OnSocketError(int slot, int number, const std::string& description) override;

  // --- Operator -----------------------------------------------------------------------------
  void ReloadSettings();
  const ServerSettings& settings() const { return settings_; }
  ServerDetails CurrentDetails() const;
  // Writes the dialog's values and reads the settings again.
  bool SaveDetails(const ServerDetails& details);

  // Whether the room lets newcomers in: Accept, Deny (told the deny message and disconnected at
  // the handshake) or Offline (the listening socket is closed).
  enum ListenState { kListenAccept = 0, kListenDeny = 1, kListenOffline = 2 };
  int listen_state() const { return listen_state_; }
  void set_listen_state(int state) { listen_state_ = state; }
  const std::string& deny_message() const { return deny_message_; }
  // Keeps the message for this run and in Server.ini.
  void SetDenyMessage(const std::string& message);
  // Opens the listening socket again on the port it was opened on at start-up; reports a
  // failure as start-up does. True when listening.
  bool Relisten();
  void StopListening();
  bool listening() const { return listener_.listening(); }

  using QuitResult = server::QuitResult;
  // The shutdown sequence. While a game runs the operator must confirm first (confirmed =
  // true); then everyone in the room gets SERVERQUIT, once, and the view's QuitFinished follows.
  QuitResult Quit(bool confirmed);

  // Where the shutdown sequence stands (see QuitStage).
  using QuitStage = server::QuitStage;
  QuitStage quit_stage() const { return quit_.stage(); }
  // The tracker answered the removal a quit waits for, or the wait is over: the quit finishes,
  // or with finish = false the program stays open until the operator's next quit.
  void EndTrackerWait(bool finish);

  // --- For the game and the administration ----------------------------------------------------
  // Frames and sends to one slot in any login state; false when the slot is not open or the
  // send failed (the slot is then closed when the current event ends).
  bool SendMessage(int slot, std::string_view command, std::string_view data);
  // Sends to every in-room connection but except_slot (-1 excludes nobody). A send that fails
  // closes its connection when the current event ends, never in the middle of a handler.
  void Broadcast(std::string_view command, std::string_view data, int except_slot);
  // The one way a connection ends: tells the others, the logs and the game. The reason is
  // what the metrics count it under.
  void CloseConnection(int slot, CloseReason reason);
  // The admin is leaving the room (or was put out of it): the role goes to the player in the
  // room longest, and everyone is told. Nothing happens when the leaver is not the admin.
  void HandOverAdmin(ConnectionRecord& leaver);
  // Every pad was cleared (by a clear, or by a new game, round or artist): the picture log
  // starts again, and joiners still being sent the old picture stop getting it.
  void ClearPicture(bool tools_reset);
  const PictureLog& picture() const { return relay_.picture(); }

  void RestartPingTimer(int slot, int interval_ms);
  // Shows a new name and status in the slot's row; empty texts leave the column as it is.
  void UpdateConnectionRow(int slot, const std::string& name, const std::string& status);

  // Every command word the dispatcher knows, drawing codes included.
  static std::vector<std::string_view> RoutedCommands();

  // The record of an open slot, or nullptr.
  ConnectionRecord* Record(int slot);
  const ConnectionRecord* Record(int slot) const;
  // The slot of the open connection with this user id, or 0.
  int SlotOfId(double id) const;
  // Open connections, including ones still logging in.
  int ConnectionCount() const { return static_cast<int>(connections_.size()); }
  // Connections in the room.
  int InRoomCount() const;

  // Calls fn(record) for every open connection in ascending slot order. Connections closed by
  // fn, or before fn reaches them, are skipped.
  template <typename Fn>
  void ForEachConnection(Fn&& fn) {
    int slot = 0;
    for (auto it = connections_.upper_bound(slot); it != connections_.end();
         it = connections_.upper_bound(slot)) {
      slot = it->first;
      fn(*it->second);
    }
  }

  // The first open connection in slot order for which pred(record) holds, or nullptr.
  template <typename Pred>
  ConnectionRecord* FindConnection(Pred&& pred) {
    for (auto& [slot, record] : connections_) {
      if (pred(*record)) return record.get();
    }
    return nullptr;
  }

  // Runs work as one event of its own: connections closed during it are released at its end.
  // Timer ticks of other parts of the server go through here.
  template <typename Fn>
  void AsEvent(Fn&& work) {
    EventScope scope(this);
    work();
  }

  ServerStatistics& statistics() { return statistics_; }
  // The counters of this run, for the metrics; the game counts its own there too.
  RoomCounters& counters() { return counters_; }
  const RoomCounters& counters() const { return counters_; }
  // The room's metrics in the Prometheus text format, the gauges read at this moment.
  std::string MetricsText() const;
  ServerView& view() { return view_; }
  void LogConnection(const std::string& text, int icon);
  void LogChat(const std::string& text, int icon);
  void LogGeneral(const std::string& text, int icon);
  void SetStatusMessage(const std::string& text, int icon);

 private:
  // The parts that need more than the public interface: the relay sends through the send path
  // below, the entrance resumes a login's held messages, and both they and the players'
  // commands ask the game.
  friend class DrawingRelay;
  friend class Entrance;
  friend class UserCommands;

  // Keeps records of connections closed during an event alive until the event is over, so that
  // a handler holding a record never holds a dangling one.
  class EventScope {
   public:
    explicit EventScope(RoomServer* server) : server_(server) { ++server_->event_depth_; }
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

   private:
    RoomServer* server_;
  };

  // Calls fn(record) for every connection in the room but except_slot, in slot order. This is
  // every relay's inner loop, so it walks the list directly: fn may only send, and a connection
  // whose send fails closes when the walk is over, never during it.
  template <typename Fn>
  void ForEachReceiver(int except_slot, Fn&& fn) {
    EventScope scope(this);
    for (auto& [slot, record] : connections_) {
      if (slot != except_slot && record->State == StateInRoom) fn(*record);
    }
  }

  using Handler = std::function<void(RoomServer& room, int slot, const std::string& data)>;
  enum class Accept { kAny, kVersionOk, kUserOk, kInRoom, kNever };
  // Which rate limit a command passes before anything looks at it.
  enum class Limit { kNone, kChat, kDrawing };
  struct Route {
    Accept accept;
    bool ignore_blank;
    Handler handler;
    Limit limit = Limit::kNone;
    MessageKind kind = MessageKind::kControl;
  };
  static const std::map<std::string_view, Route>& Routes();

  void ProcessMessage(const std::string& message, int slot);
  // Handles the slot's received messages, at most kMessagesPerTurn when limited; when more are
  // waiting the slot stops reading and queues for another turn.
  void ServeReceived(int slot, bool limited);
  void ServeBacklog();
  // The rate limits; false when the message goes no further (the sender may be closed).
  bool PassesLimit(ConnectionRecord& record, Limit limit, const std::string& data);
  void OnFloodDrop(ConnectionRecord& record);
  void OnPingTimer(int slot);
  void OnGameCommand(int slot, std::string_view command, const std::string& data);
  void OnVoteKick(int slot, const std::string& data);
  void OnDrawing(int slot, protocol::DrawCode code, const std::string& data);

  // Sends framed messages (one, or a run holding `messages`); a failure or an overfull queue
  // closes the connection.
  bool SendFramed(ConnectionRecord& record, std::string_view framed, bool log_error,
                  MessageKind kind, uint64_t messages = 1);
  bool CheckSent(ConnectionRecord& record, const SendResult& result, bool log_error,
                 MessageKind kind, size_t bytes, uint64_t messages);
  // A connection that cannot be written to any more is closed when the current event ends, so
  // that no handler (and no game rule) sees the table change under it.
  void CloseAfterEvent(ConnectionRecord& record, CloseReason reason);
  void ClosePendingConnections();

  Transport& transport_;
  Scheduler& scheduler_;
  ServerView& view_;
  inifile::IniStore& ini_;
  ServerStatistics statistics_;
  RoomCounters counters_;
  std::map<std::string_view, Route>::const_iterator last_route_ = Routes().end();
  ServerSettings settings_;

  NoGame no_game_;
  GameHooks* game_ = &no_game_;
  VoteKickHooks* votes_ = nullptr;

  // Open connections by slot; a closed slot is never used again.
  std::map<int, std::unique_ptr<ConnectionRecord>> connections_;
  std::vector<std::unique_ptr<ConnectionRecord>> retired_;
  std::vector<std::pair<int, CloseReason>> pending_closes_;

  // Slots with messages waiting for another turn, in the order they queued.
  std::deque<int> backlog_;
  bool backlog_scheduled_ = false;
  RefusalLog refusal_log_;

  ListeningSocket listener_;
  DrawingRelay relay_;
  Entrance entrance_;
  UserCommands commands_;
  QuitSequence quit_;

  int event_depth_ = 0;
  int last_slot_ = 0;
  int32_t last_id_ = kFirstUserId - 1;
  double total_bytes_received_ = 0;
  int listen_state_ = kListenAccept;
  std::string deny_message_;
};

}  // namespace server
