// SPDX-License-Identifier: MIT
// Widget tests need an application object; the test registration selects the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Scrawlbox Tests"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
