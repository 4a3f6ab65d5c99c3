// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace scrawlbox {

// The folder that holds a program's settings and data files: the one given on the command
// line; else the Data folder beside the program when it exists and can be written (the portable
// layout the build produces); else a Data folder in the user's application data location.
// The folder is created when missing. Returns an empty string when no folder can be made.
QString ResolveDataFolder(const QString& from_command_line);

}  // namespace scrawlbox
