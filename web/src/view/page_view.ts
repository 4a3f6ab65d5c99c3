// SPDX-License-Identifier: MIT
// The page's PageView: each of the core's calls goes to the module that shows it. The socket and
// the storage are main's; the view reaches them through the Room it is given.
import type {
  ChatLine,
  Controls,
  PageCore,
  PageView,
  Panel,
  Standing,
  UserEntry,
  UserProfile,
  WordChoice,
} from "../core";
import { ChatView, showUnsendable } from "./chat";
import { Dialogs } from "./dialogs";
import { byId, el } from "./dom";
import { onLanguageChange, showText, t, tn } from "./i18n";
import { PadView } from "./pad";
import { PanelView } from "./panel";
import { Sounds } from "./sounds";
import { ToolsView } from "./tools";
import { UserListView } from "./users";
import { WordChoiceView } from "./word_choice";
import { showPicture } from "./pictures";

// What main gives the view: the room's connection and the browser's storage.
export interface Room {
  connect(): void;
  close(): void;
  send(bytes: Uint8Array): boolean;
  leave(): void;
  loadSettings(): string;
  saveSettings(text: string): void;
  loadMuted(): boolean;
  saveMuted(muted: boolean): void;
}

export class Page implements PageView {
  private core: PageCore | null = null;
  private readonly chat: ChatView;
  private readonly users: UserListView;
  private readonly panel: PanelView;
  private readonly pad: PadView;
  private readonly tools: ToolsView;
  private readonly dialogs = new Dialogs();
  private readonly sounds: Sounds;
  private readonly wordChoice = new WordChoiceView((index) => this.core?.chooseWord(index));
  private readonly joinForm = byId<HTMLFormElement>("joinForm");
  private readonly watch = byId<HTMLInputElement>("watch");
  private readonly watchLate = byId<HTMLInputElement>("watchLate");
  private summaryTimer: ReturnType<typeof setTimeout> | null = null;
  private readonly nickname = byId<HTMLInputElement>("nickname");
  private readonly joinWhy = byId("joinWhy");
  private readonly joinUnsendable = byId("joinUnsendable");
  private readonly leaveButton = byId<HTMLButtonElement>("leave");
  private readonly muteButton = byId<HTMLButtonElement>("mute");
  private readonly autoSkip = byId<HTMLInputElement>("autoSkip");
  private controls: Controls | null = null;
  private passwordAsked = false;
  private winners: string[] = [];
  private podium: Standing[] = [];

