// SPDX-License-Identifier: MIT
// A look inside the page bundled with the fake core (?scene=artist&check=1): every control the
// end-to-end tests will look for has its role and accessible name, and a few player actions go
// through the page to the core. The result goes to the root element's data-check, where
// `chromium --dump-dom` shows it. Needs --enable-blink-features=ComputedAccessibilityInfo.
import type { PageCore } from "../src/core";
import type { Scene } from "./fake-core";

interface Named extends Element {
  computedRole?: string | null;
  computedName?: string | null;
}

// What each scene shows besides what they all show.
const kSceneWanted: Partial<Record<Scene, [string, string][]>> = {
  join: [
    ["textbox", "Nickname"],
    ["button", "Join"],
  ],
  guess: [
    ["button", "Set up game"],
    ["button", "Warn artist"],
  ],
  artist: [
    ["button", "Skip word"],
    ["button", "Give hint"],
  ],
  password: [
    ["textbox", "Password"],
    ["button", "Join"],
    ["checkbox", "Remember it for this room"],
  ],
};

const kWanted: [string, string][] = [
  ["image", "Drawing pad"],
  ["textbox", "Chat"],
  ["list", "Players"],
  ["timer", "Time"],
  ["status", "Word"],
  ["toolbar", "Drawing tools"],
  ["toolbar", "Colours"],
  ...[
    "Freehand",
    "Line",
    "Rectangle",
    "Ellipse",
    "Fill",
    "Spray",
    "Eraser",
    "Undo",
    "Clear",
    "Solid",
    "Width 1",
    "Width 2",
    "Width 3",
    "Width 4",
    "Mute sounds",
  ].map((name): [string, string] => ["button", name]),
  ...Array.from({ length: 24 }, (_, i): [string, string] => ["button", `Colour ${i + 1}`]),
  ["log", "Chat log"],
];

function named(): Map<string, Named[]> {
  const found = new Map<string, Named[]>();
  for (const element of Array.from(document.querySelectorAll<Named>("*"))) {
    const key = `${element.computedRole ?? ""}:${(element.computedName ?? "").trim()}`;
    found.set(key, [...(found.get(key) ?? []), element]);
  }
  return found;
}

// What the room's Content-Security-Policy refused, from the page's start on.
const refused: string[] = [];
document.addEventListener("securitypolicyviolation", (event) => {
  refused.push(`CSP refused ${event.effectiveDirective} ${event.blockedURI}`);
});

export function checkPage(core: PageCore, scene: Scene): void {
  const problems: string[] = [...refused];
  const found = named();
  const pad = document.querySelector<Named>("#pad");
  if (!pad?.computedRole) {
    verdict("CHECK CANNOT RUN: start Chromium with ComputedAccessibilityInfo");
    return;
  }
  for (const [role, name] of [...kWanted, ...(kSceneWanted[scene] ?? [])]) {
    const hits = found.get(`${role}:${name}`) ?? [];
    if (hits.length !== 1) problems.push(`${hits.length} x ${role} "${name}"`);
  }
  // Chromium reports no ARIA role for a colour input; its name is its label.
  if (!document.querySelector("input[type=color][aria-label='Own colour']")) {
    problems.push("no own colour input");
  }
  for (const button of Array.from(
    document.querySelectorAll<Named>("button, input, [role=toolbar]"),
  )) {
    if (!button.checkVisibility() || (button as HTMLInputElement).type === "color") continue;
    // A modal window leaves the rest of the page out of the accessibility tree.
    const modal = document.querySelector("dialog[open]");
    if (modal && !modal.contains(button)) continue;
    if (!button.computedRole || !(button.computedName ?? "").trim()) {
      if ((button as HTMLInputElement).type === "checkbox" && button.closest("label")) continue;
      problems.push(`unnamed ${button.computedRole} ${button.outerHTML.slice(0, 80)}`);
    }
  }

  if (scene === "setup") checkSetup(problems);
  if (scene !== "artist") {
    verdict(problems.length === 0 ? "CHECK OK" : `CHECK FAIL: ${problems.join("; ")}`);
    return;
  }

  // A stroke across the pad reaches the core in pad pixels and changes its picture.
  const canvas = document.getElementById("pad") as HTMLCanvasElement;
  document.querySelector<HTMLButtonElement>("[aria-label=Freehand]")?.click();
  const before = core.padHash();
  const box = canvas.getBoundingClientRect();
  const at = (fx: number, fy: number): PointerEventInit => ({
    pointerId: 7,
    pointerType: "touch",
    isPrimary: true,
    bubbles: true,
    cancelable: true,
    clientX: box.left + box.width * fx,
    clientY: box.top + box.height * fy,
    buttons: 1,
    button: 0,
  });
  canvas.dispatchEvent(new PointerEvent("pointerdown", at(0.1, 0.9)));
  for (let i = 1; i <= 10; ++i)
    canvas.dispatchEvent(new PointerEvent("pointermove", at(0.1 + i * 0.05, 0.9)));
  canvas.dispatchEvent(new PointerEvent("pointerup", { ...at(0.6, 0.9), buttons: 0 }));
  if (core.padHash() === before) problems.push("a stroke drew nothing");
  if (canvas.width % 511 !== 0 || canvas.height !== (canvas.width / 511) * 322) {
    problems.push(`canvas ${canvas.width}x${canvas.height}`);
  }

  // A key: L picks the line tool, unless the focus is in a text field.
  document.body.focus();
  document.body.dispatchEvent(
    new KeyboardEvent("keydown", { key: "l", bubbles: true, cancelable: true }),
  );
  if (core.padState().tool !== 3) problems.push("the L key did not pick the line");

  // Chat: a line entered comes back with the up arrow.
  const input = document.getElementById("chatInput") as HTMLInputElement;
  input.value = "is it a lighthouse";
  (document.getElementById("chatForm") as HTMLFormElement).requestSubmit();
  input.value = "half";
  input.dispatchEvent(
    new KeyboardEvent("keydown", { key: "ArrowUp", bubbles: true, cancelable: true }),
  );
  if (input.value !== "is it a lighthouse") problems.push(`up arrow gave "${input.value}"`);
  input.dispatchEvent(
    new KeyboardEvent("keydown", { key: "ArrowDown", bubbles: true, cancelable: true }),
  );
  if (input.value !== "half") problems.push(`down arrow gave "${input.value}"`);

  verdict(problems.length === 0 ? "CHECK OK" : `CHECK FAIL: ${problems.join("; ")}`);
}

// On the root element, since the clock's ticks keep the title for the room.
function verdict(text: string): void {
  document.documentElement.dataset.check = text;
}

// The set-up window: the remembered list comes ticked, no list is refused, a list starts a game.
function checkSetup(problems: string[]): void {
  const dialog = document.getElementById("setupDialog") as HTMLDialogElement;
  const boxes = Array.from(dialog.querySelectorAll<HTMLInputElement>("#wordLists input"));
  const start = document.getElementById("setupStart") as HTMLButtonElement;
  if (boxes.length !== 7 || !boxes[0].checked || boxes.slice(1).some((b) => b.checked)) {
    problems.push(`word lists ${boxes.map((b) => `${b.value}=${b.checked}`).join(",")}`);
  }
  if (start.disabled) problems.push("Start Game stays disabled");
  boxes[0].click();
  start.click();
  const status = document.getElementById("setupStatus")?.textContent ?? "";
  if (!dialog.open || status !== "Please select at least one wordlist.") {
    problems.push(`no list chosen: open=${dialog.open} "${status}"`);
  }
  boxes[2].click();
  start.click();
  if (dialog.open) problems.push("a game with a list did not start");
}
