// The page's side of the window: turns the DOM's events into calls on the
// core (main.cpp) and does what the core asks of the page. Every rule, from
// the previews to the limit to what a zone does, is the core's; this only
// carries events in and edits out, and keeps what was typed for the tab.
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
  const failed = () => Vellumino.coreFailed();
  const bytes = (response) => (response.ok ? response.arrayBuffer() : Promise.reject(new Error(response.status)));
  if (location.protocol === "file:") {
    const script = document.createElement("script");
    script.src = "vellumino-wasm.js";
    script.onload = () => {
      WebAssembly.instantiate(decoded(VelluminoWasm), imports).then(instantiated, failed);
      Tables.arrived(VelluminoTables.map(decoded));
    };
    script.onerror = failed;
    document.head.appendChild(script);
  } else if (typeof DecompressionStream === "function") {
    // The core gzipped, half the bytes from a host that compresses nothing,
    // inflated here as the tables are; a host that undid the gzip itself
    // (Content-Encoding) hands over the wasm, which starts "\0asm".
    const wasm = (buffer) => {
      const head = new Uint8Array(buffer, 0, Math.min(2, buffer.byteLength));
      return head[0] === 0x1f && head[1] === 0x8b ? gunzip(buffer) : buffer;
    };
    fetch("vellumino.wasm.gz").then(bytes).then(wasm)
      .then((module) => WebAssembly.instantiate(module, imports))
      .then(instantiated, failed);
  } else {
    // A host that serves wasm under another type cannot stream it.
    WebAssembly.instantiateStreaming(fetch("vellumino.wasm"), imports)
      .catch(() => fetch("vellumino.wasm").then(bytes).then((module) => WebAssembly.instantiate(module, imports)))
      .then(instantiated, failed);
  }
  return {};
};
Module.onAbort = () => Vellumino.coreFailed();

