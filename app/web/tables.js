// The tables of the Chinese and Martian conversions, which the build takes
// out of the core (split_wasm.cpp) so that the field is ready before they
// arrive. Served, they are fetched once the page has loaded; opened from
// disk, the script beside the page brings them. Only commands that convert
// wait for them.
"use strict";

const Tables = (() => {
  let placed = false;
  let pending = null;  // the file's bytes on their way; null again after a failure
  let fromScript = null;

  const fetched = () => {
    if (!pending) {
      if (location.protocol === "file:") {
        pending = new Promise((resolve) => (fromScript = resolve));
      } else {
        pending = fetch("vellumino-tables.bin")
          .then((response) => (response.ok ? response.arrayBuffer() : Promise.reject(new Error(response.status))))
          .then((bytes) => new Uint8Array(bytes));
        pending.catch(() => (pending = null));  // tried again at the next command
      }
    }
    return pending;
  };

  // The file is pieces of [address, length, bytes], written at the addresses
  // the linker gave them, some as differences of 16-bit units.
  const place = (bytes) => {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    for (let at = 0; at + 8 <= bytes.length;) {
      const address = view.getUint32(at, true);
      const word = view.getUint32(at + 4, true);
      const length = word & 0x7fffffff;
      HEAPU8.set(bytes.subarray(at + 8, at + 8 + length), address);
      if (word !== length) {
        const units = HEAPU16.subarray(address >> 1, (address + length) >> 1);
        for (let i = 1; i < units.length; ++i) units[i] += units[i - 1];
      }
      at += 8 + length;
    }
    placed = true;
    performance.mark("vellumino-tables");
  };

  return {
    get placed() {
      return placed;
    },
    // Resolves once the tables are in the core's memory (which must be
    // there); rejects when they could not be had.
    load: () => (placed ? Promise.resolve() : fetched().then((bytes) => placed || place(bytes))),
    // The bytes the script beside a page opened from disk carries.
    arrived: (bytes) => {
      fetched();
      fromScript(bytes);
    },
  };
})();
