// SPDX-License-Identifier: MIT
import assert from "node:assert/strict";
import { readdirSync, readFileSync } from "node:fs";
import { test } from "node:test";

import {
  type Forms,
  kCatalogs,
  kLanguages,
  pageSource,
  preferredLanguage,
  t,
} from "../src/view/i18n";

const web = new URL("../../", import.meta.url);
const read = (path: string): string => readFileSync(new URL(path, web), "utf8");

// What the page asks its catalogs for: each t("...") and tn("...") of its scripts, and the words
// of index.html that it translates as it loads (texts and the attributes people read).
function sources(): { plain: Set<string>; counted: Set<string> } {
  const plain = new Set<string>();
  const counted = new Set<string>();
  const files = readdirSync(new URL("src/", web), { recursive: true, encoding: "utf8" });
  for (const file of files.filter((f) => f.endsWith(".ts") && !f.endsWith("i18n.ts"))) {
    const script = read(`src/${file}`);
    const literal = /(?<![\w.])(tn?)\((?:\s*("(?:[^"\\]|\\.)*"))?/g;
    for (const [call, name, text] of script.matchAll(literal)) {
      assert.ok(text, `${file}: ${call}... takes its English as one literal`);
      (name === "tn" ? counted : plain).add(JSON.parse(text));
    }
  }
  const body = read("index.html")
    .replace(/^[\s\S]*<body>/, "")
    .replace(/<svg[\s\S]*?<\/svg>/g, "")
    .replace(/<(\w+)[^>]*translate="no"[^>]*>[\s\S]*?<\/\1>/g, "");
  const texts = [
    ...body.matchAll(/>([^<]+)</g),
    ...body.matchAll(/ (?:title|aria-label|placeholder|alt)="([^"]*)"/g),
  ];
  for (const [, text] of texts) if (/\p{L}/u.test(text)) plain.add(pageSource(text));
  return { plain, counted };
}

const placeholders = (text: string): string => [...text.matchAll(/%[1-9n]/g)].sort().join(" ");

test("each language has every text of the page, with the same placeholders, and no others", () => {
  const { plain, counted } = sources();
  assert.ok(plain.has("Create a private room") && counted.has("%n words"), "the sources are found");
  for (const [code] of kLanguages) {
    const catalog = kCatalogs[code];
    const categories = new Intl.PluralRules(code).resolvedOptions().pluralCategories;
    for (const source of code === "en" ? [] : plain) {
      const entry = catalog[source];
      assert.equal(typeof entry, "string", `${code} lacks "${source}"`);
      assert.equal(placeholders(entry as string), placeholders(source), `${code}: "${source}"`);
    }
    for (const source of counted) {
      const forms = (catalog[source] ?? "") as Forms;
      assert.equal(typeof forms, "object", `${code} lacks the forms of "${source}"`);
      assert.deepEqual(Object.keys(forms).sort(), [...categories].sort(), `${code}: "${source}"`);
      for (const form of Object.values(forms) as string[]) {
        assert.equal(placeholders(form), placeholders(source), `${code}: "${form}"`);
      }
    }
    for (const key of Object.keys(catalog)) {
      assert.ok(plain.has(key) || counted.has(key), `${code} keeps "${key}", asked for no more`);
    }
  }
});

test("the language kept, else the browser's first that the page speaks, else English", () => {
  assert.equal(preferredLanguage("fr", ["de-DE"]), "fr");
  assert.equal(preferredLanguage("xx", ["pl", "de-AT", "es"]), "de");
  assert.equal(preferredLanguage("", ["pl", "ja"]), "en");
  assert.equal(t("%1 to %2", "%2", 5), "%2 to 5", "an argument is not read for placeholders");
});
