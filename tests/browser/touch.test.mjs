// The page on phones and tablets, as a person on a touch screen meets it: emulated phones held
// sideways and upright (3x pixel density), with quick taps, a finger dragged along a slider, the
// text field typed into through the page's text-entry element, and the hints the page shows.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { accent, assertNear, base, checkboxEmpty, clickCount, launch, near, open, sideways, textEnd, upright } from './harness.mjs';

test('a phone held sideways: every quick tap counts', async () => {
  const tab = await open(sideways);
  for (let i = 1; i <= 4; ++i) {
    await tab.tap(40, 140);
    assertNear(await tab.pixel(45, 146), i % 2 ? accent : checkboxEmpty, `the first checkbox after tap ${i}`, 40);
  }
  const counts = [await clickCount(tab)];
  for (let i = 0; i < 2; ++i) {
    await tab.tap(120, 90);
    counts.push(await clickCount(tab));
  }
  assert.equal(new Set(counts).size, 3, 'the count changed with each of two quick taps: 0, 1, 2');
  assert.deepEqual(tab.errors, []);
  await tab.close();
});

test('a desktop browser: a quick mouse click counts', async () => {
  const tab = await open();
  await tab.page.mouse.click(...tab.seen(40, 140));
  await tab.frames(3);
  assertNear(await tab.pixel(45, 146), accent, 'the first checkbox');
  await tab.close();
});

test('a phone held sideways: a finger dragged along a slider moves its handle', async () => {
  const tab = await open(sideways);
  assertNear(await tab.pixel(360, 72), accent, 'the handle starts at 0.5', 40);
  await tab.swipe([400, 82], [330, 82], [262, 82]);
  assertNear(await tab.pixel(266, 72), accent, 'the handle at the left end', 40);
  assert.ok(!near(await tab.pixel(360, 72), accent, 40), 'and gone from the middle');
  await tab.close();
});

test('a phone held sideways: a tap on the field brings a keyboard that types into it', async () => {
  const tab = await open(sideways);
  const focused = () => tab.page.evaluate(() => document.activeElement?.tagName === 'INPUT');
  const start = await textEnd(tab);
  await tab.tap(780, 85);
  assert.ok(await focused(), 'a text-entry element has the focus, so the keyboard rises');
  await tab.page.keyboard.insertText('xyz');
  await tab.frames(2);
  const typed = await textEnd(tab);
  assert.ok(typed > start + 10, `the typed text moved the end from ${start} to ${typed}`);
  // The keyboard's backspace: a deletion in the element, with no key event.
  await tab.page.evaluate(() => document.execCommand('delete'));
  await tab.frames(3);
  const erased = await textEnd(tab);
  assert.ok(erased < typed && erased > start, `the backspace pulled it back to ${erased}`);
  // A word the keyboard composed goes in when committed, and typing goes on after it.
  const ime = await tab.page.context().newCDPSession(tab.page);
  await ime.send('Input.imeSetComposition', { text: 'ab', selectionStart: 2, selectionEnd: 2 });
  await ime.send('Input.insertText', { text: 'ab' });
  await tab.frames(2);
  const composed = await textEnd(tab);
  assert.ok(composed > erased + 10, `the composed word moved the end from ${erased} to ${composed}`);
  await tab.page.keyboard.insertText('w');
  await tab.frames(2);
  const after = await textEnd(tab);
  assert.ok(after > composed + 4, `a letter after it moved the end from ${composed} to ${after}`);
  await tab.page.keyboard.press('Enter');
  await tab.frames(3);
  assert.ok(!(await focused()), 'Enter lowers the keyboard');
  assert.ok(!near(await tab.pixel(760, 88), accent, 60), 'and ends the editing');
  await tab.tap(780, 85);
  assert.ok(await focused(), 'a second tap on the field raises it again');
  await tab.tap(600, 600);
  assert.ok(!(await focused()), 'a tap elsewhere takes the focus away, so the keyboard goes');
  assert.deepEqual(tab.errors, []);
  await tab.close();
});

test('held upright, the page suggests turning the phone; sideways it does not', async () => {
  for (const [options, shown] of [[upright, true], [sideways, false]]) {
    const tab = await open(options);
    assert.equal(await tab.page.locator('#turn').isVisible(), shown, JSON.stringify(options.viewport));
    await tab.close();
  }
});

test('without WebGL the page says what is missing instead of staying blank', async () => {
  const browser = await launch(['--disable-webgl', '--disable-3d-apis']);
  try {
    const page = await browser.newPage();
    await page.goto(base);
    assert.ok(await page.locator('#no-webgl').isVisible(), 'the message is shown');
    assert.match(await page.locator('#no-webgl').innerText(), /WebGL/);
    assert.ok(!(await page.locator('canvas').isVisible()), 'and no empty canvas');
  } finally {
    await browser.close();
  }
});
