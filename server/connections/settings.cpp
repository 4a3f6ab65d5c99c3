// SPDX-License-Identifier: MIT
#include "server/connections/settings.h"

#include <algorithm>
#include <cmath>

#include "directory/tracker.h"
#include "protocol/numbers.h"

namespace server {

namespace {

// Seconds as written in the file to milliseconds held within [low, high].
int SecondsToClampedMs(const std::string& text, int low, int high) {
  const double ms = std::nearbyint(protocol::LeadingNumber(text) * 1000.0);
  if (!(ms >= low)) return low;  // also catches NaN
  if (ms > high) return high;
  return static_cast<int>(ms);
}

}  // namespace

int ServerSettings::PortNumber() const {
  const double port = protocol::LeadingNumber(Port);
  if (port < 1 || port > 65535 || port != std::floor(port)) return 0;
  return static_cast<int>(port);
}

ServerSettings LoadSettings(const inifile::IniStore& ini) {
  const char* s = kServerDetailsSection;
  ServerSettings settings;
  settings.Name = ini.INIRead(s, "Name", "");
  settings.Description = ini.INIRead(s, "Description", "");
  settings.AdminName = ini.INIRead(s, "Admin Name", "");
  settings.AdminEmail = ini.INIRead(s, "Admin Email", "");
  settings.IPAddress = ini.INIRead(s, "IP Address", "");
  settings.Website = ini.INIRead(s, "Website", "http://");
  settings.MOTD = ini.INIRead(s, "MOTD", "");
  settings.PrivateServer = inifile::ReadBool(ini, s, "Private Server", false);
  settings.ServerPassword = ini.INIRead(s, "Server Password", "");
  settings.AutoRemoveFromTracker = inifile::ReadBool(ini, s, "Auto-Remove From Tracker", false);
  settings.Port = ini.INIRead(s, "Port", "2020");
  settings.PingInterval =
      SecondsToClampedMs(ini.INIRead(s, "Ping", "10"), kMinPingInterval, kMaxPingInterval);
  settings.PingTimeout =
      SecondsToClampedMs(ini.INIRead(s, "Ping Timeout", "5"), kMinPingTimeout, kMaxPingTimeout);
  settings.DenyMessage = ini.INIRead(s, "Deny Message", kDefaultDenyMessage);
  settings.TrackerUrl =
      ini.INIRead(directory::kDirectorySection, "Tracker URL", directory::kDefaultTrackerUrl);
  settings.UpdateUrl =
      ini.INIRead(directory::kDirectorySection, "Update URL", directory::kDefaultUpdateUrl);
  return settings;
}

ServerDetails CurrentDetails(const ServerSettings& settings, const inifile::IniStore& ini) {
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
  const char* s = kServerDetailsSection;
  bool ok = true;
  ok = ini.INIWrite(s, "Name", details.Name) && ok;
  ok = ini.INIWrite(s, "Description", details.Description) && ok;
  ok = ini.INIWrite(s, "Admin Name", details.AdminName) && ok;
  ok = ini.INIWrite(s, "Admin Email", details.AdminEmail) && ok;
  ok = ini.INIWrite(s, "IP Address", details.IPAddress) && ok;
  ok = ini.INIWrite(s, "Website", details.Website) && ok;
  ok = ini.INIWrite(s, "MOTD", details.MOTD) && ok;
  ok = inifile::WriteBool(ini, s, "Private Server", details.PrivateServer) && ok;
  ok = ini.INIWrite(s, "Server Password", details.ServerPassword) && ok;
  ok = inifile::WriteBool(ini, s, "Auto-Remove From Tracker", details.AutoRemoveFromTracker) && ok;
  ok = ini.INIWrite(s, "Port", details.Port) && ok;
  ok = ini.INIWrite(s, "Ping", details.Ping) && ok;
  return ok;
}

}  // namespace server
