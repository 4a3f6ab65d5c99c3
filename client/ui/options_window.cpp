// SPDX-License-Identifier: MIT
#include "client/ui/options_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include "client/room/session.h"
#include "client/ui/svg_picture.h"
#include "common/qt/text_codec.h"
#include "common/ui/dialog_buttons.h"

namespace client {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

OptionsWindow::OptionsWindow(Session* session, QString cursor_folder, QWidget* parent)
    : QDialog(parent), session_(session), cursor_folder_(std::move(cursor_folder)) {
  setObjectName(QStringLiteral("wOptions"));
  setWindowTitle(QStringLiteral("Options"));
  const ClientOptions& o = session_->options();

  txtChatFont_ = new QLineEdit(FromWire(o.ChatFontName));
  txtChatFont_->setObjectName(QStringLiteral("txtChatFont"));
  txtChatFont_->setFont(QFont(txtChatFont_->text()));
  txtChatFontSize_ = new QLineEdit(FromWire(o.ChatFontSize));
  txtChatFontSize_->setObjectName(QStringLiteral("txtChatFontSize"));
  txtChatFontSize_->setValidator(new QIntValidator(1, 72, txtChatFontSize_));
  txtChatFontSize_->setMaximumWidth(60);
  auto* cmdChatFontSelector = new QPushButton(QStringLiteral("Choose..."));
  cmdChatFontSelector->setObjectName(QStringLiteral("cmdChatFontSelector"));
  connect(cmdChatFontSelector, &QPushButton::clicked, this, &OptionsWindow::ChooseFont);

  auto check = [](const char* name, const char* caption, bool value) {
    auto* box = new QCheckBox(QString::fromLatin1(caption));
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(value);
    return box;
  };
  chkShowJoinMessages_ =
      check("chkShowJoinMessages", "Show a line when someone joins the room", o.ShowJoinMessages);
  chkShowLeaveMessages_ = check("chkShowLeaveMessages", "Show a line when someone leaves the room",
                                o.ShowLeaveMessages);
  chkToolCursor_ =
      check("chkToolCursor", "The pad's cursor follows the selected tool", o.ToolCursor);
  chkUseFlatToolBar_ = check("chkUseFlatToolBar", "Flat toolbars", o.FlatToolbar);

  sliDrawingCursor_ = new QSlider(Qt::Horizontal);
  sliDrawingCursor_->setObjectName(QStringLiteral("sliDrawingCursor"));
  sliDrawingCursor_->setRange(0, 5);
  sliDrawingCursor_->setTickPosition(QSlider::TicksBelow);
  sliDrawingCursor_->setValue(o.DrawingCursor);
  picDrawingCursor_ = new QLabel;
  picDrawingCursor_->setObjectName(QStringLiteral("picDrawingCursor"));
  picDrawingCursor_->setFixedSize(40, 40);
  picDrawingCursor_->setAlignment(Qt::AlignCenter);
  picDrawingCursor_->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray;"));
  connect(sliDrawingCursor_, &QSlider::valueChanged, this, &OptionsWindow::ShowCursorPreview);
  ShowCursorPreview(o.DrawingCursor);

  // Drawing always goes out as it happens; the list only explains that.
  cboInternetConnection_ = new QComboBox;
  cboInternetConnection_->setObjectName(QStringLiteral("cboInternetConnection"));
  cboInternetConnection_->addItems({QStringLiteral("Dial-up Modem"), QStringLiteral("Broadband"),
                                    QStringLiteral("Local Area Network")});
  labInternetConnection_ = new QLabel;
  labInternetConnection_->setObjectName(QStringLiteral("labInternetConnection"));
  labInternetConnection_->setWordWrap(true);
  connect(cboInternetConnection_, &QComboBox::currentIndexChanged, this, [this](int index) {
    static const char* const kDescriptions[] = {
        "Drawing information will only be sent to the server when the mouse button is released.",
        "Drawing information is sent to the server in bursts once every second.",
        "Drawing information is constantly sent to the server. Note that this can saturate a "
        "non-LAN connection."};
    if (index >= 0 && index < 3) {
      labInternetConnection_->setText(QString::fromLatin1(kDescriptions[index]));
    }
  });
  cboInternetConnection_->setCurrentIndex(2);
  cboInternetConnection_->setEnabled(false);

  auto* font_row = new QHBoxLayout;
  font_row->addWidget(txtChatFont_, 1);
  font_row->addWidget(txtChatFontSize_);
  font_row->addWidget(cmdChatFontSelector);
  auto* cursor_row = new QHBoxLayout;
  cursor_row->addWidget(sliDrawingCursor_, 1);
  cursor_row->addWidget(picDrawingCursor_);

  auto* chat = new QGroupBox(QStringLiteral("Chat"));
  auto* chat_layout = new QFormLayout(chat);
  chat_layout->addRow(QStringLiteral("Chat font:"), font_row);
  chat_layout->addRow(chkShowJoinMessages_);
  chat_layout->addRow(chkShowLeaveMessages_);
  auto* drawing = new QGroupBox(QStringLiteral("Drawing"));
  auto* drawing_layout = new QFormLayout(drawing);
  drawing_layout->addRow(QStringLiteral("Drawing cursor:"), cursor_row);
  drawing_layout->addRow(chkToolCursor_);
  drawing_layout->addRow(chkUseFlatToolBar_);
  drawing_layout->addRow(QStringLiteral("Connection:"), cboInternetConnection_);
  drawing_layout->addRow(labInternetConnection_);
  auto* sounds = new QLabel(QStringLiteral(
      "Sounds cannot be changed here: set the events of the [Sounds] section of Client.ini "
      "to 1 (on) or 0 (off)."));
  sounds->setWordWrap(true);

  auto* buttons = scrawlbox::AcceptCancelButtons(this, QDialogButtonBox::Save, "cmdSave");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chat);
  layout->addWidget(drawing);
  layout->addWidget(sounds);
  layout->addWidget(buttons);
  resize(480, sizeHint().height());
}

void OptionsWindow::ShowCursorPreview(int index) {
  picDrawingCursor_->setPixmap(
      RenderSvg(QDir(cursor_folder_).filePath(QStringLiteral("draw_%1.svg").arg(index)), 32));
}

void OptionsWindow::ChooseFont() {
  QFont current(txtChatFont_->text());
  current.setPointSize(std::max(1, txtChatFontSize_->text().toInt()));
  auto* dialog = new QFontDialog(current, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFontDialog::fontSelected, this, [this](const QFont& font) {
    txtChatFont_->setText(font.family());
    txtChatFont_->setFont(QFont(font.family()));
    txtChatFontSize_->setText(QString::number(font.pointSize()));
  });
  dialog->open();
}

void OptionsWindow::accept() {
  ClientOptions o = session_->options();
  o.ToolCursor = chkToolCursor_->isChecked();
  o.DrawingCursor = sliDrawingCursor_->value();
  o.ShowJoinMessages = chkShowJoinMessages_->isChecked();
  o.ShowLeaveMessages = chkShowLeaveMessages_->isChecked();
  o.ChatFontName = ToWire(txtChatFont_->text());
  o.ChatFontSize = ToWire(txtChatFontSize_->text());
  o.FlatToolbar = chkUseFlatToolBar_->isChecked();
  session_->SetOptions(o);
  emit optionsSaved();
  QDialog::accept();
}

}  // namespace client
