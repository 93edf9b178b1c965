// The page's half of SoundSwitch.cpp: the music and sound switches, and the page's audio started
// on the first key, touch or click.
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
    createBufferSource() {
      this.lastSource = super.createBufferSource();
      return this.lastSource;
    }
    get destination() { return this.lastSource?.loop ? this.musicSwitch : this.soundSwitch; }
    // A file the browser cannot decode is a sound that stays silent, not a page that stops.
    decodeAudioData(data, done) {
      return super.decodeAudioData(data).then((sound) => {
        Module.soundsLoaded += 1;
        done(sound);
      }, (error) => console.warn('A sound could not be decoded: ' + error));
    }
  };
}
for (const type of ['keydown', 'pointerdown', 'pointerup', 'touchend', 'click']) {
  document.addEventListener(type, () => Module.audio?.resume(), true);
}
