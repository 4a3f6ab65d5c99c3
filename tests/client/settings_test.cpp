// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/settings/client_settings.h"
#include "tests/support/memory_ini.h"

namespace client {
namespace {

using testing::ElementsAre;
using testing_support::MemoryIni;

// One file edited by hand, from before the window's width was kept: garbage reads as numbers of
// zero and defaults, numbers out of range are held, empty list names and broken server entries
// dropped (a huge count costs nothing). Then every part is written and read back.
TEST(ClientIni, AHandEditedFileReadsWithinItsLimitsAndEveryPartComesBackAsWritten) {
  MemoryIni ini(
      "\xff\xfe junk\n[Interface]\nDrawing Cursor=99\nChat Font Size=huge\nTool Cursor=x\n"
      "[Sounds]\nEvent - Key Click=7\n[Player Information]\nAge=old\n"
      "[Window Metrics]\nMain Height=9000\nMain Top=15\nMain Left=30\n"
      "[Game Setup]\nTotal Rounds=3\nSeconds Per Round=99999\nPlayer Limit=x\nWord "
      "Lists=||hard|\n"
      "[Server History]\nServer History Count=1000000000\n"
      "Server History[1]=no separator\nServer History[2]=-1\n"
      "Server History[3]=1.2.3.4\254Good\254fine\nServer History[x]=9.9.9.9\254Bad\254key\n"
      "[Server Favourites]\nServer Favourites Count=2\nServer Favourites[2]=\n");
  ClientSettings settings(ini);
  const ClientOptions o = settings.LoadOptions();
  const GameSetup held = settings.LoadGameSetup();
  EXPECT_TRUE(o.DrawingCursor == 5 && o.ChatFontPoints() == 1 && !o.ToolCursor &&
              o.SoundEnabled[5] && settings.LoadProfile().Age == 0 &&
              !settings.LoadWindowMetrics().width && held.total_rounds == kTotalRoundsRange.low &&
              held.player_limit == 0 && held.seconds_per_round == kSecondsPerRoundRange.high &&
              settings.Favourites().empty());
  EXPECT_THAT(held.word_lists, ElementsAre("hard"));
  EXPECT_THAT(settings.History(), ElementsAre(ServerEntry{"1.2.3.4", "Good", "fine"}));

  const ClientOptions saved{.ChatFontName = "DejaVu Sans",
                            .ChatFontSize = "12",
                            .ShowJoinMessages = false,
                            .DrawingCursor = 3,
                            .FlatToolbar = true,
                            .Language = "de",
                            .SoundEnabled = {false, false, true, true, false, true, false}};
  settings.SaveOptions(saved);
  // The keys the client reads the sounds from (join off, key click on); the close guess has none.
  EXPECT_EQ(ini.INIRead("Sounds", "Event - Join", "") +
                ini.INIRead("Sounds", "Event - Key Click", "") +
                ini.INIRead("Interface", "Show Join Messages", "") +
                std::to_string(ini.ReadSection("Sounds").size()),
            "0108");
  const ClientOptions back = settings.LoadOptions();
  EXPECT_TRUE(back.ChatFontName == "DejaVu Sans" && back.ChatFontPoints() == 12 &&
              !back.ShowJoinMessages && back.DrawingCursor == 3 && back.FlatToolbar &&
              back.Language == "de" && back.SoundEnabled == saved.SoundEnabled);
  settings.SaveProfile(
      {"Zoe", 31, "Female", "Paris", "http://zoe.example", "Draw first, ask later"});
  const Profile loaded = settings.LoadProfile();
  EXPECT_EQ(loaded.Nickname + " " + std::to_string(int(loaded.Age)) + " " + loaded.Quote + " " +
                ini.INIRead("Player Information", "Age", ""),
            "Zoe 31 Draw first, ask later 31");
  settings.SaveWindowMetrics({5000, 300, 450, 19200});  // at least 8130 twips high
  const WindowMetrics m = settings.LoadWindowMetrics();
  EXPECT_TRUE(m.height == 8130 && m.top == 300 && m.left == 450 && m.width == 19200);
  settings.SaveGameSetup({.room_name = "Den",
                          .total_rounds = 7,
                          .seconds_per_round = 45,
                          .word_lists = {"animals", "food & drink"},
                          .custom_words = {"caf\xE9|cafe", "grand piano"}});
  const GameSetup setup = settings.LoadGameSetup();
  EXPECT_TRUE(setup.room_name == "Den" && setup.total_rounds == 7 && setup.seconds_per_round == 45);
  EXPECT_THAT(setup.word_lists, ElementsAre("animals", "food & drink"));
  EXPECT_THAT(setup.custom_words, ElementsAre("caf\xE9|cafe", "grand piano"));
}

TEST(ServerLists, HistoryAddsNewNamedRoomsOnlyAndFavouritesRefuseDuplicates) {
  MemoryIni ini;
  ClientSettings settings(ini);
  const ServerEntry fav{"fav.example", "Fav", "d"};
  EXPECT_TRUE(settings.AddToFavourites(fav) && !settings.AddToFavourites(fav));  // once only
  for (const ServerEntry& entry :
       {ServerEntry{"10.0.0.5", "Den", "cosy"}, ServerEntry{"10.0.0.5", "Den", "cosy"},
        ServerEntry{"10.0.0.5", "Other name", "cosy"},  // another entry
        ServerEntry{"10.0.0.6", "", "no name"}, ServerEntry{"", "No address", ""},
        fav})  // a favourite does not go into the history
    settings.AddToHistory(entry);
  EXPECT_THAT(settings.History(), ElementsAre(ServerEntry{"10.0.0.5", "Den", "cosy"},
                                              ServerEntry{"10.0.0.5", "Other name", "cosy"}));
  EXPECT_EQ(ini.INIRead("Server History", "Server History[1]", ""), "10.0.0.5\254Den\254cosy");
  // Writing the whole list leaves stale entries in the file, unread.
  settings.WriteFavourites({});
  EXPECT_EQ(ini.INIRead("Server Favourites", "Server Favourites Count", ""), "0");
  EXPECT_EQ(ini.INIRead("Server Favourites", "Server Favourites[1]", ""),
            "fav.example\254Fav\254d");
  EXPECT_TRUE(settings.Favourites().empty());
}

}  // namespace
}  // namespace client
