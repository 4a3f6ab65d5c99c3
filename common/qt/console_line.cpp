// SPDX-License-Identifier: MIT
#include "common/qt/console_line.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTime>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace scrawlbox {

QString ClockStamp() {
  return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

bool StandardOutputIsJournal() {
  static const bool journal = [] {
    const char* stream = std::getenv("JOURNAL_STREAM");
    if (!stream) return false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    if (std::sscanf(stream, "%llu:%llu", &device, &inode) != 2) return false;
    struct stat status {};
    return ::fstat(STDOUT_FILENO, &status) == 0 &&
           static_cast<unsigned long long>(status.st_dev) == device &&
           static_cast<unsigned long long>(status.st_ino) == inode;
  }();
  return journal;
}

QString LogLineStart(Severity severity) {
  if (!StandardOutputIsJournal()) return ClockStamp() + QLatin1Char(' ');
  switch (severity) {
    case Severity::kError:
      return QStringLiteral("<3>");
    case Severity::kWarning:
      return QStringLiteral("<4>");
    case Severity::kInfo:
      break;
  }
  return QStringLiteral("<6>");
}

void WriteConsoleLine(std::FILE* out, const QString& line) {
  const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out);
  std::fflush(out);
}

void PrepareStandardStreams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1) continue;
    // open() takes the lowest free number: this very one.
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened != fd && opened >= 0) ::close(opened);
  }
  std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace scrawlbox
