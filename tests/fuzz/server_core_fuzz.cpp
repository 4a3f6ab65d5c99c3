// SPDX-License-Identifier: MIT
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "server/connections/room_server.h"
#include "server/room/room.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tests/fuzz/scratch_folder.h"
#include "tests/support/server_harness.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wire.h"

namespace fuzz {

namespace {

namespace to_server = protocol::to_server;
using testing_support::ServerHarness;

// Settings the script starts from: the defaults, the limits off (so that floods reach the
// game), and every limit small (so that the limits themselves are reached).
constexpr std::string_view kSettings[] = {
    "",
    "[Server Details]\nFlood Burst=0\nDrawing Burst=0\nMax Connections Per Address=0\n",
    "[Server Details]\r\nFlood Burst=2\r\nFlood Rate=1\r\nDrawing Burst=5\r\nDrawing Rate=2\r\n"
    "Max Connections Per Address=2\r\nMax Connections=4\r\nLogin Timeout=3\r\nPing=1\r\n"
    "Ping Timeout=1\r\nServer Password=pw\r\nMOTD=Hello\r\n"
    "[Banned IPs]\r\nTotal=2\r\nBanned IP[1]=IP=10.0.0.3\xACREASON=Go\xAC"
    "CONNECTIONATTEMPTS=0\r\nBanned IP[2]=IP=10.0.1.*\xACREASON=\xAC"
    "CONNECTIONATTEMPTS=x\r\n",
};

constexpr std::string_view kAddresses[] = {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.1.7", "::1"};

// Word lists shared by every run: a plain word, alternatives, and a list that is only comments.
const std::filesystem::path& WordFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path path = ScratchFolder() / "server_core_lists";
    std::filesystem::create_directories(path);
    testing_support::WriteFile(path / "test.txt", "cat\r\n");
    testing_support::WriteFile(path / "animals.txt",
                               "kangaroo\r\ndog,doggy|hound\nbig cat;lion\r\n  \r\n");
    testing_support::WriteFile(path / "empty.txt", "# nothing\r\n#\t\r\n");
    return path;
  }();
  return folder;
}

// Fields joined by code 3, each a fuzzed text or a number the game reads.
std::string FieldsData(FuzzInput& in) {
  std::vector<std::string> fields(in.Pick(8));
  for (auto& field : fields) {
    field = in.Flag() ? in.Text() : std::to_string(static_cast<int32_t>(in.Number32()));
  }
  return protocol::JoinFields(fields);
}

class Script {
 public:
  Script(ServerHarness& harness, FuzzInput& in)
      : harness_(harness), in_(in), commands_(server::RoomServer::RoutedCommands()) {
    // Players answer pings after the event that sent them, as live clients do, unless the
    // script made them silent; so rounds of any length can run.
    h().transport.on_ping = [this](int slot) {
      if (silent_.count(slot)) return;
      h().clock.SingleShot(0, [this, slot] { Send(slot, to_server::PONG, "-"); });
    };
  }

  void Run() {
    // Bounds the work one input can ask for, so that no input is slow for its size alone.
    for (int steps = 0; steps < 400 && !in_.empty(); ++steps) {
      Step();
      FUZZ_CHECK(h().server.InRoomCount() <= h().server.ConnectionCount());
    }
    // The end of the run: every connection goes, as the program's end would take them, and
    // the table keeps no record of any.
    for (int slot : live_) {
      if (IsLive(slot)) h().server.OnClosed(slot);
    }
    h().clock.Advance(60000);
    FUZZ_CHECK(h().server.ConnectionCount() == 0);
    h().transport.on_ping = nullptr;
  }

 private:
  ServerHarness& h() { return harness_; }
  server::Room& room() { return harness_.room(); }

  bool IsLive(int slot) const {
    return peer_closed_.count(slot) == 0 && harness_.transport.closed.count(slot) == 0;
  }

  // A slot the shell would still report events for; 0 when there is none.
  int PickSlot() {
    std::vector<int> live;
    for (int slot : live_) {
      if (IsLive(slot)) live.push_back(slot);
    }
    if (live.empty()) return 0;
    return live[in_.Pick(live.size())];
  }

  int Connect() {
    const std::string address(kAddresses[in_.Pick(std::size(kAddresses))]);
    const int slot = h().Connect(address);
    if (slot != 0) live_.push_back(slot);
    return slot;
  }

  void Send(int slot, std::string_view command, std::string_view data) {
    if (slot != 0 && IsLive(slot)) h().Send(slot, command, data);
  }

  // The client's whole login with a fuzzed nickname.
  void Join() {
    const int slot = Connect();
    const std::string nickname = in_.Flag() ? "P" + std::to_string(slot) : in_.Text();
    Send(slot, to_server::SCRAWLBOX_CL13NT, in_.Flag() ? "100001" : in_.Text());
    Send(slot, to_server::USER, testing_support::ProfileData(nickname, in_.Flag() ? "1" : "0"));
    Send(slot, to_server::PASS, in_.Flag() ? "<none>" : "pw");
    Send(slot, to_server::ULISTREQ, "-");
  }

