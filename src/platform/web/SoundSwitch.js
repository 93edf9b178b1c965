// The page's half of SoundSwitch.cpp: the sound switch, and the page's audio started on the
// first key, touch or click.
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
