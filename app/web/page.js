// The page's side of the window: turns the DOM's events into calls on the
// core (main.cpp) and does what the core asks of the page. Every rule, from
// the previews to the limit to what a zone does, is the core's; this only
// carries events in and edits out.
"use strict";

// Served, the core is fetched and compiled as it arrives, and the tables of
// the conversions (tables.js), most of its bytes, follow once the page has
// loaded: the field is ready with the code, and the commands once the
// tables are in. A page opened from disk may fetch nothing, so there both
// come as a script beside this one.
const decoded = (base64) => {
  const chars = atob(base64);
  const bytes = new Uint8Array(chars.length);
  for (let i = 0; i < chars.length; ++i) bytes[i] = chars.charCodeAt(i);
  return bytes;
};
Module.instantiateWasm = (imports, receive) => {
  const instantiated = (result) => receive(result.instance);
  if (location.protocol === "file:") {
    const script = document.createElement("script");
    script.src = "vellumino-wasm.js";
    script.onload = () => {
      WebAssembly.instantiate(decoded(VelluminoWasm), imports).then(instantiated);
      Tables.arrived(decoded(VelluminoTables));
    };
    document.head.appendChild(script);
  } else {
    // A host that serves wasm under another type cannot stream it.
    WebAssembly.instantiateStreaming(fetch("vellumino.wasm"), imports)
      .catch(() => fetch("vellumino.wasm").then((response) => response.arrayBuffer())
        .then((bytes) => WebAssembly.instantiate(bytes, imports)))
      .then(instantiated);
  }
  return {};
};

