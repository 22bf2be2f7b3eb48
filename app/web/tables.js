// The tables of the Chinese conversions, which the build takes out of the
// core (split_wasm.cpp) so that the field is ready before they arrive.
// Served, they are fetched once the page has loaded; opened from disk, the
// script beside the page brings them. Only commands that convert wait for
// them.
//
// The file is gzip, inflated here whatever the host sent, then a header and
// pieces of [address, length, bytes] that go where the linker put them, some
// as differences of 16-bit units. Nothing is written until the whole file is
// known to be the one cut from this core: its length and hash are the ones
// the core's seal holds, and every piece lies inside the core's table
// section. A file that fails is refused; the next load() fetches it again,
// past the browser's cache. Tables.refused says why the last one was.
"use strict";

const Tables = (() => {
  let placed = false;
  let pending = null;  // the tables on their way; null again after a failure
  let fromScript = null;
  let carried = null;
  let reason = "";
  let refusals = 0;
  const core = new Promise((resolve) => (Module.postRun = [].concat(Module.postRun || [], resolve)));

  const refuse = (why) => Promise.reject(new Error(why));

  const inflated = (bytes) => {
    if (typeof DecompressionStream !== "function") return refuse("this browser cannot inflate the tables");
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
    return new Response(stream).arrayBuffer().then((buffer) => new Uint8Array(buffer),
      () => refuse("the tables file is damaged"));
  };

  const fetched = () => {
    if (!pending) {
      let bytes;
      if (location.protocol === "file:") {
        // The script brings its bytes once; a refusal is then final.
        bytes = carried || new Promise((resolve) => (fromScript = resolve));
      } else {
        // After a refusal, past the browser's cache, which may hold the old file.
        bytes = fetch("vellumino-tables.bin", refusals ? {cache: "reload"} : {})
          .then((response) => (response.ok ? response.arrayBuffer()
            : refuse(`the tables could not be fetched (${response.status})`)),
          () => refuse("the tables could not be fetched"));
      }
      pending = bytes.then((raw) => inflated(new Uint8Array(raw)));
      pending.catch(() => (pending = null));  // tried again at the next load()
    }
    return pending;
  };

  const fnv1a = (bytes, from) => {
    let hash = 0x811c9dc5;
    for (let i = from; i < bytes.length; ++i) hash = Math.imul(hash ^ bytes[i], 16777619);
    return hash >>> 0;
  };

  // Every check before the first byte is written; the pieces, or why not.
  const check = (bytes, memory, start, end, sealLength, sealHash) => {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    if (bytes.length < 16 || view.getUint32(0, true) !== 0x544d4c56 || view.getUint32(4, true) !== 1) {
      return "the tables file is not one this page reads";
    }
    const length = view.getUint32(8, true), hash = view.getUint32(12, true);
    if (length !== sealLength || hash !== sealHash) return "the tables file belongs to another version of the page";
    if (length !== bytes.length - 16 || fnv1a(bytes, 16) !== hash) return "the tables file is damaged";
    const pieces = [];
    for (let at = 16; at < bytes.length;) {
      if (at + 8 > bytes.length) return "the tables file is damaged";
      const address = view.getUint32(at, true);
      const word = view.getUint32(at + 4, true);
      const size = word & 0x7fffffff;
      const differences = word !== size;
      if (at + 8 + size > bytes.length || address < start || address + size > end || address + size > memory ||
          (differences && (address % 2 || size % 2))) {
        return "the tables file does not fit this page's core";
      }
      pieces.push({address, from: at + 8, size, differences});
      at += 8 + size;
    }
    return pieces;
  };

  const place = (bytes) => {
    const where = HEAPU32.subarray(_vellumino_tables_where() >> 2, (_vellumino_tables_where() >> 2) + 3);
    const seal = new DataView(HEAPU8.buffer, where[2] + 16, 8);
    const pieces = check(bytes, HEAPU8.length, where[0], where[1], seal.getUint32(0, true),
      seal.getUint32(4, true));
    if (typeof pieces === "string") {
      ++refusals;
      return refuse(pieces);
    }
    // (No destructuring here: emscripten's optimizer cannot read it.)
    for (const piece of pieces) {
      const address = piece.address, size = piece.size;
      HEAPU8.set(bytes.subarray(piece.from, piece.from + size), address);
      if (piece.differences) {
        const units = HEAPU16.subarray(address >> 1, (address + size) >> 1);
        for (let i = 1; i < units.length; ++i) units[i] += units[i - 1];
      }
    }
    placed = true;
    reason = "";
    performance.mark("vellumino-tables");
  };

  return {
    get placed() {
      return placed;
    },
    // Why the last load() failed, in words the page may show; "" if none did.
    get refused() {
      return reason;
    },
    // Resolves once the tables are in the core's memory; rejects when they
    // could not be had, with the reason. The next call tries again.
    load: () => (placed ? Promise.resolve()
      : Promise.all([fetched(), core]).then((got) => placed || place(got[0])).catch((error) => {
        pending = null;
        reason = error.message;
        throw error;
      })),
    // The bytes the script beside a page opened from disk carries.
    arrived: (bytes) => {
      carried = Promise.resolve(bytes);
      if (fromScript) fromScript(bytes);
    },
  };
})();
