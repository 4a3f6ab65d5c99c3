// SPDX-License-Identifier: MIT
// The small windows: room password, agreement, user information, kicking, messages and the
// game set-up. Each is a modal <dialog>; what its buttons mean is the core's to act on.
import type { GameSetup, PageCore, UserProfile } from "../core";
import { byId, el } from "./dom";
import { onLanguageChange, showText, t, tn } from "./i18n";
import {
  heldNumber,
  kGraceSecondsRange,
  kPlayerLimitRange,
  kSecondsPerRoundRange,
  kTotalRoundsRange,
  type SetupLimit,
} from "./setup_limits";

// The word lists a set-up shows; a room sending more is not shown more.
export const kMaxWordLists = 500;
// What a kick's reason may hold, as the core cuts it.
const kKickReasonLength = 64;

const listsReady = (): string => t("Wordlist downloaded.");

function open(dialog: HTMLDialogElement): void {
  if (!dialog.open) dialog.showModal();
}

interface NumberField {
  input: HTMLInputElement;
  limit: SetupLimit;
}

export class Dialogs {
  private core: PageCore | null = null;
  private readonly password = byId<HTMLDialogElement>("passwordDialog");
  private readonly agreement = byId<HTMLDialogElement>("agreementDialog");
  private readonly userInfo = byId<HTMLDialogElement>("userInfoDialog");
  private readonly kick = byId<HTMLDialogElement>("kickDialog");
  private readonly message = byId<HTMLDialogElement>("messageDialog");
  private readonly setup = byId<HTMLDialogElement>("setupDialog");
  private readonly lists = byId("wordLists");
  private readonly setupStatus = byId("setupStatus");
  private readonly setupStart = byId<HTMLButtonElement>("setupStart");
  private readonly customWords = byId<HTMLTextAreaElement>("setupCustomWords");
  private readonly customCount = byId("setupCustomCount");
  private readonly numbers: Record<"players" | "rounds" | "seconds" | "grace", NumberField>;
  private rememberedLists: string[] = [];
  private listsComplete = false;
  private kickId = 0;
  private profile: UserProfile | null = null;
  // Told when a window opens or closes, so that the page can keep one "Join" on show.
  onPasswordShown: (shown: boolean) => void = () => {};

  constructor() {
    type Range = (low: number, high: number) => string;
    const field = (id: string, limit: SetupLimit, range: Range): NumberField => {
      const input = byId<HTMLInputElement>(id);
      input.min = String(limit.low);
      input.max = String(limit.high);
      showText(byId(`${id}Range`), () => range(limit.low, limit.high));
      input.addEventListener("change", () => {
        input.value = String(heldNumber(input.value, limit));
      });
      return { input, limit };
    };
    this.numbers = {
      players: field("setupPlayerLimit", kPlayerLimitRange, (low, high) =>
        t("%1 to %2 (0: no limit)", low, high),
      ),
      rounds: field("setupTotalRounds", kTotalRoundsRange, (low, high) => t("%1 to %2", low, high)),
      seconds: field("setupSeconds", kSecondsPerRoundRange, (low, high) =>
        t("%1 to %2 seconds", low, high),
      ),
      grace: field("setupGrace", kGraceSecondsRange, (low, high) =>
        t("%1 to %2 seconds", low, high),
      ),
    };
    onLanguageChange(() => {
      if (this.profile) this.showProfile(this.profile);
    });

    const passwordInput = byId<HTMLInputElement>("password");
    const passwordJoin = byId<HTMLButtonElement>("passwordJoin");
    this.customWords.addEventListener("input", () => this.countCustomWords());
    passwordInput.addEventListener("input", () => {
      passwordJoin.disabled = passwordInput.value.length === 0;
    });
    this.password.addEventListener("close", () => {
      this.onPasswordShown(false);
      if (this.password.returnValue !== "join" || passwordInput.value.length === 0) return;
      const remember = byId<HTMLInputElement>("rememberPassword").checked;
      this.core?.retryWithPassword(passwordInput.value.normalize("NFC"), remember);
      passwordInput.value = "";
    });

    // Closing the rules without an answer refuses them, so that the login does not hang.
    this.agreement.addEventListener("close", () => {
      if (this.agreement.returnValue === "agree") this.core?.agreementAccepted();
      else this.core?.agreementRefused();
    });

    this.kick.addEventListener("close", () => {
      if (this.kick.returnValue !== "kick") return;
      this.core?.kickUser(this.kickId, byId<HTMLInputElement>("kickReason").value.normalize("NFC"));
    });

    for (const select of ["setupRoomName", "setupDescription"]) {
      const input = byId<HTMLInputElement>(select);
      input.addEventListener("focus", () => input.select());
    }
    this.lists.addEventListener("change", () => {
      if (this.listsComplete && this.chosenLists().length > 0)
        this.showSetupStatus(listsReady, false);
    });
    byId<HTMLFormElement>("setupForm").addEventListener("submit", (event) => {
      const submitter = (event as SubmitEvent).submitter as HTMLButtonElement | null;
      if (submitter?.value !== "start") return;
      event.preventDefault();
      this.startGame();
    });
    // Whatever closes the set-up without a game (Cancel, Escape) tells the core so.
    this.setup.addEventListener("close", () => {
      if (this.setup.returnValue !== "started") this.core?.cancelGameSetup();
    });
  }

