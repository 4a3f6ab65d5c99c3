// SPDX-License-Identifier: MIT
#include "common/qt/app_identity.h"

#include <QCoreApplication>

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

}  // namespace scrawlbox
