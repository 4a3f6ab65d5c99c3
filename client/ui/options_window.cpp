// SPDX-License-Identifier: MIT
#include "client/ui/options_window.h"

#include <algorithm>

#include <QApplication>
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
#include "common/ui/screen_fit.h"
#include "directory/languages.h"

namespace client {

using scrawlbox::FromWire;
using scrawlbox::ToWire;

namespace {

// The sounds a player may turn on and off, as the window names them.
struct SoundEvent {
  Sound sound;
  const char* caption;
};
constexpr SoundEvent kSoundEvents[] = {
    {Sound::kJoin, QT_TRANSLATE_NOOP("client::OptionsWindow", "Someone joins the room")},
    {Sound::kNewMessage, QT_TRANSLATE_NOOP("client::OptionsWindow", "Someone says something")},
    {Sound::kWordFound, QT_TRANSLATE_NOOP("client::OptionsWindow", "Someone finds the word")},
    {Sound::kKeyClick, QT_TRANSLATE_NOOP("client::OptionsWindow", "A key is typed in the chat")},
    {Sound::kMouseClick,
     QT_TRANSLATE_NOOP("client::OptionsWindow", "The profile is saved or closed")},
    {Sound::kYourTurn, QT_TRANSLATE_NOOP("client::OptionsWindow", "It is your turn to draw")},
    {Sound::kChooseWord,
     QT_TRANSLATE_NOOP("client::OptionsWindow", "You are offered words to choose from")},
    {Sound::kLastSeconds,
     QT_TRANSLATE_NOOP("client::OptionsWindow", "A round's last five seconds tick away")},
};

// The font the chat uses when the options name none.
QFont SystemChatFont() {
  return QApplication::font();
}

}  // namespace

QFont ChatFont(const ClientOptions& options) {
  QFont font = SystemChatFont();
  if (!options.ChatFontName.empty()) font.setFamily(FromWire(options.ChatFontName));
  if (options.ChatFontPoints() > 0) font.setPointSize(options.ChatFontPoints());
  return font;
}

OptionsWindow::OptionsWindow(Session* session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("wOptions"));
  setWindowTitle(tr("Options"));
  const ClientOptions& o = session_->options();
  const QFont chat_font = ChatFont(o);

  txtChatFont_ = new QLineEdit(chat_font.family());
  txtChatFont_->setObjectName(QStringLiteral("txtChatFont"));
  txtChatFont_->setFont(QFont(txtChatFont_->text()));
  txtChatFontSize_ = new QLineEdit(QString::number(chat_font.pointSize()));
  txtChatFontSize_->setObjectName(QStringLiteral("txtChatFontSize"));
  txtChatFontSize_->setValidator(new QIntValidator(1, 72, txtChatFontSize_));
  txtChatFontSize_->setMaximumWidth(60);
  auto* cmdChatFontSelector = new QPushButton(tr("Choose..."));
  cmdChatFontSelector->setObjectName(QStringLiteral("cmdChatFontSelector"));
  connect(cmdChatFontSelector, &QPushButton::clicked, this, &OptionsWindow::ChooseFont);

