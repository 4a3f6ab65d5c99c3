// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <set>

#include "inifile/ini_document.h"
#include "inifile/ini_file.h"
#include "tests/support/temp_dir.h"

namespace inifile {
namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

TEST(IniDocument, MatchesSectionsAndKeysRegardlessOfCaseAndTakesTheFirstDuplicate) {
  IniDocument doc(
      "top=ignored\n[Server Details]\nName = First Room \nname=Second\n; Port=1\njunk line\n"
      "Quoted=\"  spaced  \"\nHalf=\"open\n\xC9t\xC9=summer\n[server details]\nMOTD=dup\n");
  // In order and once; a comment or a line without "=" is no key.
  EXPECT_EQ(doc.ReadSection("SERVER DETAILS"), (KeyValues{{"Name", "First Room"},
                                                          {"Quoted", "  spaced  "},
                                                          {"Half", "\"open"},
                                                          {"\xC9t\xC9", "summer"}}));
  EXPECT_EQ(doc.Read("server details", "NAME", "d"), "First Room");
  EXPECT_EQ(doc.Read("Server Details", "\xE9t\xE9", "d"), "summer");  // ÉTÉ is été
  // Keys before any section belong to none.
  EXPECT_EQ(doc.Read("", "top", "d") + doc.Read("Nowhere", "top", "d"), "dd");
  EXPECT_TRUE(doc.ReadSection("missing").empty());
  doc.Write("S", "Long", std::string(70000, 'x'));
  EXPECT_EQ(doc.Read("S", "Long", "").size(), kMaxValueLength);
}

TEST(IniDocument, WritesChangeTheirLineKeepTheFileStyleAndBytesAndDeleteEveryCopyOfASection) {
  IniDocument doc("; settings\r\n[A]\r\nOne=1\r\nTwo=2\r\n\r\n[B]\r\nThree=3");
  doc.Write("a", "TWO", "22");
  doc.Write("A", "Four", "4");
  doc.Write("B", "Five", "5");
  doc.Write("C", "Six", "6");
  EXPECT_EQ(doc.Text(),
            "; settings\r\n[A]\r\nOne=1\r\nTWO=22\r\nFour=4\r\n\r\n[B]\r\nThree=3\r\nFive=5\r\n"
            "[C]\r\nSix=6\r\n");
  IniDocument stats(
      "[Keep]\nk=1\n[Server Statistics]\nn=5\n[keep2]\nx=2\n[SERVER STATISTICS]\nn=9\n");
  EXPECT_TRUE(stats.DeleteSection("server statistics"));
  EXPECT_EQ(stats.Text(), "[Keep]\nk=1\n[keep2]\nx=2\n");
  EXPECT_FALSE(stats.DeleteSection("Server Statistics"));
  const IniDocument only_cr("[Server Details]\rName = Mac Room \rPort=2121\r[Other]\rPort=1");
  EXPECT_EQ(only_cr.ReadSection("server details"),
            (KeyValues{{"Name", "Mac Room"}, {"Port", "2121"}}));
  EXPECT_EQ(only_cr.Read("Other", "Port", ""), "1");
  const IniDocument mixed("[A]\r\nOne=1\nTwo=\"2\"\r[B]\r\rThree=3\r");
  EXPECT_EQ(mixed.ReadSection("a"), (KeyValues{{"One", "1"}, {"Two", "2"}}));
  EXPECT_EQ(mixed.Read("B", "Three", ""), "3");
  // Bare CRs become the file's style.
  IniDocument crlf("k=v\r\n[Server Statistics]\r");
  crlf.Write("server statistics", "Total Rounds", "1");
  EXPECT_EQ(crlf.Text(), "k=v\r\n[Server Statistics]\r\nTotal Rounds=1\r\n");
  IniDocument lf("[A]\nOne=1\r");
  lf.Write("A", "Two", "2");
  EXPECT_EQ(lf.Text(), "[A]\nOne=1\nTwo=2\n");
  IniDocument cr("[A]\rOne=1\r\r[B]\rx=y");
  cr.Write("a", "ONE", "2");
  cr.ReplaceSection("C", {{"z", "3"}});
  EXPECT_EQ(cr.Text(), "[A]\r\nONE=2\r\n\r\n[B]\r\nx=y\r\n[C]\r\nz=3\r\n");
  // Values keep their bytes and stay on one line, so none smuggles in a section of its own.
  IniDocument values;
  values.Write("Banned IPs", "Banned IP[1]", "IP=1.2.3.4\xACREASON=line one\r\n[S]\nk=v");
  EXPECT_EQ(values.Text(), "[Banned IPs]\nBanned IP[1]=IP=1.2.3.4\xACREASON=line one  [S] k=v\n");
}

TEST(IniFile, AMissingFileGivesDefaultsWritesReplaceItLeavingNoTemporaryFilesAndFailuresLeaveIt) {
  testing_support::TempDir dir;
  IniFile ini(dir / "Server.ini");
  EXPECT_EQ(ini.INIRead("Server Details", "Port", "2020"), "2020");
  EXPECT_TRUE(ini.DeleteSection("Nothing"));
  EXPECT_FALSE(std::filesystem::exists(dir / "Server.ini"));
  EXPECT_TRUE(ini.INIWrite("Server Details", "Port", "2121"));
  EXPECT_EQ(ReadFile(dir / "Server.ini"), "[Server Details]\nPort=2121\n");
  EXPECT_EQ(ini.INIRead("server details", "port", ""), "2121");
  WriteFile(dir / "Server.ini", "[Server Statistics]\r\nTotal Rounds=1\r\n");
  for (int i = 0; i < 20; ++i) ini.INIWrite("Server Statistics", "Total Rounds", std::to_string(i));
  EXPECT_EQ(ReadFile(dir / "Server.ini"), "[Server Statistics]\r\nTotal Rounds=19\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_TRUE(ini.DeleteSection("Server Statistics"));
  EXPECT_EQ(ReadFile(dir / "Server.ini"), "");
  // Garbage still reads defaults, and a write makes it a file again.
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 131) % 256));
  WriteFile(dir / "Server.ini", garbage);
  EXPECT_EQ(ini.INIRead("Server Details", "Port", "2020"), "2020");
  EXPECT_TRUE(ini.INIWrite("Server Details", "Port", "2020"));
  EXPECT_EQ(ini.INIRead("Server Details", "Port", ""), "2020");
  // A file too large is neither read nor overwritten.
  WriteFile(dir / "Server.ini", "[S]\nk=v\n" + std::string(IniFile::kMaxFileSize, ';'));
  EXPECT_EQ(ini.INIRead("S", "k", "default"), "default");
  EXPECT_FALSE(ini.INIWrite("S", "k", "new"));
  EXPECT_EQ(std::filesystem::file_size(dir / "Server.ini"), IniFile::kMaxFileSize + 8);
  IniFile nowhere(dir / "no" / "such" / "Server.ini");
  EXPECT_FALSE(nowhere.INIWrite("S", "k", "v"));
  EXPECT_EQ(nowhere.INIRead("S", "k", "d"), "d");
}

