// The page build in Debian's headless Chromium: it loads cleanly, shows the desktop program's
// screen, and its widgets answer the pointer and keyboard where they are seen, at full size and
// scaled down. The browser's clock is the test's: a frame runs only when a test advances it, so
// every press lasts whole frames and every check sees a known frame.
//
//   GUI_DEMO_PAGE=build-web/page [GUI_DEMO_DESKTOP_SHOT=first-frame.png] node --test
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { decodePng } from './png.mjs';

const pageDir = process.env.GUI_DEMO_PAGE;
const desktopShot = process.env.GUI_DEMO_DESKTOP_SHOT;
const frameMs = 1000 / 60;

const bg = [12, 12, 18];
const accent = [80, 180, 255];
const checkboxEmpty = [50, 55, 70];
const inputBorder = [50, 55, 70];

let server, browser, base;

before(async () => {
  assert.ok(pageDir && fs.existsSync(path.join(pageDir, 'index.html')), 'GUI_DEMO_PAGE names the built page');
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm' };
  server = http.createServer((req, res) => {
    const name = new URL(req.url, 'http://page').pathname;
    const file = path.join(pageDir, name === '/' ? 'index.html' : path.basename(name));
    fs.readFile(file, (err, body) => {
      res.writeHead(err ? 404 : 200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
      res.end(err ? undefined : body);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    // WebGL through SwiftShader; and nothing that reaches for the network.
    args: ['--enable-unsafe-swiftshader', '--no-sandbox', '--no-first-run', '--disable-sync',
      '--disable-background-networking', '--disable-component-update'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
});

// Opens the page in a fresh tab and runs it to its first frames.
async function open(width = 1280, height = 720) {
  const context = await browser.newContext({ viewport: { width, height } });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(e.message));
  await page.clock.install({ time: 0 });
  await page.clock.pauseAt(1000);
  await page.goto(base);
  await page.waitForFunction(() => window.Module?.calledRun === true, null, { polling: 50 });
  const rect = await page.evaluate(() => {
    const r = document.getElementById('canvas').getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
  const scale = rect.width / 1280;
  const tab = {
    page, errors, rect, scale,
    frames: (n) => page.clock.runFor(Math.ceil(n * frameMs)),
    // Where the canvas's pixel (x, y) is seen in the page.
    seen: (x, y) => [rect.left + (x + 0.5) * scale, rect.top + (y + 0.5) * scale],
    async shot() {
      const png = decodePng(await page.screenshot());
      return { at: (x, y) => png.at(...tab.seen(x, y)) };
    },
    async pixel(x, y) { return (await tab.shot()).at(x, y); },
    async moveTo(x, y) { await page.mouse.move(...tab.seen(x, y)); await tab.frames(2); },
    async press() { await page.mouse.down(); await tab.frames(2); },
    async release() { await page.mouse.up(); await tab.frames(2); },
    async click(x, y) { await tab.moveTo(x, y); await tab.press(); await tab.release(); },
    async key(name) { await page.keyboard.down(name); await tab.frames(2); await page.keyboard.up(name); await tab.frames(2); },
    close: () => context.close(),
  };
  await tab.frames(3);
  return tab;
}

function near(a, b, tolerance = 2) {
  return a.every((v, i) => Math.abs(v - b[i]) <= tolerance);
}

function assertNear(actual, expected, what, tolerance = 2) {
  assert.ok(near(actual, expected, tolerance), `${what}: got (${actual}), expected (${expected})`);
}

// The rightmost column holding a light text pixel in the input field's text rows.
async function textEnd(tab) {
  const shot = await tab.shot();
  let end = -1;
  for (let y = 76; y < 100; ++y) {
    for (let x = 762; x < 998; ++x) if (shot.at(x, y)[0] > 150) end = Math.max(end, x);
  }
  return end;
}

// Static points of the first screen, shared with the Windows test: one "x y" a line.
const staticPoints = fs.readFileSync(new URL('../window/first_screen_points.txt', import.meta.url), 'utf8')
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
    const tab = await open(width, height);
    assert.equal(tab.rect.width, Math.min(width, 1280), 'the canvas is as wide as the window allows, never wider');
    assert.equal(Math.round(tab.rect.height * 1280 / tab.rect.width), 720, 'and keeps its shape');
    await tab.click(40, 140);
    await tab.moveTo(600, 600);
    assertNear(await tab.pixel(45, 146), accent, 'checkbox_checked');
    await tab.close();
  });

  test(`${where}: a press on the second radio square's corner moves the dot`, async () => {
    const tab = await open(width, height);
    assertNear(await tab.pixel(41, 281), accent, 'the dot starts on "Wireframe"');
    await tab.click(...radioPress);
    assertNear(await tab.pixel(41, 316), accent, 'the dot on "Solid"');
    assert.ok(!near(await tab.pixel(41, 281), accent), 'and no longer on "Wireframe"');
    await tab.close();
  });

  test(`${where}: a slider dragged to its left end moves its handle there`, async () => {
    const tab = await open(width, height);
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
    const tab = await open(width, height);
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
