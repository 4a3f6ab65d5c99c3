// SPDX-License-Identifier: MIT
#include "common/qt/qt_ini_file.h"

#include <QMetaObject>
#include <system_error>
#include <utility>

namespace scrawlbox {

QtIniFile::QtIniFile(std::filesystem::path path) : file_(std::move(path)) {}

QtIniFile::~QtIniFile() {
  Flush();
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_writer_.notify_one();
  if (writer_.joinable()) writer_.join();
}

inifile::IniDocument QtIniFile::Snapshot() const {
  if (waiting_) return *waiting_;
  if (writing_) return *writing_;
  return file_.Snapshot();
}

bool QtIniFile::Edit(const std::function<bool(inifile::IniDocument&)>& edit) {
  FinishWrite(true);
  if (!waiting_) return file_.Edit(edit);
  // What waited becomes part of this write.
  inifile::IniDocument document = std::move(*waiting_);
  waiting_.reset();
  edit(document);
  const bool stored = file_.Save(document);
  Tell(std::exchange(waiting_done_, {}), stored);
  return stored;
}

void QtIniFile::EditSoon(const std::function<bool(inifile::IniDocument&)>& edit, Done done) {
  std::vector<Done> told;
  if (done) told.push_back(std::move(done));
  if (waiting_) {
    if (!edit(*waiting_)) return Tell(std::move(told), true);
    for (Done& one : told) waiting_done_.push_back(std::move(one));
    return;
  }
  inifile::IniDocument document;
  if (writing_) {
    document = *writing_;
  } else if (!file_.Load(&document)) {
    return Tell(std::move(told), false);
  }
  if (!edit(document)) return Tell(std::move(told), true);
  waiting_ = std::move(document);
  waiting_done_ = std::move(told);
  StartWrite();
}

void QtIniFile::Flush() {
  FinishWrite(true);
  if (waiting_) Edit([](inifile::IniDocument&) { return false; });
}

void QtIniFile::StartWrite() {
  if (writing_ || !waiting_) return;
  if (!writer_.joinable()) {
    try {
      writer_ = std::thread([this] { RunWriter(); });
    } catch (const std::system_error&) {
      Edit([](inifile::IniDocument&) { return false; });  // no thread to be had: wait here
      return;
    }
  }
  writing_ = std::make_shared<const inifile::IniDocument>(std::move(*waiting_));
  waiting_.reset();
  writing_done_ = std::exchange(waiting_done_, {});
  {
    const std::lock_guard lock(mutex_);
    job_ = writing_;
  }
  wake_writer_.notify_one();
}

void QtIniFile::FinishWrite(bool wait) {
  std::optional<bool> stored;
  {
    std::unique_lock lock(mutex_);
    if (wait) written_.wait(lock, [this] { return !job_; });
    stored = std::exchange(outcome_, std::nullopt);
  }
  if (!stored) return;
  writing_.reset();
  if (*stored || !waiting_) {
    Tell(std::exchange(writing_done_, {}), *stored);
    return;
  }
  // The failed text's changes are in the waiting one too: they share its outcome.
  for (Done& one : writing_done_) waiting_done_.push_back(std::move(one));
  writing_done_.clear();
}

void QtIniFile::Tell(std::vector<Done> done, bool stored) {
  if (done.empty()) return;
  // Never inside the caller's own call: a callback may well write again.
  QMetaObject::invokeMethod(
      &context_,
      [done = std::move(done), stored] {
        for (const Done& one : done) one(stored);
      },
      Qt::QueuedConnection);
}

void QtIniFile::RunWriter() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_writer_.wait(lock, [this] { return job_ || stopping_; });
    if (!job_) return;
    const std::shared_ptr<const inifile::IniDocument> job = job_;
    lock.unlock();
    const bool stored = file_.Save(*job);
    lock.lock();
    job_.reset();
    outcome_ = stored;
    written_.notify_all();
    QMetaObject::invokeMethod(
        &context_,
        [this] {
          FinishWrite(false);
          StartWrite();
        },
        Qt::QueuedConnection);
  }
}

}  // namespace scrawlbox
