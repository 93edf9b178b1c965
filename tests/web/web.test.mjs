// The browser build in headless Chromium, served from this machine. The desktop game's
// dwindle_web_script plays one game for a seed; the page, opened with that seed, is given the
// same input at the same passes, by keys, by the touch pad and by a gamepad, and must show the
// same frames reduced to 16 bits: the menu, every pass of play to the portal, the name entry,
// and the listing with the new score, which must still be there after a reload, also one during
// the name entry; held while the page is hidden or left, the game goes on with the very next
// pass. On a phone either way up the pad is in sight beside or under the canvas. Leaving from
// the menu then ends the game on the page, which says so. Without IndexedDB, or where it
// refuses the scores, the page says that they last until it is closed.
// The first key starts the page's audio, which plays the game's sounds unless the page's sound
// switch, kept over a reload, is off; so the music and its switch. Held sideways, the canvas
// takes a phone's room beside the pad.
// DWINDLE_SITE names the built site, DWINDLE_BUILD the desktop build that has the program.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, test } from 'node:test';

import { launch, serve } from './browser.mjs';

// This seed's game, played with these keys (each at a wait of the game counted from the one
// after Space at the menu), waits, reaches the first portal, leaves the second level and files
// the score 500 as "BAA".
const SEED = 8;
const KEYS = [[0, 'Up'], [1, 'Right'], [2, 'Up'], [3, 'Up'], [52, 'Right'], [53, 'Right'],
              [54, 'Right'], [57, 'Escape'], [59, 'Up'], [60, 'Space']];
const framesFile = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'dwindle-')), 'frames.bin');
execFileSync(path.join(process.env.DWINDLE_BUILD, 'tests/dwindle_web_script'),
             [String(SEED), path.join(process.env.DWINDLE_BUILD, 'run'), framesFile,
              ...KEYS.map(([wait, key]) => `${wait}:${key === 'Space' ? 'S' : key[0]}`)],
             { env: { ...process.env, SDL_VIDEODRIVER: 'dummy' }, stdio: 'inherit', timeout: 60000 });
const FRAME_BYTES = 320 * 240 * 2;
const frames = fs.readFileSync(framesFile);

// FNV-1a over a frame's 16-bit pixels, as the page computes it from its canvas.
function hashOf(pixels16) {
  let hash = 0x811c9dc5;
  for (let i = 0; i < pixels16.length; i++) {
    hash = Math.imul(hash ^ pixels16[i], 16777619) >>> 0;
  }
  return hash;
}
const desktopFrame = (f) => new Uint16Array(frames.buffer, frames.byteOffset + f * FRAME_BYTES,
                                            FRAME_BYTES / 2);
const hashes = Array.from({ length: frames.length / FRAME_BYTES }, (_, f) => hashOf(desktopFrame(f)));
// The menu the game starts from, then the frame of each pass, then the listing.
const [menuFrame, listingFrame] = [0, hashes.length - 1];
const passFrames = hashes.slice(menuFrame + 1, listingFrame);
assert.notEqual(hashes[listingFrame], hashes[menuFrame], 'the desktop game filed a score');

