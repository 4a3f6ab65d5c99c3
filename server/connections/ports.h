// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/scheduling.h"

// What the room server's core needs from the world outside it. The Qt shell implements these
// with sockets, timers and widgets; the tests implement them with fakes.
namespace server {

struct SendResult {
  bool ok = true;
  int error = 0;
  std::string description;
  size_t queued = 0;  // bytes now waiting for the slot's peer, these included
};

struct ListenResult {
  bool ok = true;
  bool address_in_use = false;
  int error = 0;
  std::string description;
};

// The sockets: slot 0 is the listening socket, every accepted connection has its own slot.
class Transport {
 public:
  virtual ~Transport() = default;
  // Opens (or reopens) the listening socket on the port.
  virtual ListenResult Listen(int port) = 0;
  // Closes the listening socket; open connections stay.
  virtual void StopListening() = 0;
  // Queues the bytes for the slot's peer.
  virtual SendResult Send(int slot, std::string_view bytes) = 0;
  // Queues bytes that many slots are sent (a late joiner's picture): each queue holds a
  // reference to them, not a copy.
  virtual SendResult SendShared(int slot, std::shared_ptr<const std::string> bytes) = 0;
  // Bytes queued for the slot and not yet taken by the network.
  virtual size_t QueuedBytes(int slot) const = 0;
  // Writes out what is queued, then closes. No close event is reported for this slot later.
  virtual void Close(int slot) = 0;
  // Closes a peer that abused the room: nothing more is read from it, and once what is queued
  // is written the connection is reset rather than given time to close. No close event follows.
  virtual void Abort(int slot) = 0;
  // Stops (or resumes) taking data from the slot's peer: a connection with a backlog of
  // messages is read again once they are handled, so what it sends waits in the network.
  virtual void PauseReading(int slot, bool paused) = 0;
  // Closes every connection, letting each write out what is queued, then calls done: the last
  // step of a quit.
  virtual void CloseAllThen(std::function<void()> done) = 0;
  virtual std::string LocalHostName() const = 0;
  virtual std::string LocalAddress() const = 0;
};

// Where a transport delivers what happens on its connections: a room, or a host of many rooms
// that passes each connection on to the room it names.
class ConnectionSink {
 public:
  // What becomes of a connection request: a new slot, or a refusal (slot 0) whose bytes the
  // transport writes before it closes the connection. A refused request gets no slot at all.
  struct Admission {
    int slot = 0;
    std::string refusal;
  };
  virtual ~ConnectionSink() = default;
  virtual Admission OnConnectionRequest(const std::string& address) = 0;
  virtual void OnData(int slot, std::string_view bytes) = 0;
  // The peer closed the connection.
  virtual void OnClosed(int slot) = 0;
  virtual void OnSocketError(int slot, int number, const std::string& description) = 0;
};

using scrawlbox::Random;
using scrawlbox::Scheduler;
using scrawlbox::Timer;

enum class LogKind { kConnections, kChat, kGeneral };

// Icon numbers of the log entries and status messages.
inline constexpr int kIconNone = 0;
inline constexpr int kIconInfo = 1;
inline constexpr int kIconWarning = 3;
inline constexpr int kIconError = 4;

// Master socket states shown in the status bar.
inline constexpr int kMasterUndefined = 0;
inline constexpr int kMasterOpening = 1;
inline constexpr int kMasterListening = 2;
inline constexpr int kMasterDeny = 3;
inline constexpr int kMasterOffline = 4;
inline constexpr int kMasterError = 9;

// What the operator sees: the logs, the status bar and the connection list. The master row of
// the connection list has the id 0, which no user ever has.
class ServerView {
 public:
  virtual ~ServerView() = default;
  virtual void Log(LogKind kind, const std::string& text, int icon) = 0;
  virtual void SetStatusMessage(const std::string& text, int icon) = 0;
  virtual void SetMasterState(int state) = 0;
  virtual void AddConnectionRow(int slot, int32_t id, const std::string& address,
                                const std::string& name, const std::string& status) = 0;
  // An empty name or status, or bytes of -1, leave that column as it is.
  virtual void UpdateConnectionRow(int32_t id, const std::string& name, const std::string& status,
                                   double bytes) = 0;
  virtual void RemoveConnectionRow(int32_t id) = 0;
  // The shutdown sequence has told everyone; the program may end now.
  virtual void QuitFinished() = 0;
  // Something the operator must see now: a message box with the icon where there is a window.
  virtual void ShowMessage(int icon, const std::string& title, const std::string& text) = 0;
  // A newer version exists: the window asks whether to open the download page.
  virtual void OfferDownload(const std::string& title, const std::string& text,
                             const std::string& url) = 0;
};

// What stands between the operator's quit and the end of the program: a room listed with the
// tracker is removed first.
class QuitGate {
 public:
  enum class Decision {
    kProceed,         // tell everyone and end
    kStayOpen,        // stop here; the operator was told why
    kWaitForTracker,  // tell everyone, but stay open until the tracker has answered
  };
  virtual ~QuitGate() = default;
  virtual Decision BeforeQuit() = 0;
};

// Whether an address may not enter the room.
class BanCheck {
 public:
  virtual ~BanCheck() = default;
  virtual bool IsBanned(const std::string& address) = 0;
};

// The players' votes to kick one of them, and the addresses they voted out.
class VoteKickHooks {
 public:
  virtual ~VoteKickHooks() = default;
  // A VOTEKICK from a player in the room.
  virtual void OnVoteKick(int slot, const std::string& data) = 0;
  // What a login from the address is told while the room keeps it out; empty when it may enter.
  virtual std::string ReturnRefusal(const std::string& address) = 0;
};

}  // namespace server
