// Quick and hostile input on the page: keys of one frame in the order typed, taps and clicks one
// frame apart, a drag let go outside the canvas, a long input at once, and the on-screen
// keyboard agreeing with the text field's focus wherever a tap lands.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { accent, assertNear, clickCount, inputBorder, near, open, sideways, textEnd, upright } from './harness.mjs';
import { decodePng } from './png.mjs';

const btnNormal = [40, 44, 55];

test('keys typed within one frame act in the order typed', async () => {
  const tab = await open();
  await tab.click(780, 85);
  const start = await textEnd(tab);
  // "ab", Backspace, "i" in one frame leave "ai": a (10 px on) and i, not a and b (20 px on).
  await tab.page.keyboard.type('ab');
  await tab.page.keyboard.press('Backspace');
  await tab.page.keyboard.type('i');
  await tab.frames(6);
  const ai = await textEnd(tab);
  assert.ok(Math.abs(ai - start - 13) <= 1, `"ai" ends 13 px on, not ${ai - start}`);
  // Return then "x" in one frame: the focus ends first, so the x is not taken.
  await tab.page.keyboard.press('Enter');
  await tab.page.keyboard.type('x');
  await tab.frames(6);
  assertNear(await tab.pixel(760, 88), inputBorder, 'Enter ended the focus');
  // The cursor, gone now, may have covered the text's last column.
  assert.ok(Math.abs((await textEnd(tab)) - ai) <= 1, 'and the x came after it');
  assert.deepEqual(tab.errors, []);
  await tab.close();
});

test('clicks, taps and Backspaces one frame apart all count', async () => {
  const slow = await open({ hasTouch: true });
  const quick = await open({ hasTouch: true });
  for (let i = 0; i < 3; ++i) {
    await slow.click(120, 90);
    await slow.tap(120, 90);
  }
  await slow.click(780, 85);
  for (let i = 0; i < 6; ++i) await slow.key('Backspace');

  for (let i = 0; i < 3; ++i) {
    await quick.page.mouse.click(...quick.seen(120, 90));
    await quick.frames(1);
    await quick.page.touchscreen.tap(...quick.seen(120, 90));
    await quick.frames(1);
  }
  await quick.click(780, 85);
  for (let i = 0; i < 6; ++i) {
    await quick.page.keyboard.press('Backspace');
    await quick.frames(1);
  }
  await quick.frames(12);
  assert.ok(await clickCount(quick) === await clickCount(slow), 'six presses counted, as when slow');
  assert.equal(await textEnd(quick), await textEnd(slow), 'six characters gone, as when slow');
  await slow.close();
  await quick.close();
});

test('a drag let go outside the canvas, or in another tab, ends there', async () => {
  const tab = await open({ viewport: { width: 1400, height: 900 } });
  for (const letGo of ['below the canvas', 'in another tab']) {
    await tab.moveTo(625, 325);
    await tab.press();
    await tab.moveTo(580, 200);
    assertNear(await tab.pixel(560, 180), accent, `carried, before letting go ${letGo}`);
    if (letGo === 'below the canvas') {
      await tab.page.mouse.move(700, 850);
      await tab.page.mouse.up();
    } else {
      await tab.page.evaluate(() => window.dispatchEvent(new Event('blur')));
    }
    await tab.frames(3);
    await tab.moveTo(650, 250);
    assertNear(await tab.pixel(560, 180), btnNormal, `let go ${letGo}: the box stays`);
    await tab.page.mouse.up();
    await tab.frames(2);
    // Carry it back for the next round.
    await tab.moveTo(580, 200);
    await tab.press();
    await tab.moveTo(625, 325);
    await tab.release();
  }
  await tab.click(40, 140);
  await tab.moveTo(600, 600);
  assertNear(await tab.pixel(45, 146), accent, 'the next click ticks the checkbox it lands on');
  assert.deepEqual(tab.errors, []);
  await tab.close();
});

