// The browser build's speed in headless Chromium: the time from opening the page to the first
// splash picture on screen (median and worst of 5 fresh visits), and the play passes of a
// minute on the 8x6 board (dwindle_web_passes). Run by bench/web/measure.sh.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const { default: puppeteer } = await import(
  path.join(root, 'tests/web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js'));
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
// The bench's page: its canvas and its program.
const benchPage = `<!doctype html><canvas id="canvas"></canvas><script>
  var Module = { canvas: document.getElementById('canvas') };</script>
  <script src="dwindle_web_passes.js"></script>`;
const server = http.createServer((request, response) => {
  const name = new URL(request.url, 'http://x').pathname;
  if (name === '/bench/') {
    response.writeHead(200, { 'Content-Type': 'text/html' });
    response.end(benchPage);
    return;
  }
  const file = name.startsWith('/bench/') ? path.join(root, 'build-web/wasm', name.slice(7))
                                          : path.join(root, 'build-web/site', name.replace(/\/$/, '/index.html'));
  fs.readFile(file, (error, data) => {
    response.writeHead(error ? 404 : 200,
                       { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
    response.end(error ? '' : data);
  });
});
await new Promise((done) => server.listen(0, '127.0.0.1', done));
const origin = `http://127.0.0.1:${server.address().port}`;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'dwindle-measure-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', userDataDir: profile, headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const splash = [];
  for (let visit = 0; visit < 5; visit++) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => {
      const drawImage = CanvasRenderingContext2D.prototype.drawImage;
      CanvasRenderingContext2D.prototype.drawImage = function (...args) {
        if (this.canvas.id === 'canvas' && window.firstPicture === undefined) {
          window.firstPicture = null;
          requestAnimationFrame(() => { window.firstPicture = performance.now(); });
        }
        return drawImage.apply(this, args);
      };
    });
    await page.goto(`${origin}/`);
    await page.waitForFunction(() => window.firstPicture, { timeout: 10000 });
    splash.push(await page.evaluate(() => window.firstPicture));
    await context.close();
  }
  splash.sort((a, b) => a - b);
  console.log(`first splash on screen: median ${splash[2].toFixed(0)} ms, worst ` +
              `${splash[4].toFixed(0)} ms after the page opened (5 visits)`);

  const page = await browser.newPage();
  const printed = new Promise((done) => page.on('console', (m) => {
    if (/passes on the 8x6 board/.test(m.text())) done(m.text());
  }));
  await page.goto(`${origin}/bench/`);
  console.log(await Promise.race([printed, new Promise((_, fail) => setTimeout(
    () => fail(new Error('the passes did not finish in 3 minutes')), 180000))]));
} finally {
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