// Installed before the page's own script: the canvas read back as 16-bit pixels, a scripted
// standard gamepad, and the replay of the script's input.
function harness(hashOfSource) {
  const hashOf = eval(`(${hashOfSource})`);
  const canvasPixels = () => {
    const rgba = document.getElementById('canvas').getContext('2d')
      .getImageData(0, 0, 320, 240).data;
    const pixels = new Uint16Array(320 * 240);
    for (let i = 0; i < pixels.length; i++) {
      pixels[i] = (rgba[4 * i] >> 3) << 11 | (rgba[4 * i + 1] >> 2) << 5 | rgba[4 * i + 2] >> 3;
    }
    return pixels;
  };
  // A standard gamepad whose presses each show in one poll of the game, then let go: of it,
  // the page reads only the mapping and whether each button is pressed.
  const pending = new Set();
  navigator.getGamepads = () => {
    const buttons = Array.from({ length: 17 }, (_, i) => ({ pressed: pending.has(i) }));
    pending.clear();
    return [{ mapping: 'standard', buttons }];
  };
  const KEY_CODES = { Up: 38, Down: 40, Left: 37, Right: 39, Space: 32, Escape: 27 };
  const PAD_BUTTONS = { Up: 12, Down: 13, Left: 14, Right: 15, Escape: 8 };
  // A key of the script pressed and let go by each input method.
  const press = {
    keys: (name) => ['keydown', 'keyup'].forEach((type) => {
      const event = new KeyboardEvent(type, { bubbles: true, cancelable: true });
      Object.defineProperty(event, 'keyCode', { get: () => KEY_CODES[name] });
      document.dispatchEvent(event);
    }),
    touch: (name) => {
      const button = document.querySelector(`#pad button[data-key="${KEY_CODES[name]}"]`);
      for (const type of ['touchstart', 'touchend']) {
        const t = new Touch({ identifier: 1, target: button, clientX: 0, clientY: 0 });
        button.dispatchEvent(new TouchEvent(type, { bubbles: true, cancelable: true,
          touches: type === 'touchstart' ? [t] : [], changedTouches: [t] }));
      }
    },
    // A confirms a name; START would start a game at the menu.
    gamepad: (name) => pending.add(name === 'Space' ? 0 : PAD_BUTTONS[name]),
  };
  window.pressGamepad = (button) => pending.add(button);
  window.asksBeforeLeaving = () => {
    const leaving = new Event('beforeunload', { cancelable: true });
    dispatchEvent(leaving);
    return leaving.defaultPrevented;
  };
  window.canvasHash = () => hashOf(canvasPixels());
  // The loudest sample the page sends out over the next half second: 0 when it is silent.
  window.loudness = () => new Promise((done) => {
    const analyser = Module.audio.createAnalyser();
    Module.audio.soundSwitch.connect(analyser);
    const samples = new Float32Array(analyser.fftSize);
    let peak = 0;
    const listen = setInterval(() => {
      analyser.getFloatTimeDomainData(samples);
      peak = Math.max(peak, ...samples.map(Math.abs));
    }, 20);
    setTimeout(() => done(clearInterval(listen) ?? peak), 500);
  });
  // From the next pass on: each pass's frame checked, then its input given, until a frame
  // differs or the script's passes are over; counts the passes whose page asks before leaving.
  window.replay = (expected, keys, method) => {
    const result = window.replayResult = { passes: 0, mismatch: null, asking: 0 };
    const passEnds = Module.passEnds;
    Module.passEnds = function () {
      passEnds.call(this);
      const p = result.passes;
      if (p >= expected.length || result.mismatch) return;
      const pixels = canvasPixels();
      if (hashOf(pixels) !== expected[p]) {
        result.mismatch = { pass: p, pixels: Array.from(pixels) };
        return;
      }
      result.passes = p + 1;
      result.asking += window.asksBeforeLeaving();
      keys.filter(([pass]) => pass === p).forEach(([, name]) => press[method](name));
    };
  };
}

const { server, origin } = await serve(process.env.DWINDLE_SITE);
const address = `${origin}/?seed=${SEED}`;
const browser = await launch();

after(async () => {
  await browser.close();
  server.close();
  fs.rmSync(path.dirname(framesFile), { recursive: true, force: true });
});

