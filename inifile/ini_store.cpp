// SPDX-License-Identifier: MIT
#include "inifile/ini_store.h"

#include "inifile/ini_document.h"
#include "protocol/numbers.h"

namespace inifile {

std::string IniStore::INIRead(std::string_view section, std::string_view key,
                              std::string_view default_value) const {
  return Snapshot().Read(section, key, default_value);
}

bool IniStore::INIWrite(std::string_view section, std::string_view key, std::string_view value) {
  return Edit([&](IniDocument& document) {
    document.Write(section, key, value);
    return true;
  });
}

bool IniStore::INIWriteAll(std::string_view section, const KeyValues& keys) {
  return Edit([&](IniDocument& document) {
    for (const auto& [key, value] : keys) document.Write(section, key, value);
    return true;
  });
}

bool IniStore::DeleteSection(std::string_view section) {
  return Edit([&](IniDocument& document) { return document.DeleteSection(section); });
}

bool IniStore::ReplaceSection(std::string_view section, const KeyValues& keys) {
  return Edit([&](IniDocument& document) {
    document.ReplaceSection(section, keys);
    return true;
  });
}

void IniStore::EditSoon(const std::function<bool(IniDocument&)>& edit,
                        std::function<void(bool stored)> done) {
  const bool stored = Edit(edit);
  if (done) done(stored);
}

KeyValues IniStore::ReadSection(std::string_view section) const {
  return Snapshot().ReadSection(section);
}

MemoryStore::MemoryStore() : document_(std::make_unique<IniDocument>()) {}
MemoryStore::MemoryStore(std::string_view text) : document_(std::make_unique<IniDocument>(text)) {}
MemoryStore::~MemoryStore() = default;

IniDocument MemoryStore::Snapshot() const {
  return *document_;
}

bool MemoryStore::Edit(const std::function<bool(IniDocument&)>& edit) {
  edit(*document_);
  return true;
}

std::string MemoryStore::INIRead(std::string_view section, std::string_view key,
                                 std::string_view default_value) const {
  return document_->Read(section, key, default_value);
}

KeyValues MemoryStore::ReadSection(std::string_view section) const {
  return document_->ReadSection(section);
}

std::string MemoryStore::Text() const {
  return document_->Text();
}

double ReadNumber(const IniDocument& document, std::string_view section, std::string_view key,
                  std::string_view default_value) {
  return protocol::LeadingNumber(document.Read(section, key, default_value));
}

bool ReadBool(const IniDocument& document, std::string_view section, std::string_view key,
              bool default_value) {
  const std::string text = document.Read(section, key, default_value ? "1" : "0");
  return protocol::LeadingNumber(text) != 0.0;
}

bool WriteBool(IniStore& store, std::string_view section, std::string_view key, bool value) {
  return store.INIWrite(section, key, BoolText(value));
}

}  // namespace inifile
