// SPDX-License-Identifier: MIT
// The chat: the log of lines the core writes and the one-line input with its history.
import type { ChatLine } from "../core";
import { ChatHistory } from "./chat_history";
import { cssColour, el, legibleOnWhite } from "./dom";
import { showText, tn } from "./i18n";

// Lines the log keeps; the oldest go first, so that a long evening does not fill the memory.
export const kChatLines = 500;
// What a room passes on of one line.
export const kChatLength = 512;

// Says which characters of a typed text reach the room as "?", each once; nothing when all of it
// gets through. lost is what the core's unsendable found.
export function showUnsendable(note: HTMLElement, lost: string): void {
  const characters = [...new Set(Array.from(lost))];
  note.hidden = characters.length === 0;
  showText(note, () =>
    characters.length === 0
      ? ""
      : tn(
          "These characters reach the room as \"?\": %1",
          characters.length,
          characters.join(" "),
        ),
  );
}

export class ChatView {
  private readonly history = new ChatHistory();

  constructor(
    private readonly log: HTMLElement,
    form: HTMLFormElement,
    private readonly input: HTMLInputElement,
    private readonly limitNote: HTMLElement,
    private readonly unsendableNote: HTMLElement,
    private readonly unsendable: (text: string) => string,
    onLine: (text: string) => void,
  ) {
    input.maxLength = kChatLength;
    input.addEventListener("keydown", (event) => {
      if (event.isComposing) return;
      const recalled =
        event.key === "ArrowUp"
          ? this.history.up(input.value)
          : event.key === "ArrowDown"
            ? this.history.down()
            : null;
      if (recalled === null) return;
      event.preventDefault();
      input.value = recalled;
      input.setSelectionRange(recalled.length, recalled.length);
      this.showLimit();
    });
    input.addEventListener("input", () => {
      this.showLimit();
      showUnsendable(this.unsendableNote, this.unsendable(input.value.normalize("NFC")));
    });
    form.addEventListener("submit", (event) => {
      event.preventDefault();
      // Composed, as the room spells its words: an "é" typed as "e" and an accent is one letter.
      const text = input.value.normalize("NFC");
      if (text.length === 0) return;
      this.history.entered(text);
      input.value = "";
      this.showLimit();
      // What the line lost stays said until the next one is typed.
      showUnsendable(this.unsendableNote, this.unsendable(text));
      onLine(text);
    });
    // The on-screen keyboard takes the lower part of a phone's screen: the input stays above it.
    window.visualViewport?.addEventListener("resize", () => {
      if (document.activeElement === input) input.scrollIntoView({ block: "nearest" });
    });
  }

  addLine(line: ChatLine): void {
    const paragraph = el("p", { class: "line" });
    if (line.text.length > 0) {
      const sender = el("b", { class: "sender" }, line.sender.toUpperCase());
      if (line.plain) {
        paragraph.append(sender, ": ");
      } else {
        paragraph.append("<", sender, ">: ");
      }
      const text = el("span", { class: "text" }, line.text);
      text.style.color = cssColour(legibleOnWhite(line.colour));
      paragraph.append(text);
    } else {
      paragraph.classList.add("blank");
    }
    this.append(paragraph);
  }

  addWelcome(title: string, rest: string, hint: string): void {
    this.append(
      el("p", { class: "line welcome" }, el("strong", {}, title), rest),
      el("p", { class: "line hint" }, hint),
    );
  }

  clear(): void {
    this.log.replaceChildren();
  }

  focusInput(): void {
    if (this.input.disabled) return;
    // A phone's keyboard would jump up whenever the core hands over the focus: only a player
    // who is already typing keeps it there.
    if (matchMedia("(pointer: coarse)").matches && document.activeElement !== this.input) return;
    this.input.focus({ preventScroll: true });
  }

  private append(...lines: HTMLElement[]): void {
    const log = this.log;
    // A reader scrolled back to an older line keeps reading it.
    const following = log.scrollHeight - log.scrollTop - log.clientHeight < 24;
    log.append(...lines);
    while (log.childElementCount > kChatLines) log.firstElementChild?.remove();
    if (following) log.scrollTop = log.scrollHeight;
  }

  private showLimit(): void {
    this.limitNote.hidden = this.input.value.length < kChatLength;
  }
}
