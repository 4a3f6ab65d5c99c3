// SPDX-License-Identifier: MIT
#include "client/ui/server_browser_window.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "client/net/server_probe.h"
#include "client/room/session.h"
#include "client/ui/svg_picture.h"
#include "common/qt/text_codec.h"
#include "common/ui/message_box.h"
#include "common/ui/screen_fit.h"
#include "directory/languages.h"

namespace client {

using directory::BrowserRow;
using directory::Section;
using scrawlbox::FromWire;
using scrawlbox::ToWire;

ServerBrowserWindow::ServerBrowserWindow(Session* session, directory::RoomListStore* store,
                                         directory::HttpGetter* http, std::string tracker_url,
                                         QWidget* parent)
    : QDialog(parent),
      session_(session),
      http_(http),
      tracker_url_(std::move(tracker_url)),
      browser_(*store),
      room_icon_(SvgIcon(ImagePath(QStringLiteral("room.svg")))),
      locked_icon_(SvgIcon(ImagePath(QStringLiteral("room_locked.svg")))) {
  setObjectName(QStringLiteral("wServers"));
  setWindowTitle(tr("Server Browser"));
  setAttribute(Qt::WA_DeleteOnClose);

  lvwSections_ = new QListWidget;
  lvwSections_->setObjectName(QStringLiteral("lvwSections"));
  auto add_section = [this](const char* caption, Section section) {
    auto* item = new QListWidgetItem(tr(caption), lvwSections_);
    item->setData(Qt::UserRole, static_cast<int>(section));
  };
  add_section(QT_TR_NOOP("Public"), Section::kPublic);
  add_section(QT_TR_NOOP("Recent"), Section::kRecent);
  add_section(QT_TR_NOOP("Favourites"), Section::kFavourites);
  // As wide as its longest name, and no wider: the rooms take the rest.
  lvwSections_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  lvwSections_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  connect(lvwSections_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    ShowSection(static_cast<Section>(item->data(Qt::UserRole).toInt()));
  });

