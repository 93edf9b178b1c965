// The page's side of the platform, run before the game starts (emscripten's --pre-js).
//
// The score file: the game reads and writes "data.dat" in its working folder "/", a link into
// /scores, a folder in memory whose table is kept in the browser's IndexedDB, in the layout of
// emscripten's IDBFS, which kept it before. The stored table is put there before the game starts,
// so the first menu lists the scores of earlier visits. A name entry's letters are stored as they
// change, under a key of the page's own, so that a page closed during the entry files them at the
// next visit. Where IndexedDB is missing or fails, the scores last until the page is closed, and
// the page says so once.
const SCORES = '/scores/data.dat';
const STORE = 'FILE_DATA';
const ENTRY_PREFIX = 'entry ';
const ENTRY = ENTRY_PREFIX + Math.random().toString(36).slice(2) + Date.now().toString(36);
let database = null;
// Until a store succeeds, the table here is newer than the stored one and is not read back.
let scoresUnstored = false;
// The name entry's lines as they stand while a name is being entered, and whether stored.
let entry = null;
let toldFailure = false;

// Held while the page lives, so that the next visit knows a stored entry is no live page's.
// (emscripten's JavaScript optimiser takes neither ?. nor ??.) Without Web Locks, a mark of the
// page's own in localStorage, gone with the page, and an answer to every other page that asks
// through storage events whether it still lives.
const LIVE = 'live ';
if (navigator.locks) {
  navigator.locks.request(ENTRY, () => new Promise(() => {}));
} else {
  const mark = () => localStorage.setItem(LIVE + ENTRY, '1');
  try {
    mark();
    addEventListener('pageshow', mark);
    addEventListener('pagehide', () => localStorage.removeItem(LIVE + ENTRY));
    addEventListener('storage', (event) => {
      if (event.key === 'asked' && event.newValue && event.newValue.startsWith(ENTRY + ' ')) {
        localStorage.setItem('answered', event.newValue);
      }
    });
  } catch (error) {
    err('No mark of this page could be kept: ' + error);
  }
}

function tellFailure(text) {
  err(text);
  if (!toldFailure) {
    toldFailure = true;
    if (Module.notice) Module.notice(text + ': the scores last until the page is closed.');
  }
}

// Runs work(store) in a transaction of the scores' database; then done(error), null once the
// transaction has completed.
function transact(mode, work, done) {
  let ended = false;
  const end = (error) => {
    if (!ended) {
      ended = true;
      done(error);
    }
  };
  try {
    const transaction = database.transaction(STORE, mode);
    transaction.oncomplete = () => end(null);
    transaction.onabort = () => end(transaction.error || new Error('aborted'));
    work(transaction.objectStore(STORE));
  } catch (error) {
    end(error);
  }
}

function stored(contents) {
  return { timestamp: new Date(), mode: 0o100644, contents };
}

// Calls done with whether the page that stored an entry is gone: its lock comes within a second
// (a page being unloaded gives it up at once, a live one never).
// Without Web Locks, a page is gone when its mark is, or when it does not answer within a
// second; where localStorage cannot be used, a page is never taken for gone, so that no entry is
// filed twice.
function pageGone(key, done) {
  if (!navigator.locks) {
    try {
      if (localStorage.getItem(LIVE + key) === null) {
        done(true);
        return;
      }
      const question = key + ' ' + Math.random();
      const answer = (event) => {
        if (event.key === 'answered' && event.newValue === question) {
          removeEventListener('storage', answer);
          done(false);
        }
      };
      addEventListener('storage', answer);
      localStorage.setItem('asked', question);
      setTimeout(() => {
        if (localStorage.getItem('answered') !== question) {
          removeEventListener('storage', answer);
          localStorage.removeItem(LIVE + key);
          done(true);
        }
      }, 1000);
    } catch (error) {
      done(false);
    }
    return;
  }
  const timeout = new AbortController();
  setTimeout(() => timeout.abort(), 1000);
  navigator.locks.request(key, { signal: timeout.signal }, () => done(true))
    .catch(() => done(false));
}

// Puts the stored table in place, with the entries of gone pages added at its end (the game
// ranks them as if filed), stored at once so that no other page adds them again.
function takeStoredScores(gone, done) {
  let table = null;
  transact('readwrite', (store) => {
    store.get(SCORES).onsuccess = (found) => {
      table = found.target.result ? found.target.result.contents : new Uint8Array();
      for (const key of gone) {
        store.get(key).onsuccess = (left) => {
          const lines = left.target.result && left.target.result.contents;
          if (lines) {
            // A table written by the game ends its last line; the entry starts a new one.
            const end = table.length > 0 && table[table.length - 1] !== 10 ? [10] : [];
            table = Uint8Array.from([...table, ...end, ...lines]);
            store.put(stored(table), SCORES);
            store.delete(key);
          }
        };
      }
    };
  }, (error) => {
    if (error) {
      tellFailure("This browser's storage could not be read (" + error + ')');
    } else if (table.length > 0) {
      FS.writeFile(SCORES, table);
    }
    done();
  });
}

