// The page build in Debian's headless Chromium: it loads cleanly, shows the desktop program's
// screen, and its widgets answer the pointer and keyboard where they are seen, at full size and
// scaled down.
//
//   GUI_DEMO_PAGE=build-web/page [GUI_DEMO_DESKTOP_SHOT=first-frame.png] node --test
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { decodePng } from './png.mjs';
import { accent, assertNear, bg, checkboxEmpty, inputBorder, near, open, textEnd } from './harness.mjs';

const desktopShot = process.env.GUI_DEMO_DESKTOP_SHOT;

// Static points of the first screen, shared with the Windows test: one "x y" a line.
const staticPoints = fs.readFileSync(new URL('../data/first_screen_points.txt', import.meta.url), 'utf8')
  .split('\n').filter((line) => /^\d/.test(line)).map((line) => line.split(' ').map(Number));

test('the first frame loads without a console error and shows the screen', async () => {
  const tab = await open();
  const shot = await tab.shot();
  assert.equal(await tab.page.title(), 'MERIDAX / Zelkor Engine \u2014 GUI Demo (O3DE LyShine Components)');
  assertNear(shot.at(5, 5), bg, 'background', 0);
  assertNear(shot.at(1262, 388), [22, 24, 32], 'the Math panel over the animation strip');
  let accentPixels = 0;
  for (let y = 14; y < 40; ++y) for (let x = 20; x < 700; ++x) accentPixels += near(shot.at(x, y), accent, 0);
  assert.ok(accentPixels > 500, `the title line is drawn in the accent colour (${accentPixels} pixels)`);
  assertNear(shot.at(45, 146), checkboxEmpty, 'the first checkbox, empty');
  assertNear(shot.at(760, 88), inputBorder, 'the input field, unfocused');
  assert.deepEqual(tab.errors, []);

  if (desktopShot) {
    const desktop = decodePng(fs.readFileSync(desktopShot));
    for (const [x, y] of staticPoints) assertNear(shot.at(x, y), desktop.at(x, y), `(${x}, ${y}) against the desktop program`, 3);
    // The title text, glyph for glyph.
    let differ = 0;
    for (let y = 14; y < 40; ++y) for (let x = 20; x < 700; ++x) differ += !near(shot.at(x, y), desktop.at(x, y), 8);
    assert.ok(differ < 100, `${differ} title pixels differ from the desktop program's`);
  }
  await tab.close();
});

test('the readout shows a frame rate after a second', async () => {
  const tab = await open();
  // "FPS: 0 | Time: 0.1s" until 30 frames have run, then "FPS: 63 | Time: 1.2s" (the test's
  // clock runs 16 ms frames): the pixels of "FPS: N |" change once, and then hold while the time
  // goes on, which lies further right.
  const fpsPart = async () => {
    const shot = await tab.shot();
    const pixels = [];
    for (let y = 16; y < 34; ++y) for (let x = 1050; x < 1120; ++x) pixels.push(shot.at(x, y).join());
    return pixels.join(' ');
  };
  const first = await fpsPart();
  await tab.frames(66);
  const afterOneSecond = await fpsPart();
  await tab.frames(30);
  const later = await fpsPart();
  assert.notEqual(afterOneSecond, first, 'the average frame rate replaced the 0');
  assert.equal(later, afterOneSecond, 'and holds at the same steady rate');
  await tab.close();
});

// At full size a press on a square's very corner must land; scaled down, a seen pixel covers
// more than one canvas pixel, so the presses aim inside the widgets, and 1-pixel outlines blend.
const sizes = [
  { width: 1280, height: 720, where: 'at full size', radioPress: [30, 305], fullSize: true },
  { width: 800, height: 600, where: 'scaled to an 800-pixel-wide window', radioPress: [34, 309], fullSize: false },
];

for (const { width, height, where, radioPress, fullSize } of sizes) {
  test(`${where}: the canvas fits and a click on the first checkbox fills its square`, async () => {
    const tab = await open({ viewport: { width, height } });
    assert.equal(tab.rect.width, Math.min(width, 1280), 'the canvas is as wide as the window allows, never wider');
    assert.equal(Math.round(tab.rect.height * 1280 / tab.rect.width), 720, 'and keeps its shape');
    await tab.click(40, 140);
    await tab.moveTo(600, 600);
    assertNear(await tab.pixel(45, 146), accent, 'checkbox_checked');
    await tab.close();
  });

  test(`${where}: a press on the second radio square's corner moves the dot`, async () => {
    const tab = await open({ viewport: { width, height } });
    assertNear(await tab.pixel(41, 281), accent, 'the dot starts on "Wireframe"');
    await tab.click(...radioPress);
    assertNear(await tab.pixel(41, 316), accent, 'the dot on "Solid"');
    assert.ok(!near(await tab.pixel(41, 281), accent), 'and no longer on "Wireframe"');
    await tab.close();
  });

  test(`${where}: a slider dragged to its left end moves its handle there`, async () => {
    const tab = await open({ viewport: { width, height } });
    assertNear(await tab.pixel(360, 72), accent, 'the handle starts at 0.5');
    await tab.moveTo(400, 82);
    await tab.press();
    await tab.moveTo(330, 82);
    await tab.moveTo(262, 82);
    await tab.release();
    await tab.moveTo(600, 600);
    assertNear(await tab.pixel(264, 72), accent, 'the handle at the left end');
    assert.ok(!near(await tab.pixel(360, 72), accent), 'and gone from the middle');
    await tab.close();
  });

  test(`${where}: a click in the field and typed text move the text's right end`, async () => {
    const tab = await open({ viewport: { width, height } });
    const start = await textEnd(tab);
    assert.ok(start > 768, 'the initial text is drawn');
    await tab.click(780, 85);
    if (fullSize) assertNear(await tab.pixel(760, 88), accent, 'the field is focused');
    await tab.page.keyboard.type('xyz');
    await tab.frames(2);
    const typed = await textEnd(tab);
    assert.ok(typed > start + 20 * tab.scale, `typing moved the end from ${start} to ${typed}`);
    await tab.key('Backspace');
    const erased = await textEnd(tab);
    assert.ok(erased < typed && erased > start, `Backspace pulled it back to ${erased}`);
    await tab.key('Enter');
    if (fullSize) assertNear(await tab.pixel(760, 88), inputBorder, 'Enter ends the focus');
    assert.deepEqual(tab.errors, []);
    await tab.close();
  });
}
