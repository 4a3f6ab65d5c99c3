// SPDX-License-Identifier: MIT
// Takes the place of the core's emscripten glue when the page is bundled for a look at it:
// esbuild --alias:scrawlbox-core=./test/fake-module.ts. The scene comes from the address,
// ?scene=artist and so on.
import type { PageView } from "../src/core";
import { FakeCore, type Scene } from "./fake-core";
import { checkPage } from "./page-check";

const kScenes: readonly Scene[] = [
  "join",
  "guess",
  "artist",
  "final",
  "winner",
  "setup",
  "password",
  "agreement",
  "info",
];

export default async function createModule(): Promise<{ PageCore: new (view: object) => unknown }> {
  const query = new URLSearchParams(location.search);
  const asked = query.get("scene") ?? "guess";
  const check = query.has("check");
  const scene = (kScenes as readonly string[]).includes(asked) ? (asked as Scene) : "guess";
  return {
    PageCore: class extends FakeCore {
      constructor(view: object) {
        super(view as PageView, scene);
        if (check) setTimeout(() => checkPage(this, scene), 1000);
        // ?typing: the chat input has the focus, as with a phone's keyboard up.
        if (query.has("typing")) {
          setTimeout(() => {
            const input = document.getElementById("chatInput") as HTMLInputElement;
            input.focus();
            input.scrollIntoView({ block: "nearest" });
          }, 500);
        }
      }
    },
  };
}
