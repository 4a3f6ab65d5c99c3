// SPDX-License-Identifier: MIT
// Rooms of a host: the window that makes a private room, and a room's invite link. The host
// decides everything (codes, limits); the page only asks and shows the answer.
import { byId } from "./dom";
import { language, languageOptions, showText, t } from "./i18n";

// The code of the room this page is the link of (/r/CODE), or "" for the host's main room.
export function roomCodeOf(path: string): string {
  return /^\/r\/([A-Za-z0-9]{1,32})\/?$/.exec(path)?.[1] ?? "";
}

interface MadeRoom {
  code?: string;
  error?: string;
}

// The maker of a room sees its link at once when it arrives there.
const kJustMadeKey = "scrawlbox.justMade";

function takeJustMade(): string {
  try {
    const code = sessionStorage.getItem(kJustMadeKey) ?? "";
    sessionStorage.removeItem(kJustMadeKey);
    return code;
  } catch {
    return "";
  }
}

export class Rooms {
  private readonly makeTop = byId<HTMLButtonElement>("makeRoomTop");
  private readonly makeDialog = byId<HTMLDialogElement>("makeRoomDialog");
  private readonly makeForm = byId<HTMLFormElement>("makeRoomForm");
  private readonly nameInput = byId<HTMLInputElement>("roomNameInput");
  private readonly passwordInput = byId<HTMLInputElement>("roomPassword");
  private readonly publicInput = byId<HTMLInputElement>("roomPublic");
  private readonly languageInput = byId<HTMLSelectElement>("roomLanguage");
  private readonly makeButton = byId<HTMLButtonElement>("makeRoomButton");
  private readonly why = byId("makeRoomWhy");
  private readonly inviteTop = byId<HTMLButtonElement>("inviteTop");
  private readonly inviteDialog = byId<HTMLDialogElement>("inviteDialog");
  private readonly inviteLink = byId<HTMLAnchorElement>("inviteLink");
  private readonly copyInvite = byId<HTMLButtonElement>("copyInvite");

  // The host's refusals are the room's English texts; the core, once it is loaded, knows them.
  translate: (text: string) => string = (text) => text;

  constructor(code: string) {
    this.languageInput.replaceChildren(...languageOptions());
    // A single room has no room to make, and its page offers none.
    void fetch("/rooms", { headers: { Accept: "application/json" } })
      .then((answer) => (answer.ok ? answer.json() : {}))
      .then((host: { max_rooms?: number }) => {
        this.makeTop.hidden = !(Number(host.max_rooms) > 0);
        // The directory sends those who want a room here with "#new": the window opens for them.
        if (!this.makeTop.hidden && !code && location.hash === "#new") {
          history.replaceState(null, "", location.pathname + location.search);
          this.openMake();
        }
      })
      .catch(() => undefined);
    this.makeTop.addEventListener("click", () => this.openMake());
    this.makeForm.addEventListener("submit", (event) => {
      if (event.submitter !== this.makeButton) return;
      // The window stays open until the host has answered.
      event.preventDefault();
      void this.create();
    });
    if (!code) return;
    const url = location.origin + "/r/" + code;
    this.inviteLink.href = url;
    this.inviteLink.textContent = url;
    this.inviteTop.hidden = false;
    this.inviteTop.addEventListener("click", () => this.inviteDialog.showModal());
    this.copyInvite.addEventListener("click", () => void this.copy(url));
    if (takeJustMade() === code) this.inviteDialog.showModal();
  }

  // A room is for players of the page's language, unless its maker says otherwise.
  private openMake(): void {
    this.say(() => "");
    if (this.makeDialog.open) return;
    this.languageInput.value = language();
    this.makeDialog.showModal();
  }

  private say(why: () => string): void {
    showText(this.why, why);
  }

  private async copy(url: string): Promise<void> {
    const button = this.copyInvite;
    try {
      await navigator.clipboard.writeText(url);
      showText(button, () => t("Link copied"));
    } catch {
      // Without the clipboard (plain HTTP from another machine), the link is selected instead.
      const range = document.createRange();
      range.selectNodeContents(this.inviteLink);
      getSelection()?.removeAllRanges();
      getSelection()?.addRange(range);
      showText(button, () => t("Copy it now"));
    }
    setTimeout(() => showText(button, () => t("Copy link")), 2000);
  }

  private async create(): Promise<void> {
    if (this.makeButton.disabled) return;
    this.makeButton.disabled = true;
    this.say(() => "");
    try {
      const answer = await fetch("/rooms", {
        method: "POST",
        headers: { "Content-Type": "application/json", Accept: "application/json" },
        body: JSON.stringify({
          name: this.nameInput.value.normalize("NFC").trim(),
          password: this.passwordInput.value.normalize("NFC"),
          public: this.publicInput.checked,
          language: this.languageInput.value,
        }),
      });
      const made = (await answer.json().catch(() => ({}))) as MadeRoom;
      if (answer.status === 201 && made.code) {
        try {
          sessionStorage.setItem(kJustMadeKey, made.code);
        } catch {
          // Without storage the maker opens the link from the Invite button.
        }
        location.assign("/r/" + made.code);
        return;
      }
      const reason = made.error;
      this.say(() =>
        reason !== undefined
          ? this.translate(reason)
          : t("The host did not make the room (%1).", answer.status),
      );
    } catch {
      this.say(() => t("The host could not be reached."));
    }
    this.makeButton.disabled = false;
  }
}