  void StartGame(int slot) {
    using testing_support::Wire;
    static const std::string kLists[] = {Wire("^test"), Wire("^animals^test"), Wire("^empty"),
                                         Wire("^missing^../test"), ""};
    std::string lists = in_.Flag() ? kLists[in_.Pick(std::size(kLists))] : in_.Text();
    // Up to a whole message of list names.
    if (in_.Pick(4) == 0) lists = Repeated(lists, in_.Number16(), 60000);
    const auto number = [this] {
      return std::to_string(in_.Flag() ? static_cast<int32_t>(in_.Number32()) : in_.Byte());
    };
    Send(slot, to_server::STARTGAME,
         protocol::JoinFields(
             {"Room", "Desc", "8", number(), number() + "000", number() + "000", lists}));
  }

  // A guess built from the word being drawn: the word, a prefix of it, or it with a change.
  void Guess(int slot) {
    std::string word = room().game().state().CurrentWord;
    word = std::string(protocol::LeftOf(word, ','));
    switch (in_.Pick(3)) {
      case 0:
        break;
      case 1:
        word = word.substr(0, in_.Byte() % (word.size() + 1));
        break;
      default:
        word += in_.Text();
        break;
    }
    Send(slot, to_server::SAY, word);
  }

  void Operator() {
    const int slot = PickSlot();
    switch (in_.Pick(8)) {
      case 0:
        room().actions().Kick(slot, in_.Text());
        break;
      case 1:
        room().actions().Ban(slot, in_.Text());
        break;
      case 2:
        room().actions().MessageAll(in_.Text());
        break;
      case 3:
        room().actions().SetListenState(in_.Pick(3));
        break;
      case 4:
        room().actions().AcceptDenyMessage(in_.Text());
        break;
      case 5:
        h().server.Quit(in_.Flag());
        break;
      case 6:
        h().server.ReloadSettings();
        break;
      default:
        room().Execute(in_.Text());
        break;
    }
  }

  void Step() {
    const size_t operation = in_.Pick(14);
    if (Tracing()) {
      const auto& game = room().game().state();
      std::fprintf(stderr, "op %zu: %d connections, %d in the room, game %d round %d word '%s'\n",
                   operation, h().server.ConnectionCount(), h().server.InRoomCount(),
                   game.GameRunning, game.Round, game.CurrentWord.c_str());
    }
    switch (operation) {
      case 0:
        Connect();
        break;
      case 1:
        Join();
        break;
      case 2: {  // raw bytes, framing and all
        const int slot = PickSlot();
        const std::string bytes = in_.LongText(2048);
        if (slot != 0) h().SendRaw(slot, bytes);
        break;
      }
      case 3: {  // one message of a command the server knows
        const int slot = PickSlot();
        const std::string_view command = commands_[in_.Pick(commands_.size())];
        Send(slot, command, in_.Flag() ? in_.Text() : FieldsData(in_));
        break;
      }
      case 4: {  // a burst of the same message
        const int slot = PickSlot();
        const std::string_view command = commands_[in_.Pick(commands_.size())];
        const std::string framed = protocol::Frame(command, in_.Text());
        std::string burst;
        for (int i = in_.Byte(); i >= 0; --i) burst += framed;
        if (slot != 0) h().SendRaw(slot, burst);
        break;
      }
      case 5:
        StartGame(PickSlot());
        break;
      case 6:
        Guess(PickSlot());
        break;
      case 7: {  // time passes: a little, a round's worth, or minutes
        static constexpr int64_t kScale[] = {1, 100, 1000, 10000};
        const int64_t steps = in_.Byte();
        h().clock.Advance(steps * kScale[in_.Pick(std::size(kScale))]);
        break;
      }
      case 8: {  // sends to the slot start or stop failing
        const int slot = PickSlot();
        auto& failing = h().transport.failing_slots;
        if (!failing.erase(slot)) failing.insert(slot);
        break;
      }
      case 9: {  // the slot's reader stops reading or answering pings, or reads again
        const int slot = PickSlot();
        switch (in_.Pick(3)) {
          case 0:
            h().transport.queued_bytes[slot] = 0;
            break;
          case 1:
            h().transport.queued_bytes[slot] = in_.Number32() % (4u << 20);
            break;
          default:
            if (!silent_.erase(slot)) silent_.insert(slot);
            break;
        }
        break;
      }
      case 10: {  // the peer goes, cleanly or with an error first
        const int slot = PickSlot();
        if (slot == 0) break;
        if (in_.Flag()) h().server.OnSocketError(slot, 10054, "Connection reset by peer");
        peer_closed_.insert(slot);
        h().server.OnClosed(slot);
        break;
      }
      case 11:
        Operator();
        break;
      case 12:
        h().random.values.push_back(in_.Byte() / 256.0);
        break;
      default: {  // drawing from the slot: a code and its numbers
        const int slot = PickSlot();
        const auto code = static_cast<protocol::DrawCode>(in_.Pick(protocol::kDrawCodeCount));
        std::vector<std::string> fields(protocol::DrawFieldCount(code));
        for (auto& field : fields) field = std::to_string(static_cast<int16_t>(in_.Number16()));
        Send(slot, protocol::DrawCodeWord(code),
             fields.empty() ? std::string("-") : protocol::JoinFields(fields));
        break;
      }
    }
  }

  ServerHarness& harness_;
  FuzzInput& in_;
  const std::vector<std::string_view> commands_;
  std::vector<int> live_;
  std::set<int> peer_closed_;
  std::set<int> silent_;
};

}  // namespace

int FuzzServerCore(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  ServerHarness harness(kSettings[in.Pick(std::size(kSettings))], WordFolder());
  Script(harness, in).Run();
  return 0;
}

}  // namespace fuzz
