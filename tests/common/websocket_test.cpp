// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "common/http/request_head.h"
#include "common/http/websocket.h"

namespace {

namespace ws = http::websocket;

std::string Upgrade(const std::string& fields, const std::string& origins) {
  http::RequestHead head;
  head.Feed("GET /play HTTP/1.1\r\n" + fields + "\r\n");
  const std::string answer = ws::AnswerUpgrade(head, {origins}).answer;
  return answer.substr(0, answer.find("\r\n"));
}

TEST(WebSocketUpgrade, SwitchesOnlyAWellFormedHandshakeFromAnAllowedPage) {
  const std::string ok =
      "Host: room.example:8080\r\nUpgrade: WebSocket\r\nConnection: keep-alive, Upgrade\r\n"
      "Sec-WebSocket-Version: 13\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n";
  struct Row {
    const char* name;
    std::string fields;
    std::string origins;
    std::string status;
  };
  const Row rows[] = {
      {"NoOriginIsAProgram", ok, "", "HTTP/1.1 101 Switching Protocols"},
      {"TheRoomsOwnPage", ok + "Origin: https://room.example:8080\r\n", "", "HTTP/1.1 101"},
      {"AnotherSite", ok + "Origin: http://evil.example\r\n", "", "HTTP/1.1 403 Forbidden"},
      {"Listed", ok + "Origin: http://a.example\r\n", "http://b.example, http://a.example",
       "HTTP/1.1 101"},
      {"ListReplacesOwnPage", ok + "Origin: http://room.example:8080\r\n", "http://a.example",
       "HTTP/1.1 403"},
      {"Anyone", ok + "Origin: http://evil.example\r\n", "*", "HTTP/1.1 101"},
      {"NoUpgradeField",
       "Host: h\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
       "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n",
       "", "HTTP/1.1 400 Bad Request"},
      {"KeyNotSixteenBytes",
       "Host: h\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
       "Sec-WebSocket-Version: 13\r\nSec-WebSocket-Key: c2hvcnQ=\r\n",
       "", "HTTP/1.1 400"},
      {"OldVersion",
       "Host: h\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
       "Sec-WebSocket-Version: 8\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n",
       "", "HTTP/1.1 426 Upgrade Required"},
  };
  for (const Row& row : rows) {
    EXPECT_TRUE(Upgrade(row.fields, row.origins).starts_with(row.status)) << row.name;
  }
  // The protocol's own example of a key and its answer.
  EXPECT_EQ(ws::AcceptKey("dGhlIHNhbXBsZSBub25jZQ=="), "s3pPLMBiTxaQ9kYGzzhZRbK+xOo=");
}

// A client's frame: masked, as every client must send them.
std::string Masked(uint8_t first, const std::string& payload, bool mask = true) {
  std::string frame = ws::FrameHeader(static_cast<ws::Opcode>(first & 0x0F), payload.size());
  frame[0] = static_cast<char>(first);
  if (!mask) return frame + payload;
  frame[1] = static_cast<char>(frame[1] | 0x80);
  const char key[4] = {0x12, 0x34, 0x56, 0x78};
  frame.append(key, 4);
  for (size_t i = 0; i < payload.size(); ++i) frame += static_cast<char>(payload[i] ^ key[i & 3]);
  return frame;
}

struct Events : ws::FrameHandler {
  void OnData(std::string_view bytes) override { data.append(bytes); }
  void OnPing(std::string_view payload) override { log += "ping:" + std::string(payload) + " "; }
  void OnClose(uint16_t code, std::string_view reason) override {
    log += "close:" + std::to_string(code) + ":" + std::string(reason);
  }
  std::string data;
  std::string log;
};

TEST(WebSocketFrames, PassDataOnAsItComesAndEndAtTheFirstFault) {
  constexpr uint8_t kFin = 0x80;
  const std::string big(70000, 'b');
  struct Row {
    const char* name;
    std::string bytes;
    std::string data;  // the room's bytes passed on
    std::string log;   // pings and the peer's close
    uint16_t fault;    // 0: none
  };
  const Row rows[] = {
      {"TwoFramesOfOneStream", Masked(kFin | 2, "SAY") + Masked(kFin | 2, "\x02hi\x01"),
       "SAY\x02hi\x01", "", 0},
      {"ALongFrame", Masked(kFin | 2, std::string(300, 'x')), std::string(300, 'x'), "", 0},
      {"PingInsideAFragmentedMessage",
       Masked(2, "a") + Masked(kFin | 9, "p") + Masked(kFin | 0, "b"), "ab", "ping:p ", 0},
      {"CloseWithoutReason", Masked(kFin | 8, "") + Masked(kFin | 2, "late"), "", "close:0:", 0},
      {"CloseWithReason",
       Masked(kFin | 8,
              "\x03\xe8"
              "bye"),
       "", "close:1000:bye", 0},
      {"Unmasked", Masked(kFin | 2, "x", false), "", "", ws::kProtocolError},
      {"ReservedBits", Masked(kFin | 0x40 | 2, "x"), "", "", ws::kProtocolError},
      {"UnknownOpcode", Masked(kFin | 3, "x"), "", "", ws::kProtocolError},
      {"Text", Masked(kFin | 1, "x"), "", "", ws::kUnsupportedData},
      {"FragmentedPing", Masked(9, "p"), "", "", ws::kProtocolError},
      {"LongPing", Masked(kFin | 9, std::string(126, 'p')), "", "", ws::kProtocolError},
      {"LoneContinuation", Masked(kFin | 0, "x"), "", "", ws::kProtocolError},
      {"MessageInsideMessage", Masked(2, "a") + Masked(kFin | 2, "b"), "a", "", ws::kProtocolError},
      {"OverTheBound", Masked(kFin | 2, big), "", "", ws::kTooBig},
      {"CloseOfOneByte", Masked(kFin | 8, "\x03"), "", "", ws::kProtocolError},
      {"CloseWithCodeZero", Masked(kFin | 8, std::string("\0\0x", 3)), "", "", ws::kProtocolError},
  };
  for (const Row& row : rows) {
    // Whole, and a byte at a time: a frame's parts may come in any reads.
    for (const bool bytewise : {false, true}) {
      ws::FrameReader reader(64 * 1024);
      Events events;
      if (bytewise) {
        for (const char c : row.bytes) {
          if (!reader.Feed(std::string_view(&c, 1), 0, events)) break;
        }
      } else {
        reader.Feed(row.bytes, 0, events);
      }
      EXPECT_EQ(events.data, row.data) << row.name << bytewise;
      EXPECT_EQ(events.log, row.log) << row.name << bytewise;
      EXPECT_EQ(reader.fault_code(), row.fault) << row.name << bytewise;
    }
  }
}

TEST(WebSocketFrames, APingFloodIsRefusedAndAPingAtARestfulPaceIsNot) {
  ws::FrameReader reader(1024);
  Events events;
  const std::string ping = Masked(0x80 | 9, "");
  for (int i = 0; i < ws::FrameReader::kMaxPings; ++i) {
    ASSERT_TRUE(reader.Feed(ping, i * ws::FrameReader::kPingWindowMs, events));
  }
  for (int i = 0; i < ws::FrameReader::kMaxPings; ++i) {
    ASSERT_TRUE(reader.Feed(ping, 1000 * ws::FrameReader::kPingWindowMs, events));
  }
  EXPECT_FALSE(reader.Feed(ping, 1000 * ws::FrameReader::kPingWindowMs, events));
  EXPECT_EQ(reader.fault_code(), ws::kPolicy);
}

}  // namespace
