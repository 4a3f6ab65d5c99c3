// SPDX-License-Identifier: MIT
#include <string>
#include <string_view>

#include "inifile/ini_document.h"
#include "inifile/ini_store.h"
#include "protocol/text.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_targets.h"

namespace fuzz {

namespace {

using inifile::IniDocument;
using inifile::KeyValues;

// Names the settings files use, a case variant, and names at the edges of the format.
std::string Name(FuzzInput& in) {
  static constexpr std::string_view kNames[] = {"Server Details",
                                                "server details",
                                                "Banned IPs",
                                                "Statistics",
                                                "Count",
                                                "Ban1",
                                                "",
                                                " padded ",
                                                "a=b",
                                                "[x]",
                                                ";c",
                                                "a]b",
                                                "K"};
  return in.Flag() ? std::string(kNames[in.Pick(std::size(kNames))]) : in.Text();
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsTrimmed(std::string_view text) {
  return text.empty() ||
         (text.front() != ' ' && text.front() != '\t' && text.back() != ' ' && text.back() != '\t');
}

// A section, key and value that the file form can hold as they are, so that what is written
// must read back unchanged.
bool SectionKeeps(std::string_view section) {
  return !HasLineBreak(section) && IsTrimmed(section) && section.find(']') == std::string::npos;
}
bool KeyKeeps(std::string_view key) {
  return !HasLineBreak(key) && IsTrimmed(key) && key.find('=') == std::string::npos &&
         (key.empty() || (key.front() != ';' && key.front() != '['));
}
bool ValueKeeps(std::string_view value) {
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return !HasLineBreak(value) && IsTrimmed(value) && !quoted &&
         value.size() <= inifile::kMaxValueLength;
}

bool SameName(std::string_view a, std::string_view b) {
  return protocol::EqualsIgnoreCase(a, b);
}

// Reading the text a document writes gives the same document: nothing drifts from write to
// write.
void CheckStable(const IniDocument& document) {
  const std::string text = document.Text();
  FUZZ_CHECK(IniDocument(text).Text() == text);
}

}  // namespace

int FuzzIni(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::string text = in.LongText(8192);
  IniDocument document(text);
  inifile::MemoryStore store(text);
  CheckStable(document);
  FUZZ_CHECK(store.Text() == document.Text());

  for (int steps = 0; steps < 64 && !in.empty(); ++steps) {
    const std::string section = Name(in);
    const std::string key = Name(in);
    switch (in.Pick(6)) {
      case 0: {  // reads agree between the two forms
        FUZZ_CHECK(store.INIRead(section, key, "\x01") == document.Read(section, key, "\x01"));
        FUZZ_CHECK(store.ReadSection(section) == document.ReadSection(section));
        const std::string value = document.Read(section, key, "");
        FUZZ_CHECK(value.size() <= inifile::kMaxValueLength);
        FUZZ_CHECK(!HasLineBreak(value));
        break;
      }
      case 1: {  // a write reads back
        const std::string value = in.Flag() ? in.Text() : in.LongText(70000);
        document.Write(section, key, value);
        FUZZ_CHECK(store.INIWrite(section, key, value));
        if (SectionKeeps(section) && KeyKeeps(key) && ValueKeeps(value)) {
          FUZZ_CHECK(document.Read(section, key, "\x01") == value);
        }
        break;
      }
      case 2: {  // a replaced section holds exactly its new keys; other sections stay
        KeyValues keys;
        bool keeps = SectionKeeps(section);
        for (size_t i = in.Pick(4); i > 0; --i) {
          std::string k = Name(in);
          std::string v = in.Text();
          bool duplicate = false;
          for (const auto& [seen, ignored] : keys) duplicate = duplicate || SameName(seen, k);
          keeps = keeps && KeyKeeps(k) && !k.empty() && ValueKeeps(v) && !duplicate;
          keys.emplace_back(std::move(k), std::move(v));
        }
        const std::string other = Name(in);
        const KeyValues other_before = document.ReadSection(other);
        document.ReplaceSection(section, keys);
        FUZZ_CHECK(store.ReplaceSection(section, keys));
        if (keeps) FUZZ_CHECK(document.ReadSection(section) == keys);
        if (keeps && SectionKeeps(other) && !SameName(other, section)) {
          FUZZ_CHECK(document.ReadSection(other) == other_before);
        }
        break;
      }
      case 3:  // a deleted section is gone
        document.DeleteSection(section);
        FUZZ_CHECK(store.DeleteSection(section) || true);
        FUZZ_CHECK(document.ReadSection(section).empty());
        FUZZ_CHECK(document.Read(section, key, "\x01") == "\x01");
        break;
      case 4:
        FUZZ_CHECK(store.INIWriteAll(section, {{key, in.Text()}, {Name(in), in.Text()}}));
        document = store.Snapshot();
        break;
      default:
        (void)inifile::ReadNumber(document, section, key, in.Text());
        (void)inifile::ReadBool(document, section, key, in.Flag());
        break;
    }
    FUZZ_CHECK(store.Text() == document.Text());
    CheckStable(document);
  }
  return 0;
}

}  // namespace fuzz
