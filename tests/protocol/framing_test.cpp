// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

#include "protocol/framing.h"
#include "protocol/receive_buffer.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace protocol {
namespace {

using Status = ReceiveBuffer::Status;

std::vector<std::string> Drain(ReceiveBuffer& buffer) {
  std::vector<std::string> out;
  std::string message;
  while (buffer.Next(&message) == Status::kMessage) out.push_back(message);
  return out;
}

TEST(Framing, FrameAndParseRoundTrip) {
  EXPECT_EQ(Frame("SAY", "hello"), std::string("SAY\x02hello\x01"));
  const Message m = ParseMessage(
      "SAY\x02"
      "a\x02"
      "b");
  EXPECT_EQ(m.command, "SAY");
  EXPECT_EQ(m.data,
            "a\x02"
            "b");  // only the first code 2 separates
}

TEST(Framing, MessageWithoutCommandSeparatorIsAllCommand) {
  const Message m = ParseMessage("JUSTTEXT");
  EXPECT_EQ(m.command, "JUSTTEXT");
  EXPECT_EQ(m.data, "");
  EXPECT_EQ(LeftOf("abc", '='), "abc");
  EXPECT_EQ(RightOf("abc", '='), "");
  EXPECT_EQ(RightOf("a=b=c", '='), "b=c");
}

TEST(Framing, FieldsMissingFromShortDataReadEmpty) {
  const auto fields = SplitFields(Wire("a||c"));
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[1], "");
  EXPECT_EQ(FieldOr(fields, 2), "c");
  EXPECT_EQ(FieldOr(fields, 7), "");
  EXPECT_EQ(SplitFields("").size(), 1u);
  EXPECT_EQ(JoinFields({"1", "2", ""}), Wire("1|2|"));
}

TEST(Framing, BlankDataIsEmptyOrOneOrTwoLineBreaks) {
  EXPECT_TRUE(IsBlankData(""));
  EXPECT_TRUE(IsBlankData("\r\n"));
  EXPECT_TRUE(IsBlankData("\r\n\r\n"));
  EXPECT_FALSE(IsBlankData("\r\n\r\n\r\n"));
  EXPECT_FALSE(IsBlankData(" "));
  EXPECT_FALSE(IsBlankData("\n"));
  EXPECT_FALSE(IsBlankData("-"));
}

TEST(Framing, StripControlCodesRemovesEveryControlCodeAndKeepsEightBitText) {
  EXPECT_EQ(StripControlCodes(std::string("a\x01"
                                          "b\x02"
                                          "c\x03"
                                          "d\x04"
                                          "e\x05\x00\x1b[31m\r\n\a\t\x7f\x80\xAC\xFF ~",
                                          26)),
            "abcde[31m\x80\xAC\xFF ~");
  EXPECT_EQ(FirstChars("abcdef", 3), "abc");
  EXPECT_EQ(FirstChars("ab", 3), "ab");
}

TEST(ReceiveBuffer, CutsSeveralMessagesOfOneReadInOrder) {
  ReceiveBuffer buffer;
  buffer.Append(
      "A\x02"
      "1\x01"
      "B\x02"
      "2\x01"
      "C");
  EXPECT_EQ(Drain(buffer), (std::vector<std::string>{"A\x02"
                                                     "1",
                                                     "B\x02"
                                                     "2"}));
  EXPECT_EQ(buffer.Pending(), 1u);
  buffer.Append(
      "\x02"
      "3\x01");
  EXPECT_EQ(Drain(buffer), (std::vector<std::string>{"C\x02"
                                                     "3"}));
  EXPECT_EQ(buffer.Pending(), 0u);  // a read ending at a terminator leaves nothing behind
}

TEST(ReceiveBuffer, MessageSplitOverManyReadsIsCutOnceWhenItsTerminatorArrives) {
  ReceiveBuffer buffer;
  const std::string wire = "SAY\x02hello there\x01";
  std::string message;
  for (size_t i = 0; i + 1 < wire.size(); ++i) {
    buffer.Append(wire.substr(i, 1));
    EXPECT_EQ(buffer.Next(&message), Status::kNeedMore);
  }
  buffer.Append(wire.substr(wire.size() - 1));
  ASSERT_EQ(buffer.Next(&message), Status::kMessage);
  EXPECT_EQ(message, "SAY\x02hello there");
  EXPECT_EQ(buffer.Next(&message), Status::kNeedMore);
}

TEST(ReceiveBuffer, EmptyMessagesBetweenTerminatorsAreKept) {
  ReceiveBuffer buffer;
  buffer.Append("\x01\x01");
  EXPECT_EQ(Drain(buffer), (std::vector<std::string>{"", ""}));
}

TEST(ReceiveBuffer, RandomChunkingGivesTheSameMessages) {
  std::string wire;
  std::vector<std::string> expected;
  for (int i = 0; i < 500; ++i) {
    expected.push_back("FH\x02" + std::to_string(i) + Wire("|") + std::string(i % 37, 'x'));
    wire += expected.back() + '\x01';
  }
  std::mt19937 random(7);
  ReceiveBuffer buffer;
  std::vector<std::string> got;
  for (size_t at = 0; at < wire.size();) {
    const size_t n = std::min<size_t>(wire.size() - at, 1 + random() % 300);
    buffer.Append(std::string_view(wire).substr(at, n));
    at += n;
    for (auto& m : Drain(buffer)) got.push_back(m);
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(buffer.Pending(), 0u);
}

TEST(ReceiveBuffer, TextWithoutTerminatorIsBounded) {
  ReceiveBuffer at_limit;
  at_limit.Append(std::string(ReceiveBuffer::kMaxMessageLength, 'a'));
  std::string message;
  EXPECT_EQ(at_limit.Next(&message), Status::kNeedMore);
  at_limit.Append("\x01");
  EXPECT_EQ(at_limit.Next(&message), Status::kMessage);
  EXPECT_EQ(message.size(), ReceiveBuffer::kMaxMessageLength);

  ReceiveBuffer over;
  over.Append(std::string(ReceiveBuffer::kMaxMessageLength / 2, 'a'));
  EXPECT_EQ(over.Next(&message), Status::kNeedMore);
  over.Append(std::string(ReceiveBuffer::kMaxMessageLength / 2 + 1, 'a'));
  EXPECT_EQ(over.Next(&message), Status::kTooLong);
  // Once failed it stays failed, and holds nothing more.
  over.Append("SAY\x02hi\x01");
  EXPECT_EQ(over.Next(&message), Status::kTooLong);
  EXPECT_EQ(over.Pending(), 0u);
}

TEST(ReceiveBuffer, OverlongMessageIsRefusedEvenWhenItsTerminatorCameInTheSameRead) {
  ReceiveBuffer buffer;
  buffer.Append(
      "OK\x02"
      "1\x01" +
      std::string(ReceiveBuffer::kMaxMessageLength + 1, 'b') +
      "\x01"
      "LATE\x02"
      "2\x01");
  std::string message;
  ASSERT_EQ(buffer.Next(&message), Status::kMessage);
  EXPECT_EQ(message,
            "OK\x02"
            "1");
  EXPECT_EQ(buffer.Next(&message), Status::kTooLong);
}

}  // namespace
}  // namespace protocol
