// SPDX-License-Identifier: MIT
#include "common/qt/app_identity.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <algorithm>

#include "common/version.h"

namespace scrawlbox {

void SetApplicationIdentity(const QString& application_name) {
  QCoreApplication::setOrganizationName(QStringLiteral("Scrawlbox"));
  QCoreApplication::setApplicationName(application_name);
  QCoreApplication::setApplicationVersion(
      QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
}

QString VersionLabel() {
  return QStringLiteral("%1.%2").arg(kVersionMajor).arg(kVersionMinor, 2, 10, QLatin1Char('0'));
}

void RaiseFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return;
  const rlim_t wanted = std::min<rlim_t>(limit.rlim_max, 65536);
  if (limit.rlim_cur < wanted) {
    limit.rlim_cur = wanted;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
}

}  // namespace scrawlbox
