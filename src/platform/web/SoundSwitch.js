// The page's half of SoundSwitch.cpp: the sound switch, the page's audio started on the first
// key, touch or click, and the sounds fetched once the first picture is on screen.
'use strict';

// The game's SDL plays every sound on the page's AudioContext, which sends them all through one
// gain: the page's sound switch, which the Sound button and M in the game turn and which the
// browser keeps for the site. A browser lets a page's audio start only after a key, a touch or
// a click on it: the first one starts it, and still reaches the game.
// Where the browser's storage is shut off, the choice lasts for the visit.
let soundOn = true;
try { soundOn = localStorage.getItem('dwindle-sound') !== 'off'; } catch (e) {}
const soundButton = document.getElementById('sound');
function showSound() {
  soundButton.textContent = soundOn ? 'Sound on' : 'Sound off';
  soundButton.setAttribute('aria-pressed', soundOn);
  if (Module.audio) Module.audio.soundSwitch.gain.value = soundOn ? 1 : 0;
}
Module.switchSound = soundButton.onclick = () => {
  soundOn = !soundOn;
  try { localStorage.setItem('dwindle-sound', soundOn ? 'on' : 'off'); } catch (e) {}
  showSound();
};
showSound();
// The sounds are files of the site's own (kSoundFiles, Sounds.js), which nothing before the
// first key needs: fetched once the first picture is on screen, while the game loads them as
// empty files made before it starts. Each is decoded once its file is in; until then the
// game plays it silently, and a sound that never comes stays silent, which the page says.
const soundFetches = new Map();
Module.fetchSounds = () => {
  for (const file of kSoundFiles) {
    const fetched = fetch(file).then((response) => {
      if (!response.ok) throw new Error(file + ': ' + response.status);
      return response.arrayBuffer();
    });
    // Not an error of the page's: the game hears of it when it has the sound decoded.
    fetched.catch(() => {});
    soundFetches.set('/' + file, fetched);
  }
};
Module.preRun = [].concat(Module.preRun || [], () => {
  for (const file of kSoundFiles) {
    FS.createPath('/', file.replace(/\/[^/]*$/, ''), true, true);
    FS.writeFile('/' + file, new Uint8Array());
  }
});
// The game's SDL names the file it loads just before it has it decoded.
let loadingSound = null;
Module.SDL_canPlayWithWebAudio = (file) => {
  loadingSound = file;
  return true;
};
let toldSoundsMissing = false;
// While a sound that came late is handed over, the game's SDL starts what it was asked to play
// meanwhile: the effects are over by then and stop at once (freeing their channels); a loop
// (the tune) starts.
let arriving = false;
if (window.AudioContext) {
  window.AudioContext = class extends AudioContext {
    constructor(options) {
      super(options);
      this.soundSwitch = this.createGain();
      this.soundSwitch.connect(super.destination);
      Module.audio = this;
      Module.soundsLoaded = 0;
      showSound();
    }
    get destination() { return this.soundSwitch; }
    decodeAudioData(data, done) {
      const file = soundFetches.get(loadingSound) || Promise.resolve(data);
      loadingSound = null;
      return file.then((bytes) => super.decodeAudioData(bytes)).then((sound) => {
        Module.soundsLoaded += 1;
        return sound;
      }, (error) => {
        if (!toldSoundsMissing) {
          toldSoundsMissing = true;
          Module.notice('The sounds could not be loaded (' + error.message + '): the game plays ' +
                        'without them.');
        }
        return this.createBuffer(1, 1, this.sampleRate);
      }).then((sound) => {
        arriving = true;
        try {
          done(sound);
        } finally {
          arriving = false;
        }
      });
    }
    createBufferSource() {
      const source = super.createBufferSource();
      if (arriving) {
        const start = source.start.bind(source);
        source.start = (...when) => {
          start(...when);
          if (!source.loop) source.stop();
        };
      }
      return source;
    }
  };
}
for (const type of ['keydown', 'pointerdown', 'pointerup', 'touchend', 'click']) {
  document.addEventListener(type, () => Module.audio?.resume(), true);
}
