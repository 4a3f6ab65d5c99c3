// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace scrawlbox {

// Names the running program ("Scrawlbox Server", "Scrawlbox Client") for per-user settings and
// data folders, and gives it the project's version for --version.
void SetApplicationIdentity(const QString& application_name);

// The version as titles and the About window show it: major "." minor as two digits ("1.00").
QString VersionLabel();

}  // namespace scrawlbox