  lvwServers_ = new QTreeWidget;
  lvwServers_->setObjectName(QStringLiteral("lvwServers"));
  lvwServers_->setHeaderLabels(
      {tr("Server Name"), tr("Description"), tr("Players"), tr("Language")});
  lvwServers_->setRootIsDecorated(false);
  lvwServers_->header()->setStretchLastSection(false);
  lvwServers_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  lvwServers_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  lvwServers_->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
  lvwServers_->setColumnWidth(0, 200);
  lvwServers_->setColumnHidden(2, true);
  lvwServers_->setColumnHidden(3, true);
  lvwServers_->setContextMenuPolicy(Qt::CustomContextMenu);
  // A row highlighted by any button or key is the room the boxes name.
  connect(lvwServers_, &QTreeWidget::currentItemChanged, this,
          &ServerBrowserWindow::FollowHighlightedRow);
  connect(lvwServers_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (SelectedRow()) ConnectToRoom();
  });
  connect(lvwServers_, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (!SelectedRow() || !lvwServers_->itemAt(at)) return;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("ctxSERVERS"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("Connect"), this, &ServerBrowserWindow::ConnectToRoom);
    menu->addAction(tr("Add To Favourites"), this, [this] { AddToFavourites(true); });
    menu->addAction(tr("Is Server Online?"), this, &ServerBrowserWindow::ProbeSelected);
    if (const std::string& page = SelectedRow()->web_address; !page.empty()) {
      menu->addAction(tr("Play in the browser"), this, [page] {
        QDesktopServices::openUrl(QUrl(FromWire(page), QUrl::StrictMode));
      });
    }
    menu->popup(lvwServers_->viewport()->mapToGlobal(at));
  });

  auto box = [](const char* name, const QString& tip) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(tip);
    return edit;
  };
  txtAddress_ = box("txtAddress",
                    tr("Enter the IP of the server you want to connect to.. (host, host:port or "
                       "[IPv6]:port; the port is 2020 when none is given)"));
  txtName_ = box("txtName", tr("Enter a name for this server if you want to bookmark it.."));
  txtDescription_ =
      box("txtDescription",
          tr("Enter a short description for this server if you want to bookmark it.."));
  connect(txtAddress_, &QLineEdit::returnPressed, this, &ServerBrowserWindow::ConnectToRoom);

  auto* cmdConnect = new QPushButton(tr("Connect"));
  cmdConnect->setObjectName(QStringLiteral("cmdConnect"));
  cmdConnect->setDefault(true);
  connect(cmdConnect, &QPushButton::clicked, this, &ServerBrowserWindow::ConnectToRoom);
  auto* cmdAddToFavourites = new QPushButton(tr("Add server to favourites"));
  cmdAddToFavourites->setObjectName(QStringLiteral("cmdAddToFavourites"));
  connect(cmdAddToFavourites, &QPushButton::clicked, this, [this] { AddToFavourites(false); });
  cmdRemoveServer_ = new QPushButton(tr("Remove server"));
  cmdRemoveServer_->setObjectName(QStringLiteral("cmdRemoveServer"));
  cmdRemoveServer_->setEnabled(false);
  connect(cmdRemoveServer_, &QPushButton::clicked, this, &ServerBrowserWindow::RemoveServer);
  cmdRefresh_ = new QPushButton(tr("Refresh"));
  cmdRefresh_->setObjectName(QStringLiteral("cmdRefresh"));
  cmdRefresh_->setToolTip(tr("Ask the room directory for its list again"));
  cmdRefresh_->setEnabled(false);
  connect(cmdRefresh_, &QPushButton::clicked, this, &ServerBrowserWindow::FetchPublicList);
  cboLanguage_ = new QComboBox;
  cboLanguage_->setObjectName(QStringLiteral("cboLanguage"));
  cboLanguage_->setToolTip(tr("Show only the public rooms that play in this language"));
  cboLanguage_->addItem(tr("Any language"), QString());
  cboLanguage_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  cboLanguage_->setEnabled(false);
  connect(cboLanguage_, &QComboBox::activated, this, [this] {
    if (section_ == Section::kPublic) ShowPublicRows(public_rows_);
  });

  wsServerCheck_ = new ServerProbe(this);
  connect(wsServerCheck_, &ServerProbe::online, this, [this] {
    scrawlbox::ShowMessageBox(this, QMessageBox::Information, windowTitle(),
                              tr("Server appears to be online."));
  });
  connect(wsServerCheck_, &ServerProbe::closed, this, [this] {
    scrawlbox::ShowMessageBox(this, QMessageBox::NoIcon, windowTitle(),
                              tr("The server closed the connection."));
  });
  connect(wsServerCheck_, &ServerProbe::failed, this, [this](const QString& description) {
    scrawlbox::ShowMessageBox(this, QMessageBox::Warning, windowTitle(),
                              tr("The server could not be checked: %1").arg(description));
  });

  // The public list's own controls above it, the room's buttons below the boxes: two short rows
  // rather than one that would be wider than a scaled screen in a long language.
  auto* public_row = new QHBoxLayout;
  public_row->addWidget(cmdRefresh_);
  auto* language = new QLabel(tr("&Language"));
  language->setBuddy(cboLanguage_);
  public_row->addWidget(language);
  public_row->addWidget(cboLanguage_);
  public_row->addStretch();
  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(tr("Sections")), 0, 0);
  lists->addLayout(public_row, 0, 1);
  lists->addWidget(lvwSections_, 1, 0);
  lists->addWidget(lvwServers_, 1, 1);
  lists->setColumnStretch(1, 1);
  lists->setRowStretch(1, 1);
  auto* form = new QFormLayout;
  form->addRow(tr("Address"), txtAddress_);
  form->addRow(tr("Name"), txtName_);
  form->addRow(tr("Description"), txtDescription_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdAddToFavourites);
  buttons->addWidget(cmdRemoveServer_);
  buttons->addStretch();
  buttons->addWidget(cmdConnect);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(form);
  layout->addLayout(buttons);
  scrawlbox::ResizeWithinScreen(this, QSize(680, 440));

  const auto opening = browser_.Open();
  if (opening.section) {
    lvwSections_->setCurrentRow(1);
    section_ = *opening.section;
    section_chosen_ = true;
    cmdRemoveServer_->setEnabled(true);
    ShowRows(opening.rows);
    if (opening.highlighted) {
      lvwServers_->setCurrentItem(
          lvwServers_->topLevelItem(static_cast<int>(*opening.highlighted)));
    }
  } else {
    // A player who has been nowhere yet starts with the rooms there are.
    lvwSections_->setCurrentRow(0);
    ShowSection(Section::kPublic);
  }
  txtAddress_->setFocus();
  txtAddress_->selectAll();
}

