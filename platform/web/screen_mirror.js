// The screen for those who cannot see the canvas or hold a pointer: after every frame the program
// describes what it drew (gui_demo_description), and this script mirrors it as real HTML elements
// with their roles, names and states, each laid exactly over its widget, for screen readers and
// the keyboard. The mirror is invisible and lets every mouse and touch through to the canvas; only
// the focus mark it draws around the focused widget is seen, and only once keys are in use.
//
// Nothing is operated here: pressing a button, ticking a box, setting a slider or carrying the box
// reaches the program as the input a hand would make, a press and release at the widget's point,
// through the page's paced event queue (index.html), which gives each change a frame of its own.
// So the program sees nothing new, and a value it cannot take gets what a hand would get.
"use strict";

function startScreenMirror(page) {
  const { canvas, typing, layer, status, mark } = page;
  const program = () => window.Module;

  // ---- Reading the description ----------------------------------------------------------------

  const parse = (line) => {
    const f = line.split("\t");
    const flags = f[13];
    return {
      role: f[0], parent: Number(f[1]), level: Number(f[2]), name: f[3], text: f[4],
      rect: f.slice(5, 9).map(Number), press: f.slice(9, 11).map(Number),
      carryTo: f.slice(11, 13).map(Number), checked: flags[0] === "1", focused: flags[1] === "1",
      carried: flags[2] === "1", over: flags[3] === "1", value: Number(f[14]),
      vertical: f[15] === "1",
    };
  };
  let lastText = "";  // the last description as the program wrote it
  let lines = [];     // the same, a line a node
  let nodes = [];     // the same, parsed
  let elements = [];  // the element standing for each node

  // ---- Acting as a hand ---------------------------------------------------------------------------

  // The real pointer, where it was last seen; the hover look returns there after an action.
  let pointer = null;
  const notePointer = (e) => {
    if (!e.isTrusted) return;
    const p = e.changedTouches ? e.changedTouches[0] : e;
    if (p) pointer = [p.pageX, p.pageY];
  };
  for (const type of ["mousemove", "mousedown", "mouseup", "touchstart", "touchmove", "touchend"]) {
    window.addEventListener(type, notePointer, { capture: true, passive: true });
  }
  // A mouse event at the window pixel (x, y), or at the page point p. The browser rounds an
  // event's coordinates to whole CSS pixels, which a scaled canvas cannot always aim with, so the
  // page point that raylib reads is set exactly: the middle of the window pixel.
  const mouse = (type, at, buttons) => {
    let pageX, pageY;
    if (at.page) {
      [pageX, pageY] = at.page;
    } else {
      const r = canvas.getBoundingClientRect();
      const s = r.width / canvas.width;
      pageX = scrollX + r.left + (at[0] + 0.5) * s;
      pageY = scrollY + r.top + (at[1] + 0.5) * s;
    }
    const e = new MouseEvent(type, { bubbles: true, cancelable: true, button: 0, buttons,
      clientX: pageX - scrollX, clientY: pageY - scrollY });
    Object.defineProperties(e, { pageX: { value: pageX }, pageY: { value: pageY } });
    return e;
  };
  const send = (type, at, buttons) =>
    page.send(mouse(type, at, buttons), type === "mousemove" ? "move" : "button");
  // Back where the real pointer is, or off the canvas if it was never seen.
  const goBack = () => page.send(mouse("mousemove", pointer ? { page: pointer } : [-1, -1], 0),
    "move");
  // What a screen reader does is the program's own (gui_demo_act, gui_demo_set_value): it makes
  // the hand's pointer events, which come here and go through the page's queue, which gives each
  // change the frame it needs, as it does a hand's. Kinds and actions are the program's.
  let madeDown = false;
  window.guiDemoHandInput = (kind, action, x, y) => {
    const at = x < 0 || y < 0 ? [-1, -1] : pointer && x === pointerAt()[0] && y === pointerAt()[1] ?
      { page: pointer } : [x, y];
    if (kind === 1) madeDown = action === 1;
    if (kind === 0) send("mousemove", at, madeDown ? 1 : 0);
    else send(action === 1 ? "mousedown" : "mouseup", at, action === 1 ? 1 : 0);
  };
  // The real pointer in window pixels, or off the canvas if it was never seen.
  const pointerAt = () => {
    if (!pointer) return [-1, -1];
    const r = canvas.getBoundingClientRect();
    const s = r.width / canvas.width;
    return [(pointer[0] - scrollX - r.left) / s - 0.5, (pointer[1] - scrollY - r.top) / s - 0.5];
  };
  window.guiDemoRealPointer = pointerAt;
  window.guiDemoHandHolds = page.handHolds;
  const act = (i) => program()._gui_demo_act(i);
  const setValue = (i, v) => program()._gui_demo_set_value(i, v);
  // A press where nothing is (the window's top-left corner, left of the title), to end the editing.
  const clickNowhere = () => {
    send("mousemove", [0, 0], 0);
    send("mousedown", [0, 0], 1);
    send("mouseup", [0, 0], 0);
    goBack();
  };

  // ---- Building the mirror ------------------------------------------------------------------------

  const place = (el, [x, y, w, h]) => {
    el.style.left = x + "px";
    el.style.top = y + "px";
    el.style.width = w + "px";
    el.style.height = h + "px";
  };
  const make = (tag, props = {}, attrs = {}) => {
    const el = Object.assign(document.createElement(tag), props);
    for (const [k, v] of Object.entries(attrs)) el.setAttribute(k, v);
    el.dataset.mirror = "";
    return el;
  };
  let nextId = 0;
  const idOf = (el) => el.id || (el.id = "screen-" + ++nextId);

  function build() {
    const groups = new Map();  // a list's or radio group's element, by node index
    elements = nodes.map((n, i) => {
      let el, box = null;
      switch (n.role) {
        case "heading":
          el = make("h" + n.level, { className: "text", textContent: n.name });
          break;
        case "list": {
          // Its caption is read first, as drawn, over its place above the first line; the list
          // holds the lines, each over its own place.
          if (n.name) {
            const caption = make("p", { className: "text", textContent: n.name });
            const first = nodes[i + 1];
            const below = first && first.parent === i ? first.rect[1] : n.rect[1] + n.rect[3];
            place(caption, [n.rect[0], n.rect[1], n.rect[2], below - n.rect[1]]);
            layer.append(caption);
          }
          el = make("ul");
          groups.set(i, el);
          break;
        }
        case "list_item":
          el = make("li", { className: "text", textContent: n.name });
          break;
        case "image":
          // The animation strip: a stop, which Space and Enter play and pause.
          el = make("div", { className: "shape", tabIndex: 0 }, { role: "img", "aria-label": n.name });
          break;
        case "button":
        case "drag_box":
          // Its words (the click count, where the box is) are its description.
          el = make("button", { type: "button", className: "shape", textContent: n.name });
          box = make("span", { hidden: true });
          el.setAttribute("aria-describedby", idOf(box));
          break;
        case "check_box":
          el = make("input", { type: "checkbox", className: "shape" }, { "aria-label": n.name });
          break;
        case "radio_group":
          el = make("div", {}, { role: "radiogroup", "aria-label": n.name });
          groups.set(i, el);
          break;
        case "radio_button":
          el = make("input", { type: "radio", name: "group-" + n.parent, className: "shape" },
            { "aria-label": n.name });
          break;
        case "slider":
          el = make("input", { type: "range", min: "0", max: "1", step: "any", className: "shape" },
            { "aria-label": n.name });
          break;
        case "scroll_bar":
          el = make("div", { className: "shape", tabIndex: 0 }, { role: "scrollbar",
            "aria-label": n.name, "aria-orientation": n.vertical ? "vertical" : "horizontal",
            "aria-valuemin": "0", "aria-valuemax": "1" });
          break;
        case "text_field":
          el = typing;
          el.className = "shape";
          el.setAttribute("aria-label", n.name);
          el.maxLength = 63;
          break;
        default:
          el = make("p", { className: "text", textContent: n.name });
      }
      el.dataset.node = i;
      (groups.get(n.parent) ?? layer).append(el);
      if (box) layer.append(box);
      el.mirrorBox = box;
      return el;
    });
    // The scroll bar stands beside the log and says so.
    const bar = elements.find((el) => el.getAttribute("role") === "scrollbar");
    const log = elements.find((el, i) => el.tagName === "UL" && nodes[i].parent < 0);
    if (bar && log) bar.setAttribute("aria-controls", idOf(log));
    // The status line comes last, below the screen, where it breaks no line of the screen's.
    layer.append(status);
    nodes.forEach((n, i) => {
      for (const kind of ["bounds", "checked", "value", "description", "name"]) {
        write(kind, i);
      }
    });
  }

  // The description's length changed: the mirror is made again.
  function rebuild() {
    for (const el of layer.querySelectorAll("[data-mirror]")) el.remove();
    elements = [];
    build();
  }

  // Writes one change of the program's change list (gui_demo_changes) into node i's element. The
  // kinds of change, and which roles have a value, words beside their name or a changing name, are
  // the program's, as every screen reader on every platform is told them.
  function write(kind, i) {
    const el = elements[i];
    const n = nodes[i];
    switch (kind) {
      case "bounds":
        if (el.classList.contains("shape") || el.classList.contains("text")) place(el, n.rect);
        break;
      case "checked":
        if (n.role === "check_box" || n.role === "radio_button") el.checked = n.checked;
        break;
      case "value":
        if (n.role !== "slider" && n.role !== "scroll_bar") break;
        if (el.tagName === "INPUT") el.value = String(n.value);
        else el.setAttribute("aria-valuenow", String(n.value));
        el.setAttribute("aria-valuetext", n.text);
        break;
      case "description":
        if (n.role === "button") el.mirrorBox.textContent = n.text;
        if (n.role === "drag_box") {
          el.mirrorBox.textContent = n.text + ". Space carries it " +
            (n.over ? "out of the drop zone." : "over the drop zone.");
        }
        break;
      case "pressed":
        if (n.role === "drag_box" && !n.carried) status.textContent = n.name + " dropped " + n.text + ".";
        break;
      case "name":
        // The same text node, rewritten: a new one would drop a screen reader's place in the line.
        if (n.role !== "text" || !n.text) break;
        if (el.firstChild) el.firstChild.data = n.text;
        else el.textContent = n.text;
        break;

    }
    if (document.activeElement === el) markFocus();
  }

  // ---- The focus mark -----------------------------------------------------------------------------

  // Keys in use: the mark shows. A mouse or a finger on the page: it hides, as focus rings do.
  let keys = false;
  const markFocus = () => {
    const el = document.activeElement;
    const shown = keys && el && el.classList.contains("shape") && layer.contains(el);
    mark.hidden = !shown;
    if (shown) for (const k of ["left", "top", "width", "height"]) mark.style[k] = el.style[k];
  };
  layer.addEventListener("focusin", markFocus);
  layer.addEventListener("focusout", () => setTimeout(markFocus));
  for (const type of ["mousedown", "touchstart"]) {
    window.addEventListener(type, (e) => { if (e.isTrusted) { keys = false; markFocus(); } },
      { capture: true, passive: true });
  }

  // ---- Operating the widgets ----------------------------------------------------------------------

  const nodeOf = (el) => (el && el.dataset && el.dataset.node !== undefined ?
    Number(el.dataset.node) : -1);
  const field = () => nodes.findIndex((n) => n.role === "text_field");

  // Whatever activates a button, a check box or a radio button (Space, Enter, a screen reader's
  // own action) arrives as a click on its element: the element keeps its state until the program
  // has taken the hand's click and says so.
  layer.addEventListener("click", (e) => {
    const i = nodeOf(e.target);
    if (i < 0 || e.target === typing) return;
    e.preventDefault();
    if (nodes[i].role !== "slider" && nodes[i].role !== "scroll_bar") act(i);
  });

  // A value set by a screen reader on a slider: a press where that value lies.
  layer.addEventListener("input", (e) => {
    const i = nodeOf(e.target);
    if (i < 0 || nodes[i].role !== "slider") return;
    setValue(i, Number(e.target.value));
    e.target.value = String(nodes[i].value);
  });

  // The keyboard's model is the window's (navigation.h): the program's stops, its fixed table of
  // neighbours, its commands (NavCommand's numbers).
  const command = { next: 1, previous: 2, left: 3, right: 4, up: 5, down: 6, pageUp: 7,
                    pageDown: 8, home: 9, end: 10, activate: 11, endEditing: 12 };
  const keyCommands = { ArrowLeft: command.left, ArrowRight: command.right, ArrowUp: command.up,
                        ArrowDown: command.down, PageUp: command.pageUp, PageDown: command.pageDown,
                        Home: command.home, End: command.end, " ": command.activate,
                        Enter: command.activate };
  const stopOf = (i) => (i < 0 ? -1 : program()._gui_demo_stop_of_node(i));
  const elementOfStop = (stop) => elements[program()._gui_demo_node_of_stop(stop)];
  // One command on the widget of node i (-1: nothing has the focus yet), where the program's
  // model says it leads. Returns whether it was the keyboard model's.
  function navigate(c, i, fromPad) {
    const n = nodes[i];
    if (c === command.endEditing) {
      if (n && n.role === "text_field" && n.focused) clickNowhere();
      return true;
    }
    if (c === command.activate) {
      if (!n) return false;
      if (n.role === "image") act(i);
      else if (n.role === "text_field") { if (!n.focused) act(i); } else elements[i].click();
      return true;
    }
    const [kind, number] = program().ccall("gui_demo_nav_target", "string",
      ["number", "number", "number"], [stopOf(i), c, fromPad ? 1 : 0]).split(" ");
    if (kind === "stop") elementOfStop(Number(number)).focus();
    if (kind === "item") { elements[Number(number)].focus(); act(Number(number)); }
    if (kind === "value") setValue(i, Number(number));
    return kind !== "none";
  }

  // Keys aimed at the mirror's widgets are the page's own: raylib never hears them, so nothing
  // is typed into the field meanwhile. Tab is never raylib's: it moves the focus.
  function onKey(e) {
    if (!e.isTrusted) return;
    if (e.type === "keydown") { keys = true; markFocus(); }
    if (e.key === "Tab") { e.stopImmediatePropagation(); return; }
    const i = nodeOf(e.target);
    if (i < 0) return;
    const n = nodes[i];
    if (e.target === typing) {
      // Typing into the field while the program's field has no focus (after Enter, say): a
      // click on it first, as a hand would, and the key after it.
      const typed = e.key.length === 1 || e.key === "Backspace";
      if (e.type === "keydown" && typed && !n.focused) act(i);
      return;
    }
    e.stopImmediatePropagation();
    if (e.type !== "keydown" || !(e.key in keyCommands)) return;
    // A button, a check box and a radio button take Space and Enter as a click of their own.
    const native = ["button", "drag_box", "check_box", "radio_button"].includes(n.role);
    if (native && e.key === " ") return;
    if (n.role === "button" || n.role === "drag_box") { if (e.key === "Enter") return; }
    if (navigate(keyCommands[e.key], i, false)) e.preventDefault();
  }

  // A game controller, read after each frame: its D-pad or left stick, A, B and the shoulder
  // buttons (the standard mapping) go to the program, which says what they do this frame.
  function readController() {
    const pad = [...(navigator.getGamepads ? navigator.getGamepads() : [])].find((p) => p);
    if (!pad) return;
    const held = (k) => Boolean(pad.buttons[k] && pad.buttons[k].pressed);
    const [x = 0, y = 0] = pad.axes;
    const bits = [held(12) || y < -0.5, held(13) || y > 0.5, held(14) || x < -0.5,
                  held(15) || x > 0.5, held(0), held(1), held(4), held(5)]
      .reduce((sum, on, k) => sum | (on ? 1 << k : 0), 0);
    for (const c of program().ccall("gui_demo_pad", "string", ["number"], [bits]).split(" ")) {
      if (!c) continue;
      keys = true;
      navigate(Number(c), nodeOf(document.activeElement), true);
      markFocus();
    }
  }

  for (const type of ["keydown", "keyup", "keypress"]) window.addEventListener(type, onKey, true);

  // The field's own focus: reached by Tab or a screen reader, it is clicked, as a hand would to
  // type there; left for another widget, the editing ends with a press where nothing is (the
  // window's top-left corner, left of the title).
  let composing = false;
  typing.addEventListener("compositionstart", () => { composing = true; });
  typing.addEventListener("compositionend", () => { composing = false; });
  typing.addEventListener("focus", () => {
    const i = field();
    if (i >= 0 && !nodes[i].focused && !page.focusedByTouch()) act(i);
  });
  typing.addEventListener("focusout", (e) => {
    const i = field();
    if (i >= 0 && nodes[i].focused && layer.contains(e.relatedTarget)) clickNowhere();
  });

  // The element holds what the program's field holds, once the keys for it have gone through:
  // what the program dropped (an emoji, text past 63 characters, a paste it was not given) is
  // taken out, and a half-typed text is never written back while keys are still held.
  function keepField() {
    const i = field();
    if (i < 0 || composing || page.typingHeld() || typing.value === nodes[i].text) return;
    typing.value = nodes[i].text;
    page.fieldWritten(nodes[i].text);
  }

  // ---- Every frame --------------------------------------------------------------------------------

  return {
    afterFrame() {
      const text = program().ccall("gui_demo_description", "string");
      // Most frames change nothing a reader is told but the readout's tenths of a second.
      if (text !== lastText) {
        const next = text.split("\n").slice(0, -1);
        next.forEach((line, i) => { if (line !== lines[i]) nodes[i] = parse(line); });
        nodes.length = next.length;
        lines = next;
        lastText = text;
      }
      if (elements.length === 0) {
        build();
        return;
      }
      keepField();
      readController();
      for (const line of program().ccall("gui_demo_changes", "string").split("\n").slice(0, -1)) {
        const [kind, node] = line.split("\t");
        if (kind === "node_added" || kind === "node_removed") {
          rebuild();
          return;
        }
        write(kind, Number(node));
      }
    },
  };
}
