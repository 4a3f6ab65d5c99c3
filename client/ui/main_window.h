// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "client/pad/pad_tools.h"
#include "client/room/client_ports.h"
#include "client/ui/client_paths.h"
#include "client/ui/gallery.h"
#include "common/qt/qt_http.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace scrawlbox {
class Scheduler;
}

namespace client {

class ChatBar;
class DrawingArea;
class GalleryWindow;
class ProfileWindow;
class SetupGameWindow;
class ChatInput;
class ChatView;
class ClientSettings;
class QtConnection;
class Session;
class SoundPlayer;
class UserList;
class WordChoicePanel;

// The player's main window: the drawing pad at its centre, the information panel, game buttons,
// user list and chat beside it. It shows what the session tells it and hands every click and key
// to the session.
class MainWindow : public QMainWindow, public ClientView {
  Q_OBJECT
 public:
  // The window's size before Client.ini remembers one, in pixels, and the share of the screen
  // it takes at most then.
  static constexpr int kDesignedWidth = 1280;
  static constexpr int kDesignedHeight = 800;
  static constexpr double kFirstScreenShare = 0.85;

  // The scheduler times the pad's two-step clear.
  MainWindow(ClientPaths paths, scrawlbox::Scheduler& scheduler);
  ~MainWindow() override;

  PadTools& tools() { return *tools_; }
  DrawingArea& drawing() { return *drawing_; }
  Gallery& gallery() { return gallery_; }

  void Attach(Session* session, ClientSettings* settings, QtConnection* connection);
  // Places the window as Client.ini remembers it, on a screen that can show it (centred at its
  // designed size otherwise).
  void RestorePlacement();
  // A player without a nickname chooses one first, then goes on to the server browser; true when
  // the window was opened.
  bool ChooseNicknameIfNeeded();
  // The chat font and toolbar style of the options.
  void ApplyOptions();

  // ClientView
  void AddChatLine(const ChatLine& line) override;
  void AddWelcome(const std::string& title, const std::string& rest,
                  const std::string& hint) override;
  void ClearChat() override;
  void ShowUsers(const std::vector<UserEntry>& users) override;
  void ShowPanel(const Panel& panel) override;
  void ShowControls(const Controls& controls) override;
  void FocusChatInput() override;
  bool IsChatFloating() const override;
  void ClearPad() override;
  void ResetTools() override;
  void ReplayDrawing(const protocol::DrawCommand& command) override;
  void ShowWinner(const std::vector<std::string>& winners,
                  const std::vector<Standing>& podium) override;
  void RoundBegins() override;
  void RoundEnded(const RoundRecord& round) override;
  void ShowWordChoice(const WordChoice& choice) override;
  void ShowAgreement(const std::string& text) override;
  void AskRoomPassword(const std::string& room, bool wrong) override;
  void ShowUserInfo(const UserProfile& profile) override;
  void ShowReservedNicknameBox(bool in_profile_window) override;
  void AskForNickname(const std::string& refusal) override;
  void OpenGameSetup() override;
  void WordListsReceived(const std::vector<std::string>& names) override;
  void WordListsComplete() override;
  void NoWordLists() override;
  void PlaySoundFile(const std::string& file_name) override;
  void OfferDownload(const std::string& title, const std::string& text,
                     const std::string& url) override;
  void CloseProgram() override;
  void ShowRoundSummary(const std::string& text) override;
  void ShowRoomInvite(const RoomInvite& invite) override;

  // The profile window; `then` runs once it was saved.
  ProfileWindow* OpenProfile(std::function<void()> then = {});
  ProfileWindow* OpenNicknameChoice(std::function<void()> then = {});
  void OpenServerBrowser();
  GalleryWindow* OpenGallery();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolsMenu();
  QWidget* BuildPanel();
  void ShowToolChecks();
  // Whether the player may go on to a room now; one who needs a nickname chooses it first and
  // then goes on with then, and a reserved nickname is refused.
  bool NicknameReadyThen(std::function<void()> then);
  void ConnectMenu();
  void CreateRoomMenu();
  void OpenOptions();
  void OpenUserInformation();
  void KickSelectedUser();
  void VoteToKickSelectedUser();
  void ShowUserMenu(const QPoint& at);
  void SetFloating(bool floating);
  void OpenWebAddress(const QString& address);
  void ShowGameWord();
  void LoadImage();
  void SaveImage();
  void CopyImage();
  void PasteImage();
  void EnterLine(const QString& text);
  ChatView* VisibleChat() const;
  UserList* VisibleUsers() const;

  ClientPaths paths_;
  scrawlbox::Scheduler& scheduler_;
  Session* session_ = nullptr;
  ClientSettings* settings_ = nullptr;
  QtConnection* connection_ = nullptr;
  SoundPlayer* sounds_;
  scrawlbox::QtHttpGetter http_;

  ChatView* rtbChat_;
  ChatInput* txtChat_;
  UserList* lvwUsers_;
  std::unique_ptr<PadTools> tools_;
  DrawingArea* drawing_;
  // The chat view with its input: beside the pad, under it, or hidden while the chat floats.
  QWidget* chat_pane_;
  Gallery gallery_;
  // The pad as the round in play began.
  std::optional<PadTools::State> round_start_;
  QPointer<GalleryWindow> gallery_window_;
  QPointer<ProfileWindow> profile_window_;
  // What the player asked for before choosing a nickname (the server browser).
  std::function<void()> after_nickname_;
  QPointer<SetupGameWindow> setup_window_;
  // The links of the room made last; a newer room's replace them.
  QPointer<QDialog> invite_window_;
  QLabel* labRoomName_;
  QLabel* labAdmin_;
  QLabel* labRounds_;
  QLabel* labWord_;
  QLabel* labTime_;
  QPushButton* cmdStartGameSkipGo_;
  QPushButton* cmdWarnArtist_;
  QCheckBox* chkAutoSkipGo_;
  QCheckBox* chkWatch_;
  QCheckBox* chkWatchLate_;
  // The round's summary over the pad, taken down by its timer.
  QLabel* labRoundSummary_ = nullptr;
  QTimer* tmrRoundSummary_ = nullptr;
  ChatBar* chat_bar_ = nullptr;
  WordChoicePanel* fraWordChoice_ = nullptr;

  QAction* mCONNECT_;
  QAction* mDISCONNECT_;
  QAction* mUSERINFORMATION_;
  QMenu* mADMINISTRATE_;
  QAction* mKICKUSER_;
  QAction* mVOTEKICK_;
  QAction* mCHATBAR_FLOAT_;
  QAction* mCHATBAR_KEEPONTOP_;
  QAction* mLOADIMAGE_;
  QAction* mEDIT_PASTEFROMCLIPBOARD_;
  // The Tools menu's items by tool, and the brushes'.
  std::vector<std::pair<Tool, QAction*>> tool_items_;
  std::vector<QAction*> brush_items_;
  Controls controls_;
  // Closing: the player agreed to leave a game in progress, and the PART is going out.
  bool leave_confirmed_ = false;
  bool leaving_ = false;
};

}  // namespace client
