// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace scrawlbox {

// The folder that holds a program's settings and data files: the one given on the command
// line; else the Data folder beside the program when it exists and can be written (the portable
// layout the build produces); else a Data folder in the user's application data location
// ($XDG_DATA_HOME/Scrawlbox/<program>/Data). The folder is created when missing. Returns an
// empty string when no folder can be made.
QString ResolveDataFolder(const QString& from_command_line);

// The files an installed program ships (word lists, sounds, version files), read-only defaults
// for what the Data folder does not hold: share/scrawlbox found from the program's own bin/
// folder, so that a package unpacked anywhere finds its own. Empty when there is none, as in
// the build folder, whose Data folder holds everything.
QString ShippedDataFolder();

// Where to look for the files of a subfolder ("Wordlists", "Sound"): the Data folder's first,
// so that a file the user put there wins over the shipped file of the same name, then the
// shipped one when there is one.
QStringList DataSearchPath(const QString& data_folder, const QString& subfolder);

// The first folder of the search path holding the file; empty when none does.
QString LocateDataFile(const QStringList& folders, const QString& file_name);

}  // namespace scrawlbox
