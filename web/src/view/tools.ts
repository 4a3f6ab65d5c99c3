// SPDX-License-Identifier: MIT
// The tool bar, the widths and the palette: buttons that hand the core a click, and show the
// pad's state as aria-pressed. They work only while the core lets this player draw.
import { type Colour, type PadState, type PageCore, Tool } from "../core";
import { cssColour, el, parseCssColour } from "./dom";
import { showText, t } from "./i18n";
import { shortcutFor } from "./shortcuts";

// Names and tips are said afresh in each language the player chooses.
type Words = () => string;

interface ToolButton {
  tool: Tool;
  name: Words;
  icon: string;
  tip: Words;
}

// In the order a player reaches for them: the drawing tools, then undo and clear at the end.
const kTools: readonly ToolButton[] = [
  {
    tool: Tool.Freehand,
    name: () => t("Freehand"),
    icon: "tool_freehand.svg",
    tip: () => t("Freehand (F)"),
  },
  {
    tool: Tool.Line,
    name: () => t("Line"),
    icon: "tool_line.svg",
    tip: () => t("Straight line (L)"),
  },
  {
    tool: Tool.Box,
    name: () => t("Rectangle"),
    icon: "tool_box.svg",
    tip: () => t("Rectangle (R)"),
  },
  {
    tool: Tool.Circle,
    name: () => t("Ellipse"),
    icon: "tool_circle.svg",
    tip: () => t("Ellipse (C)"),
  },
  {
    tool: Tool.Flood,
    name: () => t("Fill"),
    icon: "tool_flood.svg",
    tip: () => t("Flood fill (G)"),
  },
  {
    tool: Tool.Spray,
    name: () => t("Spray"),
    icon: "tool_spray.svg",
    tip: () => t("Spray can (S)"),
  },
  {
    tool: Tool.Eraser,
    name: () => t("Eraser"),
    icon: "tool_eraser.svg",
    tip: () => t("Eraser (E)"),
  },
];

const kBrushes: readonly { icon: string; tip: Words }[] = [
  { icon: "brush_small.svg", tip: () => t("Small brush (%1 pixel width) (%2)", 1, 1) },
  { icon: "brush_medium.svg", tip: () => t("Medium brush (%1 pixel width) (%2)", 2, 2) },
  { icon: "brush_large.svg", tip: () => t("Large brush (%1 pixel width) (%2)", 4, 3) },
  { icon: "brush_huge.svg", tip: () => t("Huge brush (%1 pixel width) (%2)", 8, 4) },
];

// The desktop's palette, as CSS writes colours.
export const kPalette: readonly Colour[] = [
  0x000000, 0x808080, 0xffffff, 0x500010, 0x8f402f, 0xbf804f, 0x800040, 0xe0b594, 0xf0d0c0,
  0x820046, 0xff008c, 0xff82c8, 0xff0000, 0xff9696, 0xffc8c8, 0xff8c1e, 0xffc800, 0xffff00,
  0x1f7a30, 0x00b400, 0x00f800, 0x0000ff, 0x3d86ff, 0x7fc0f0,
];

function iconButton(name: Words, icon: string, tip: Words, toggle: boolean): HTMLButtonElement {
  const button = el(
    "button",
    { type: "button", class: "tool", "aria-pressed": toggle ? "false" : undefined, disabled: true },
    el("img", { src: `/icons/${icon}`, alt: "", width: 24, height: 24, draggable: "false" }),
  );
  showText(button, name, "aria-label");
  showText(button, tip, "title");
  return button;
}

function setPressed(button: HTMLElement, pressed: boolean): void {
  const value = pressed ? "true" : "false";
  if (button.getAttribute("aria-pressed") !== value) button.setAttribute("aria-pressed", value);
}

export class ToolsView {
  private core: PageCore | null = null;
  private drawing = false;
  private readonly tools = new Map<Tool, HTMLButtonElement>();
  private readonly brushes: HTMLButtonElement[] = [];
  private readonly swatches: HTMLButtonElement[] = [];
  private readonly solid: HTMLButtonElement;
  private readonly solidIcon: HTMLImageElement;
  private readonly own: HTMLInputElement;
  private readonly ownLabel: HTMLElement;
  private readonly all: (HTMLButtonElement | HTMLInputElement)[] = [];