test('a long input at once keeps every character', async () => {
  const tab = await open({ hasTouch: true });
  await tab.tap(780, 85);
  const start = await textEnd(tab);
  // 22 l's, as a committed suggestion or a paste arrives: each 4.6 px on.
  await tab.page.keyboard.insertText('l'.repeat(22));
  await tab.frames(6);
  const end = await textEnd(tab);
  assert.ok(Math.abs(end - start - 101) <= 2, `22 characters end 101 px on, not ${end - start}`);
  await tab.close();
});

// Whether the text field has the focus: its outline in the accent colour. Taken at the device's
// pixel density, where a phone's canvas is drawn nearly full size and the 1-pixel outline shows.
async function fieldActive(tab) {
  const clip = { x: tab.rect.left + 755 * tab.scale, y: tab.rect.top + 74 * tab.scale,
    width: 250 * tab.scale, height: 34 * tab.scale };
  const png = decodePng(await tab.page.screenshot({ scale: 'device', clip }));
  let outline = 0;
  for (let y = 0; y < png.height; ++y) {
    for (let x = 0; x < png.width; ++x) {
      const [r, g, b] = png.at(x, y);
      outline += b > 180 && g > 110 && r < 140;
    }
  }
  return outline > 100;
}

test('the on-screen keyboard and the field agree wherever a tap lands', async () => {
  for (const [where, options] of [['sideways', sideways], ['upright', upright]]) {
    const tab = await open(options);
    const typing = () => tab.page.evaluate(() => document.activeElement?.id === 'typing');
    const disagree = [];
    // Taps across each edge of the field (x 760 to 999, y 70 to 105), a quarter pixel apart.
    for (let d = -1.5; d <= 1.5; d += 0.25) {
      for (const [x, y] of [[760 + d, 88], [1000 + d, 88], [880, 70 + d], [880, 106 + d]]) {
        const [sx, sy] = [tab.rect.left + x * tab.scale, tab.rect.top + y * tab.scale];
        await tab.page.touchscreen.tap(sx, sy);
        await tab.frames(3);
        if ((await typing()) !== (await fieldActive(tab))) disagree.push(`(${x}, ${y})`);
      }
    }
    assert.deepEqual(disagree, [], `${where}: taps where keyboard and field disagree`);

    // A touch cancelled outside the field ends its focus, and lowers the keyboard.
    await tab.tap(780, 85);
    assert.ok(await typing(), `${where}: the keyboard is up`);
    const cdp = await tab.page.context().newCDPSession(tab.page);
    const [sx, sy] = tab.seen(600, 600);
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: sx, y: sy }] });
    await tab.frames(2);
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchCancel', touchPoints: [] });
    await tab.frames(3);
    assert.equal(await typing(), await fieldActive(tab), `${where}: after a cancelled touch`);
    assert.ok(!(await typing()), `${where}: the keyboard is down`);
    assert.deepEqual(tab.errors, [], `${where}: no console error`);

    if (where === 'upright') {
      // Below the canvas nothing reaches the program, so the keyboard stays with the field.
      await tab.tap(780, 85);
      await tab.page.touchscreen.tap(195, 600);
      await tab.frames(3);
      assert.ok(await typing(), 'a tap below the canvas leaves the keyboard up');
      assert.ok(await fieldActive(tab), 'and the field focused');
    }
    await tab.close();
  }
});

// The value "Rotation Speed" shows, and the field's text, as the page tells a screen reader.
const speed = (tab) => tab.page.evaluate(() =>
  document.querySelector('input[type=range]').getAttribute('aria-valuetext'));
const fieldText = (tab) => tab.page.evaluate(() => document.getElementById('typing').value);