  constructor(private readonly room: Room) {
    this.chat = new ChatView(
      byId("chatLog"),
      byId<HTMLFormElement>("chatForm"),
      byId<HTMLInputElement>("chatInput"),
      byId("chatLimit"),
      byId("chatUnsendable"),
      (text) => this.core?.unsendable(text) ?? "",
      (text) => this.core?.enterChat(text),
    );
    this.users = new UserListView(byId<HTMLUListElement>("playerList"), {
      information: (id) => this.core?.requestUserInformation(id),
      kick: (id, nickname) => this.dialogs.askKickReason(id, nickname),
      voteKick: (id) => this.core?.voteKick(id),
    });
    this.panel = new PanelView({
      roomLine: byId("roomLine"),
      roomName: byId("roomName"),
      adminLine: byId("adminLine"),
      adminName: byId("adminName"),
      rounds: byId("rounds"),
      word: byId("panelWord"),
      clock: byId("clock"),
      status: byId("statusLine"),
      patternText: byId("patternText"),
      patternSpoken: byId("patternSpoken"),
      start: byId<HTMLButtonElement>("startButton"),
      hint: byId<HTMLButtonElement>("hintButton"),
      autoSkip: this.autoSkip,
    });
    this.pad = new PadView({
      board: byId("board"),
      stage: byId("stage"),
      frame: byId("padFrame"),
      canvas: byId<HTMLCanvasElement>("pad"),
      clearNote: byId("clearNote"),
    });
    this.tools = new ToolsView(byId("tools"), byId("palette"));
    this.pad.onState = (state) => this.tools.show(state);
    this.sounds = new Sounds(room.loadMuted());
    this.dialogs.onPasswordShown = (shown) => {
      this.passwordAsked = shown;
      this.showJoin();
    };

    const unsendable = (): string =>
      this.core?.unsendable(this.nickname.value.normalize("NFC").trim()) ?? "";
    this.nickname.addEventListener("input", () =>
      showUnsendable(this.joinUnsendable, unsendable()),
    );
    this.joinForm.addEventListener("submit", (event) => {
      event.preventDefault();
      const nickname = this.nickname.value.normalize("NFC").trim();
      if (nickname.length === 0) return;
      showText(this.joinWhy, () => "");
      showUnsendable(this.joinUnsendable, unsendable());
      this.core?.join(nickname);
    });
    this.leaveButton.addEventListener("click", () => this.core?.leave("Quitting"));
    byId("startButton").addEventListener("click", () => this.core?.startButton());
    byId("hintButton").addEventListener("click", () => this.core?.hintButton());
    this.autoSkip.addEventListener("change", () => this.core?.setAutoSkip(this.autoSkip.checked));
    this.watch.addEventListener("change", () => this.core?.setWatching(this.watch.checked));
    this.watchLate.addEventListener("change", () =>
      this.core?.setWatchUntilNextRound(this.watchLate.checked),
    );
    this.muteButton.addEventListener("click", () => this.setMuted(!this.sounds.isMuted));
    byId("winnerClose").addEventListener("click", () => this.showWinner([], []));
    showPicture(document.querySelector<HTMLImageElement>(".winner-picture")!, "/icons/winner.svg");
    this.showMuted();
    onLanguageChange(() => this.showPodium());
  }

  attach(core: PageCore): void {
    this.core = core;
    this.pad.attach(core);
    this.tools.attach(core);
    this.dialogs.attach(core);
    core.setMuted(this.sounds.isMuted);
    if (!this.nickname.value) this.nickname.value = core.nickname();
  }

  // --- The room's connection and the storage: main's. ---
  connect(): void {
    this.room.connect();
  }
  close(): void {
    this.room.close();
  }
  send(bytes: Uint8Array): boolean {
    return this.room.send(bytes);
  }
  leave(): void {
    this.room.leave();
  }
  loadSettings(): string {
    return this.room.loadSettings();
  }
  saveSettings(text: string): void {
    this.room.saveSettings(text);
  }

  // --- What the core shows. ---
  addChatLine(line: ChatLine): void {
    this.chat.addLine(line);
  }
  addWelcome(title: string, rest: string, hint: string): void {
    this.chat.addWelcome(title, rest, hint);
  }
  clearChat(): void {
    this.chat.clear();
  }
  showUsers(users: UserEntry[]): void {
    this.users.show(users);
  }
  showPanel(panel: Panel): void {
    this.panel.showPanel(panel);
    const room = panel.roomName && panel.roomName !== "-" ? panel.roomName : "";
    document.title = room ? `${room} - Scrawlbox` : "Scrawlbox";
    this.showUserActions();
  }
  showControls(controls: Controls): void {
    this.controls = controls;
    this.panel.showControls(controls);
    this.pad.setDrawing(controls.drawing);
    this.tools.setDrawing(controls.drawing);
    this.leaveButton.hidden = !controls.disconnect;
    this.watch.disabled = !controls.watch;
    this.watch.checked = controls.watching;
    this.showJoin();
    this.showUserActions();
  }
  focusChatInput(): void {
    this.chat.focusInput();
  }
  padChanged(): void {
    this.pad.changed();
  }
  showWinner(winners: string[], podium: Standing[]): void {
    const shown = winners.length > 0;
    byId("winner").hidden = !shown;
    this.pad.setBlocked(shown);
    this.winners = winners;
    this.podium = podium;
    if (!shown) return;
    byId("winnerTitle").textContent = winners.join(" & ");
    byId("winnerShared").hidden = winners.length < 2;
    this.showPodium();
    const places = podium.map((s) => `${s.place}. ${s.nickname}, ${tn("%n points", s.points)}`);
    const named = winners.join(` ${t("and")} `);
    this.announce(
      tn("The game is over. The winner: %1. %2", winners.length, named, places.join("; ")),
    );
  }

