// The tables of the Chinese conversions, which the build takes out of the
// core (split_wasm.cpp) so that the field is ready before they arrive, one
// file per set (styling/table_section.h): each is fetched on its own, when
// the page first asks for its set. Opened from disk, the script beside the
// page brings them all. Only commands that convert wait, each for its set.
//
// A file is gzip, inflated here whatever the host sent, then a header and
// pieces of [address, length, bytes] that go where the linker put them.
// Nothing of a file is written until the
// whole file is known to be the one cut from this core for its set: its
// place, length and hash are the ones the core's seal holds for that set,
// and every piece lies inside the set's section. A file that fails is
// refused; the next load() fetches it again, past the browser's cache.
// Tables.refused(set) says why the last one was.
"use strict";

// Gzip bytes inflated by the browser, for the core (page.js) and the tables.
const gunzip = (bytes) =>
  new Response(new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"))).arrayBuffer();

const Tables = (() => {
  // A set's bit is its file's place here, as in the core (main.cpp).
  const files = ["vellumino-tables.bin", "vellumino-tables-simplified.bin"].map((name, index) => ({
    name,
    index,
    placed: false,
    pending: null,  // the file on its way; null again after a failure
    fromScript: null,
    carried: null,
    reason: "",
    refusals: 0,
  }));
  const core = new Promise((resolve) => (Module.postRun = [].concat(Module.postRun || [], resolve)));
  const of = (set) => files.filter((file) => set & (1 << file.index));

  const refuse = (why) => Promise.reject(new Error(why));

  const inflated = (bytes) => {
    if (typeof DecompressionStream !== "function") return refuse("this browser cannot inflate the tables");
    return gunzip(bytes).then((buffer) => new Uint8Array(buffer), () => refuse("the tables file is damaged"));
  };

  const fetched = (file) => {
    if (!file.pending) {
      let bytes;
      if (location.protocol === "file:") {
        // The script brings its bytes once; a refusal is then final.
        bytes = file.carried || new Promise((resolve) => (file.fromScript = resolve));
      } else {
        // After a refusal, past the browser's cache, which may hold the old file.
        bytes = fetch(file.name, file.refusals ? {cache: "reload"} : {})
          .then((response) => (response.ok ? response.arrayBuffer()
            : refuse(`the tables could not be fetched (${response.status})`)),
          () => refuse("the tables could not be fetched"));
      }
      file.pending = bytes.then((raw) => inflated(new Uint8Array(raw)));
      file.pending.catch(() => (file.pending = null));  // tried again at the next load()
    }
    return file.pending;
  };

  const fnv1a = (bytes, from) => {
    let hash = 0x811c9dc5;
    for (let i = from; i < bytes.length; ++i) hash = Math.imul(hash ^ bytes[i], 16777619);
    return hash >>> 0;
  };

  // Every check before the first byte is written; the pieces, or why not.
  const HEADER = 20;
  const check = (bytes, index, memory, start, end, sealLength, sealHash) => {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    if (bytes.length < HEADER || view.getUint32(0, true) !== 0x544d4c56 || view.getUint32(4, true) !== 2) {
      return "the tables file is not one this page reads";
    }
    if (view.getUint32(8, true) !== index) return "the tables file holds another set of tables";
    const length = view.getUint32(12, true), hash = view.getUint32(16, true);
    if (length !== sealLength || hash !== sealHash) return "the tables file belongs to another version of the page";
    if (length !== bytes.length - HEADER || fnv1a(bytes, HEADER) !== hash) return "the tables file is damaged";
    const pieces = [];
    for (let at = HEADER; at < bytes.length;) {
      if (at + 8 > bytes.length) return "the tables file is damaged";
      const address = view.getUint32(at, true);
      const size = view.getUint32(at + 4, true);
      if (at + 8 + size > bytes.length || address < start || address + size > end || address + size > memory) {
        return "the tables file does not fit this page's core";
      }
      pieces.push({address, from: at + 8, size});
      at += 8 + size;
    }
    return pieces;
  };

  const place = (file, bytes) => {
    const at = _vellumino_tables_where(file.index) >> 2;
    const where = HEAPU32.subarray(at, at + 3);
    const seal = new DataView(HEAPU8.buffer, where[2], 8);
    const pieces = check(bytes, file.index, HEAPU8.length, where[0], where[1], seal.getUint32(0, true),
      seal.getUint32(4, true));
    if (typeof pieces === "string") {
      ++file.refusals;
      return refuse(pieces);
    }
    // (No destructuring here: emscripten's optimizer cannot read it.)
    for (const piece of pieces) {
      HEAPU8.set(bytes.subarray(piece.from, piece.from + piece.size), piece.address);
    }
    file.placed = true;
    file.reason = "";
    performance.mark(`vellumino-tables-${file.index}`);
  };

  const load = (file) => (file.placed ? Promise.resolve()
    : Promise.all([fetched(file), core]).then((got) => file.placed || place(file, got[0])).catch((error) => {
      file.pending = null;
      file.reason = error.message;
      throw error;
    }));

  return {
    // Whether every file of the set is in the core's memory.
    placed: (set) => of(set).every((file) => file.placed),
    // Why the last load() of a file of the set failed, in words the page may
    // show; "" if none did.
    refused: (set) => of(set).map((file) => file.reason).find((reason) => reason) || "",
    // Resolves once every file of the set is in the core's memory; rejects
    // when one could not be had, with the reason. The next call tries again.
    load: (set) => Promise.all(of(set).map(load)).then(() => undefined),
    // The bytes of every file, in order, that the script beside a page
    // opened from disk carries.
    arrived: (all) => {
      for (const file of files) {
        file.carried = Promise.resolve(all[file.index]);
        if (file.fromScript) file.fromScript(all[file.index]);
      }
    },
  };
})();
