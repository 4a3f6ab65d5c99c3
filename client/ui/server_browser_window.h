// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <vector>

#include "directory/server_browser.h"
#include "directory/tracker.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace client {

class ServerProbe;
class Session;

// The server browser: the rooms the directory lists (Public), those the player has visited
// (Recent) and bookmarked (Favourites), three boxes for the room to connect to, and a probe that
// asks a room whether it is alive. Rows that only tell something cannot be chosen.
class ServerBrowserWindow : public QDialog {
  Q_OBJECT
 public:
  ServerBrowserWindow(Session* session, directory::RoomListStore* store,
                      directory::HttpGetter* http, std::string tracker_url, QWidget* parent);

  void ConnectToRoom();

 private:
  void ShowSection(directory::Section section);
  void ShowRows(const std::vector<directory::BrowserRow>& rows);
  // The public list as the tracker gave it, through the chosen language; the choice offers the
  // languages the list holds.
  void ShowPublicRows(std::vector<directory::BrowserRow> rows);
  // The boxes name the highlighted room, and none once no room is highlighted.
  void FollowHighlightedRow();
  // Asks the tracker for the public rooms; "Please wait.." shows until the answer, and the reason
  // when there is none.
  void FetchPublicList();
  void AddToFavourites(bool from_menu);
  void RemoveServer();
  void ProbeSelected();
  const directory::BrowserRow* SelectedRow() const;
  directory::ServerEntry Boxes() const;
  void Warn(const QString& title, const QString& text, QLineEdit* focus);

  Session* session_;
  directory::HttpGetter* http_;
  std::string tracker_url_;
  // Answers that arrive after the window has gone are dropped.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  directory::ServerBrowser browser_;
  directory::Section section_ = directory::Section::kRecent;
  int fetches_ = 0;
  bool section_chosen_ = false;
  std::vector<directory::BrowserRow> rows_;
  // The whole public list, of which the chosen language's rooms are shown.
  std::vector<directory::BrowserRow> public_rows_;
  // What the highlighted row put in the boxes, while they still hold it.
  std::optional<directory::ServerEntry> filled_;
  QListWidget* lvwSections_;
  QTreeWidget* lvwServers_;
  QLineEdit* txtAddress_;
  QLineEdit* txtName_;
  QLineEdit* txtDescription_;
  QPushButton* cmdRemoveServer_;
  QPushButton* cmdRefresh_;
  QComboBox* cboLanguage_;
  QIcon room_icon_;
  QIcon locked_icon_;
  ServerProbe* wsServerCheck_;

 public:
  ~ServerBrowserWindow() override { *alive_ = false; }
};

}  // namespace client