  attach(core: PageCore): void {
    this.core = core;
  }

  askRoomPassword(room: string, wrong: boolean): void {
    showText(byId("passwordText"), () =>
      wrong
        ? t("The password was not right. The room at %1 asks for its password:", room)
        : t("The room at %1 asks for a password:", room),
    );
    const input = byId<HTMLInputElement>("password");
    input.value = "";
    byId<HTMLButtonElement>("passwordJoin").disabled = true;
    this.password.returnValue = "";
    this.onPasswordShown(true);
    open(this.password);
    input.focus();
  }

  showAgreement(text: string): void {
    // The room's text is shown as text, never read as markup.
    byId("agreementText").textContent = text;
    this.agreement.returnValue = "";
    open(this.agreement);
  }

  showUserInfo(profile: UserProfile): void {
    this.showProfile(profile);
    open(this.userInfo);
  }

  // The fields as the player wrote them; only their names are the page's.
  private showProfile(profile: UserProfile): void {
    this.profile = profile;
    const rows: [string, Node | string][] = [
      [t("Name"), profile.name],
      [t("Age"), profile.age],
      [t("Gender"), profile.gender],
      [t("Location"), profile.location],
      [t("Homepage"), homepage(profile.homepage)],
      [t("Quote"), profile.quote],
    ];
    byId("profile").replaceChildren(
      ...rows.map(([term, value]) => el("div", {}, el("dt", {}, term), el("dd", {}, value))),
    );
  }

  askKickReason(id: number, nickname: string): void {
    this.kickId = id;
    showText(byId("kickText"), () =>
      t(
        "Enter the reason why you are kicking %1. You are limited to %2 characters.",
        nickname,
        kKickReasonLength,
      ),
    );
    const reason = byId<HTMLInputElement>("kickReason");
    reason.maxLength = kKickReasonLength;
    reason.value = "[No reason given]";
    this.kick.returnValue = "";
    open(this.kick);
    reason.select();
  }

  showMessage(title: () => string, text: () => string): void {
    showText(byId("messageTitle"), title);
    showText(byId("messageText"), text);
    open(this.message);
  }

  openGameSetup(): void {
    const core = this.core;
    if (!core) return;
    if (this.setup.open) {
      this.setup.focus();
      return;
    }
    const last = core.lastGameSetup();
    const nickname = core.nickname();
    byId<HTMLInputElement>("setupRoomName").value =
      last.roomName || (nickname ? `${nickname}'s room!` : "Unknown room");
    byId<HTMLInputElement>("setupDescription").value = last.description;
    const n = this.numbers;
    n.players.input.value = String(heldNumber(String(last.playerLimit), n.players.limit));
    n.rounds.input.value = String(heldNumber(String(last.totalRounds), n.rounds.limit));
    n.seconds.input.value = String(heldNumber(String(last.secondsPerRound), n.seconds.limit));
    n.grace.input.value = String(heldNumber(String(last.graceSeconds), n.grace.limit));
    this.rememberedLists = last.wordLists;
    this.customWords.value = last.customWords.join(", ");
    this.countCustomWords();
    this.listsComplete = false;
    this.lists.replaceChildren();
    this.setupStart.disabled = true;
    this.showSetupStatus(() => t("Downloading wordlist..."), false);
    this.setup.returnValue = "";
    open(this.setup);
    core.requestWordLists();
  }