  constructor(toolbar: HTMLElement, palette: HTMLElement) {
    const group = (label: Words): HTMLElement => {
      const made = el("div", { class: "tool-group", role: "group" });
      showText(made, label, "aria-label");
      return made;
    };
    const shapes = group(() => t("Tools"));
    for (const tool of kTools) {
      const button = iconButton(tool.name, tool.icon, tool.tip, true);
      button.addEventListener("click", () => this.core?.clickTool(tool.tool));
      this.tools.set(tool.tool, button);
      shapes.append(button);
    }
    this.solid = iconButton(
      () => t("Solid"),
      "fill_hollow.svg",
      () => t("Fill closed shapes (Shift+S)"),
      true,
    );
    this.solidIcon = this.solid.querySelector("img") as HTMLImageElement;
    this.solid.addEventListener("click", () => this.core?.clickTool(Tool.FillType));
    shapes.append(this.solid);

    const widths = group(() => t("Widths"));
    kBrushes.forEach((b, i) => {
      const button = iconButton(() => t("Width %1", i + 1), b.icon, b.tip, true);
      button.addEventListener("click", () => this.core?.clickBrush(i));
      this.brushes.push(button);
      widths.append(button);
    });

    const edits = group(() => t("Edit"));
    const undo = iconButton(() => t("Undo"), "tool_undo.svg", () => t("Undo (Ctrl+Z)"), false);
    undo.addEventListener("click", () => this.core?.clickTool(Tool.Undo));
    const clear = iconButton(
      () => t("Clear"),
      "tool_clear.svg",
      () => t("Clear the pad (press twice) (Delete)"),
      false,
    );
    clear.addEventListener("click", () => this.core?.clickTool(Tool.Clear));
    this.tools.set(Tool.Undo, undo);
    this.tools.set(Tool.Clear, clear);
    edits.append(undo, clear);
    toolbar.append(shapes, widths, edits);

    kPalette.forEach((colour, i) => {
      const swatch = el("button", {
        type: "button",
        class: "swatch",
        "aria-pressed": "false",
        disabled: true,
      });
      showText(swatch, () => t("Colour %1", i + 1), "aria-label");
      showText(
        swatch,
        () => t("Select this colour as the current drawing colour (%1)", cssColour(colour)),
        "title",
      );
      swatch.style.setProperty("--swatch", cssColour(colour));
      swatch.addEventListener("click", () => this.core?.pressSwatch(i));
      this.swatches.push(swatch);
      palette.append(swatch);
    });
    this.own = el("input", {
      type: "color",
      class: "own-colour-input",
      value: "#000000",
      disabled: true,
    });
    showText(this.own, () => t("Own colour"), "aria-label");
    showText(this.own, () => t("The current colour: choose to mix your own"), "title");
    // The picker's final choice, not every colour it passes on the way.
    this.own.addEventListener("change", () => {
      const colour = parseCssColour(this.own.value);
      if (colour !== null) this.core?.chooseColour(colour);
    });
    this.ownLabel = el("span", { class: "own-colour" }, this.own);
    palette.append(this.ownLabel);

    this.all.push(...this.tools.values(), this.solid, ...this.brushes, ...this.swatches, this.own);
    for (const bar of [toolbar, palette]) roving(bar);
    document.addEventListener("keydown", (event) => this.key(event));
  }

  attach(core: PageCore): void {
    this.core = core;
  }

  setDrawing(drawing: boolean): void {
    this.drawing = drawing;
    for (const control of this.all) control.disabled = !drawing;
  }

  show(state: PadState): void {
    for (const [tool, button] of this.tools) {
      if (button.hasAttribute("aria-pressed")) setPressed(button, tool === state.tool);
    }
    setPressed(this.solid, state.fillSolid);
    const icon = `/icons/${state.fillSolid ? "fill_solid.svg" : "fill_hollow.svg"}`;
    if (this.solidIcon.getAttribute("src") !== icon) this.solidIcon.src = icon;
    this.brushes.forEach((b, i) => setPressed(b, i === state.brush));
    this.swatches.forEach((s, i) => setPressed(s, i === state.swatch));
    const colour = cssColour(state.colour);
    if (document.activeElement !== this.own && this.own.value !== colour) this.own.value = colour;
    this.ownLabel.classList.toggle("chosen", state.swatch < 0);
  }

  private key(event: KeyboardEvent): void {
    if (!this.core || !this.drawing || event.defaultPrevented || event.repeat) return;
    if (typing(event.target) || document.querySelector("dialog[open]")) return;
    const shortcut = shortcutFor({
      key: event.key,
      ctrl: event.ctrlKey,
      shift: event.shiftKey,
      alt: event.altKey,
      meta: event.metaKey,
    });
    if (!shortcut) return;
    event.preventDefault();
    if ("tool" in shortcut) this.core.clickTool(Tool[shortcut.tool]);
    else this.core.clickBrush(shortcut.brush);
  }
}

// Keys typed into a field are the field's.
function typing(target: EventTarget | null): boolean {
  if (!(target instanceof HTMLElement)) return false;
  if (target.isContentEditable || target instanceof HTMLTextAreaElement) return true;
  return (
    target instanceof HTMLInputElement &&
    !["checkbox", "radio", "button", "color"].includes(target.type)
  );
}

// A tool bar is one stop for the Tab key; the arrow keys move along it.
function roving(bar: HTMLElement): void {
  const items = (): HTMLElement[] =>
    Array.from(bar.querySelectorAll<HTMLElement>("button, input")).filter(
      (item) => !(item as HTMLButtonElement).disabled,
    );
  const settle = (current: HTMLElement | null): void => {
    const list = items();
    const keep = current && list.includes(current) ? current : list[0];
    for (const item of list) item.tabIndex = item === keep ? 0 : -1;
  };
  bar.addEventListener("focusin", (event) => settle(event.target as HTMLElement));
  bar.addEventListener("keydown", (event) => {
    const list = items();
    const at = list.indexOf(document.activeElement as HTMLElement);
    if (at < 0) return;
    const next =
      event.key === "ArrowRight" || event.key === "ArrowDown"
        ? (at + 1) % list.length
        : event.key === "ArrowLeft" || event.key === "ArrowUp"
          ? (at - 1 + list.length) % list.length
          : event.key === "Home"
            ? 0
            : event.key === "End"
              ? list.length - 1
              : -1;
    if (next < 0) return;
    event.preventDefault();
    list[next].focus();
  });
  new MutationObserver(() => settle(bar.querySelector<HTMLElement>("[tabindex='0']"))).observe(
    bar,
    {
      subtree: true,
      attributes: true,
      attributeFilter: ["disabled"],
    },
  );
}