  private showPodium(): void {
    if (this.winners.length === 0) return;
    byId("podium").replaceChildren(
      ...this.podium.map((s) =>
        el(
          "li",
          { class: `place place-${Math.min(s.place, 4)}` },
          el("span", { class: "place-number" }, `${s.place}.`),
          el("span", { class: "place-name" }, s.nickname),
          el("span", { class: "place-points" }, tn("%n points", s.points)),
        ),
      ),
    );
  }
  showAgreement(text: string): void {
    this.dialogs.showAgreement(text);
  }
  askRoomPassword(room: string, wrong: boolean): void {
    this.dialogs.askRoomPassword(room, wrong);
  }
  showUserInfo(profile: UserProfile): void {
    this.dialogs.showUserInfo(profile);
  }
  showReservedNickname(): void {
    this.askNickname(() =>
      t(
        "Sorry, but you cannot use the nickname you have selected. It either contains offensive language, is a reserved name, or is the default profile name. Please choose another.",
      ),
    );
  }
  askForNickname(refusal: string): void {
    this.askNickname(() => refusal);
  }
  private askNickname(why: () => string): void {
    showText(this.joinWhy, why);
    this.joinForm.hidden = false;
    this.nickname.focus();
    this.nickname.select();
  }
  openGameSetup(): void {
    this.dialogs.openGameSetup();
  }
  wordListsReceived(names: string[]): void {
    this.dialogs.wordListsReceived(names);
  }
  wordListsComplete(): void {
    this.dialogs.wordListsComplete();
  }
  noWordLists(): void {
    this.dialogs.noWordLists();
  }
  playSound(fileName: string): void {
    this.sounds.play(fileName);
  }
  showWordChoice(choice: WordChoice): void {
    if (!this.wordChoice.show(choice)) return;
    this.announce(
      choice.mine
        ? t(
            "Choose the word you will draw: %1. Keys 1 to %2.",
            choice.words.join(", "),
            choice.words.length,
          )
        : t("%1 is choosing a word.", choice.chooser),
    );
  }

  showRoundSummary(text: string): void {
    // The chat line of the same text is what assistive technology reads.
    const summary = byId("roundSummary");
    summary.textContent = text;
    summary.hidden = text.length === 0;
    if (this.summaryTimer !== null) clearTimeout(this.summaryTimer);
    this.summaryTimer = text.length === 0 ? null : setTimeout(() => this.showRoundSummary(""), 5000);
  }

  // Said once by a screen reader; what it says is also on the screen.
  private announce(text: string): void {
    const announcer = byId("announcer");
    announcer.textContent = "";
    requestAnimationFrame(() => {
      announcer.textContent = text;
    });
  }

  private setMuted(muted: boolean): void {
    this.sounds.setMuted(muted);
    this.room.saveMuted(muted);
    this.core?.setMuted(muted);
    this.showMuted();
  }

  private showMuted(): void {
    const muted = this.sounds.isMuted;
    this.muteButton.setAttribute("aria-pressed", String(muted));
    showText(this.muteButton, () => (muted ? t("Sounds are off") : t("Mute sounds")), "title");
  }

  // The nickname form while the page may join; a password asked for has its own Join.
  private showJoin(): void {
    const may = this.controls?.connect ?? true;
    this.joinForm.hidden = !may || this.passwordAsked;
  }

  private showUserActions(): void {
    const inRoom = this.controls?.disconnect ?? false;
    const own = this.core?.nickname() ?? "";
    this.users.setActions(inRoom, inRoom && own !== "" && own === this.panel.admin, own);
  }
}