  auto check = [](const char* name, const char* caption, bool value) {
    auto* box = new QCheckBox(tr(caption));
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(value);
    return box;
  };
  chkShowJoinMessages_ =
      check("chkShowJoinMessages", QT_TR_NOOP("Show a line when someone joins the room"),
            o.ShowJoinMessages);
  chkShowLeaveMessages_ =
      check("chkShowLeaveMessages", QT_TR_NOOP("Show a line when someone leaves the room"),
            o.ShowLeaveMessages);
  chkToolCursor_ = check("chkToolCursor", QT_TR_NOOP("The pad's cursor follows the selected tool"),
                         o.ToolCursor);
  chkUseFlatToolBar_ = check("chkUseFlatToolBar", QT_TR_NOOP("Flat toolbars"), o.FlatToolbar);

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
  cboInternetConnection_->addItems(
      {tr("Dial-up Modem"), tr("Broadband"), tr("Local Area Network")});
  labInternetConnection_ = new QLabel;
  labInternetConnection_->setObjectName(QStringLiteral("labInternetConnection"));
  labInternetConnection_->setWordWrap(true);
  connect(cboInternetConnection_, &QComboBox::currentIndexChanged, this, [this](int index) {
    static const char* const kDescriptions[] = {
        QT_TR_NOOP("Drawing information will only be sent to the server when the mouse button is "
                   "released."),
        QT_TR_NOOP("Drawing information is sent to the server in bursts once every second."),
        QT_TR_NOOP("Drawing information is constantly sent to the server. Note that this can "
                   "saturate a non-LAN connection.")};
    if (index >= 0 && index < 3) {
      labInternetConnection_->setText(tr(kDescriptions[index]));
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

  // Each language in itself; the windows are made in it at the next start.
  cboLanguage_ = new QComboBox;
  cboLanguage_->setObjectName(QStringLiteral("cboLanguage"));
  cboLanguage_->addItem(tr("The system's"), QString());
  for (std::string_view code : directory::kKnownLanguages) {
    cboLanguage_->addItem(QString::fromStdString(directory::LanguageName(code)),
                          QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
  }
  cboLanguage_->setCurrentIndex(
      std::max(0, cboLanguage_->findData(QString::fromStdString(o.Language))));
  auto* language_note = new QLabel(tr("Scrawlbox speaks it from its next start."));
  language_note->setWordWrap(true);

  auto* chat = new QGroupBox(tr("Chat"));
  auto* chat_layout = new QFormLayout(chat);
  chat_layout->addRow(tr("Chat font:"), font_row);
  chat_layout->addRow(chkShowJoinMessages_);
  chat_layout->addRow(chkShowLeaveMessages_);
  auto* drawing = new QGroupBox(tr("Drawing"));
  auto* drawing_layout = new QFormLayout(drawing);
  drawing_layout->addRow(tr("Drawing cursor:"), cursor_row);
  drawing_layout->addRow(chkToolCursor_);
  drawing_layout->addRow(chkUseFlatToolBar_);
  drawing_layout->addRow(tr("Connection:"), cboInternetConnection_);
  drawing_layout->addRow(labInternetConnection_);
  auto* sounds = new QGroupBox(tr("Play a sound when"));
  auto* sounds_layout = new QVBoxLayout(sounds);
  for (const SoundEvent& event : kSoundEvents) {
    const auto n = static_cast<size_t>(event.sound);
    auto* box = check(QStringLiteral("chkSound%1").arg(n).toLatin1().constData(), event.caption,
                      o.SoundEnabled[n]);
    sounds_layout->addWidget(box);
    chkSounds_[n] = box;
  }

  auto* buttons = scrawlbox::AcceptCancelButtons(this, QDialogButtonBox::Save, "cmdSave");
  // Two columns, the sounds beside the rest: one column would be taller than a scaled laptop
  // screen.
  sounds_layout->addStretch(1);
  auto* language = new QGroupBox(tr("Language"));
  auto* language_layout = new QFormLayout(language);
  language_layout->addRow(tr("Windows:"), cboLanguage_);
  language_layout->addRow(language_note);
  auto* left = new QVBoxLayout;
  left->addWidget(language);
  left->addWidget(chat);
  left->addWidget(drawing);
  left->addStretch(1);
  auto* content = new QWidget;
  auto* columns = new QHBoxLayout(content);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->addLayout(left, 3);
  columns->addWidget(sounds, 2);
  // On a screen too narrow for both columns (a large scale, a long language) the sounds go under
  // the rest, and what is then too tall scrolls.
  if (scrawlbox::TooWideForScreen(this, content)) {
    columns->setDirection(QBoxLayout::TopToBottom);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scrawlbox::ScrollingIfNeeded(content), 1);
  layout->addWidget(buttons);
  scrawlbox::ResizeWithinScreen(this,
                                QSize(std::max(720, sizeHint().width()), sizeHint().height()));
}

void OptionsWindow::ShowCursorPreview(int index) {
  picDrawingCursor_->setPixmap(
      RenderSvg(CursorPath(QStringLiteral("draw_%1.svg").arg(index)), 32, devicePixelRatioF()));
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
  const QFont system = SystemChatFont();
  const bool system_font = txtChatFont_->text() == system.family() &&
                           txtChatFontSize_->text() == QString::number(system.pointSize());
  // Left as the system's font, the chat follows the system when it changes.
  o.ChatFontName = system_font ? std::string() : ToWire(txtChatFont_->text());
  o.ChatFontSize = system_font ? std::string() : ToWire(txtChatFontSize_->text());
  for (size_t n = 0; n < chkSounds_.size(); ++n) {
    if (chkSounds_[n]) o.SoundEnabled[n] = chkSounds_[n]->isChecked();
  }
  o.FlatToolbar = chkUseFlatToolBar_->isChecked();
  o.Language = cboLanguage_->currentData().toString().toStdString();
  session_->SetOptions(o);
  emit optionsSaved();
  QDialog::accept();
}

}  // namespace client
