// The page's half of Main.cpp: what the page says while the game loads, starts, stops and ends
// (its first picture is drawn by index.html, before any script has come).
'use strict';
const canvas = document.getElementById('canvas');
const message = document.getElementById('message');
const status = document.getElementById('status');

function say(text, offerAgain) {
  status.textContent = text;
  document.getElementById('again').hidden = !offerAgain;
  message.hidden = false;
}

// "Play again" opens the page anew straight at the menu: the flag lasts for that one opening,
// read with the first picture (index.html).
document.getElementById('again').onclick = () => {
  try { sessionStorage.setItem('dwindle-again', 'yes'); } catch (e) {}
  location.reload();
};

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
