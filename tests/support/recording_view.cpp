// SPDX-License-Identifier: MIT
#include "tests/support/recording_view.h"

namespace testing_support {

void RecordingView::UpdateConnectionRow(int32_t id, const std::string& name,
                                        const std::string& status, double) {
  const auto it = rows.find(id);
  if (it == rows.end()) return;
  if (!name.empty()) it->second.name = name;
  if (!status.empty()) it->second.status = status;
}

bool RecordingView::HasLog(server::LogKind kind, const std::string& text) const {
  for (const auto& entry : logs) {
    if (entry.kind == kind && entry.text == text) return true;
  }
  return false;
}

}  // namespace testing_support
