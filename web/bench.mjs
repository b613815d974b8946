// The browser benchmark: the mean time of one game frame during scripted play (a run
// started with SPACE, LEFT and UP held in turns) against the mean time of an empty WebGL
// frame (clear and finish) on a canvas of the same size on the same page, in headless
// Chromium with software WebGL. Both are timed to the end of their GL work (finish).
//   node web/bench.mjs <site folder>      (serves it on 127.0.0.1 like the test)
import { chromium } from 'playwright-core';
import { spawn } from 'node:child_process';
import net from 'node:net';

const site = process.argv[2];
const kSeconds = 8;
const sleep = ms => new Promise(r => setTimeout(r, ms));

function freePort() {
  return new Promise(resolve => {
    const server = net.createServer();
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

const mean = values => values.reduce((a, b) => a + b, 0) / Math.max(values.length, 1);

async function main() {
  const port = await freePort();
  const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1',
                                   '--directory', site], { stdio: 'ignore' });
  await sleep(1000);
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--disable-gpu-sandbox', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  try {
    const page = await browser.newPage({ viewport: { width: 1100, height: 900 } });
    await page.addInitScript(() => { window.quorlithBench = []; });
    await page.goto(`http://127.0.0.1:${port}/index.html?BASE_NUM_POLYGONS==6&SHRINK_SPEED==0.02`);
    await page.waitForFunction(() => window.quorlith && window.quorlith.frames > 10);

    // Scripted play: a run with the player turning and moving.
    await page.keyboard.down('Space');
    await sleep(200);
    await page.keyboard.up('Space');
    await page.evaluate(() => { window.quorlithBench.length = 0; });
    const until = Date.now() + kSeconds * 1000;
    for (let key = 0; Date.now() < until; key++) {
      const name = key % 2 ? 'ArrowLeft' : 'ArrowUp';
      await page.keyboard.down(name);
      await sleep(250);
      await page.keyboard.up(name);
    }
    const game = await page.evaluate(() => window.quorlithBench.slice());

    // The empty frame: the same page, a WebGL canvas of the game's size, the game stopped.
    const empty = await page.evaluate(async (seconds) => {
      window.quorlithBench = null;
      const c = document.createElement('canvas');
      c.width = 1024;
      c.height = 768;
      document.body.appendChild(c);
      const gl = c.getContext('webgl');
      const times = [];
      const end = performance.now() + seconds * 1000;
      await new Promise(resolve => {
        function frame() {
          const start = performance.now();
          gl.clearColor(0, 0, 0, 1);
          gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
          gl.finish();
          times.push(performance.now() - start);
          if (performance.now() < end) {
            requestAnimationFrame(frame);
          } else {
            resolve();
          }
        }
        requestAnimationFrame(frame);
      });
      return times;
    }, kSeconds);

    const gameMs = mean(game);
    const emptyMs = mean(empty);
    console.log(`game frame:  ${gameMs.toFixed(3)} ms mean over ${game.length} frames`);
    console.log(`empty frame: ${emptyMs.toFixed(3)} ms mean over ${empty.length} frames`);
    console.log(`ratio game / empty: ${(gameMs / emptyMs).toFixed(2)}`);
  } finally {
    await browser.close();
    server.kill();
  }
}

main().catch(error => {
  console.error(error);
  process.exit(1);
});