void ServerBrowserWindow::ShowSection(Section section) {
  section_ = section;
  section_chosen_ = true;
  cmdRemoveServer_->setEnabled(section != Section::kPublic);
  cmdRefresh_->setEnabled(section == Section::kPublic);
  cboLanguage_->setEnabled(section == Section::kPublic);
  if (section == Section::kPublic) {
    FetchPublicList();
  } else {
    ShowRows(browser_.Load(section));
  }
}

void ServerBrowserWindow::FetchPublicList() {
  ShowRows({directory::ServerBrowser::WaitingRow()});
  if (!http_) return;
  // Only the answer to the latest request is shown: an earlier one is out of date.
  const int fetch = ++fetches_;
  http_->Get(
      tracker_url_ + "?" + directory::ServerBrowser::ViewQuery(), directory::UserAgent("Client"),
      [this, alive = alive_, fetch](const directory::HttpResult& result) {
        if (!*alive || section_ != Section::kPublic || fetch != fetches_) return;
        ShowPublicRows(result.ok ? directory::ServerBrowser::PublicRows(result.body)
                                 : std::vector<BrowserRow>{directory::ServerBrowser::UnreachableRow(
                                       result.error_text)});
      });
}

void ServerBrowserWindow::ShowPublicRows(std::vector<BrowserRow> rows) {
  public_rows_ = std::move(rows);
  // The choice stays while the new list still has it, and stays offered while it is chosen.
  const QString chosen = cboLanguage_->currentData().toString();
  std::vector<std::string> languages = directory::ServerBrowser::Languages(public_rows_);
  const std::string chosen_code = chosen.toStdString();
  if (!chosen_code.empty() &&
      std::find(languages.begin(), languages.end(), chosen_code) == languages.end()) {
    languages.push_back(chosen_code);
  }
  {
    const QSignalBlocker quiet(cboLanguage_);
    while (cboLanguage_->count() > 1) cboLanguage_->removeItem(1);
    for (const std::string& code : languages) {
      cboLanguage_->addItem(QString::fromUtf8(directory::LanguageName(code)),
                            QString::fromStdString(code));
    }
    cboLanguage_->setCurrentIndex(std::max(0, cboLanguage_->findData(chosen)));
  }
  ShowRows(directory::ServerBrowser::InLanguage(public_rows_, chosen_code));
}

void ServerBrowserWindow::ShowRows(const std::vector<BrowserRow>& rows) {
  const QSignalBlocker quiet(lvwServers_);
  rows_ = rows;
  lvwServers_->clear();
  bool counted = false;
  bool spoken = false;
  for (const BrowserRow& row : rows_) {
    QStringList texts = {FromWire(row.name), FromWire(row.description),
                         row.players ? QString::number(*row.players) : QString(),
                         QString::fromUtf8(directory::LanguageName(row.language))};
    auto* item = new QTreeWidgetItem(texts);
    lvwServers_->addTopLevelItem(item);
    if (row.placeholder) {
      // It tells, it names no room: it can be read, not chosen.
      item->setFlags(Qt::ItemIsEnabled);
      item->setToolTip(0, texts.mid(0, 2).join(QStringLiteral(" ")));
      if (row.description.empty()) item->setFirstColumnSpanned(true);
      QFont italic = item->font(0);
      italic.setItalic(true);
      item->setFont(0, italic);
      continue;
    }
    item->setIcon(0, row.locked ? locked_icon_ : room_icon_);
    QStringList tips;
    if (row.locked) tips << tr("This room asks for a password");
    if (!row.web_address.empty()) {
      tips << tr("Play in the browser: %1").arg(FromWire(row.web_address));
    }
    for (int column = 0; column < lvwServers_->columnCount(); ++column) {
      item->setToolTip(column, tips.join(QLatin1Char('\n')));
    }
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    counted = counted || row.players.has_value();
    spoken = spoken || !row.language.empty();
  }
  // The directory may not count players or tell languages; then there is no column to show.
  lvwServers_->setColumnHidden(2, !counted);
  lvwServers_->setColumnHidden(3, !spoken);
  // No row is highlighted in a new list, so the boxes no longer name the one that was.
  FollowHighlightedRow();
}

