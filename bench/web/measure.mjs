// The browser build's speed in headless Chromium: the time from opening the page to its first
// picture on screen against the floor, a page on the same server that only fetches the first
// splash's PNG and draws it on a canvas of the same size (seven fresh visits of each,
// alternating: medians and their ratio), with when each file of the page had arrived and when
// the game began; then the play passes of a minute on the 8x6 board (dwindle_web_passes). Run
// by bench/web/measure.sh.
import fs from 'node:fs';
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const { launch, serve } = await import(path.join(root, 'tests/web/browser.mjs'));
const VISITS = 7;

// For evaluateOnNewDocument: window.firstPicture becomes the time, after the page opened, of
// the first frame shown after the page first drew on its canvas (window.firstDrawn: the
// drawing); window.gameBegan the time the game's program was first called.
function watchFirstPicture() {
  for (const draw of ['drawImage', 'putImageData']) {
    const drawn = CanvasRenderingContext2D.prototype[draw];
    CanvasRenderingContext2D.prototype[draw] = function (...args) {
      if (this.canvas.id === 'canvas' && window.firstPicture === undefined) {
        window.firstPicture = null;
        window.firstDrawn = performance.now();
        requestAnimationFrame(() => { window.firstPicture = performance.now(); });
      }
      return drawn.apply(this, args);
    };
  }
  let module;
  Object.defineProperty(window, 'Module', {
    configurable: true,
    get: () => module,
    set: (m) => {
      module = m;
      m.preRun = [].concat(m.preRun ?? [], () => { window.gameBegan = performance.now(); });
    },
  });
}

// The floor: the splash's PNG fetched and drawn, nothing else; a file served as the game's
// page is.
fs.writeFileSync(path.join(root, 'build-web/floor.html'), `<!doctype html>
  <canvas id="canvas" width="320" height="240"></canvas><script>
  const picture = new Image();
  picture.onload = () => document.getElementById('canvas').getContext('2d').drawImage(picture, 0, 0);
  picture.src = 'site/Images/namescreen.png';</script>`);
// The bench's page, its canvas and its program.
const benchPage = `<!doctype html><canvas id="canvas"></canvas><script>
  var Module = { canvas: document.getElementById('canvas') };</script>
  <script src="dwindle_web_passes.js"></script>`;
const { server, origin } = await serve(path.join(root, 'build-web'), { '/wasm/bench.html': benchPage });
// Timers at full pace in a page that headless Chromium may take for one in the background.
const browser = await launch(['--disable-background-timer-throttling',
                              '--disable-renderer-backgrounding',
                              '--disable-backgrounding-occluded-windows']);
const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
try {
  const times = { game: [], floor: [] };
  const arrivals = {};
  for (let visit = 0; visit < 2 * VISITS; visit++) {
    const which = visit % 2 === 0 ? 'game' : 'floor';
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.evaluateOnNewDocument(watchFirstPicture);
    await page.goto(`${origin}/${which === 'game' ? 'site/' : 'floor.html'}`);
    await page.waitForFunction(() => window.firstPicture, { timeout: 10000 });
    times[which].push(await page.evaluate(() => window.firstPicture));
    if (which === 'game') {
      // Give the game time to begin, then note when each file had arrived.
      await page.waitForFunction(() => window.gameBegan, { timeout: 10000 });
      const seen = await page.evaluate(() => [['the game began', window.gameBegan],
        ['index.html', performance.getEntriesByType('navigation')[0].responseEnd],
        ['the first picture was drawn', window.firstDrawn],
        ['the first picture was on screen', window.firstPicture],
        ...performance.getEntriesByType('resource').map((r) => [r.name.replace(/.*\//, ''), r.responseEnd])]);
      for (const [name, at] of seen) (arrivals[name] ??= []).push(at);
    }
    await context.close();
  }
  const [game, floor] = [median(times.game), median(times.floor)];
  console.log(`first picture on screen, median of ${VISITS} fresh visits: the game ` +
              `${game.toFixed(0)} ms, the floor ${floor.toFixed(0)} ms, ratio ${(game / floor).toFixed(2)}`);
  console.log(`  the game's visits: ${times.game.map((t) => t.toFixed(0)).join(', ')} ms`);
  console.log(`  the floor's visits: ${times.floor.map((t) => t.toFixed(0)).join(', ')} ms`);
  console.log('  in the game\'s visits, the median time after the page opened that:');
  for (const [name, at] of Object.entries(arrivals).sort((a, b) => median(a[1]) - median(b[1]))) {
    console.log(`    ${name}: ${median(at).toFixed(0)} ms`);
  }

  const page = await browser.newPage();
  const printed = new Promise((done, fail) => {
    page.on('pageerror', fail);
    page.on('console', (m) => (/passes on the 8x6 board|cannot start/.test(m.text()) ? done(m.text())
                                                                                 : null));
  });
  await page.goto(`${origin}/wasm/bench.html`);
  console.log(await Promise.race([printed, new Promise((_, fail) => setTimeout(
    () => fail(new Error('the passes did not finish in 3 minutes')), 180000).unref())]));
} finally {
  await browser.close();
  server.close();
}
