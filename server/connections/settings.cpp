// SPDX-License-Identifier: MIT
#include "server/connections/settings.h"

#include <algorithm>
#include <cmath>

#include "directory/languages.h"
#include "directory/tracker.h"
#include "inifile/ini_document.h"
#include "protocol/numbers.h"
#include "protocol/text.h"

namespace server {

namespace {

// Seconds as written in the file to milliseconds held within [low, high].
int SecondsToClampedMs(const std::string& text, int low, int high) {
  const double ms = std::nearbyint(protocol::LeadingNumber(text) * 1000.0);
  if (!(ms >= low)) return low;  // also catches NaN
  if (ms > high) return high;
  return static_cast<int>(ms);
}

// A limit as written in the file: negative or not a number is 0 (off), and nothing is larger
// than `high`.
double ReadLimit(const inifile::IniDocument& ini, const char* key, const char* default_value,
                 double high) {
  const double value = inifile::ReadNumber(ini, kServerDetailsSection, key, default_value);
  if (!(value > 0)) return 0;  // also catches NaN
  return std::min(value, high);
}

}  // namespace

int PortNumberOf(const std::string& text) {
  const double port = protocol::LeadingNumber(text);
  if (port < 1 || port > 65535 || port != std::floor(port)) return 0;
  return static_cast<int>(port);
}

int ServerSettings::PortNumber() const {
  return PortNumberOf(Port);
}

ServerSettings LoadSettings(const inifile::IniStore& store) {
  // One reading of the file for all the keys.
  const inifile::IniDocument ini = store.Snapshot();
  const char* s = kServerDetailsSection;
  ServerSettings settings;
  settings.Name = ini.Read(s, "Name", "");
  settings.Description = ini.Read(s, "Description", "");
  settings.AdminName = ini.Read(s, "Admin Name", "");
  settings.AdminEmail = ini.Read(s, "Admin Email", "");
  settings.IPAddress = ini.Read(s, "IP Address", "");
  settings.Website = ini.Read(s, "Website", "http://");
  settings.MOTD = ini.Read(s, "MOTD", "");
  settings.PrivateServer = inifile::ReadBool(ini, s, "Private Server", false);
  settings.ServerPassword = ini.Read(s, "Server Password", "");
  settings.AutoRemoveFromTracker = inifile::ReadBool(ini, s, "Auto-Remove From Tracker", false);
  settings.Port = ini.Read(s, "Port", "2020");
  settings.PingInterval =
      SecondsToClampedMs(ini.Read(s, "Ping", "10"), kMinPingInterval, kMaxPingInterval);
  settings.PingTimeout =
      SecondsToClampedMs(ini.Read(s, "Ping Timeout", "5"), kMinPingTimeout, kMaxPingTimeout);
  settings.DenyMessage = ini.Read(s, "Deny Message", kDefaultDenyMessage);
  settings.FloodBurst = ReadLimit(ini, "Flood Burst", "5", 1e6);
  settings.FloodRate = ReadLimit(ini, "Flood Rate", "2", 1e6);
  settings.DrawingBurst = ReadLimit(ini, "Drawing Burst", "2000", 1e9);
  settings.DrawingRate = ReadLimit(ini, "Drawing Rate", "1000", 1e9);
  settings.MaxConnectionsPerAddress =
      static_cast<int>(ReadLimit(ini, "Max Connections Per Address", "8", 1e6));
  settings.HandshakeTimeout = static_cast<int>(ReadLimit(ini, "Handshake Timeout", "10", 86400));
  settings.LoginTimeout = static_cast<int>(ReadLimit(ini, "Login Timeout", "60", 86400));
  settings.GuessBurst = ReadLimit(ini, "Guess Burst", "5", 1e6);
  settings.GuessRate = ReadLimit(ini, "Guess Rate", "4", 1e6);
  settings.ArtistPoints = static_cast<int>(ReadLimit(ini, "Artist Points", "50", 100));
  settings.MaxConnections = static_cast<int>(ReadLimit(ini, "Max Connections", "1000", 1e6));
  settings.MetricsPort = ini.Read(s, "Metrics Port", "0");
  settings.MetricsAddress = ini.Read(s, "Metrics Address", kDefaultMetricsAddress);
  settings.WebPort = ini.Read(s, "Web Port", "0");
  settings.WebOrigins = ini.Read(s, "Web Origins", "");
  settings.BrowserPlayers = inifile::ReadBool(ini, s, "Browser Players", true);
  settings.TlsCertificate = ini.Read(s, "TLS Certificate", "");
  settings.TlsKey = ini.Read(s, "TLS Key", "");
  settings.TrustedProxies = ini.Read(s, "Trusted Proxies", "");
  settings.WebAddress = ini.Read(s, "Web Address", "");
  settings.VoteKick = inifile::ReadBool(ini, s, "Vote Kick", true);
  settings.TrackerUrl =
      ini.Read(directory::kDirectorySection, "Tracker URL", directory::kDefaultTrackerUrl);
  settings.UpdateUrl =
      ini.Read(directory::kDirectorySection, "Update URL", directory::kDefaultUpdateUrl);
  settings.WordChoices = std::clamp(
      protocol::RoundToInt32(inifile::ReadNumber(ini, s, "Word Choices", "3")), 1, kMaxWordChoices);
  settings.WordChoiceSeconds =
      std::clamp(protocol::RoundToInt32(inifile::ReadNumber(ini, s, "Word Choice Seconds", "15")),
                 kMinWordChoiceSeconds, kMaxWordChoiceSeconds);
  // An operator's "DE" is still German; anything that is no code would only confuse the lists.
  settings.Language = protocol::LowerCase(ini.Read(s, "Language", directory::kDefaultLanguage));
  if (!directory::IsLanguageCode(settings.Language))
    settings.Language = directory::kDefaultLanguage;
  return settings;
}

std::string BrowserPage(const ServerSettings& s, int web_port, std::string_view code) {
  if (web_port == 0 || !s.BrowserPlayers) return {};
  const std::string room = code.empty() ? "" : "r/" + std::string(code);
  if (!s.WebAddress.empty()) {
    if (room.empty()) return s.WebAddress;
    return s.WebAddress + (s.WebAddress.ends_with('/') ? "" : "/") + room;
  }
  const bool ipv6 = s.IPAddress.find(':') != std::string::npos && s.IPAddress.front() != '[';
  return std::string(s.WebTls() ? "https" : "http") + "://" +
         (ipv6 ? "[" + s.IPAddress + "]" : s.IPAddress) + ":" + protocol::NumberText(web_port) +
         "/" + room;
}

ServerDetails CurrentDetails(const ServerSettings& settings, const inifile::IniStore& store) {
  const inifile::IniDocument ini = store.Snapshot();
  ServerDetails details;
  details.Name = settings.Name;
  details.Description = settings.Description;
  details.AdminName = settings.AdminName;
  details.AdminEmail = settings.AdminEmail;
  details.IPAddress = settings.IPAddress;
  details.Website = settings.Website;
  details.MOTD = settings.MOTD;
  details.PrivateServer = inifile::ReadBool(ini, kServerDetailsSection, "Private Server", false);
  details.ServerPassword = settings.ServerPassword;
  details.AutoRemoveFromTracker =
      inifile::ReadBool(ini, kServerDetailsSection, "Auto-Remove From Tracker", false);
  details.Port = settings.Port;
  details.Ping = std::to_string(settings.PingInterval / 1000);
  return details;
}

bool SaveDetails(const ServerDetails& details, inifile::IniStore& ini) {
  return ini.INIWriteAll(
      kServerDetailsSection,
      {{"Name", details.Name},
       {"Description", details.Description},
       {"Admin Name", details.AdminName},
       {"Admin Email", details.AdminEmail},
       {"IP Address", details.IPAddress},
       {"Website", details.Website},
       {"MOTD", details.MOTD},
       {"Private Server", inifile::BoolText(details.PrivateServer)},
       {"Server Password", details.ServerPassword},
       {"Auto-Remove From Tracker", inifile::BoolText(details.AutoRemoveFromTracker)},
       {"Port", details.Port},
       {"Ping", details.Ping}});
}

}  // namespace server
