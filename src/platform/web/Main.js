// The page's half of Main.cpp: the first picture, drawn before the game has loaded, and what
// the page says while the game loads, starts, stops and ends.
'use strict';
const canvas = document.getElementById('canvas');
const message = document.getElementById('message');
const status = document.getElementById('status');

function say(text, offerAgain) {
  status.textContent = text;
  document.getElementById('again').hidden = !offerAgain;
  message.hidden = false;
}

// "Play again" opens the page anew straight at the menu: the flag lasts for that one opening.
let playingAgain = false;
try {
  playingAgain = sessionStorage.getItem('dwindle-again') === 'yes';
  sessionStorage.removeItem('dwindle-again');
} catch (e) {}
document.getElementById('again').onclick = () => {
  try { sessionStorage.setItem('dwindle-again', 'yes'); } catch (e) {}
  location.reload();
};

// The game's first splash, drawn by the page as soon as its picture is in: the game, once
// loaded, draws the same picture over it and shows it for its four seconds, so a slow network
// shows the splash longer instead of a blank page. Settles once it is on screen (or cannot be).
let splashShown = false;
const firstPicture = playingAgain ? Promise.resolve() : new Promise((shown) => {
  const picture = new Image();
  picture.onload = () => {
    // Kept in memory for reading, as the game's SDL asks of every canvas (platform.js).
    canvas.getContext('2d', { willReadFrequently: true }).drawImage(picture, 0, 0);
    splashShown = true;
    message.hidden = true;
    requestAnimationFrame(shown);
  };
  picture.onerror = shown;
  picture.src = 'Images/namescreen.png';
});

var Module = {
  canvas,
  showsSplash: !playingAgain,
  // Over the splash, the download's progress is not said.
  setStatus(text) {
    if (text && !splashShown) say(text.replace(/\.\.\./, '…'), false);
  },
  onRuntimeInitialized() {
    message.hidden = true;
    canvas.focus();
  },
  // What becomes of the scores and the sounds, said where the player looks when they will not
  // be kept or heard: each said once, after what was said before.
  notice(text) {
    const notice = document.getElementById('notice');
    notice.textContent = notice.hidden ? text : notice.textContent + ' ' + text;
    notice.hidden = false;
  },
  gameEnded(exitStatus) {
    say(exitStatus === 0 ? 'The game has ended.' : 'The game could not start.', true);
  },
  onAbort(what) { say('The game stopped: ' + what, true); },
};
