// SPDX-License-Identifier: MIT
#pragma once

#include <signal.h>

#include <QByteArray>
#include <QProcess>
#include <QSslCertificate>
#include <QStringList>
#include <QTcpSocket>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "directory/tracker.h"
#include "protocol/framing.h"
#include "protocol/receive_buffer.h"
#include "tests/support/temp_dir.h"

class QWebSocket;

namespace testing_support {

// A command line written as one text, split at its spaces.
inline QStringList Args(const QString& line) {
  return line.split(QLatin1Char(' '));
}

// A free TCP port on loopback, as the system hands one out.
quint16 FreePort();

// A client that speaks the wire protocol by hand over a real socket. Every wait is bounded.
class RawClient {
 public:
  static constexpr int kWaitMs = 5000;

  RawClient();
  ~RawClient();
  bool Connect(quint16 port);
  // Over a WebSocket instead (ws:// or wss://), with the page's Origin when given and the
  // certificate trusted for TLS; the same protocol then travels in binary frames.
  bool ConnectWeb(const QUrl& url, const QString& origin = {},
                  const std::optional<QSslCertificate>& trusted = std::nullopt,
                  const QByteArray& forwarded_for = {});
  // Asks the system to hold at most about this much for the client (before Connect).
  void SetReceiveBuffer(int bytes) {
    socket_.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, bytes);
  }
  void Send(std::string_view command, std::string_view data) {
    SendRaw(protocol::Frame(command, data));
  }
  void SendRaw(std::string_view bytes);
  // Skips messages until one with this command arrives (answering pings), or nothing when none
  // came within the time.
  std::optional<protocol::Message> WaitFor(std::string_view command, int timeout_ms = kWaitMs);
  // Whether the server closes the connection within the time; messages are read and dropped.
  bool WaitClosed();
  // Waits for the room's goodbye and hangs up, as a client does: the room then ends at once
  // rather than after the grace it gives a peer that stays.
  bool HangUpOnQuit();
  // Connects and runs the whole login; the user id the server gave (empty when it failed).
  std::string Join(quint16 port, const std::string& nickname);
  // The login alone, over a connection already made (TCP or ConnectWeb's WebSocket).
  std::string JoinConnected(const std::string& nickname);
  // Why the WebSocket was closed, once it was.
  QString CloseReason() const;

 private:
  // Waits at most ms for bytes; false when none came.
  bool ReadMore(int ms);

  QTcpSocket socket_;
  std::unique_ptr<QWebSocket> web_;
  QByteArray web_in_;
  protocol::ReceiveBuffer buffer_;
};

// One of the programs under test, with a port and a Data folder of its own. Its output and
// errors are read as one text, so that a wait sees whatever the program says last; a program
// still running when the test ends is killed, so that no test leaves one behind.
class ChildProcess {
 public:
  static constexpr int kWaitMs = 10000;

  // Reads the output until it holds the text, the time runs out or the program ends; whether
  // the text came.
  bool WaitForOutput(const QString& text, int timeout_ms = kWaitMs);
  void Terminate() { process_.terminate(); }
  void Signal(int number) { ::kill(static_cast<pid_t>(process_.processId()), number); }
  // SIGKILL: the program gets no chance to finish what it is doing.
  void Kill() {
    process_.kill();
    WaitForExit();
  }
  // Waits for the end; the exit code, or -1 when it did not end in time or crashed.
  int WaitForExit(int timeout_ms = kWaitMs);
  bool Running() const { return process_.state() != QProcess::NotRunning; }

  quint16 port() const { return port_; }
  const QString& output() const { return output_; }
  const TempDir& dir() const { return dir_; }

  // Added to the command line; an option given again here wins over the one the class gives.
  QStringList arguments;

 protected:
  explicit ChildProcess(quint16 port);
  ~ChildProcess() {
    if (Running()) Kill();
  }

  // Starts the program (again, once it has ended) with its Data folder and the arguments, and
  // waits until the output of this run holds the text.
  bool Launch(const QString& program, QStringList fixed, const QString& ready_text);

  QProcess process_;

 private:
  TempDir dir_;
  quint16 port_;
  QString output_;
};

// scrawlbox-server --headless.
class ServerProcess : public ChildProcess {
 public:
  // Writes Server.ini with its port and the given "Server Details" lines.
  explicit ServerProcess(const std::string& details = "");

  bool Start(const QString& ready_text = QStringLiteral("Master socket ready"));
  // Types an operator command on the console.
  void Command(const std::string& line);
  // The key the room names in its ISALIVE answer, which a tracker's probe checks against the
  // listing's; empty when it gives none.
  std::string ListingKey();

  // What the program's standard input is: a pipe the test types into, /dev/null (as under
  // systemd), or no descriptor at all.
  enum class Input { kPipe, kNull, kClosed };
  Input input = Input::kPipe;
};

// scrawlbox-tracker on a free port, probing too rarely to probe during a test unless the
// arguments ask for --probe-seconds.
class TrackerProcess : public ChildProcess {
 public:
  static constexpr char kPath[] = "/misc/scrawlbox/tracker.php";

  explicit TrackerProcess(QStringList extra = {}) : ChildProcess(FreePort()) { arguments = extra; }
  bool Start();
  // "http://127.0.0.1:<port>" followed by the path.
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port()) + kPath; }
};

// One GET through the programs' own HTTP getter, waited for in a local event loop.
// sent, when given, is told whether the request reached the host and went out.
directory::HttpResult Fetch(const std::string& url, int timeout_ms = directory::kRequestTimeoutMs,
                            bool* sent = nullptr);
// The tracker's reply body to a query (through Fetch); empty when the request failed.
inline std::string Ask(const TrackerProcess& tracker, const std::string& query) {
  return Fetch(tracker.Url() + "?" + query).body;
}
// What a peer that sends the bytes on a fresh connection from the source address reads until
// the other end closes it, and whether that end was a reset rather than an orderly close.
struct Ending {
  std::string read;
  bool reset = false;
};
Ending RawExchange(quint16 port, const std::string& bytes, const char* source = "127.0.0.1");
// An ADD for a room at 127.0.0.1, named after its key unless a name is given.
std::string AddQuery(const std::string& key, int port, const std::string& name = "");
// The names of the rooms VIEW lists, without the browser's row for none.
std::vector<std::string> RoomNames(const TrackerProcess& tracker);

// The body of a GET of /metrics; empty when it failed.
inline std::string Scrape(quint16 port) {
  return Fetch("http://127.0.0.1:" + std::to_string(port) + "/metrics").body;
}
// The value of one series ("name" or "name{labels}") in a scrape, or -1 when it lacks it.
double MetricValue(const std::string& scrape, const std::string& series);
// promtool's verdict on a scrape: empty when it accepts it, else what it said.
std::string PromtoolComplaints(const std::string& scrape);

}  // namespace testing_support
