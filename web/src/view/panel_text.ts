// SPDX-License-Identifier: MIT
// What the game panel says, worked out apart from the DOM.

// The buttons' accessible names say what a press does now, in the page's sentence case.
const kButtonNames: Readonly<Record<string, string>> = {
  "Setup Game": "Set up game",
  "Skip Word!": "Skip word",
  "Give Hint": "Give hint",
  "Warn Artist": "Warn artist",
};

export function buttonName(caption: string): string {
  return kButtonNames[caption] ?? caption.replace(/!+$/, "");
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
    const parts = [...word].map((c) => (c === "_" ? "blank" : c));
    return `${word.length} ${word.length === 1 ? "letter" : "letters"}: ${parts.join(", ")}`;
  });
  return words.length > 1 ? `${words.length} words. ${said.join("; ")}` : (said[0] ?? "");
}
