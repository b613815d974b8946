// The browser end-to-end test of Quorlith: serves the built page on 127.0.0.1, opens it
// in headless Chromium (software WebGL) and plays it through the keyboard.
//   node web/e2e.mjs <site folder> [--screenshot docs/web.png]
// With QUORLITH_SCREENSHOT_DIR set, the title screen is also saved there as web.png.
// Prints one line per check and "N passed, N failed"; exits non-zero on any failure.
import { chromium } from 'playwright-core';
import { spawn } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { join } from 'node:path';
import net from 'node:net';

const site = process.argv[2];
const shotAt = process.argv.indexOf('--screenshot');
const screenshotPath = shotAt > 0 ? process.argv[shotAt + 1]
  : process.env.QUORLITH_SCREENSHOT_DIR ? join(process.env.QUORLITH_SCREENSHOT_DIR, 'web.png') : null;
const kWidth = 1024;   // SCREEN_WIDTH of data/quorlith.cfg
const kHeight = 768;
const kTimeoutMs = 30000;

let passed = 0;
let failed = 0;
function check(name, ok, detail) {
  if (ok) {
    passed++;
    console.log(`PASS ${name}`);
  } else {
    failed++;
    console.log(`FAIL ${name}${detail ? ': ' + detail : ''}`);
  }
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
    server.on('error', reject);
  });
}

async function serve(folder) {
  const port = await freePort();
  const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1',
                                   '--directory', folder], { stdio: 'ignore' });
  const base = `http://127.0.0.1:${port}/`;
  for (let i = 0; i < 100; i++) {
    try {
      const reply = await fetch(base + 'index.html');
      if (reply.ok) {
        return { server, base };
      }
    } catch (e) {
      // not listening yet
    }
    await new Promise(r => setTimeout(r, 100));
  }
  server.kill();
  throw new Error('the static server did not start');
}

// The canvas as RGBA pixels, read back through a screenshot of the page.
async function canvasPixels(page) {
  const png = await page.locator('#canvas').screenshot();
  return page.evaluate(async (b64) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + b64;
    await image.decode();
    const c = document.createElement('canvas');
    c.width = image.width;
    c.height = image.height;
    const g = c.getContext('2d');
    g.drawImage(image, 0, 0);
    return { width: c.width, height: c.height,
             data: Array.from(g.getImageData(0, 0, c.width, c.height).data) };
  }, png.toString('base64'));
}

// Bright pixels in a band of rows (fractions of the height measured from the top).
function brightInBand(pixels, top, bottom) {
  let count = 0;
  const y0 = Math.floor(pixels.height * top);
  const y1 = Math.floor(pixels.height * bottom);
  for (let y = y0; y < y1; y++) {
    for (let x = 0; x < pixels.width; x++) {
      const i = (y * pixels.width + x) * 4;
      if (pixels.data[i] > 128 && pixels.data[i + 1] > 128 && pixels.data[i + 2] > 128) {
        count++;
      }
    }
  }
  return count;
}

function differingPixels(a, b) {
  let count = 0;
  for (let i = 0; i < a.data.length; i += 4) {
    if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] || a.data[i + 2] !== b.data[i + 2]) {
      count++;
    }
  }
  return count;
}

const sleep = ms => new Promise(r => setTimeout(r, ms));

async function openGame(browser, base, query, consoleErrors) {
  const page = await browser.newPage({ viewport: { width: kWidth + 40, height: kHeight + 80 } });
  page.on('console', message => {
    // Errors, and WebGL's own complaints (which Chromium logs as warnings).
    if (message.type() === 'error' || /GL_INVALID|GL ERROR|WebGL: /.test(message.text())) {
      consoleErrors.push(message.text());
    }
  });
  page.on('pageerror', error => consoleErrors.push(String(error)));
  const started = Date.now();
  await page.goto(base + 'index.html' + query);
  await page.waitForFunction(() => window.quorlith && window.quorlith.started, null,
                             { timeout: kTimeoutMs });
  // The first frame has been drawn once the title's text is on the canvas.
  await page.waitForFunction(() => window.quorlith.frames > 0, null, { timeout: kTimeoutMs });
  return { page, loadMs: Date.now() - started };
}

async function holdKey(page, key, ms) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
}

