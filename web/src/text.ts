// SPDX-License-Identifier: MIT
// The wire carries Windows-1252: one byte a character. The page converts to and from it here,
// and only here.

// Code points of the bytes 0x80 to 0x9F; the five the code page leaves free stand for themselves,
// as browsers decode them.
const kHigh: readonly number[] = [
  0x20ac, 0x81, 0x201a, 0x192, 0x201e, 0x2026, 0x2020, 0x2021, 0x2c6, 0x2030, 0x160, 0x2039,
  0x152, 0x8d, 0x17d, 0x8f, 0x90, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014, 0x2dc,
  0x2122, 0x161, 0x203a, 0x153, 0x9d, 0x17e, 0x178,
];

const kByteOf = new Map<number, number>(kHigh.map((code, i) => [code, 0x80 + i]));

// What stands for a character the code page cannot hold: visible, never dropped.
export const kReplacement = 0x3f; // "?"

export function decode(bytes: Uint8Array): string {
  let text = "";
  for (const byte of bytes) {
    text += String.fromCharCode(byte >= 0x80 && byte < 0xa0 ? kHigh[byte - 0x80] : byte);
  }
  return text;
}

export function encode(text: string): Uint8Array {
  const bytes: number[] = [];
  for (const character of text) {
    const code = character.codePointAt(0) ?? kReplacement;
    if (code < 0x80 || (code >= 0xa0 && code <= 0xff)) {
      bytes.push(code);
    } else {
      bytes.push(kByteOf.get(code) ?? kReplacement);
    }
  }
  return Uint8Array.from(bytes);
}