TEST(IniFile, OnlyStaleTemporaryFilesOfItsOwnWritesAreRemoved) {
  testing_support::TempDir dir;
  for (const char* stale :
       {"Server.ini.a1B2c3", "Server.ini.Qw3rTy.tmp", "Server.ini.backup.tmp"}) {
    WriteFile(dir / stale, "[S");
  }
  const std::set<std::string> kept = {
      "Server.ini",        "Server.ini.bak",    "Server.ini.ABCDEFG",  "Server.ini.AB-DEF",
      "server.ini.aBCDEF", "Other.ini.aBCDEF",  "Server.ini.aBCDEF",   "Server.ini.linked",
      "Server.ini.inUse1", "Server.ini.backup", "Server.ini.Backup",   "Server.ini.old123",
      "Server.ini.BAK001", "Server.ini.202612", "Server.ini.a1B2.tmp", "Server.ini.a1B2c3.bak"};
  for (const auto& name : kept) WriteFile(dir / name, "[S]\nk=v\n");
  std::filesystem::remove(dir / "Server.ini.aBCDEF");
  std::filesystem::create_directory(dir / "Server.ini.aBCDEF");
  std::filesystem::remove(dir / "Server.ini.linked");
  std::filesystem::create_symlink("Server.ini", dir / "Server.ini.linked");
  // A write of another program sharing the folder holds its temporary file locked.
  const int in_use = ::open((dir / "Server.ini.inUse1").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(in_use, LOCK_EX), 0);
  EXPECT_EQ(RemoveStaleTemporaryFiles(dir / "Server.ini"), 3u);
  ::close(in_use);
  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    left.insert(entry.path().filename().string());
  EXPECT_EQ(left, kept);
  EXPECT_EQ(ReadFile(dir / "Server.ini"), "[S]\nk=v\n");
  EXPECT_EQ(RemoveStaleTemporaryFiles(dir / "missing" / "Server.ini"), 0u);
}

}  // namespace
}  // namespace inifile
