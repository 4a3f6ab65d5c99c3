// SPDX-License-Identifier: MIT
// Tests that use Qt's sockets and processes need an application object; those on PostgreSQL
// share one cluster, removed at the end.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "tests/support/postgres_cluster.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  testing_support::AddPostgresEnvironment();
  return RUN_ALL_TESTS();
}
