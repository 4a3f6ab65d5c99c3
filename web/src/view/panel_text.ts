// SPDX-License-Identifier: MIT
// What the game panel says, worked out apart from the DOM.
import { t, tn } from "./i18n";

// The buttons' accessible names say what a press does now, in the page's sentence case; the
// core's captions are their keys.
const buttonNames = (): Readonly<Record<string, string>> => ({
  "Setup Game": t("Set up game"),
  "Skip Word!": t("Skip word"),
  "Give Hint": t("Give hint"),
  "Warn Artist": t("Warn artist"),
});

export function buttonName(caption: string): string {
  return buttonNames()[caption] ?? caption.replace(/^¡+|\s*!+$/g, "");
}

// The clock's last ten seconds are read out; the minutes before them are not.
export const kSpokenSeconds = 10;

// Seconds left on a clock that reads "MM:SS"; null for "--:--" or anything else.
export function secondsLeft(time: string): number | null {
  const match = /^\s*(\d{1,3}):(\d{2})\s*$/.exec(time);
  if (!match) return null;
  return Number(match[1]) * 60 + Number(match[2]);
}

export function inFinalSeconds(time: string): boolean {
  const left = secondsLeft(time);
  return left !== null && left <= kSpokenSeconds;
}

// The pad's big line as a screen reader should say it: the blanks of "_ _ _   _ _" are blanks
// and letters, counted word by word; a word shown whole is only itself.
export function spokenPattern(pattern: string): string {
  const text = pattern.trim();
  if (!text.includes("_")) return text;
  // The core spaces its patterns out, one character in two: a space in the word is three.
  const spaced = [...text].every((c, i) => i % 2 === 0 || c === " ");
  const letters = spaced ? [...text].filter((_, i) => i % 2 === 0).join("") : text;
  const words = letters.split(/\s+/).filter((w) => w.length > 0);
  const said = words.map((word) => {
    const parts = [...word].map((c) => (c === "_" ? t("blank") : c));
    return tn("%n letters: %1", word.length, parts.join(", "));
  });
  return words.length > 1 ? tn("%n words. %1", words.length, said.join("; ")) : (said[0] ?? "");
}