// A fresh profile's page (no scores kept), touch enabled for the pad (a phone held upright),
// the harness installed and `prepare` done before it opens; leaving it is never refused.
async function openPage(touch, prepare = async () => {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  page.on('dialog', (dialog) => dialog.accept());
  await prepare(page);
  await page.setViewport(touch ? { width: 390, height: 844, hasTouch: true, isMobile: true }
                               : { width: 800, height: 720 });
  await page.evaluateOnNewDocument(harness, hashOf.toString());
  await page.goto(address);
  return page;
}

// Waits, at most 20 seconds, until the canvas shows the desktop's frame.
async function waitForFrame(page, frame, what) {
  await page.waitForFunction((h) => window.canvasHash?.() === h, { timeout: 20000, polling: 50 },
                             hashes[frame])
    .catch(() => assert.fail(`the page never showed ${what} as the desktop game does`));
}

// At a phone's size: the canvas at least `scale` times 320x240, and every button of the pad
// wholly in sight and off the canvas, the cross left of the canvas and the buttons right of it
// held sideways, the pad under it held upright, Leave 40 px or more from Start / OK.
async function turnPhone(page, width, height, scale) {
  await page.setViewport({ width, height, hasTouch: true, isMobile: true });
  const misplaced = await page.evaluate((sideways, scale) => {
    const box = (e) => document.querySelector(e).getBoundingClientRect();
    const canvas = box('#canvas');
    const inSight = (r) => r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
    const where = sideways ? box('#cross').right <= canvas.left && box('#buttons').left >= canvas.right
                           : box('#pad').top >= canvas.bottom;
    const apart = box('#pad [data-key="27"]').top - box('#pad [data-key="32"]').bottom >= 40;
    return [...document.querySelectorAll('#pad button')].filter((b) => {
      const r = b.getBoundingClientRect();
      return !inSight(r) || !(r.right <= canvas.left || r.left >= canvas.right ||
                              r.bottom <= canvas.top || r.top >= canvas.bottom);
    }).map((b) => b.textContent).concat(inSight(canvas) && where ? [] : ['canvas'],
      canvas.width >= 320 * scale && canvas.height >= 240 * scale ? [] : [`${canvas.width} wide`],
      apart ? [] : ['Leave by Start / OK']);
  }, width > height, scale);
  assert.deepEqual(misplaced, [], `at ${width}x${height}`);
}

// Holds the game twice, the page hidden then shown and left then focused again: no pass runs
// meanwhile, and the canvas shows the band of the held frame; the replay then checks that play
// goes on with the very next pass.
async function awayAndBack(page) {
  for (const [from, away, back] of [[10, 'hide', 'show'], [30, 'blur', 'focus']]) {
    const passes = () => page.evaluate(() => window.replayResult.passes);
    await page.waitForFunction((n) => window.replayResult.passes >= n, { polling: 10 }, from);
    const go = (how) => page.evaluate((h) => {
      Object.defineProperty(document, 'hidden', { value: h === 'hide', configurable: true });
      const shown = h === 'hide' || h === 'show';
      (shown ? document : window).dispatchEvent(new Event(shown ? 'visibilitychange' : h));
    }, how);
    await go(away);
    await new Promise((done) => setTimeout(done, 300));
    const held = await passes();
    await new Promise((done) => setTimeout(done, 1500));
    assert.equal(await passes(), held, `passes ran after ${away}`);
    assert.deepEqual(await page.evaluate(() => Array.from(document.getElementById('canvas')
      .getContext('2d').getImageData(0, 113, 1, 1).data)), [200, 200, 200, 255],
    `no band after ${away}`);
    await go(back);
  }
}

// Replays the script's passes with one input method and requires the desktop's frames, to the
// listing, or with `unconfirmed` to the name entry showing the letters the script confirms;
// `during` acts on the page meanwhile.
async function playScript(page, method, start, { unconfirmed = false, during = async () => {} } = {}) {
  const expected = unconfirmed ? passFrames.slice(0, KEYS.at(-1)[0] + 1) : passFrames;
  await page.evaluate((e, keys, m) => window.replay(e, keys, m), expected,
                      unconfirmed ? KEYS.slice(0, -1) : KEYS, method);
  await start();
  await during();
  await page.waitForFunction((n) => window.replayResult.passes === n || window.replayResult.mismatch,
                             { timeout: 60000, polling: 100 }, expected.length).catch(() => {});
  const { passes, mismatch } = await page.evaluate(() => window.replayResult);
  if (mismatch) {
    const desktop = desktopFrame(menuFrame + 1 + mismatch.pass);
    const at = mismatch.pixels.findIndex((v, i) => v !== desktop[i]);
    assert.fail(`${method}: pass ${mismatch.pass} differs from the desktop's, first at ` +
                `(${at % 320}, ${Math.floor(at / 320)})`);
  }
  assert.equal(passes, expected.length, `${method}: the game stopped after ${passes} passes`);
  if (!unconfirmed) await waitForFrame(page, listingFrame, 'the listing with the new score');
}

// The text of the notice under the game, '' while hidden.
const notice = (page) => page.$eval('#notice', (n) => (n.hidden ? '' : n.textContent));

test('keys: menu, the seeded game pass by pass, name entry, listing, kept over a reload',
     async () => {
  const page = await openPage(false);
  await waitForFrame(page, menuFrame, 'the menu');
  // A real key press, sent to the page without a click first: the page's audio starts with it,
  // the effects loaded, and the game hears it. Headless Chromium lets audio start at once: it
  // is held here as a browser holds it until its user acts.
  await page.evaluate(() => Module.audio.suspend());
  let heard;
  await playScript(page, 'keys', async () => {
    await page.keyboard.press('Space');
    heard = page.evaluate(() => window.loudness());
  }, { during: () => awayAndBack(page) });
  assert.deepEqual(await page.evaluate(() => [Module.audio.state, Module.soundsLoaded]),
                   ['running', 16]);  // thirteen effects and the three pieces of music
  assert.ok(await heard > 0, 'no sound during play');
  // Closed right after the listing showed, the page still has the score when opened again.
  await page.reload();
  await waitForFrame(page, listingFrame, 'the kept score after a reload');
  // A second tab of the site saves another table meanwhile: the first tab's save on leaving
  // reads it from IndexedDB first, and so keeps it.
  const other = await page.browserContext().newPage();
  await other.goto(address);
  await other.waitForFunction(() => window.FS?.analyzePath('/scores/data.dat').exists,
                              { timeout: 20000 });
  const table = Array.from({ length: 10 }, (_, i) => `${900 - i}\nT${i}\n`).join('');
  await other.evaluate((text) => new Promise((done) => {
    FS.writeFile('/scores/data.dat', text);
    FS.syncfs(false, done);
  }), table);
  // Leaving from the menu ends the game on the page, which offers to start again.
  await page.bringToFront();
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => !document.getElementById('message').hidden &&
                                   !document.getElementById('again').hidden, { timeout: 5000 });
  assert.equal(await page.$eval('#status', (s) => s.textContent), 'The game has ended.');
  assert.equal(await other.evaluate(() => new Promise((done) => FS.syncfs(true, () =>
    done(FS.readFile('/scores/data.dat', { encoding: 'utf8' }))))), table,
  'the other tab\'s scores were kept');
  assert.deepEqual(page.errors, []);
  await page.browserContext().close();
});

