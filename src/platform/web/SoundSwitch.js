// The page's half of SoundSwitch.cpp: the music and sound switches, the page's audio started on
// the first key, touch or click, and the sounds fetched once the first picture is on screen.
'use strict';

// The game's SDL plays every sound on the page's AudioContext, which sends them all through one
// gain: the page's sound switch; the music passes through a second gain first, the music
// switch. The Music and Sound buttons and M and S in the game turn them, and the browser keeps
// them for the site. A browser lets a page's audio start only after a key, a touch or a click
// on it: the first one starts it, and still reaches the game.
// Where the browser's storage is shut off, the choices last for the visit.
const switches = {
  sound: { on: true, gain: 'soundSwitch', label: 'Sound' },
  music: { on: true, gain: 'musicSwitch', label: 'Music' },
};
function showSwitch(name) {
  const { on, gain, label } = switches[name];
  const button = document.getElementById(name);
  button.textContent = `${label} ${on ? 'on' : 'off'}`;
  button.setAttribute('aria-pressed', on);
  if (Module.audio) Module.audio[gain].gain.value = on ? 1 : 0;
}
for (const name of Object.keys(switches)) {
  try { switches[name].on = localStorage.getItem(`dwindle-${name}`) !== 'off'; } catch (e) {}
  const turn = () => {
    switches[name].on = !switches[name].on;
    try { localStorage.setItem(`dwindle-${name}`, switches[name].on ? 'on' : 'off'); } catch (e) {}
    showSwitch(name);
  };
  document.getElementById(name).onclick = turn;
  Module[name === 'sound' ? 'switchSound' : 'switchMusic'] = turn;
  showSwitch(name);
}
// The sounds are files of the site's own (kSoundFiles, Sounds.js), which nothing before the
// first key needs: fetched once the first picture is on screen, while the game loads them as
// stand-ins made before it starts, the smallest files its checks take for a WAV file or an Ogg
// stream. Each is decoded once its file is in; until then the game plays it silently, and a
// sound that never comes stays silent, which the page says.
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
// Bytes from text (one a character) and numbers.
const bytes = (...parts) => new Uint8Array(parts.flatMap(
  (part) => (typeof part === 'string' ? [...part].map((c) => c.charCodeAt(0)) : part)));
// A WAV file of one silent sample, 16-bit mono PCM at 22050 Hz: its sizes, format, rate, bytes a
// second, bytes a sample, bits.
const kSilentWav = bytes('RIFF', [38, 0, 0, 0], 'WAVE', 'fmt ', [16, 0, 0, 0], [1, 0, 1, 0],
                         [0x22, 0x56, 0, 0], [0x44, 0xac, 0, 0], [2, 0, 16, 0], 'data', [2, 0, 0, 0],
                         [0, 0]);
const kOggStart = bytes('OggS');
Module.preRun = [].concat(Module.preRun || [], () => {
  for (const file of kSoundFiles) {
    FS.createPath('/', file.replace(/\/[^/]*$/, ''), true, true);
    FS.writeFile('/' + file, file.endsWith('.ogg') ? kOggStart : kSilentWav);
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
      this.musicSwitch = this.createGain();
      this.musicSwitch.connect(this.soundSwitch);
      Module.audio = this;
      Module.soundsLoaded = 0;
      Object.keys(switches).forEach(showSwitch);
    }
    // The game loops only its music: each sound's source is made, told whether it loops, then
    // connected through its own nodes to the destination, which follows from that.
    get destination() { return this.lastSource?.loop ? this.musicSwitch : this.soundSwitch; }
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
      this.lastSource = source;
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