test('a flick ends where it was let go, with the mouse and with a finger', async () => {
  const letGo = [];
  for (const hand of ['mouse', 'finger']) {
    const tab = await open({ hasTouch: true });
    const cdp = await tab.page.context().newCDPSession(tab.page);
    const at = (x) => { const [sx, sy] = tab.seen(x, 82); return { x: sx, y: sy }; };
    // Pressed at 0.10 and moved on; the last move and the lift come in one frame.
    if (hand === 'mouse') {
      await tab.moveTo(280, 82);
      await tab.press();
      await tab.page.mouse.move(at(360).x, at(360).y);
      await tab.frames(1);
      await tab.page.mouse.move(at(440).x, at(440).y);
      await tab.page.mouse.up();
    } else {
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [at(280)] });
      await tab.frames(2);
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [at(360)] });
      await tab.frames(1);
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [at(440)] });
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    }
    await tab.frames(6);
    letGo.push(`${hand} ${await speed(tab)}`);
    await tab.close();
  }
  assert.deepEqual(letGo, ['mouse 0.90', 'finger 0.90']);
});

test('the box pressed, carried and let go between two frames ends where it was let go', async () => {
  const boxAt = (tab) => tab.page.evaluate(() => window.Module.ccall('gui_demo_description', 'string')
    .split('\n').find((line) => line.startsWith('drag_box')).split('\t').slice(5, 7).join(','));
  const letGo = [];
  for (const hand of ['mouse', 'finger']) {
    const tab = await open({ hasTouch: true });
    const cdp = await tab.page.context().newCDPSession(tab.page);
    const at = (x, y) => { const [sx, sy] = tab.seen(x, y); return { x: sx, y: sy }; };
    // On the box's centre, then to (560, 120) in its area, with no frame between the steps.
    if (hand === 'mouse') {
      await tab.page.mouse.move(at(625, 325).x, at(625, 325).y);
      await tab.page.mouse.down();
      await tab.page.mouse.move(at(560, 120).x, at(560, 120).y);
      await tab.page.mouse.up();
    } else {
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [at(625, 325)] });
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [at(560, 120)] });
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    }
    await tab.frames(8);
    letGo.push(`${hand} ${await boxAt(tab)}`);
    await tab.close();
  }
  assert.deepEqual(letGo, ['mouse 535,95', 'finger 535,95']);
});

test('a Backspace counts when a tap, a blur or its own repeats come in the same frame', async () => {
  const cases = [
    // A tap elsewhere lowers the keyboard at once, which blurs the field.
    ['a tap elsewhere', async (tab, cdp) => {
      const [x, y] = tab.seen(300, 650);
      await tab.page.keyboard.down('Backspace');
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
      await tab.frames(6);
      await tab.page.keyboard.up('Backspace');
    }, 'Zelkor Engin', false],
    ['the window losing focus', async (tab) => {
      await tab.page.keyboard.down('Backspace');
      await tab.page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
      await tab.frames(6);
      await tab.page.keyboard.up('Backspace');
    }, 'Zelkor Engin', true],
    // Three quick taps and one held, then the held key's repeats one a frame: four deletions.
    ['its own repeats', async (tab) => {
      for (let i = 0; i < 3; ++i) {
        await tab.page.keyboard.down('Backspace');
        await tab.page.keyboard.up('Backspace');
      }
      await tab.page.keyboard.down('Backspace');
      for (let i = 0; i < 7; ++i) {
        await tab.frames(1);
        await tab.page.keyboard.down('Backspace');
      }
      await tab.frames(12);
      await tab.page.keyboard.up('Backspace');
    }, 'Zelkor En', true],
  ];
  const wrong = [];
  for (const [what, act, text, focused] of cases) {
    const tab = await open({ hasTouch: true });
    const cdp = await tab.page.context().newCDPSession(tab.page);
    await tab.tap(780, 85);
    await act(tab, cdp);
    await tab.frames(4);
    const seen = [await fieldText(tab), near(await tab.pixel(760, 88), accent), tab.errors];
    if (JSON.stringify(seen) !== JSON.stringify([text, focused, []])) {
      wrong.push(`with ${what}: text, focused, errors ${JSON.stringify(seen)}`);
    }
    await tab.close();
  }
  assert.deepEqual(wrong, []);
});
