// The browser build's speed in headless Chromium: the time from opening the page to the first
// splash picture on screen (median and worst of 5 fresh visits), and the play passes of a
// minute on the 8x6 board (dwindle_web_passes). Run by bench/web/measure.sh.
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const { launch, serve } = await import(path.join(root, 'tests/web/browser.mjs'));

// For evaluateOnNewDocument: window.firstPicture becomes the time, after the page opened, of
// the first frame shown after the game first drew on its canvas.
function watchFirstPicture() {
  const drawImage = CanvasRenderingContext2D.prototype.drawImage;
  CanvasRenderingContext2D.prototype.drawImage = function (...args) {
    if (this.canvas.id === 'canvas' && window.firstPicture === undefined) {
      window.firstPicture = null;
      requestAnimationFrame(() => { window.firstPicture = performance.now(); });
    }
    return drawImage.apply(this, args);
  };
}

// The bench's page, its canvas and its program.
const benchPage = `<!doctype html><canvas id="canvas"></canvas><script>
  var Module = { canvas: document.getElementById('canvas') };</script>
  <script src="dwindle_web_passes.js"></script>`;
const { server, origin } = await serve(path.join(root, 'build-web'), { '/wasm/bench.html': benchPage });
// Timers at full pace in a page that headless Chromium may take for one in the background.
const browser = await launch(['--disable-background-timer-throttling',
                              '--disable-renderer-backgrounding',
                              '--disable-backgrounding-occluded-windows']);
try {
  const splash = [];
  for (let visit = 0; visit < 5; visit++) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.evaluateOnNewDocument(watchFirstPicture);
    await page.goto(`${origin}/site/`);
    await page.waitForFunction(() => window.firstPicture, { timeout: 10000 });
    splash.push(await page.evaluate(() => window.firstPicture));
    await context.close();
  }
  splash.sort((a, b) => a - b);
  console.log(`first splash on screen: median ${splash[2].toFixed(0)} ms, worst ` +
              `${splash[4].toFixed(0)} ms after the page opened (5 visits)`);

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
