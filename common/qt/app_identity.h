// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace scrawlbox {

// Names the running program ("Scrawlbox Server", "Scrawlbox Client") for per-user settings and
// data folders, and gives it the project's version for --version.
void SetApplicationIdentity(const QString& application_name);

// The version as titles and the About window show it: major "." minor as two digits ("1.00").
QString VersionLabel();

// Raises the soft limit of open files to the hard one (at most 65536): every player, probe in
// flight and HTTP connection is a file descriptor, and the usual 1024 is fewer than a full room
// or a directory of thousands of rooms needs. The event loop polls, so high descriptors are fine.
void RaiseFileLimit();

}  // namespace scrawlbox
