// SPDX-License-Identifier: MIT
// The programs' INI file with its writer thread.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <iterator>
#include <string>
#include <vector>

#include "common/qt/qt_ini_file.h"
#include "tests/support/temp_dir.h"

namespace scrawlbox {
namespace {

using inifile::IniDocument;
using testing_support::ReadFile;
using testing_support::WriteFile;

bool AddOne(IniDocument& document) {
  const int count = std::stoi(document.Read("S", "n", "0"));
  document.Write("S", "n", std::to_string(count + 1));
  return true;
}

// Counts added on the writer thread and directly, in any mix: none is lost, the file ends with
// the last, and every write asked for soon hears that it is stored.
TEST(QtIniFile, WritesMadeSoonAndNowKeepEveryChangeInOrderAndAFailedOneIsToldSo) {
  int argc = 1;
  char name[] = "test";
  char* argv[] = {name};
  QCoreApplication app(argc, argv);
  testing_support::TempDir dir;
  std::vector<bool> told;
  const auto tell = [&told](bool stored) { told.push_back(stored); };
  const auto path = dir / "Server.ini";
  WriteFile(path, "[Other]\nkeep=1\n");
  {
    QtIniFile ini(path);
    for (int i = 1; i <= 150; ++i) {
      ASSERT_TRUE(i % 7 != 0 || ini.Edit(AddOne));  // every seventh now
      if (i % 7 != 0) ini.EditSoon(AddOne, tell);
      ASSERT_EQ(ini.INIRead("S", "n", ""), std::to_string(i));  // reads see it at once
      if (i % 50 == 0) {
        ini.Flush();
        EXPECT_EQ(ReadFile(path), "[Other]\nkeep=1\n[S]\nn=" + std::to_string(i) + "\n");
      }
    }
    ini.EditSoon([](IniDocument&) { return false; }, tell);  // no change, no write
    EXPECT_EQ(told.size(), 0u);                              // never told inside the call that asks
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(told, std::vector<bool>(150 - 150 / 7 + 1, true));
    ini.EditSoon(AddOne, {});
  }
  // The last one is written before the file object goes.
  EXPECT_EQ(ReadFile(path), "[Other]\nkeep=1\n[S]\nn=151\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  QtIniFile failing(dir / "no" / "such" / "Server.ini");
  told.clear();
  for (int i = 0; i < 2; ++i) failing.EditSoon(AddOne, tell);
  failing.Flush();
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(told, std::vector<bool>(2, false));
  EXPECT_EQ(failing.INIRead("S", "n", "none"), "none");
}

}  // namespace
}  // namespace scrawlbox
