// What the browser tests share: a static server for the built page, Debian's headless Chromium,
// and a tab whose clock is the test's, so a frame runs only when a test advances it, every press
// lasts whole frames and every check sees a known frame.
//
//   GUI_DEMO_PAGE=build-web/page node --test
import { before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { decodePng } from './png.mjs';

const pageDir = process.env.GUI_DEMO_PAGE;
const frameMs = 1000 / 60;

export const bg = [12, 12, 18];
export const accent = [80, 180, 255];
export const checkboxEmpty = [50, 55, 70];
export const inputBorder = [50, 55, 70];

// Chromium's flags: WebGL through SwiftShader, and nothing that reaches for the network.
const flags = ['--enable-unsafe-swiftshader', '--no-sandbox', '--no-first-run', '--disable-sync',
  '--disable-background-networking', '--disable-component-update'];

export const launch = (extraFlags = []) => chromium.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args: [...flags, ...extraFlags],
});

let server, browser;
export let base;

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
  browser = await launch();
});

after(async () => {
  await browser?.close();
  server?.close();
});

// Opens the page in a fresh tab (1280 x 720, or the given browser context options: a viewport,
// a phone's isMobile and hasTouch) and runs it to its first frames.
export async function open(options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 }, ...options });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(e.message));
  await page.clock.install({ time: 0 });
  await page.clock.pauseAt(1000);
  await page.goto(base);
  // The page counts the frames it has drawn; the tab's clock is the test's, so it is moved on a
  // frame at a time until the first one is drawn.
  for (const start = Date.now(); !(await page.evaluate(() => window.guiDemoFrames > 0));) {
    assert.ok(Date.now() - start < 60000, 'the page drew its first frame within a minute');
    await page.clock.runFor(Math.ceil(frameMs));
  }
  const rect = await page.evaluate(() => {
    const r = document.getElementById('canvas').getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
  const scale = rect.width / 1280;
  const touch = options.hasTouch ? await context.newCDPSession(page) : null;
  const finger = (type, points) => touch.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  const tab = {
    page, errors, rect, scale,
    frames: (n) => page.clock.runFor(Math.ceil(n * frameMs)),
    // Where the canvas's pixel (x, y) is seen in the page.
    seen: (x, y) => [rect.left + (x + 0.5) * scale, rect.top + (y + 0.5) * scale],
    async shot() {
      const png = decodePng(await page.screenshot({ scale: 'css' }));
      return { at: (x, y) => png.at(...tab.seen(x, y)) };
    },
    async pixel(x, y) { return (await tab.shot()).at(x, y); },
    async moveTo(x, y) { await page.mouse.move(...tab.seen(x, y)); await tab.frames(2); },
    async press() { await page.mouse.down(); await tab.frames(2); },
    async release() { await page.mouse.up(); await tab.frames(2); },
    async click(x, y) { await tab.moveTo(x, y); await tab.press(); await tab.release(); },
    async key(name) { await page.keyboard.down(name); await tab.frames(2); await page.keyboard.up(name); await tab.frames(2); },
    // A quick tap: the finger goes down and up between two frames.
    async tap(x, y) { await page.touchscreen.tap(...tab.seen(x, y)); await tab.frames(3); },
    // A finger pressed at the first point, moved through the others, lifted at the last.
    async swipe(...points) {
      const at = ([x, y]) => { const [sx, sy] = tab.seen(x, y); return [{ x: sx, y: sy }]; };
      await finger('touchStart', at(points[0]));
      await tab.frames(2);
      for (const p of points.slice(1)) { await finger('touchMove', at(p)); await tab.frames(2); }
      await finger('touchEnd', []);
      await tab.frames(2);
    },
    close: () => context.close(),
  };
  await tab.frames(3);
  return tab;
}

// Emulated phones at 3x pixel density, held sideways and upright.
const phone = { isMobile: true, hasTouch: true, deviceScaleFactor: 3 };
export const sideways = { ...phone, viewport: { width: 844, height: 390 } };
export const upright = { ...phone, viewport: { width: 390, height: 844 } };

// The pixels of "Clicks: N" under the button, to compare counts by.
export async function clickCount(tab) {
  const shot = await tab.shot();
  const pixels = [];
  for (let y = 114; y < 129; ++y) for (let x = 30; x < 110; ++x) pixels.push(shot.at(x, y).join());
  return pixels.join(' ');
}

export function near(a, b, tolerance = 2) {
  return a.every((v, i) => Math.abs(v - b[i]) <= tolerance);
}

export function assertNear(actual, expected, what, tolerance = 2) {
  assert.ok(near(actual, expected, tolerance), `${what}: got (${actual}), expected (${expected})`);
}

// The rightmost column holding a light text pixel in the input field's text rows.
export async function textEnd(tab) {
  const shot = await tab.shot();
  let end = -1;
  for (let y = 76; y < 100; ++y) {
    for (let x = 762; x < 998; ++x) if (shot.at(x, y)[0] > 150) end = Math.max(end, x);
  }
  return end;
}
