// SPDX-License-Identifier: MIT
// The game panel: room, admin, round, word, clock and status, and the two game buttons as the
// core's Controls set them.
import type { ButtonState, Controls, Panel } from "../core";
import { cssColour, textColourOn } from "./dom";
import { showText, t } from "./i18n";
import { buttonName, inFinalSeconds, spokenPattern } from "./panel_text";

export interface PanelElements {
  roomLine: HTMLElement;
  roomName: HTMLElement;
  adminLine: HTMLElement;
  adminName: HTMLElement;
  rounds: HTMLElement;
  word: HTMLElement;
  clock: HTMLElement;
  status: HTMLElement;
  patternText: HTMLElement;
  patternSpoken: HTMLElement;
  start: HTMLButtonElement;
  hint: HTMLButtonElement;
  autoSkip: HTMLInputElement;
}

export class PanelView {
  private panel: Panel | null = null;

  constructor(private readonly e: PanelElements) {
    // Said after the clock in a round's last seconds.
    showText(e.clock, () => t("hurry"), "data-hurry");
  }

  get admin(): string {
    return this.panel?.admin ?? "";
  }

  showPanel(panel: Panel): void {
    const e = this.e;
    const was = this.panel;
    this.panel = panel;
    const room = panel.roomName && panel.roomName !== "-" ? panel.roomName : "";
    e.roomName.textContent = room;
    e.roomLine.hidden = room === "";
    const admin = panel.admin && panel.admin !== "-" ? panel.admin : "";
    e.adminName.textContent = admin;
    e.adminLine.hidden = admin === "";
    showText(e.rounds, () => panel.rounds || "-");
    e.word.textContent = panel.word || "-";
    e.word.title = panel.word;
    showText(e.status, () => panel.status);

    const final = inFinalSeconds(panel.time);
    // Only the last seconds are read out, each as it comes, and the moment the clock stops.
    e.clock.setAttribute("aria-live", final ? "assertive" : "off");
    if (e.clock.textContent !== panel.time) e.clock.textContent = panel.time;
    e.clock.classList.toggle("final", final && panel.time !== "00:00");
    e.clock.style.color = panel.timeColour === 0 ? "" : cssColour(panel.timeColour);

    if (!was || was.pattern !== panel.pattern) {
      e.patternText.textContent = panel.pattern;
      e.patternText.style.setProperty("--chars", String(Math.max(8, [...panel.pattern].length)));
      e.patternSpoken.textContent = spokenPattern(panel.pattern);
    }
  }

  showControls(controls: Controls): void {
    showButton(this.e.start, controls.start);
    showButton(this.e.hint, controls.hint);
    this.e.autoSkip.disabled = !controls.autoSkip;
  }
}

function showButton(button: HTMLButtonElement, state: ButtonState): void {
  showText(button, () => state.caption);
  showText(button, () => buttonName(state.caption), "aria-label");
  button.disabled = !state.enabled;
  if (state.colour === null) {
    button.style.backgroundColor = "";
    button.style.color = "";
    button.classList.remove("coloured");
  } else {
    button.style.backgroundColor = cssColour(state.colour);
    button.style.color = textColourOn(state.colour);
    button.classList.add("coloured");
  }
}
