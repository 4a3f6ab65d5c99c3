// SPDX-License-Identifier: MIT
// Widget tests need an application object; the test registration selects the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Also when the runner lists the tests, which it does without the tests' environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Scrawlbox Tests"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
