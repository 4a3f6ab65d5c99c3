// SPDX-License-Identifier: MIT
// The pictures with words drawn in them (the winner's, the second press of Clear), shown with
// those words in the page's language.
import { language, onLanguageChange, t } from "./i18n";

// Each picture's words, and theirs in the page's language. English shows the file itself.
const kPictureWords: Readonly<Record<string, () => [string, string][]>> = {
  "/icons/winner.svg": () => [
    ["The winner", t("The winner")],
    ["is...", t("is...")],
  ],
  "/icons/clear_confirm.svg": () => [
    ["Click Clear again", t("Click Clear again")],
    ["to wipe the pad", t("to wipe the pad")],
  ],
};
const pictures = new Map<string, Promise<string>>();

function xmlText(text: string): string {
  return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
}

// The address to show the picture from in the page's language: the file's own, or that of a copy
// with its words translated (the file's own when it cannot be read).
export function pictureIn(url: string): Promise<string> {
  const words = kPictureWords[url];
  if (!words || language() === "en") return Promise.resolve(url);
  const key = `${language()} ${url}`;
  let made = pictures.get(key);
  if (!made) {
    const swaps = words();
    made = fetch(url)
      .then((response) => (response.ok ? response.text() : Promise.reject(new Error(url))))
      .then((svg) => {
        for (const [english, shown] of swaps) svg = svg.split(`>${english}<`).join(`>${xmlText(shown)}<`);
        return URL.createObjectURL(new Blob([svg], { type: "image/svg+xml" }));
      })
      .catch(() => url);
    pictures.set(key, made);
  }
  return made;
}

// Shows the picture in the img in the page's language, now and after each change of language.
export function showPicture(img: HTMLImageElement, url: string): void {
  const show = () => void pictureIn(url).then((shown) => (img.src = shown));
  show();
  onLanguageChange(show);
}
