// SPDX-License-Identifier: MIT
// The emscripten glue of the page core, which the build hands esbuild under this name.
declare module "scrawlbox-core" {
  const createModule: (options?: object) => Promise<{ PageCore: new (view: object) => unknown }>;
  export default createModule;
}