async function main() {
  const { server, base } = await serve(site);
  // playwright gives the browser a fresh profile folder of its own and removes it after.
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--disable-gpu-sandbox', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  const consoleErrors = [];
  try {
    // The title: time text and info lines in their bands (TIME_POS y 0.64, HELP 0.36, ...).
    const { page, loadMs } = await openGame(browser, base, '?GAME_SEED==42', consoleErrors);
    await sleep(500);
    const title = await canvasPixels(page);
    const size = await page.evaluate(() => [canvas.width, canvas.height]);
    check('canvas takes the configured size', size[0] === kWidth && size[1] === kHeight,
          size.join('x'));
    // y of the text grows upwards: TIME_POS 0.64 is 0.36 from the top.
    check('title shows the time text', brightInBand(title, 0.30, 0.42) > 50);
    check('title shows the info lines', brightInBand(title, 0.12, 0.24) > 50 &&
          brightInBand(title, 0.70, 0.80) > 50);
    if (screenshotPath) {
      await page.locator('#canvas').screenshot({ path: screenshotPath });
    }

    // SPACE starts a run: the field moves between two screenshots (on the title the
    // picture stands still).
    await holdKey(page, 'Space', 200);  // held across frames: the game polls its key table
    await sleep(300);
    const runA = await canvasPixels(page);
    await sleep(300);
    const runB = await canvasPixels(page);
    check('SPACE starts a run that moves the field', differingPixels(runA, runB) > 100,
          `${differingPixels(runA, runB)} pixels changed`);

    // Doing nothing, the rings reach the player: the title returns with a non-zero time.
    await page.waitForFunction(() => window.quorlith.frames > 0, null, { timeout: kTimeoutMs });
    let ended = false;
    for (let i = 0; i < 120 && !ended; i++) {
      await sleep(500);
      const now = await canvasPixels(page);
      ended = brightInBand(now, 0.12, 0.24) > 50 && brightInBand(now, 0.70, 0.80) > 50;
    }
    check('a run ends in a collision and the title returns', ended);
    await page.close();

    // An arrow key moves the player: without rings only the player changes the picture.
    const still = await openGame(browser, base, '?BASE_NUM_POLYGONS==0', consoleErrors);
    await holdKey(still.page, 'Space', 200);
    await sleep(500);
    const still1 = await canvasPixels(still.page);
    await sleep(500);
    const still2 = await canvasPixels(still.page);
    await holdKey(still.page, 'ArrowLeft', 150);
    await sleep(300);
    const turned = await canvasPixels(still.page);
    check('an arrow key moves the player', differingPixels(still1, still2) === 0 &&
          differingPixels(still2, turned) > 0,
          `${differingPixels(still1, still2)} changed without input, ` +
          `${differingPixels(still2, turned)} after LEFT`);
    await still.page.close();

    // An override in the address changes what is drawn: the time text moves to the top.
    const moved = await openGame(browser, base, '?TIME_POS==0.5,0.95,0&TEXT_INFO_KEYS==', consoleErrors);
    await sleep(500);
    const top = await canvasPixels(moved.page);
    check('an override in the address moves the time text',
          brightInBand(top, 0.0, 0.1) > 50 && brightInBand(top, 0.30, 0.42) === 0);
    await moved.page.close();

    // A fatal report is shown in the page, both of its lines (a malformed TIME_POS ends
    // the game on the first title frame). Its console errors are expected.
    const fatalPage = await browser.newPage();
    await fatalPage.goto(base + 'index.html?TIME_POS==0.5');
    let report = '';
    try {
      await fatalPage.waitForFunction(() => /ABORT: Func:[^]*\nABORT: /.test(
        document.getElementById('status').textContent), null, { timeout: kTimeoutMs });
      report = await fatalPage.locator('#status').textContent();
    } catch (e) {
      report = await fatalPage.locator('#status').textContent();
    }
    check('a fatal report is shown in the page', /ABORT: Func:.*\nABORT: \S/.test(report), report);
    await fatalPage.close();

    check('the console has no error', consoleErrors.length === 0, consoleErrors.join(' | '));
    console.log(`load to first frame: ${loadMs} ms`);
    let raw = 0;
    let gz = 0;
    for (const name of ['index.html', 'quorlith.js', 'quorlith.wasm', 'quorlith.data']) {
      const bytes = readFileSync(join(site, name));
      raw += bytes.length;
      gz += gzipSync(bytes, { level: 9 }).length;
      console.log(`size ${name}: ${bytes.length} bytes, ${gzipSync(bytes, { level: 9 }).length} gzip`);
    }
    console.log(`size of the page: ${raw} bytes, ${gz} gzip`);
  } finally {
    await browser.close();
    server.kill();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch(error => {
  console.log(`FAIL ${error.stack || error}`);
  console.log(`${passed} passed, ${failed + 1} failed`);
  process.exit(1);
});