Module.preRun = (Module.preRun || []).concat(() => {
  FS.mkdir('/scores');
  FS.symlink(SCORES, '/data.dat');
  // Missing, or, in some browsers with cookies blocked, throwing when read.
  let storage = null;
  try {
    storage = window.indexedDB;
  } catch (error) {
    storage = null;
  }
  if (!storage) {
    tellFailure('This browser keeps no data for this page');
    return;
  }
  let request;
  try {
    request = storage.open('/scores', 21);
  } catch (error) {
    tellFailure("This browser's storage could not be opened (" + error + ')');
    return;
  }
  addRunDependency('scores');
  request.onupgradeneeded = () => {
    if (!request.result.objectStoreNames.contains(STORE)) {
      request.result.createObjectStore(STORE).createIndex('timestamp', 'timestamp');
    }
  };
  request.onerror = (event) => {
    event.preventDefault();
    tellFailure("This browser's storage could not be opened (" + request.error + ')');
    removeRunDependency('scores');
  };
  request.onsuccess = () => {
    database = request.result;
    const ready = () => removeRunDependency('scores');
    transact('readonly', (store) => {
      store.getAllKeys(IDBKeyRange.bound(ENTRY_PREFIX, ENTRY_PREFIX + '\uffff')).onsuccess = (e) => {
        const keys = e.target.result;
        const gone = [];
        let unknown = keys.length;
        if (unknown === 0) takeStoredScores(gone, ready);
        for (const key of keys) {
          pageGone(key, (isGone) => {
            if (isGone) gone.push(key);
            if (--unknown === 0) takeStoredScores(gone, ready);
          });
        }
      };
    }, (error) => error && takeStoredScores([], ready));
  };
});

// Stores the name entry's lines as they stand, or with null forgets that a name is being
// entered; the stored entry stays until the save that files it.
Module.nameEntryStands = (pointer) => {
  const lines = pointer ? HEAPU8.slice(pointer, HEAPU8.indexOf(0, pointer)) : null;
  if (!lines || !database) {
    entry = lines && { lines, stored: false };
    return;
  }
  if (entry && entry.lines.join() === lines.join()) return;
  const standing = entry = { lines, stored: false };
  transact('readwrite', (store) => store.put(stored(lines), ENTRY), (error) => {
    standing.stored = !error;
    if (error) tellFailure("This browser's storage refused the scores (" + error + ')');
  });
};

// Where the letters as they stand are not yet stored, leaving the page is asked first.
addEventListener('beforeunload', (event) => {
  if (entry && !entry.stored) {
    event.preventDefault();
    event.returnValue = '';
  }
});

// Stores the table under /scores, and forgets the entry it files; calls done once stored.
Module.keepScores = (done) => {
  if (!database) {
    done();
    return;
  }
  const table = FS.readFile(SCORES);
  transact('readwrite', (store) => {
    store.put(stored(table), SCORES);
    store.delete(ENTRY);
    // A hand-edited table, kept beside it as it was by the game before this save; never over an
    // earlier copy.
    for (const name of FS.readdir('/scores')) {
      const copy = '/scores/' + name;
      if (name.startsWith('data.dat.damaged-')) {
        store.count(copy).onsuccess = (e) => e.target.result || store.put(stored(FS.readFile(copy)), copy);
      }
    }
  }, (error) => {
    scoresUnstored = Boolean(error);
    if (error) tellFailure("This browser's storage refused the scores (" + error + ')');
    done();
  });
};

// Reads the table stored in IndexedDB, where another tab may have saved since, into /scores;
// calls done once it is in place.
Module.readStoredScores = (done) => {
  if (!database || scoresUnstored) {
    done();
    return;
  }
  transact('readonly', (store) => {
    store.get(SCORES).onsuccess = (found) => {
      if (found.target.result) FS.writeFile(SCORES, found.target.result.contents);
    };
  }, (error) => {
    if (error) err('Scores saved elsewhere could not be read: ' + error);
    done();
  });
};

// The sounds are files that the game's Mix_LoadWAV reads and the page's AudioContext decodes
// (SoundSwitch.js), not preloaded audio: no warning for each.
Module.noAudioDecoding = true;

// N of "?seed=N" in the page's address, modulo 2^32; -1 without one.
Module.seedFromAddress = () => {
  const found = /[?&]seed=([0-9]+)(&|$)/.exec(location.search);
  return found ? Number(found[1]) % 4294967296 : -1;
};

// The game's SDL keeps every surface in a canvas of its own and reads many of them back
// (pictures keyed at load, the drawn-once letters and platforms): canvases kept in memory
// for reading make start-up several times faster than ones kept for drawing.
const getContext = HTMLCanvasElement.prototype.getContext;
HTMLCanvasElement.prototype.getContext = function (type, attributes) {
  return getContext.call(this, type, type === '2d'
    ? Object.assign({ willReadFrequently: true }, attributes) : attributes);
};