const BrowserRow* ServerBrowserWindow::SelectedRow() const {
  const QTreeWidgetItem* item = lvwServers_->currentItem();
  if (!item) return nullptr;
  const int index = lvwServers_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
  if (index < 0 || static_cast<size_t>(index) >= rows_.size()) return nullptr;
  const BrowserRow& row = rows_[static_cast<size_t>(index)];
  return row.placeholder ? nullptr : &row;
}

directory::ServerEntry ServerBrowserWindow::Boxes() const {
  return {ToWire(txtAddress_->text().trimmed()), ToWire(txtName_->text()),
          ToWire(txtDescription_->text())};
}

void ServerBrowserWindow::FollowHighlightedRow() {
  const BrowserRow* row = SelectedRow();
  directory::ServerEntry boxes;
  if (row) {
    boxes = {directory::ServerBrowser::AddressBoxText(*row), row->name, row->description};
  } else if (!filled_ || Boxes() != *filled_) {
    // What the player typed stays; only what a row put there goes with the row.
    return;
  }
  txtAddress_->setText(FromWire(boxes.address));
  txtName_->setText(FromWire(boxes.name));
  txtDescription_->setText(FromWire(boxes.description));
  filled_ = row ? std::optional(Boxes()) : std::nullopt;
}

void ServerBrowserWindow::Warn(const QString& title, const QString& text, QLineEdit* focus) {
  scrawlbox::ShowMessageBox(this, QMessageBox::Warning, title, text);
  if (focus) focus->setFocus();
}

void ServerBrowserWindow::ConnectToRoom() {
  const directory::ServerEntry boxes = Boxes();
  std::string why;
  const auto target = browser_.Connect(boxes, &why);
  if (!target) {
    if (boxes.address.empty()) {
      Warn(tr("No IP Entered.."),
           tr("You need to select a server or enter a server IP address into the Address "
              "textbox before you can connect."),
           txtAddress_);
    } else {
      Warn(tr("Not an address.."),
           tr("\"%1\" is not an address to connect to: %2.\nEnter host, host:port or "
              "[IPv6]:port.")
               .arg(txtAddress_->text(), FromWire(why)),
           txtAddress_);
    }
    return;
  }
  session_->ConnectFromBrowser(*target);
  close();
}

void ServerBrowserWindow::AddToFavourites(bool from_menu) {
  using R = directory::ServerBrowser::FavouriteResult;
  const QString title = tr("Can't add favourite..");
  std::string why;
  switch (browser_.AddFavourite(Boxes(), !from_menu, &why)) {
    case R::kMissingAddress:
      Warn(title, tr("You need to enter an IP address for this entry!"), txtAddress_);
      return;
    case R::kBadAddress:
      Warn(title, tr("The address cannot be used: %1.").arg(FromWire(why)), txtAddress_);
      return;
    case R::kMissingName:
      Warn(title, tr("You need to enter a name for this entry!"), txtName_);
      return;
    case R::kMissingDescription:
      Warn(title, tr("You need to enter a description for this entry!"), txtDescription_);
      return;
    case R::kAlreadyExists:
      Warn(tr("Already exists.."), tr("This favourite already exists!"), nullptr);
      return;
    case R::kAdded:
      break;
  }
  if (from_menu || (section_chosen_ && section_ == Section::kFavourites)) {
    lvwSections_->setCurrentRow(2);
    ShowSection(Section::kFavourites);
  }
}

void ServerBrowserWindow::RemoveServer() {
  const BrowserRow* row = SelectedRow();
  if (!row || section_ == Section::kPublic) return;
  browser_.Remove(section_, rows_, static_cast<size_t>(row - rows_.data()));
  ShowSection(section_);
}

void ServerBrowserWindow::ProbeSelected() {
  const BrowserRow* row = SelectedRow();
  const auto room = row ? directory::ServerBrowser::RoomOf(*row) : std::nullopt;
  if (!room) return;
  // The row's own room: its address and its port, whatever the boxes hold.
  wsServerCheck_->Probe(FromWire(room->host), static_cast<quint16>(room->port), room->code);
}

}  // namespace client
