// SPDX-License-Identifier: MIT
// The page's own words in the player's language: t("English text", ...) and, for a count,
// tn("%n English texts", n, ...), looked up by the English text in web/i18n/XX.json. English is
// the text itself; en.json holds only its counted forms. What the core and the room say the core
// words in the page's language itself (core.setLanguage).
import de from "../../i18n/de.json";
import en from "../../i18n/en.json";
import es from "../../i18n/es.json";
import fr from "../../i18n/fr.json";
import { el } from "./dom";

// A counted text's forms by the plural categories of Intl.PluralRules ("one", "other", ...).
export type Forms = Partial<Record<Intl.LDMLPluralRule, string>>;
export type Catalog = Readonly<Record<string, string | Forms>>;

// The languages of the room's programs, each in its own name, in the order they offer them.
export const kLanguages = [
  ["en", "English"],
  ["de", "Deutsch"],
  ["fr", "Français"],
  ["es", "Español"],
] as const;
export type Language = (typeof kLanguages)[number][0];

export const kCatalogs: Readonly<Record<Language, Catalog>> = { en, de, fr, es };

let current: Language = "en";
let plural = new Intl.PluralRules("en");
const listeners: (() => void)[] = [];

export function isLanguage(code: string): code is Language {
  return kLanguages.some(([known]) => known === code);
}

// The language kept from an earlier visit, else the first of the browser's that the page speaks
// ("de-AT" is German), else English.
export function preferredLanguage(kept: string, browser: readonly string[]): Language {
  if (isLanguage(kept)) return kept;
  for (const tag of browser) {
    const code = tag.toLowerCase().split("-")[0];
    if (isLanguage(code)) return code;
  }
  return "en";
}

export function language(): Language {
  return current;
}

// One pass over the text, so that an argument holding "%2" stays as it is.
function fill(text: string, n: number | null, args: readonly (string | number)[]): string {
  return text.replace(/%([1-9n])/g, (whole, mark: string) => {
    const value = mark === "n" ? n : args[Number(mark) - 1];
    return value === undefined || value === null ? whole : String(value);
  });
}

export function t(source: string, ...args: (string | number)[]): string {
  const entry = kCatalogs[current][source];
  return fill(typeof entry === "string" ? entry : source, null, args);
}

// A counted text: the form the language's plural rules choose for n, with n for %n.
export function tn(source: string, n: number, ...args: (string | number)[]): string {
  const entry = kCatalogs[current][source] ?? kCatalogs.en[source];
  const forms: Forms = typeof entry === "object" ? entry : {};
  return fill(forms[plural.select(n)] ?? forms.other ?? source, n, args);
}


// What the view writes into the page's fixed elements, written again in each language chosen
// later. Only elements that stay for the page's life belong here; rows made afresh are made
// afresh in the new language by their view (onLanguageChange).
const written = new Map<HTMLElement, Map<string, () => string>>();

// Sets the element's text ("" for the attribute) or the attribute to what render says, now and
// after each change of language. A live region hears nothing when the text stays the same.
export function showText(element: HTMLElement, render: () => string, attribute = ""): void {
  let texts = written.get(element);
  if (!texts) written.set(element, (texts = new Map()));
  texts.set(attribute, render);
  put(element, attribute, render());
}

function put(element: HTMLElement, attribute: string, text: string): void {
  if (attribute === "") {
    if (element.textContent !== text) element.textContent = text;
  } else if (element.getAttribute(attribute) !== text) {
    element.setAttribute(attribute, text);
  }
}

export function onLanguageChange(listener: () => void): void {
  listeners.push(listener);
}

// The words of index.html as it was loaded: its texts and the attributes people read or hear,
// each keyed by its English with every run of white space one space. Elements marked
// translate="no" and the icons' SVG keep theirs.
const kReadAttributes = ["title", "aria-label", "placeholder", "alt"];

interface PageText {
  source: string;
  shown: string | null;
  read(): string | null;
  write(text: string): void;
}

let pageTexts: PageText[] | null = null;

export function pageSource(text: string): string {
  return text.replace(/\s+/g, " ").trim();
}

function collectPage(): PageText[] {
  const found: PageText[] = [];
  const add = (text: PageText): void => {
    if (/\p{L}/u.test(text.source)) found.push(text);
  };
  const visit = (node: Node): void => {
    if (node instanceof Text) {
      const [, lead, , trail] = /^(\s*)([\s\S]*?)(\s*)$/.exec(node.data) ?? ["", "", "", ""];
      add({
        source: pageSource(node.data),
        shown: node.data,
        read: () => node.data,
        write: (text) => (node.data = lead + text + trail),
      });
      return;
    }
    if (!(node instanceof HTMLElement) || !node.translate || node.localName === "script") return;
    for (const name of kReadAttributes) {
      const value = node.getAttribute(name);
      if (value === null) continue;
      add({
        source: pageSource(value),
        shown: value,
        read: () => node.getAttribute(name),
        write: (text) => node.setAttribute(name, text),
      });
    }
    node.childNodes.forEach(visit);
  };
  visit(document.body);
  return found;
}

// The first call also takes the page's English, before any view has written to it. A page text
// the view has since replaced is the view's: it stays as the view wrote it.
export function setLanguage(code: Language): void {
  current = code;
  plural = new Intl.PluralRules(code);
  document.documentElement.lang = code;
  pageTexts ??= collectPage();
  for (const text of pageTexts) {
    if (text.read() !== text.shown) continue;
    text.write(t(text.source));
    text.shown = text.read();
  }
  for (const [element, texts] of written) {
    for (const [attribute, render] of texts) put(element, attribute, render());
  }
  for (const listener of listeners) listener();
}

// The languages as a select's options, in their own names.
export function languageOptions(): HTMLOptionElement[] {
  return kLanguages.map(([code, name]) => el("option", { value: code, lang: code }, name));
}
