// SPDX-License-Identifier: MIT
// The small windows: room password, agreement, user information, kicking, messages and the
// game set-up. Each is a modal <dialog>; what its buttons mean is the core's to act on.
import type { GameSetup, PageCore, UserProfile } from "../core";
import { byId, el } from "./dom";
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

const kListsReady = "Wordlist downloaded.";
const kNoListChosen = "Please select at least one wordlist.";

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
  // Told when a window opens or closes, so that the page can keep one "Join" on show.
  onPasswordShown: (shown: boolean) => void = () => {};

  constructor() {
    const field = (id: string, limit: SetupLimit, unit: string): NumberField => {
      const input = byId<HTMLInputElement>(id);
      input.min = String(limit.low);
      input.max = String(limit.high);
      byId(`${id}Range`).textContent = `${limit.low} to ${limit.high}${unit}`;
      input.addEventListener("change", () => {
        input.value = String(heldNumber(input.value, limit));
      });
      return { input, limit };
    };
    this.numbers = {
      players: field("setupPlayerLimit", kPlayerLimitRange, " (0: no limit)"),
      rounds: field("setupTotalRounds", kTotalRoundsRange, ""),
      seconds: field("setupSeconds", kSecondsPerRoundRange, " seconds"),
      grace: field("setupGrace", kGraceSecondsRange, " seconds"),
    };

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
      this.core?.retryWithPassword(passwordInput.value, remember);
      passwordInput.value = "";
    });

    // Closing the rules without an answer refuses them, so that the login does not hang.
    this.agreement.addEventListener("close", () => {
      if (this.agreement.returnValue === "agree") this.core?.agreementAccepted();
      else this.core?.agreementRefused();
    });

    this.kick.addEventListener("close", () => {
      if (this.kick.returnValue !== "kick") return;
      this.core?.kickUser(this.kickId, byId<HTMLInputElement>("kickReason").value);
    });

    for (const select of ["setupRoomName", "setupDescription"]) {
      const input = byId<HTMLInputElement>(select);
      input.addEventListener("focus", () => input.select());
    }
    this.lists.addEventListener("change", () => {
      if (this.listsComplete && this.chosenLists().length > 0)
        this.showSetupStatus(kListsReady, false);
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
    byId("passwordText").textContent = wrong
      ? `The password was not right. The room at ${room} asks for its password:`
      : `The room at ${room} asks for a password:`;
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
    const rows: [string, Node | string][] = [
      ["Name", profile.name],
      ["Age", profile.age],
      ["Gender", profile.gender],
      ["Location", profile.location],
      ["Homepage", homepage(profile.homepage)],
      ["Quote", profile.quote],
    ];
    byId("profile").replaceChildren(
      ...rows.map(([term, value]) => el("div", {}, el("dt", {}, term), el("dd", {}, value))),
    );
    open(this.userInfo);
  }

  askKickReason(id: number, nickname: string): void {
    this.kickId = id;
    byId("kickText").textContent =
      `Enter the reason why you are kicking ${nickname}. You are limited to ${kKickReasonLength} characters.`;
    const reason = byId<HTMLInputElement>("kickReason");
    reason.maxLength = kKickReasonLength;
    reason.value = "[No reason given]";
    this.kick.returnValue = "";
    open(this.kick);
    reason.select();
  }

  showMessage(title: string, text: string): void {
    byId("messageTitle").textContent = title;
    byId("messageText").textContent = text;
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
    this.showSetupStatus("Downloading wordlist...", false);
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
    // A first set-up, or one whose lists this room lacks, starts with the first list, unless it
    // plays the game's own words alone.
    const alone = this.typedWords().length > 0;
    if (boxes.length > 0 && !alone && !boxes.some((b) => b.checked)) boxes[0].checked = true;
    this.listsComplete = true;
    this.showSetupStatus(kListsReady, false);
    this.setupStart.disabled = false;
  }

  noWordLists(): void {
    this.showSetupStatus("No wordlists available.", false);
    this.setupStart.disabled = false; // a game of one's own words needs no list
    this.showMessage(
      "Server has no wordlists...",
      "The server hasn't been setup properly and does not contain any word lists. Please let the administrator of this server know!",
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
    return this.core?.customWords(this.customWords.value) ?? [];
  }

  private countCustomWords(): void {
    const count = this.typedWords().length;
    // The core keeps at most as many as the room takes, so the count says when typing is in vain.
    this.customCount.textContent =
      count === 0
        ? "None: the game uses the lists alone."
        : `${count} ${count === 1 ? "word" : "words"}`;
  }

  private showSetupStatus(text: string, error: boolean): void {
    this.setupStatus.textContent = text;
    this.setupStatus.classList.toggle("error", error);
  }

  private startGame(): void {
    const core = this.core;
    if (!core) return;
    const n = this.numbers;
    const setup: GameSetup = {
      roomName: byId<HTMLInputElement>("setupRoomName").value,
      description: byId<HTMLInputElement>("setupDescription").value,
      playerLimit: heldNumber(n.players.input.value, n.players.limit),
      totalRounds: heldNumber(n.rounds.input.value, n.rounds.limit),
      secondsPerRound: heldNumber(n.seconds.input.value, n.seconds.limit),
      graceSeconds: heldNumber(n.grace.input.value, n.grace.limit),
      wordLists: this.chosenLists(),
      customWords: this.typedWords(),
    };
    if (!core.startGame(setup)) {
      this.showSetupStatus(kNoListChosen, true);
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
