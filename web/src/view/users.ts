// SPDX-License-Identifier: MIT
// The user list: nickname, points, and marks for the artist, the finders and the away players
// that do not depend on seeing the colours.
import type { UserEntry } from "../core";
import { cssColour, el, legibleOnWhite } from "./dom";
import { onLanguageChange, t, tn } from "./i18n";

export interface UserActions {
  information(id: number): void;
  kick(id: number, nickname: string): void;
  voteKick(id: number): void;
}

function mark(kind: string, icon: string | null, text: string): HTMLElement {
  const badge = el("span", { class: `mark mark-${kind}` });
  if (icon) badge.append(el("img", { src: `/icons/${icon}`, alt: "", width: 16, height: 16 }));
  badge.append(el("span", { class: "mark-text" }, text));
  return badge;
}

export class UserListView {
  private users: UserEntry[] = [];
  private actions = false;
  private kicking = false;
  private own = "";

  constructor(
    private readonly list: HTMLUListElement,
    private readonly on: UserActions,
  ) {
    onLanguageChange(() => this.show(this.users));
  }

  // Information and kicking are for a player in the room; kicking for its admin alone, and a vote
  // to kick for every player against each of the others (own is the player's nickname).
  setActions(information: boolean, kick: boolean, own = ""): void {
    if (information === this.actions && kick === this.kicking && own === this.own) return;
    this.actions = information;
    this.kicking = kick;
    this.own = own;
    this.show(this.users);
  }

  show(users: UserEntry[]): void {
    this.users = users;
    this.list.replaceChildren(...users.map((user) => this.row(user)));
  }

  private row(user: UserEntry): HTMLLIElement {
    const name = el("span", { class: "player-name" }, user.nickname);
    name.style.color = cssColour(legibleOnWhite(user.colour));
    const marks = el("span", { class: "marks" });
    if (user.artist) marks.append(mark("artist", "user_artist.svg", t("drawing")));
    else if (user.foundWord) marks.append(mark("found", "user_found.svg", t("found it")));
    if (user.away) marks.append(mark("away", null, t("away")));
    if (user.watching) marks.append(mark("watching", "user_watching.svg", t("watching")));
    const points = el("span", { class: "points" }, user.points);
    // The room's field as it came; a count when it is one.
    const count = /^-?\d{1,9}$/.test(user.points) ? Number(user.points) : null;
    points.setAttribute("aria-label", count === null ? user.points : tn("%n points", count));
    const row = el("li", { class: "player" }, name, marks, points);
    row.classList.toggle("artist", user.artist);
    row.classList.toggle("found", user.foundWord);
    row.classList.toggle("away", user.away);
    if (this.actions) {
      const info = el(
        "button",
        {
          type: "button",
          class: "row-button",
          "aria-label": t("User information: %1", user.nickname),
          title: t("User Information"),
        },
        "i",
      );
      info.addEventListener("click", () => this.on.information(user.id));
      row.append(info);
    }
    if (this.kicking) {
      const kick = el(
        "button",
        {
          type: "button",
          class: "row-button kick",
          "aria-label": t("Kick %1", user.nickname),
          title: t("Kick User"),
        },
        "✕",
      );
      kick.addEventListener("click", () => this.on.kick(user.id, user.nickname));
      row.append(kick);
    }
    if (this.actions && user.nickname !== this.own) {
      const vote = el(
        "button",
        {
          type: "button",
          class: "row-button vote",
          "aria-label": t("Vote to kick %1", user.nickname),
          title: t("Vote to Kick"),
        },
        "⏏",
      );
      vote.addEventListener("click", () => this.on.voteKick(user.id));
      row.append(vote);
    }
    return row;
  }
}