test('touch pad: the same game upright then sideways with the sound off, reloaded during the ' +
     'name entry, then storage that refuses it', async () => {
  const page = await openPage(true);
  await waitForFrame(page, menuFrame, 'the menu');
  for (const [width, height, scale] of [[844, 390, 1.25], [740, 360, 1.2], [360, 740, 1],
                                        [390, 844, 1]]) {
    await turnPhone(page, width, height, scale);
  }
  // The music and the sound switched off first: the game plays silently, and stays so over a
  // reload, until M and S in the game switch them on again. The first moves upright, the later
  // ones sideways.
  await page.tap('#music');
  await page.tap('#sound');
  let heard;
  await playScript(page, 'touch', async () => {
    await page.tap('#pad button[data-key="32"]');
    heard = page.evaluate(() => window.loudness());
  }, {
    unconfirmed: true,
    during: async () => {
      await page.waitForFunction(() => window.replayResult.passes >= 20, { polling: 10 });
      await turnPhone(page, 844, 390, 1.25);
    },
  });
  assert.equal(await heard, 0, 'sound with the sound off');
  // Once the letters as they stand are stored (leaving is no longer asked), the page reloaded
  // files and lists them.
  await page.waitForFunction(() => !window.asksBeforeLeaving(), { timeout: 5000, polling: 50 });
  await page.reload();
  await waitForFrame(page, listingFrame, 'the score named during a reload');
  const turned = (name, on) => document.getElementById(name).textContent.toLowerCase() ===
    `${name} ${on}` && Module.audio[`${name}Switch`].gain.value === (on === 'on' ? 1 : 0);
  for (const [name, key] of [['music', 'KeyM'], ['sound', 'KeyS']]) {
    assert.ok(await page.evaluate(turned, name, 'off'), `the ${name} switched off was not kept`);
    await page.keyboard.press(key);  // which the game reads at its menu's next poll
    await page.waitForFunction(turned, { timeout: 5000 }, name, 'on')
      .catch(() => assert.fail(`${key} in the game did not switch the ${name} on`));
  }
  await page.evaluate(() => {
    IDBObjectStore.prototype.put = () => { throw new DOMException('full', 'QuotaExceededError'); };
  });
  await page.tap('#pad button[data-key="27"]');
  await page.waitForFunction(() => !document.getElementById('notice').hidden, { timeout: 5000 });
  assert.match(await notice(page), /QuotaExceededError.*last until the page is closed/);
  assert.deepEqual(page.errors, []);
  await page.browserContext().close();
});

test('gamepad: the same game from a standard gamepad, in a browser without IndexedDB', async () => {
  const page = await openPage(false, (p) => p.evaluateOnNewDocument(() => {
    delete window.indexedDB;
  }));
  await waitForFrame(page, menuFrame, 'the menu');
  await playScript(page, 'gamepad', () => page.evaluate(() => window.pressGamepad(9)));
  assert.match(await notice(page), /keeps no data.*last until the page is closed/);
  assert.ok(await page.evaluate(() => window.replayResult.asking > 0),
            'leaving during the name entry is asked');
  assert.deepEqual(page.errors, []);
  await page.browserContext().close();
});

test('a browser without WebAssembly, and a file that fails to load, get a plain message',
     async () => {
  const cases = [
    [(page) => page.evaluateOnNewDocument(() => { delete window.WebAssembly; }), /no WebAssembly/],
    [async (page) => {
      await page.setRequestInterception(true);
      page.on('request', (r) => (r.url().endsWith('.data') ? r.abort() : r.continue()));
    }, /could not load/],
  ];
  for (const [breakPage, message] of cases) {
    const page = await openPage(false, breakPage);
    await page.waitForFunction((m) => new RegExp(m).test(document.getElementById('status')
      .textContent) && !document.getElementById('message').hidden, { timeout: 10000 },
    message.source).catch(() => assert.fail(`no message matching ${message}`));
    await page.browserContext().close();
  }
});