var Vellumino = (function () {
  const field = document.getElementById("Text1");
  const captions = [null, document.getElementById("Label1"), document.getElementById("Label2")];
  const zones = Array.from(document.querySelectorAll("button.zone"));
  const menu = document.getElementById("menu");
  let ready = false;
  const waiting = [];  // what the user did before the core had loaded
  let writing = false;  // the page itself is editing the field
  let composing = null;  // the field before an input method's composition

  // A string out of the wasm memory, unit by unit: no decoder, since a
  // decoder would mend a lone surrogate.
  const text = (pointer, length) => {
    let out = "";
    const first = pointer >> 1;
    for (let at = 0; at < length; at += 8192) {
      out += String.fromCharCode.apply(null, HEAPU16.subarray(first + at, first + Math.min(length, at + 8192)));
    }
    return out;
  };

  // Calls use(pointer, length) with the string's units in the wasm memory.
  const withText = (string, use) => {
    const pointer = _malloc(string.length * 2 + 2);
    try {
      for (let i = 0; i < string.length; ++i) HEAPU16[(pointer >> 1) + i] = string.charCodeAt(i);
      return use(pointer, string.length);
    } finally {
      _free(pointer);
    }
  };

  const whenReady = (call) => (ready ? call() : waiting.push(call));

  // A command that converts runs once the tables are in the core's memory.
  const whenCommandsReady = (call) => whenReady(() => {
    if (Tables.placed) return call();
    Tables.load().then(call, () => {});
  });

  const selected = () => field.selectionEnd - field.selectionStart;

  // Replaces [start, end) of the field the way typing would, so that the
  // browser keeps the edit on its undo stack and Ctrl+Z takes it back in
  // one step. The field needs the focus for that; where something else had
  // it (a zone reached with Tab), it gets it back, and a phone's keyboard is
  // kept from showing for an edit the user did not type.
  const edit = (start, end, replacement) => {
    const before = document.activeElement;
    const away = before !== field;
    if (away) field.inputMode = "none";
    field.focus({preventScroll: true});
    field.setSelectionRange(start, end);
    writing = true;
    let done = false;
    try {
      if (replacement) done = document.execCommand("insertText", false, replacement);
      else done = start === end || document.execCommand("delete");
    } catch (e) {
      done = false;
    } finally {
      writing = false;
    }
    if (!done) field.setRangeText(replacement, start, end, "end");  // no undo, but the right text
    if (away) {
      if (before && before !== document.body && before.focus) before.focus({preventScroll: true});
      else field.blur();
      field.removeAttribute("inputmode");
    }
  };

  const changed = () => whenReady(() => _vellumino_text1_change());

  // What of `incoming` the core lets in place of the selection.
  const fit = (incoming, typed) =>
    withText(incoming, (pointer, length) => {
      const answer = _vellumino_fit(pointer, length, typed ? 1 : 0, field.value.length, selected());
      return text(answer, _vellumino_result_length());
    });

  const deletingKeys = {deleteContentBackward: 0, deleteContentForward: 1, deleteWordBackward: 2};

  field.addEventListener("beforeinput", (event) => {
    if (writing || !ready || !event.cancelable || event.isComposing) return;
    const kind = event.inputType;
    if (kind in deletingKeys) {
      if (selected() !== 0) return;  // a selection goes whole, as the browser does it
      const range = _vellumino_deletion(deletingKeys[kind], field.selectionStart) >> 2;
      const start = HEAPU32[range];
      const end = HEAPU32[range + 1];
      event.preventDefault();
      if (end > start) {
        edit(start, end, "");
        changed();
      }
      return;
    }
    if (!kind.startsWith("insert") || kind === "insertCompositionText") return;
    let incoming = event.data;
    if (incoming == null && event.dataTransfer) incoming = event.dataTransfer.getData("text/plain");
    if (incoming == null) return;
    const typed = kind === "insertText";
    const fitted = fit(incoming, typed);
    if (fitted === incoming) return;
    event.preventDefault();
    // A refused keystroke changes nothing; a paste that does not fit still
    // replaces the selection with what does.
    if (typed && !fitted) return;
    edit(field.selectionStart, field.selectionEnd, fitted);
    changed();
  });

  field.addEventListener("input", (event) => {
    if (!writing && !event.isComposing && !composing) changed();
  });

  // An input method's text is only held to the limit once it is finished:
  // cutting its composition would cut what the user is still choosing.
  field.addEventListener("compositionstart", () => {
    composing = {length: field.value.length, start: field.selectionStart, selected: selected()};
  });
  field.addEventListener("compositionend", (event) => {
    const before = composing;
    composing = null;
    if (!ready || !before) return changed();
    const committed = event.data || "";
    const start = before.start;
    const fitted = withText(committed, (pointer, length) =>
      text(_vellumino_fit(pointer, length, 1, before.length, before.selected), _vellumino_result_length()));
    if (fitted !== committed && field.value.substr(start, committed.length) === committed) {
      edit(start, start + committed.length, fitted);
    }
    changed();
  });

  // The menu of reverse commands a right-click or a long press on a zone
  // offers, built from what the core offers for that zone.
  let offered = [];
  let menuReturn = null;
  const closeMenu = () => {
    if (menu.hidden) return;
    menu.hidden = true;
    menu.textContent = "";
    if (menuReturn && menuReturn.focus) menuReturn.focus({preventScroll: true});
    menuReturn = null;
  };
  const openMenu = (zone, x, y) => {
    closeMenu();
    offered = [];
    _vellumino_zone_menu(zone);
    if (!offered.length) return false;
    for (const entry of offered) {
      const command = entry.command;
      const item = document.createElement("button");
      item.type = "button";
      item.setAttribute("role", "menuitem");
      item.textContent = entry.label;
      item.addEventListener("click", () => {
        closeMenu();
        whenCommandsReady(() => _vellumino_menu_command_chosen(command));
      });
      menu.appendChild(item);
    }
    menuReturn = document.activeElement;
    menu.hidden = false;
    const box = menu.getBoundingClientRect();
    menu.style.left = Math.max(0, Math.min(x, innerWidth - box.width)) + "px";
    menu.style.top = Math.max(0, Math.min(y, innerHeight - box.height)) + "px";
    menu.firstChild.focus({preventScroll: true});
    return true;
  };
  menu.addEventListener("keydown", (event) => {
    const items = Array.from(menu.children);
    const at = items.indexOf(document.activeElement);
    if (event.key === "Escape" || event.key === "Tab") closeMenu();
    else if (event.key === "ArrowDown") items[(at + 1) % items.length].focus();
    else if (event.key === "ArrowUp") items[(at + items.length - 1) % items.length].focus();
    else return;
    event.preventDefault();
  });
  document.addEventListener("pointerdown", (event) => {
    if (!menu.hidden && !menu.contains(event.target)) closeMenu();
  }, true);
  addEventListener("blur", closeMenu);

  let pressed = null;  // a touch held on a zone, for the long press
  let longPressed = false;
  zones.forEach((button, zone) => {
    // The field keeps the focus and its caret, as the painted buttons of
    // the desktop window leave them.
    button.addEventListener("mousedown", (event) => event.preventDefault());
    button.addEventListener("click", () => {
      if (longPressed) {
        longPressed = false;
        return;
      }
      closeMenu();
      whenCommandsReady(() => _vellumino_zone_clicked(zone));
    });
    button.addEventListener("contextmenu", (event) => {
      if (!ready) return;
      if (!menu.hidden) {  // a long press has opened it already
        event.preventDefault();
        return;
      }
      const box = button.getBoundingClientRect();
      const key = !event.clientX && !event.clientY;  // the menu key: below the button
      if (openMenu(zone, key ? box.left : event.clientX, key ? box.bottom : event.clientY)) event.preventDefault();
    });
    button.addEventListener("pointerdown", (event) => {
      clearTimeout(pressed);
      longPressed = false;
      if (event.pointerType !== "touch" || !ready) return;
      const x = event.clientX;
      const y = event.clientY;
      pressed = setTimeout(() => {
        longPressed = openMenu(zone, x, y);
      }, 500);
    });
    for (const end of ["pointerup", "pointercancel", "pointerleave"]) {
      button.addEventListener(end, () => clearTimeout(pressed));
    }
  });

  if ("serviceWorker" in navigator && location.protocol.startsWith("http")) {
    addEventListener("load", () => navigator.serviceWorker.register("sw.js").catch(() => {}));
  }

  return {
    field,
    text,
    replaceField: (replacement) => edit(0, field.value.length, replacement),
    showCaption: (caption, shown, announce) => {
      // A live region only while it says something of the program's own: the
      // signature itself the screen reader echoes as it is typed.
      captions[caption].setAttribute("aria-live", announce ? "polite" : "off");
      captions[caption].textContent = shown;
    },
    offer: (command, label) => offered.push({command: command, label: label}),
    copyAnswered: (copied, succeeded) =>
      withText(copied, (pointer, length) => _vellumino_copy_answered(pointer, length, succeeded ? 1 : 0)),
    coreReady: () => {
      ready = true;
      // Typed before the core came: the previews catch up.
      if (field.value !== field.defaultValue) waiting.unshift(() => _vellumino_text1_change());
      while (waiting.length) waiting.shift()();
      performance.mark("vellumino-ready");
      document.documentElement.dataset.ready = "";
      // Fetched before the page's load event, they would hold it back.
      const tables = () => Tables.load().catch(() => {});
      if (document.readyState === "complete") tables();
      else addEventListener("load", tables);
    },
  };
})();