var Vellumino = (function () {
  const field = document.getElementById("Text1");
  const captions = [null, document.getElementById("Label1"), document.getElementById("Label2")];
  // In the order they are painted, which is the tab order; each names its
  // place in the core's zone list.
  const zones = Array.from(document.querySelectorAll("button.zone"));
  const menu = document.getElementById("menu");
  const status = document.getElementById("status");
  let ready = false;
  const waiting = [];  // what the user did before the core had loaded
  let writing = false;  // the page itself is editing the field
  let composing = null;  // the field before an input method's composition

  // What was typed stays with the tab: a reload, a way back to the page or a
  // tab the phone discarded while the user was in the messenger brings back
  // the signature, its caret and both previews. It never leaves the device.
  const SAVED = "vellumino-signature";
  const save = () => {
    try {
      // An empty field (清空) keeps nothing.
      if (!field.value) sessionStorage.removeItem(SAVED);
      else sessionStorage.setItem(SAVED, JSON.stringify({
        text: field.value, start: field.selectionStart, end: field.selectionEnd,
        captions: [captions[1].textContent, captions[2].textContent],
      }));
    } catch (e) {
      // Storage turned off or full: the page works as before, unsaved.
    }
  };
  const restore = () => {
    let saved = null;
    try {
      saved = JSON.parse(sessionStorage.getItem(SAVED));
    } catch (e) {
      return;
    }
    if (!saved || typeof saved.text !== "string" || !Array.isArray(saved.captions)) return;
    field.value = saved.text;
    const at = (offset) => Math.max(0, Math.min(Number(offset) || 0, saved.text.length));
    field.setSelectionRange(at(saved.start), Math.max(at(saved.start), at(saved.end)));
    captions[1].textContent = String(saved.captions[0] || "");
    captions[2].textContent = String(saved.captions[1] || "");
  };
  restore();
  const startValue = field.value;
  addEventListener("pagehide", save);
  document.addEventListener("visibilitychange", () => document.visibilityState === "hidden" && save());
  field.addEventListener("blur", save);

  // One line under the window says what the page waits for or could not
  // get, with a button where the user can do something about it.
  const say = (message, action, run) => {
    status.textContent = message || "";
    if (action) {
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = action;
      button.addEventListener("click", run);
      status.appendChild(button);
    }
  };
  // A zone whose command waits shows it, until the command has run.
  const busy = (button, waits) => {
    if (!button) return;
    if (waits) button.setAttribute("aria-busy", "true");
    else button.removeAttribute("aria-busy");
  };

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

  const whenReady = (call, button) => {
    if (ready) return call();
    busy(button, true);
    waiting.push(() => {
      busy(button, false);
      call();
    });
  };

  // Only a command that converts waits, for the tables it reads (a set of
  // the core's bits, one file each); it runs once they are in, on the text
  // of that moment. The tables the buttons' own commands read are fetched
  // once the page has loaded, every other set (the menus') when a command
  // first needs it. A fetch that
  // fails says so and is tried again, sooner when the device comes back
  // online.
  const converting = [];  // {tables, run, shown}: shown if the page says it waits
  const LOADING = "正在下载转换表…";
  const FAILED = "转换表没有下载成功，正在重试…";
  const REFUSED = "下载的转换表与页面不符，正在重新下载…";
  // A file that came but was refused (another version's, or damaged) is
  // said apart from one that never came.
  const message = (set) => {
    const reason = Tables.refused(set);
    return reason && !reason.includes("could not be fetched") ? REFUSED : FAILED;
  };
  // Each file's own state, by its bit.
  const sets = {};
  const stateOf = (bit) => sets[bit] || (sets[bit] = {fetching: false, failed: false, retry: null, pause: 1000});
  const bits = (set) => [0, 1, 2, 3, 4, 5, 6, 7].map((i) => 1 << i).filter((bit) => set & bit);
  // The service worker's fill fetches every file again, the tables too,
  // past the browser's cache: started beside the page's own fetch of the
  // tables, it would have a slow link carry them twice before the first
  // conversion. It starts once the first fetch has come or failed.
  let afterTables = [];
  const tablesSettled = () => {
    while (afterTables.length) afterTables.shift()();
    afterTables = null;
  };
  const fetchTables = (set) => {
    for (const bit of bits(set)) {
      const state = stateOf(bit);
      if (state.fetching || Tables.placed(bit)) continue;
      state.fetching = true;
      clearTimeout(state.retry);
      state.retry = null;
      Tables.load(bit).then(() => {
        state.fetching = false;
        state.failed = false;
        state.pause = 1000;
        for (let i = 0; i < converting.length;) {
          if (Tables.placed(converting[i].tables)) converting.splice(i, 1)[0].run();
          else ++i;
        }
        if (!converting.some((waiting) => waiting.shown)) say("");
        if (afterTables) tablesSettled();
      }, () => {
        state.fetching = false;
        state.failed = true;
        if (afterTables) tablesSettled();
        if (converting.some((waiting) => waiting.shown && waiting.tables & bit)) say(message(bit));
        state.retry = setTimeout(() => fetchTables(bit), state.pause);
        state.pause = Math.min(state.pause * 2, 30000);
      });
    }
  };
  addEventListener("online", () => {
    for (const bit in sets) if (sets[bit].retry !== null) fetchTables(Number(bit));
  });
  // Runs `call` once the set is in; `button`, if any, shows that it waits,
  // and the page says so, unless `quietly`.
  const withTables = (tables, call, button, quietly) => {
    if (Tables.placed(tables)) return call();
    busy(button, true);
    converting.push({tables, shown: !quietly, run: () => {
      busy(button, false);
      call();
    }});
    if (!quietly) say(bits(tables).some((bit) => stateOf(bit).failed) ? message(tables) : LOADING);
    fetchTables(tables);
  };

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

  // What of `incoming` the core lets in place of `selected` units of a
  // field of `length`.
  const fit = (incoming, typed, length, selectedUnits) =>
    withText(incoming, (pointer, units) =>
      text(_vellumino_fit(pointer, units, typed ? 1 : 0, length, selectedUnits), _vellumino_result_length()));

  // Puts what the core lets in of `incoming` (`fitted`, where the caller
  // has asked already) in place of the selection.
  const insert = (incoming, typed, fitted = fit(incoming, typed, field.value.length, selected())) => {
    // A refused keystroke changes nothing; a paste that does not fit still
    // replaces the selection with what does.
    if (typed && !fitted) return;
    edit(field.selectionStart, field.selectionEnd, fitted);
    changed();
  };

  // A selection made by a script, or by the browser's own steps, may end
  // inside a character: the core widens it before anything goes in or out.
  const wholeCharacters = () => {
    const range = _vellumino_whole_characters(field.selectionStart, field.selectionEnd) >> 2;
    if (HEAPU32[range] !== field.selectionStart || HEAPU32[range + 1] !== field.selectionEnd) {
      field.setSelectionRange(HEAPU32[range], HEAPU32[range + 1]);
    }
  };
  // Before the browser puts the selection on the clipboard.
  for (const kind of ["cut", "copy"]) field.addEventListener(kind, () => ready && wholeCharacters());

  const removingKeys = {deleteContentBackward: 0, deleteContentForward: 1, deleteWordBackward: 2};

  field.addEventListener("beforeinput", (event) => {
    if (writing || !event.cancelable || event.isComposing) return;
    const kind = event.inputType;
    if (kind in removingKeys) {
      if (!ready) return;
      const range = _vellumino_removal(removingKeys[kind], field.selectionStart, field.selectionEnd) >> 2;
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
    if (!ready) {
      // Before the core has come the page cannot tell what fits: the text
      // waits for it, at the place it was meant for. The core is a fraction
      // of a second away even on a slow link.
      event.preventDefault();
      const start = field.selectionStart;
      const end = field.selectionEnd;
      whenReady(() => {
        if (kind === "insertFromDrop" && end <= field.value.length) field.setSelectionRange(start, end);
        insert(incoming, typed);
      });
      return;
    }
    wholeCharacters();
    const fitted = fit(incoming, typed, field.value.length, selected());
    if (fitted === incoming) return;
    event.preventDefault();
    insert(incoming, typed, fitted);
  });

  field.addEventListener("input", (event) => {
    if (!writing && !event.isComposing && !composing) changed();
  });

  // An input method's text is only held to the limit once it is finished:
  // cutting its composition would cut what the user is still choosing.
  field.addEventListener("compositionstart", () => {
    composing = {value: field.value, length: field.value.length, start: field.selectionStart,
                 end: field.selectionEnd, selected: selected()};
  });
  field.addEventListener("compositionend", (event) => {
    const before = composing;
    composing = null;
    if (!before) return changed();
    const committed = event.data || "";
    whenReady(() => {
      const start = before.start;
      const fitted = fit(committed, true, before.length, before.selected);
      if (fitted !== committed && field.value.substr(start, committed.length) === committed) {
        edit(start, start + committed.length, fitted);
      }
      changed();
    });
  });
  // A command tapped while the input method still composes acts on what was
  // there before the composition: the unfinished text (pinyin, say) goes,
  // and the input method is told it is over, so that it does not commit it
  // again over the command's result.
  const endComposition = () => {
    const before = composing;
    if (!before) return;
    composing = null;
    const focused = document.activeElement === field;
    writing = true;
    field.blur();
    field.value = before.value;
    field.setSelectionRange(before.start, before.end);
    writing = false;
    if (focused) field.focus({preventScroll: true});
  };

  // The menu a right-click, the menu key or a long press on a zone offers,
  // built from what the core offers for that zone. The entry with the focus
  // (the pointer moves it) shows its result in the captions until the menu
  // closes; one that needs tables previews once they are in, and its focus
  // fetches them, since the preview is that command run.
  let offered = [];
  let menuReturn = null;
  const closeMenu = () => {
    if (menu.hidden) return;
    menu.hidden = true;
    menu.textContent = "";
    _vellumino_preview_ended();
    if (menuReturn && menuReturn.focus) menuReturn.focus({preventScroll: true});
    menuReturn = null;
  };
  const openMenu = (button, x, y) => {
    closeMenu();
    offered = [];
    _vellumino_zone_menu(Number(button.dataset.zone));
    if (!offered.length) return false;
    for (const entry of offered) {
      const item = document.createElement("button");
      item.type = "button";
      item.setAttribute("role", "menuitem");
      item.textContent = entry.label;
      item.addEventListener("focus", () => {
        if (Tables.placed(entry.tables)) return _vellumino_menu_command_previewed(entry.command);
        _vellumino_preview_ended();
        withTables(entry.tables, () => {
          if (!menu.hidden && document.activeElement === item) _vellumino_menu_command_previewed(entry.command);
        }, null, true);
      });
      item.addEventListener("pointerenter", () => item.focus({preventScroll: true}));
      item.addEventListener("click", () => {
        closeMenu();
        const run = () => _vellumino_menu_command_chosen(entry.command);
        if (entry.tables) withTables(entry.tables, run, button);
        else run();
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
  // The end of a long press may leave the focus outside the menu; Escape
  // still closes it, and the captions show again what they showed.
  document.addEventListener("keydown", (event) => {
    if (event.key === "Escape" && !menu.hidden) closeMenu();
  });
  addEventListener("blur", closeMenu);

  let pressed = null;  // a touch held on a zone, for the long press
  let longPressed = false;
  for (const button of zones) {
    const zone = Number(button.dataset.zone);
    // The field keeps the focus and its caret, as the painted buttons of
    // the desktop window leave them.
    button.addEventListener("mousedown", (event) => event.preventDefault());
    button.addEventListener("click", () => {
      if (longPressed) {
        longPressed = false;
        return;
      }
      closeMenu();
      endComposition();
      // Once the core is there a copy and the link run here, inside the
      // tap, where the browser lets them reach the clipboard and open a tab.
      whenReady(() => {
        const run = () => _vellumino_zone_clicked(zone);
        const tables = _vellumino_zone_tables(zone);
        if (tables) withTables(tables, run, button);
        else run();
      }, button);
    });
    button.addEventListener("contextmenu", (event) => {
      if (!ready) return;
      if (!menu.hidden) {  // a long press has opened it already
        event.preventDefault();
        return;
      }
      endComposition();
      const box = button.getBoundingClientRect();
      const key = !event.clientX && !event.clientY;  // the menu key: below the button
      if (openMenu(button, key ? box.left : event.clientX, key ? box.bottom : event.clientY)) event.preventDefault();
    });
    button.addEventListener("pointerdown", (event) => {
      clearTimeout(pressed);
      longPressed = false;
      if (event.pointerType !== "touch" || !ready) return;
      const x = event.clientX;
      const y = event.clientY;
      pressed = setTimeout(() => {
        endComposition();
        longPressed = openMenu(button, x, y);
      }, 500);
    });
    for (const end of ["pointerup", "pointercancel", "pointerleave"]) {
      button.addEventListener(end, () => clearTimeout(pressed));
    }
    // The finger that opened the menu lifts over it (a long menu is moved
    // up to fit the screen): its tap must not choose the entry under it.
    button.addEventListener("touchend", (event) => {
      if (longPressed) event.preventDefault();
    });
  }

  // A new version waits until the page is next opened, or until the user
  // takes it from the quiet line that offers it; the reload that follows
  // brings back what was typed.
  if ("serviceWorker" in navigator && location.protocol.startsWith("http")) {
    let updating = false;
    const offer = (worker) => {
      if (!worker || !navigator.serviceWorker.controller) return;
      const notice = document.getElementById("update");
      notice.hidden = false;
      notice.querySelector("button").onclick = () => {
        updating = true;
        save();
        worker.postMessage("take-over");
      };
    };
    navigator.serviceWorker.addEventListener("controllerchange", () => {
      if (!updating) return;
      updating = false;
      location.reload();
    });
    const register = () => navigator.serviceWorker.register("sw.js").then((registration) => {
      offer(registration.waiting);
      registration.addEventListener("updatefound", () => {
        const worker = registration.installing;
        worker.addEventListener("statechange", () => worker.state === "installed" && offer(worker));
      });
    }).catch(() => {});
    if (afterTables) afterTables.push(register);
    else register();
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
      save();
    },
    offer: (command, label, tables) => offered.push({command: command, label: label, tables: tables}),
    copyAnswered: (copied, succeeded) =>
      withText(copied, (pointer, length) => _vellumino_copy_answered(pointer, length, succeeded ? 1 : 0)),
    coreReady: () => {
      ready = true;
      // Typed before the core came: the previews catch up.
      if (field.value !== startValue) waiting.unshift(() => _vellumino_text1_change());
      while (waiting.length) waiting.shift()();
      performance.mark("vellumino-ready");
      document.documentElement.dataset.ready = "";
      // Fetched before the page's load event, they would hold it back.
      const buttons = zones.reduce((set, button) => set | _vellumino_zone_tables(Number(button.dataset.zone)), 0);
      if (document.readyState === "complete") fetchTables(buttons);
      else addEventListener("load", () => fetchTables(buttons));
    },
    coreFailed: () => {
      if (ready) return;
      say("页面没有完整下载，请检查网络后", "重新载入", () => location.reload());
    },
  };
})();
