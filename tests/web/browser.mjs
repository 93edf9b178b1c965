// What the browser test and the browser bench (bench/web/measure.mjs) share: a folder served
// on this machine, and Debian's headless Chromium with a profile of its own.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.png': 'image/png', '.wav': 'audio/wav' };

// Serves folder on 127.0.0.1 at a free port, and each page of `pages` (path to HTML) as given.
// Returns the server and its address.
export async function serve(folder, pages = {}) {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://x').pathname;
    if (name in pages) {
      response.writeHead(200, { 'Content-Type': 'text/html' });
      response.end(pages[name]);
      return;
    }
    const file = path.join(folder, name.replace(/\/$/, '/index.html'));
    fs.readFile(file, (error, data) => {
      response.writeHead(error ? 404 : 200,
                         { 'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream' });
      response.end(error ? '' : data);
    });
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return { server, origin: `http://127.0.0.1:${server.address().port}` };
}

// Debian's Chromium, headless, with a fresh profile of its own: puppeteer makes one in the
// temporary folder and removes it when the browser is closed.
export async function launch(extraArgs = []) {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           ...extraArgs],
  });
  return browser;
}