  wordListsReceived(names: string[]): void {
    if (!this.setup.open) return;
    for (const name of names) {
      if (this.lists.childElementCount >= kMaxWordLists) break;
      const box = el("input", { type: "checkbox", value: name });
      box.checked = this.rememberedLists.includes(name);
      this.lists.append(el("label", { class: "check" }, box, ` ${name}`));
    }
  }

  wordListsComplete(): void {
    if (!this.setup.open) return;
    const boxes = this.boxes();
    // A first set-up, or one whose lists this room lacks, starts with the lists of the room's
    // language, unless it plays the game's own words alone.
    const alone = this.typedWords().length > 0;
    if (this.core && !alone && !boxes.some((b) => b.checked)) {
      const chosen = this.core.defaultWordLists(boxes.map((b) => b.value));
      for (const box of boxes) box.checked = chosen.includes(box.value);
    }
    this.groupLists(boxes);
    this.listsComplete = true;
    this.showSetupStatus(listsReady, false);
    this.setupStart.disabled = false;
  }

  // With lists of several languages, each language's under its name, the room's first, and each
  // list without its language in front; the boxes keep their full names as values.
  private groupLists(boxes: HTMLInputElement[]): void {
    if (!this.core) return;
    const groups = this.core.wordListGroups(boxes.map((b) => b.value));
    if (groups.length < 2) return;
    const byName = new Map(boxes.map((box) => [box.value, box]));
    this.lists.replaceChildren(
      ...groups.flatMap((group) => [
        el("p", { class: "word-list-group" }, group.name),
        ...group.lists.flatMap((list) => {
          const box = byName.get(list.name);
          return box ? [el("label", { class: "check" }, box, ` ${list.title}`)] : [];
        }),
      ]),
    );
  }

  noWordLists(): void {
    this.showSetupStatus(() => t("No wordlists available."), false);
    this.setupStart.disabled = false; // a game of one's own words needs no list
    this.showMessage(
      () => t("Server has no wordlists..."),
      () =>
        t(
          "The server hasn't been setup properly and does not contain any word lists. Please let the administrator of this server know!",
        ),
    );
  }

  private boxes(): HTMLInputElement[] {
    return Array.from(this.lists.querySelectorAll<HTMLInputElement>("input[type=checkbox]"));
  }

  private chosenLists(): string[] {
    return this.boxes()
      .filter((b) => b.checked)
      .map((b) => b.value);
  }

  private typedWords(): string[] {
    return this.core?.customWords(this.customWords.value.normalize("NFC")) ?? [];
  }

  private countCustomWords(): void {
    const count = this.typedWords().length;
    // The core keeps at most as many as the room takes, so the count says when typing is in vain.
    showText(this.customCount, () =>
      count === 0 ? t("None: the game uses the lists alone.") : tn("%n words", count),
    );
  }

  private showSetupStatus(text: () => string, error: boolean): void {
    showText(this.setupStatus, text);
    this.setupStatus.classList.toggle("error", error);
  }

  private startGame(): void {
    const core = this.core;
    if (!core) return;
    const n = this.numbers;
    const setup: GameSetup = {
      roomName: byId<HTMLInputElement>("setupRoomName").value.normalize("NFC"),
      description: byId<HTMLInputElement>("setupDescription").value.normalize("NFC"),
      playerLimit: heldNumber(n.players.input.value, n.players.limit),
      totalRounds: heldNumber(n.rounds.input.value, n.rounds.limit),
      secondsPerRound: heldNumber(n.seconds.input.value, n.seconds.limit),
      graceSeconds: heldNumber(n.grace.input.value, n.grace.limit),
      wordLists: this.chosenLists(),
      customWords: this.typedWords(),
    };
    if (!core.startGame(setup)) {
      this.showSetupStatus(() => t("Please select at least one wordlist."), true);
      return;
    }
    this.setup.close("started");
  }
}

// A homepage that is a web address is a link; anything else stays text.
function homepage(address: string): Node | string {
  if (!/^https?:\/\/[^\s]+$/i.test(address)) return address;
  return el("a", { href: address, target: "_blank", rel: "noopener noreferrer" }, address);
}
