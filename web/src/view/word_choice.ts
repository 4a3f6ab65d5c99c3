// SPDX-License-Identifier: MIT
// The choice of the word over the pad: the artist's words as buttons (keys 1 to 5 pick them too),
// or who is choosing, with the seconds left.
import type { WordChoice } from "../core";
import { byId, el } from "./dom";
import { onLanguageChange, showText, t, tn } from "./i18n";

export class WordChoiceView {
  private readonly section = byId("wordChoice");
  private readonly title = byId("wordChoiceTitle");
  private readonly words = byId("wordChoiceWords");
  private readonly seconds = byId("wordChoiceSeconds");
  private shown: string[] = [];

  // choose gets the index of the word picked.
  constructor(private readonly choose: (index: number) => void) {
    // Before the tools' keys, which give the digits to the brushes.
    window.addEventListener(
      "keydown",
      (event) => {
        if (this.section.hidden || this.shown.length === 0) return;
        if (event.ctrlKey || event.altKey || event.metaKey || event.repeat) return;
        const index = Number(event.key) - 1;
        if (event.key.length !== 1 || !(index >= 0 && index < this.shown.length)) return;
        if (event.target instanceof HTMLInputElement && event.target.type === "text") return;
        event.preventDefault();
        this.choose(index);
      },
      true,
    );
    onLanguageChange(() => {
      for (const [i, button] of Array.from(this.words.children).entries()) {
        button.setAttribute("aria-label", t("Choose the word %1", this.shown[i] ?? ""));
      }
    });
  }

  // True when a choice came up that was not on show before: the page says so once.
  show(choice: WordChoice): boolean {
    const appeared = this.section.hidden && choice.chooser !== "";
    this.section.hidden = choice.chooser === "";
    if (this.section.hidden) {
      this.shown = [];
      this.words.replaceChildren();
      return false;
    }
    showText(this.title, () =>
      choice.mine ? t("Choose the word you will draw") : t("%1 is choosing a word", choice.chooser),
    );
    showText(this.seconds, () => tn("%n seconds left", choice.secondsLeft));
    if (choice.words.join("\n") !== this.shown.join("\n")) {
      this.shown = [...choice.words];
      this.words.replaceChildren(
        ...this.shown.map((word, i) => {
          const button = el(
            "button",
            { type: "button", class: "primary", "aria-label": t("Choose the word %1", word) },
            el("span", { class: "word-key", "aria-hidden": "true" }, String(i + 1)),
            word,
          );
          button.addEventListener("click", () => this.choose(i));
          return button;
        }),
      );
      const first = this.words.querySelector("button");
      if (first) first.focus();
    }
    return appeared;
  }
}
