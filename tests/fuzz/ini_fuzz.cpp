// SPDX-License-Identifier: MIT
// INI text read and edited through IniDocument and MemoryStore.
#include "inifile/ini_document.h"
#include "inifile/ini_store.h"
#include "protocol/framing.h"
#include "protocol/text.h"
#include "tests/fuzz/fuzz_input.h"

namespace fuzz {

namespace {

using inifile::IniDocument;
using inifile::KeyValues;

// Names the settings files use, a case variant, and names at the edges of the format.
const std::vector<std::string> kNames = protocol::SplitFields(
    "Server Details|server details|Banned IPs|Statistics|Count|Ban1|| padded |a=b|[x]|;c|a]b|K",
    '|');

// Whether the file form holds the text as it is: on one line, without outer blanks, and none
// of the characters given, so that what is written must read back unchanged.
bool Keeps(std::string_view text, std::string_view forbidden) {
  const bool trimmed = text.empty() || (text.front() != ' ' && text.front() != '\t' &&
                                        text.back() != ' ' && text.back() != '\t');
  return trimmed && text.find_first_of("\r\n") == std::string_view::npos &&
         text.find_first_of(forbidden) == std::string_view::npos;
}
bool KeyKeeps(std::string_view key) {
  return Keeps(key, "=") && (key.empty() || (key.front() != ';' && key.front() != '['));
}
bool ValueKeeps(std::string_view value) {
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return Keeps(value, "") && !quoted && value.size() <= inifile::kMaxValueLength;
}

// Both forms hold the same text, and reading it gives the same text: nothing drifts from write
// to write.
void CheckStable(const IniDocument& document, const inifile::MemoryStore& store) {
  const std::string text = document.Text();
  FUZZ_CHECK(store.Text() == text);
  FUZZ_CHECK(IniDocument(text).Text() == text);
}

}  // namespace

int FuzzIni(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::string text = in.LongText(8192);
  IniDocument document(text);
  inifile::MemoryStore store(text);
  CheckStable(document, store);

  for (int steps = 0; steps < 64 && !in.empty(); ++steps) {
    const std::string section = OptionOrText(in, kNames);
    const std::string key = OptionOrText(in, kNames);
    Choose(
        in,
        [&] {  // reads agree between the two forms
          FUZZ_CHECK(store.INIRead(section, key, "\x01") == document.Read(section, key, "\x01"));
          FUZZ_CHECK(store.ReadSection(section) == document.ReadSection(section));
          const std::string value = document.Read(section, key, "");
          FUZZ_CHECK(value.size() <= inifile::kMaxValueLength);
          FUZZ_CHECK(value.find_first_of("\r\n") == std::string::npos);
        },
        [&] {  // a write reads back
          const std::string value = in.Flag() ? in.Text() : in.LongText(70000);
          document.Write(section, key, value);
          FUZZ_CHECK(store.INIWrite(section, key, value));
          if (Keeps(section, "]") && KeyKeeps(key) && ValueKeeps(value))
            FUZZ_CHECK(document.Read(section, key, "\x01") == value);
        },
        [&] {  // a replaced section holds exactly its new keys; other sections stay
          KeyValues keys;
          bool keeps = Keeps(section, "]");
          for (size_t i = in.Pick(4); i > 0; --i) {
            std::string k = OptionOrText(in, kNames);
            std::string v = in.Text();
            for (const auto& [seen, ignored] : keys) keeps &= !protocol::EqualsIgnoreCase(seen, k);
            keeps = keeps && KeyKeeps(k) && !k.empty() && ValueKeeps(v);
            keys.emplace_back(std::move(k), std::move(v));
          }
          const std::string other = OptionOrText(in, kNames);
          const KeyValues other_before = document.ReadSection(other);
          document.ReplaceSection(section, keys);
          FUZZ_CHECK(store.ReplaceSection(section, keys));
          if (keeps) FUZZ_CHECK(document.ReadSection(section) == keys);
          if (keeps && Keeps(other, "]") && !protocol::EqualsIgnoreCase(other, section))
            FUZZ_CHECK(document.ReadSection(other) == other_before);
        },
        [&] {  // a deleted section is gone
          document.DeleteSection(section);
          (void)store.DeleteSection(section);
          FUZZ_CHECK(document.ReadSection(section).empty());
          FUZZ_CHECK(document.Read(section, key, "\x01") == "\x01");
        },
        [&] {
          FUZZ_CHECK(store.INIWriteAll(section,
                                       {{key, in.Text()}, {OptionOrText(in, kNames), in.Text()}}));
          document = store.Snapshot();
        },
        [&] {
          (void)inifile::ReadNumber(document, section, key, in.Text());
          (void)inifile::ReadBool(document, section, key, in.Flag());
        });
    CheckStable(document, store);
  }
  return 0;
}

}  // namespace fuzz
