// The page's half of Main.cpp: what the page says while the game loads, starts, stops and ends.
'use strict';
const canvas = document.getElementById('canvas');
const message = document.getElementById('message');
const status = document.getElementById('status');

function say(text, offerAgain) {
  status.textContent = text;
  document.getElementById('again').hidden = !offerAgain;
  message.hidden = false;
}
document.getElementById('again').onclick = () => location.reload();

var Module = {
  canvas,
  setStatus(text) {
    if (text) say(text.replace(/\.\.\./, '…'), false);
  },
  onRuntimeInitialized() {
    message.hidden = true;
    canvas.focus();
  },
  // What becomes of the scores, said where the player looks when they will not be kept.
  notice(text) {
    const notice = document.getElementById('notice');
    notice.textContent = text;
    notice.hidden = false;
  },
  gameEnded(exitStatus) {
    say(exitStatus === 0 ? 'The game has ended.' : 'The game could not start.', true);
  },
  onAbort(what) { say('The game stopped: ' + what, true); },
};
