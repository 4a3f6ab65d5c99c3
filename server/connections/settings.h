// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "inifile/ini_store.h"
#include "protocol/room_text.h"

namespace server {

inline constexpr char kServerDetailsSection[] = "Server Details";
inline constexpr char kDefaultDenyMessage[] =
    "Sorry, the server is currently offline. It will be back on later.";

// Keep-alive bounds in milliseconds: settings outside them are held at the nearer bound.
inline constexpr int kMinPingInterval = 1000;
inline constexpr int kMaxPingInterval = 60000;
inline constexpr int kMinPingTimeout = 1000;
inline constexpr int kMaxPingTimeout = 30000;

inline constexpr char kDefaultMetricsAddress[] = "127.0.0.1";
// What a vote to kick is told by a room that takes none.
inline constexpr char kNoVoteKick[] = SB_TEXT("This room does not take votes to kick.");

// A port number written as text; 0 when the text is none (1-65535, whole).
int PortNumberOf(const std::string& text);

// The oldest client version the room lets in.
inline constexpr double MinClientVersion = 99385;
// The words an artist may be offered, and the seconds it may take to choose.
inline constexpr int kMaxWordChoices = 5;
inline constexpr int kMinWordChoiceSeconds = 5;
inline constexpr int kMaxWordChoiceSeconds = 60;

// The "Server Details" section of Server.ini as the server uses it.
struct ServerSettings {
  std::string Name;
  std::string Description;
  std::string AdminName;
  std::string AdminEmail;
  std::string IPAddress;
  std::string Website = "http://";
  std::string MOTD;
  bool PrivateServer = false;
  std::string ServerPassword;
  bool AutoRemoveFromTracker = false;
  std::string Port = "2020";
  int PingInterval = 10000;
  int PingTimeout = 5000;
  std::string DenyMessage = kDefaultDenyMessage;
  // What one peer may do; 0 turns a limit off. Chat-like lines and drawing messages pass token
  // buckets (a burst, then a rate a second); connections are counted per address and in all.
  double FloodBurst = 5;
  double FloodRate = 2;
  double DrawingBurst = 2000;
  double DrawingRate = 1000;
  int MaxConnectionsPerAddress = 8;
  int HandshakeTimeout = 10;  // seconds to send the client's greeting after connecting
  int LoginTimeout = 60;      // seconds to enter the room
  // Guesses of one address share a bucket; lines over it are chat, not checked against the word.
  double GuessBurst = 5;
  double GuessRate = 4;
  // Percent of each finder's points that the artist also gets, 0: the artist scores nothing.
  int ArtistPoints = 50;
  int MaxConnections = 1000;
  // Prometheus metrics over HTTP: off while the port is 0; on the loopback address unless
  // the operator names another, since the numbers are the operator's and not the players'.
  std::string MetricsPort = "0";
  std::string MetricsAddress = kDefaultMetricsAddress;
  // Browsers: a port that serves the room's page and takes players over WebSocket, off while
  // it is 0; with a certificate and its key (PEM files) it speaks HTTPS and WSS.
  std::string WebPort = "0";
  // Pages whose WebSocket connections are let in, separated by commas or spaces ("*": any);
  // empty: only the room's own page.
  std::string WebOrigins;
  bool BrowserPlayers = true;
  std::string TlsCertificate;
  std::string TlsKey;
  // Proxies in front of the web port, believed when they name their client in X-Forwarded-For.
  std::string TrustedProxies;
  // The page's address as players reach it (behind a proxy, the proxy's); empty: this host's
  // address and the web port.
  std::string WebAddress;
  // Players may vote one of them out of the room.
  bool VoteKick = true;
  // Section "Directory": where the room is registered and where new versions are announced.
  std::string TrackerUrl;
  std::string UpdateUrl;
  // Words offered to an artist whose client can choose (1: the room picks the word, as older
  // rooms do), and the seconds it has to choose before the first is taken.
  int WordChoices = 3;
  int WordChoiceSeconds = 15;
  // The language the room plays in, told to the directory: a lower-case two-letter code.
  std::string Language = "en";

  // The port as the listening socket takes it; 0 when the text is no port number.
  int PortNumber() const;
  int MetricsPortNumber() const { return PortNumberOf(MetricsPort); }
  int WebPortNumber() const { return PortNumberOf(WebPort); }
  // The web port speaks TLS.
  bool WebTls() const { return !TlsCertificate.empty() && !TlsKey.empty(); }
};

// The page browsers play a room on, "" when they may not: the operator's Web Address, or this
// host's address and web_port (an empty host where no IP Address is set, for whoever reads it to
// fill in). A made room's page is its host's /r/CODE.
std::string BrowserPage(const ServerSettings& settings, int web_port, std::string_view code = {});

// Reads every key, with the defaults for missing ones and the keep-alive times clamped.
ServerSettings LoadSettings(const inifile::IniStore& ini);

// What the server details dialog edits. Values are written as typed; clamping happens when
// they are read back.
struct ServerDetails {
  std::string Name;
  std::string Description;
  std::string AdminName;
  std::string AdminEmail;
  std::string IPAddress;
  std::string Website;
  std::string MOTD;
  bool PrivateServer = false;
  std::string ServerPassword;
  bool AutoRemoveFromTracker = false;
  std::string Port;
  std::string Ping;  // seconds
};

// The dialog's starting values: the settings in memory, with the two flags read again from
// the file and the ping interval in whole seconds.
ServerDetails CurrentDetails(const ServerSettings& settings, const inifile::IniStore& ini);
// Writes the dialog's values; returns false when a write failed.
bool SaveDetails(const ServerDetails& details, inifile::IniStore& ini);

}  // namespace server
