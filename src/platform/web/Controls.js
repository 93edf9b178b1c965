// The page's half of Controls.cpp: the touch pad, which presses keys, and every standard
// gamepad folded into the handheld's buttons (Buttons.js, made from Buttons.h by the build).
'use strict';

// A touch screen gets the pad.
if ('ontouchstart' in window || navigator.maxTouchPoints > 0) {
  document.body.classList.add('touch');
}

// Each button of the pad presses and releases a key, as a keyboard would: its data-key is the
// browser's key code, which the game's SDL reads as it reads the keyboard.
function sendKey(type, keyCode) {
  const event = new KeyboardEvent(type, { bubbles: true, cancelable: true });
  for (const name of ['keyCode', 'which']) {
    Object.defineProperty(event, name, { get: () => keyCode });
  }
  document.dispatchEvent(event);
}
for (const button of document.querySelectorAll('#pad button')) {
  const keyCode = Number(button.dataset.key);
  const press = (e) => { e.preventDefault(); button.classList.add('pressed'); sendKey('keydown', keyCode); };
  const release = (e) => {
    e.preventDefault();
    if (button.classList.contains('pressed')) {
      button.classList.remove('pressed');
      sendKey('keyup', keyCode);
    }
  };
  button.addEventListener('touchstart', press);
  button.addEventListener('touchend', release);
  button.addEventListener('touchcancel', release);
}
// The bar's Pause button presses P, a click being a press and its release.
document.getElementById('pause').onclick = () => {
  sendKey('keydown', 80);
  sendKey('keyup', 80);
};

// The game reads the handheld's buttons as joystick 0. Every standard-layout gamepad is
// folded into one such joystick, present from the start (a browser shows a gamepad only once
// a button of it is pressed, after the game has opened its joystick): the d-pad gives the
// stick's directions, START a pad's START (which starts a game and pauses play), A and X the
// handheld's X (which confirms a name), BACK its SELECT.
const HANDHELD_FROM_STANDARD = [[kStickUp, 12], [kStickLeft, 14], [kStickDown, 13],
                                [kStickRight, 15], [kPadStartButton, 9], [kButtonX, 0],
                                [kButtonX, 2], [kSelectButton, 8]];
const browserGamepads = navigator.getGamepads ? navigator.getGamepads.bind(navigator)
                                              : () => [];
navigator.getGamepads = () => {
  // The volume buttons are never pressed: the page has its own switch.
  const pressed = new Array(kPadStartButton + 1).fill(false);
  for (const gamepad of browserGamepads()) {
    if (gamepad && gamepad.mapping === 'standard') {
      for (const [handheld, standard] of HANDHELD_FROM_STANDARD) {
        pressed[handheld] ||= Boolean(gamepad.buttons[standard]?.pressed);
      }
    }
  }
  // A timestamp of 0 has the game compare every button on every poll.
  return [{ id: 'handheld buttons', index: 0, connected: true, mapping: '', timestamp: 0,
            axes: [], buttons: pressed.map((p) => ({ pressed: p, value: p ? 1 : 0 })) }];
};
