// The page's side of the platform, run before the game starts (emscripten's --pre-js).
//
// The score file: the game reads and writes "data.dat" in its working folder "/", a link into
// /scores, which is kept in IndexedDB. Its files are read back from there before the game
// starts, so the first menu lists the scores of earlier visits.
Module.preRun = (Module.preRun || []).concat(() => {
  FS.mkdir('/scores');
  FS.mount(IDBFS, {}, '/scores');
  FS.symlink('/scores/data.dat', '/data.dat');
  addRunDependency('scores');
  FS.syncfs(true, (error) => {
    if (error) {
      // Without IndexedDB the game still plays; its scores last until the page is closed.
      err('Scores from earlier visits could not be read: ' + error);
    }
    removeRunDependency('scores');
  });
});

// Writes the files under /scores through to IndexedDB; calls done once it has them. Until a
// write succeeds, the files here are newer than the stored ones and are not read back.
let scoresUnstored = false;
Module.keepScores = (done) => {
  FS.syncfs(false, (error) => {
    scoresUnstored = Boolean(error);
    if (error) {
      err("Couldn't keep the scores in the browser: " + error);
    }
    done();
  });
};

// Reads the files under /scores back from IndexedDB, where another tab may have saved since;
// calls done once they are in place.
Module.readStoredScores = (done) => {
  if (scoresUnstored) {
    done();
    return;
  }
  FS.syncfs(true, (error) => {
    if (error) {
      err('Scores saved elsewhere could not be read: ' + error);
    }
    done();
  });
};

// The sounds stay files that the game's Mix_LoadWAV reads and the page's AudioContext decodes
// (index.html), instead of the <audio> elements emscripten would make of them while preloading,
// which play with a gap at each loop of the tune.
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
