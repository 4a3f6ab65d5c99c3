// SPDX-License-Identifier: MIT
// The room's sounds through Web Audio. Browsers let a page make sound only after the player has
// done something on it, so the audio starts on the first press or key; before that the page is
// silent, and sounds asked for then are not kept for later.

// A file name of the room's sound folder; nothing else is fetched.
const kSoundFile = /^[A-Za-z0-9_-]+\.wav$/;
// The few sounds a room has; a core asking for more names gets no more fetches.
const kMaxSounds = 16;

export class Sounds {
  private context: AudioContext | null = null;
  private readonly buffers = new Map<string, Promise<AudioBuffer | null>>();
  private muted: boolean;

  constructor(muted: boolean) {
    this.muted = muted;
    const start = (): void => this.start();
    for (const type of ["pointerdown", "keydown"] as const) {
      window.addEventListener(type, start, { capture: true, passive: true });
    }
  }

  get isMuted(): boolean {
    return this.muted;
  }

  setMuted(muted: boolean): void {
    this.muted = muted;
  }

  play(fileName: string): void {
    const context = this.context;
    if (this.muted || !context || context.state !== "running") return;
    this.buffer(context, fileName)
      .then((buffer) => {
        if (!buffer || this.muted) return;
        const source = context.createBufferSource();
        source.buffer = buffer;
        source.connect(context.destination);
        source.start();
      })
      .catch(() => {});
  }

  private start(): void {
    if (!this.context) {
      const Context = window.AudioContext;
      if (!Context) return;
      this.context = new Context();
    }
    if (this.context.state === "suspended") this.context.resume().catch(() => {});
  }

  private buffer(context: AudioContext, fileName: string): Promise<AudioBuffer | null> {
    let loaded = this.buffers.get(fileName);
    if (!loaded) {
      if (!kSoundFile.test(fileName) || this.buffers.size >= kMaxSounds)
        return Promise.resolve(null);
      // A missing or broken file stays silent, once: it is not fetched again.
      loaded = fetch(`/sounds/${fileName}`)
        .then((response) => (response.ok ? response.arrayBuffer() : Promise.reject()))
        .then((bytes) => context.decodeAudioData(bytes))
        .catch(() => null);
      this.buffers.set(fileName, loaded);
    }
    return loaded;
  }
}
