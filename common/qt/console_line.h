// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdio>

namespace scrawlbox {

// The time of day as every log line starts: "HH:mm:ss".
QString ClockStamp();

// How much a log line matters, for the journal.
enum class Severity { kInfo, kWarning, kError };

// The start of a log line: "HH:mm:ss " on a terminal, a pipe or a file; under systemd, when
// standard output is the journal (which stamps every line itself), the syslog priority as the
// journal reads it, "<6>" for information, "<4>" for a warning, "<3>" for an error.
QString LogLineStart(Severity severity = Severity::kInfo);

// Whether standard output is the journal's stream (JOURNAL_STREAM names its device and inode).
bool StandardOutputIsJournal();

// Writes the line and a line break as UTF-8 and flushes at once: these logs are read live.
void WriteConsoleLine(std::FILE* out, const QString& line);

// Points standard input, output and error at /dev/null where they are closed, so that no socket
// or file the program opens later takes their numbers (and receives its log lines, or has its
// data read as operator commands); and ignores SIGPIPE, so that a log reader that went away
// costs the program its log, not its life.
void PrepareStandardStreams();

}  // namespace scrawlbox
