// The page as a screen reader and a keyboard meet it: Chromium's own accessibility tree holds the
// 13 widgets with their roles, names, states and values and follows the canvas; Tab alone reaches
// them in screen order and operates each as a click would; each element lies over its widget at
// any size; axe-core finds nothing to report.
//
//   GUI_DEMO_PAGE=build-web/page node --test screen_reader.test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { AxeBuilder } from '@axe-core/playwright';
import { accent, assertNear, checkboxEmpty, clickCount, inputBorder, near, open, sideways, textEnd, upright } from './harness.mjs';

// The widgets as drawn (tests/data/first_screen_widgets.tsv): ARIA role, name and rectangle in
// window pixels.
const ariaRoles = {
  button: 'button', check_box: 'checkbox', radio_button: 'radio', slider: 'slider',
  scroll_bar: 'scrollbar', drag_box: 'button', text_field: 'textbox',
};
const widgets = fs.readFileSync(new URL('../data/first_screen_widgets.tsv', import.meta.url), 'utf8')
  .split('\n').filter((line) => line && !line.startsWith('#')).map((line) => line.split('\t'))
  .map(([kind, name, x, y, w, h]) => [ariaRoles[kind], name, [x, y, w, h].map(Number)]);

// Chromium's accessibility tree, as a screen reader is given it: each widget as
// "role name [state ...]", in the tree's own order. Chromium's inspector reports a range's
// number rather than its aria-valuetext, so that is read from the node's element.
async function tree(tab) {
  const cdp = await tab.page.context().newCDPSession(tab.page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  const roles = new Set(widgets.map(([role]) => role));
  const found = [];
  const visit = async (n) => {
    if (!n.ignored && roles.has(n.role?.value)) {
      const props = Object.fromEntries((n.properties ?? []).map((p) => [p.name, p.value.value]));
      const parts = [n.role.value, n.name?.value];
      if (props.checked !== undefined) parts.push(`checked=${props.checked}`);
      if (n.role.value === 'slider' || n.role.value === 'scrollbar') {
        const { object } = await cdp.send('DOM.resolveNode', { backendNodeId: n.backendDOMNodeId });
        const { result } = await cdp.send('Runtime.callFunctionOn', { objectId: object.objectId,
          functionDeclaration: 'function () { return this.getAttribute("aria-valuetext"); }', returnByValue: true });
        parts.push(`value=${+n.value.value.toFixed(4)} text=${result.value}`);
      }
      if (n.role.value === 'textbox') parts.push(`value=${n.value?.value ?? ''}`);
      if (n.role.value === 'button' && n.description?.value) parts.push(`(${n.description.value})`);
      if (props.focused) parts.push('focused');
      found.push(parts.join(' '));
    }
    for (const id of n.childIds ?? []) await visit(byId.get(id));
  };
  await visit(nodes[0]);
  await cdp.detach();
  return found;
}

const firstTree = [
  'button Click Me (Clicks: 0)',
  'checkbox Projective Geometry checked=false',
  'checkbox Dual Quaternions checked=true',
  'checkbox Archetype Algebra checked=false',
  'radio Wireframe checked=true',
  'radio Solid checked=false',
  'radio Instanced checked=false',
  'slider Rotation Speed value=0.5 text=0.50',
  'slider Field of View value=0.25 text=0.25',
  'slider Exposure value=0.75 text=0.75',
  'scrollbar Scroll value=0 text=0%',
  'button DRAG (over the drop zone. Space carries it out of the drop zone.)',
  'textbox Name: value=Zelkor Engine',
];

test('the accessibility tree holds the 13 widgets as drawn, and follows the mouse within two frames', async () => {
  const tab = await open();
  assert.deepEqual(await tree(tab), firstTree);
  await tab.moveTo(40, 140);
  await tab.page.mouse.down();
  await tab.page.mouse.move(...tab.seen(262, 130));
  await tab.frames(2);
  await tab.page.mouse.up();
  await tab.frames(2);
  const after = await tree(tab);
  assert.equal(after[1], 'checkbox Projective Geometry checked=true');
  assert.equal(after[8], 'slider Field of View value=0.01 text=0.01');
  assert.deepEqual(tab.errors, []);
  await tab.close();
});

// The focused element, as a screen reader names it.
const focused = (tab) => tab.page.evaluate(() => {
  const el = document.activeElement;
  return el.getAttribute('aria-label') ?? el.textContent;
});

test('Tab alone visits the widgets in screen order, and keys operate each as a click would', async () => {
  const tab = await open();
  const order = [];
  for (let i = 0; i < 11; ++i) {
    await tab.page.keyboard.press('Tab');
    order.push(await focused(tab));
  }
  assert.deepEqual(order, ['Click Me', 'Projective Geometry', 'Dual Quaternions', 'Archetype Algebra',
    'Wireframe', 'Rotation Speed', 'Field of View', 'Exposure', 'Scroll', 'DRAG', 'Name:']);

  // Each key, then the frames a hand's press and release take.
  const key = async (name) => { await tab.page.keyboard.press(name); await tab.frames(4); };
  const focus = async (name) => {
    await tab.page.evaluate(() => document.activeElement.blur());
    while (await focused(tab) !== name) await tab.page.keyboard.press('Tab');
  };

  const noClicks = await clickCount(tab);
  await focus('Click Me');
  await key('Space');
  assert.notEqual(await clickCount(tab), noClicks, 'Space pressed the button');
  await key('Enter');

  await focus('Projective Geometry');
  await key('Space');
  assertNear(await tab.pixel(45, 146), accent, 'Space ticked the first box');
  await focus('Dual Quaternions');
  await key('Enter');
  assertNear(await tab.pixel(45, 181), checkboxEmpty, 'Enter cleared the second');

  await focus('Wireframe');
  await key('ArrowDown');
  assertNear(await tab.pixel(41, 316), accent, 'the arrow moved the dot to "Solid"');
  assert.equal(await focused(tab), 'Solid', 'and the focus with it');

  await focus('Rotation Speed');
  await key('Home');
  assertNear(await tab.pixel(264, 72), accent, 'Home took the handle to the left end');
  await key('ArrowRight');
  await key('PageUp');

  await focus('Scroll');
  await key('End');
  assertNear(await tab.pixel(480, 345), [70, 75, 90], 'End took the scroll handle to the bottom');

  await focus('DRAG');
  await key('Space');
  await tab.frames(2);
  assertNear(await tab.pixel(598, 186), [40, 44, 55], 'the box now rests above the drop zone');
  assert.equal(await tab.page.textContent('[role=status]'), 'DRAG dropped outside the drop zone.');

  await focus('Name:');
  await tab.frames(4);
  assertNear(await tab.pixel(760, 88), accent, 'reaching the field gave it the focus');
  const start = await textEnd(tab);
  await tab.page.keyboard.type('xy');
  await tab.frames(4);
  await key('Backspace');
  const typed = await textEnd(tab);
  assert.ok(typed > start + 5, `one character more: from ${start} to ${typed}`);
  await key('Enter');
  assertNear(await tab.pixel(760, 88), inputBorder, 'Enter ended the editing');
  assert.equal(await focused(tab), 'Name:', 'and the field keeps the keyboard');

  assert.deepEqual(await tree(tab), [
    'button Click Me (Clicks: 2)',
    'checkbox Projective Geometry checked=true',
    'checkbox Dual Quaternions checked=false',
    'checkbox Archetype Algebra checked=false',
    'radio Wireframe checked=false',
    'radio Solid checked=true',
    'radio Instanced checked=false',
    'slider Rotation Speed value=0.105 text=0.11',
    'slider Field of View value=0.25 text=0.25',
    'slider Exposure value=0.75 text=0.75',
    'scrollbar Scroll value=0.9964 text=100%',
    'button DRAG (outside the drop zone. Space carries it over the drop zone.)',
    'textbox Name: value=Zelkor Enginex focused',
  ]);
  assert.deepEqual(tab.errors, []);
  await tab.close();
});

test('a value a hand could not give is clamped, cut and dropped as a hand\'s would be, without an error', async () => {
  const tab = await open();
  // A screen reader sets values on the elements themselves.
  await tab.page.locator('input[aria-label="Exposure"]').fill('1');
  await tab.page.locator('#typing').fill(`\u00e9${'a'.repeat(70)}`);
  await tab.frames(60);
  const now = await tree(tab);
  assert.equal(now[9], 'slider Exposure value=0.995 text=1.00', 'the track\'s last pixel, as a hand gets');
  assert.equal(now[12], `textbox Name: value=${'a'.repeat(62)} focused`,
    'the old text deleted, 63 characters kept, the accented one dropped');
  assert.deepEqual(tab.errors, []);
  await tab.close();
});

const viewports = [
  ['at full size', {}],
  ['scaled to an 800-pixel-wide window', { viewport: { width: 800, height: 600 } }],
  ['on a phone held sideways', sideways],
  ['on a phone held upright', upright],
];

for (const [where, options] of viewports) {
  test(`${where}: each widget's element lies over its drawn rectangle within a pixel`, async () => {
    const tab = await open(options);
    const boxes = await tab.page.evaluate(() => [...document.querySelectorAll('#mirror .shape')]
      .map((el) => { const r = el.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; }));
    assert.equal(boxes.length, widgets.length + 1, 'the 13 widgets and the image');
    widgets.forEach(([, name, [x, y, w, h]], i) => {
      const [left, top] = [tab.rect.left + x * tab.scale, tab.rect.top + y * tab.scale];
      const expected = [left, top, left + w * tab.scale, top + h * tab.scale];
      assert.ok(boxes[i].every((v, k) => Math.abs(v - expected[k]) <= 1),
        `${name}: (${boxes[i].map(Math.round)}) against (${expected.map(Math.round)})`);
    });
    await tab.close();
  });
}

test('a reader\'s edits in a row, a long text and a dropped character leave the element as the program holds it', async () => {
  const tab = await open();
  const texts = () => tab.page.evaluate(() => [
    window.Module.ccall('gui_demo_description', 'string').split('\n')
      .find((line) => line.startsWith('text_field')).split('\t')[4],
    document.getElementById('typing').value]);
  // As a screen reader or an input method sets the element's text.
  const set = (text) => tab.page.evaluate((t) => {
    const el = document.getElementById('typing');
    el.value = t;
    el.dispatchEvent(new InputEvent('input', { bubbles: true, inputType: 'insertReplacementText' }));
  }, text);
  await tab.page.focus('#typing');
  await tab.frames(4);
  const seen = [];
  // The second edit 100 ms after the first, before the first is typed.
  await set('Zelkor');
  await tab.frames(6);
  await set('Zelkor!');
  await tab.frames(40);
  seen.push(await texts());
  await set('b'.repeat(300));
  await tab.frames(160);
  seen.push(await texts());
  await set('ab\u{1F600}c');
  await tab.frames(160);
  seen.push(await texts());
  assert.deepEqual(seen, [['Zelkor!', 'Zelkor!'], ['b'.repeat(63), 'b'.repeat(63)], ['abc', 'abc']]);
  await tab.close();
});

test('a reader\'s action while a hand holds the button is refused, and the hand\'s carry ends where it let go', async () => {
  const tab = await open();
  const before = await clickCount(tab);
  await tab.moveTo(625, 325);
  await tab.press();
  await tab.page.mouse.move(...tab.seen(560, 120));
  await tab.frames(2);
  await tab.page.evaluate(() => [...document.querySelectorAll('button')]
    .find((b) => b.textContent === 'Click Me').click());
  await tab.frames(4);
  await tab.release();
  await tab.frames(4);
  const box = await tab.page.evaluate(() => window.Module.ccall('gui_demo_description', 'string')
    .split('\n').find((line) => line.startsWith('drag_box')).split('\t').slice(5, 7).join(','));
  assert.equal(box, '535,95', 'the box where the hand let go');
  assert.equal(await clickCount(tab), before, 'no click counted');
  await tab.close();
});

test('axe-core finds no violation', async () => {
  const tab = await open();
  // axe waits on timers of its own, which the test's paused clock would hold for ever.
  await tab.page.clock.resume();
  const { violations } = await new AxeBuilder({ page: tab.page }).analyze();
  assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`), []);
  await tab.close();
});

test('Arrows follow the window\'s table, Space pauses the strip, and a game controller moves and presses', async () => {
  const tab = await open();
  const key = async (name) => { await tab.page.keyboard.press(name); await tab.frames(4); };
  await key('Tab');
  const moves = [];
  for (const name of ['ArrowRight', 'ArrowDown', 'ArrowDown', 'ArrowRight', 'ArrowRight']) {
    await key(name);
    moves.push(await focused(tab));
  }
  assert.deepEqual(moves, ['Rotation Speed', 'Field of View', 'Exposure', 'Exposure', 'Exposure'],
    'Down leaves a slider for the one below; Right is the slider\'s own');
  assert.equal(await tab.page.evaluate(() => document.activeElement.getAttribute('aria-valuetext')), '0.76',
    'two pixels up');

  const strip = () => tab.shot().then((s) => [...Array(200).keys()].map((k) => s.at(30 + k * 4, 470).join()));
  while (!(await focused(tab)).startsWith('A wave')) await tab.page.keyboard.press('Tab');
  await key('Space');
  const paused = await strip();
  await tab.frames(20);
  assert.deepEqual(await strip(), paused, 'paused, the strip stands still');
  await key('Enter');
  await tab.frames(20);
  assert.notDeepEqual(await strip(), paused, 'and plays again');

  // A standard-mapping pad, as the browser reports one once it is connected.
  await tab.page.evaluate(() => {
    document.activeElement.blur();
    const pad = { id: 'Stand-in controller', index: 0, timestamp: 0, connected: true, mapping: 'standard',
                  axes: [0, 0, 0, 0],
                  buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
    navigator.getGamepads = () => [pad, null, null, null];
    window.guiDemoPad = pad;
    window.dispatchEvent(Object.assign(new Event('gamepadconnected'), { gamepad: pad }));
  });
  const hold = async (button, on) => {
    await tab.page.evaluate(([b, v]) => { window.guiDemoPad.buttons[b].pressed = v; }, [button, on]);
    await tab.frames(3);
  };
  const pressPad = async (button) => { await hold(button, true); await hold(button, false); };
  await pressPad(5);  // the right shoulder: Tab
  assert.equal(await focused(tab), 'Click Me');
  await pressPad(13);  // the D-pad down
  assert.equal(await focused(tab), 'Projective Geometry');
  await pressPad(0);  // A
  await tab.frames(4);
  assertNear(await tab.pixel(45, 146), accent, 'A ticked the box');
  assert.deepEqual(tab.errors, []);
  await tab.close();
});
