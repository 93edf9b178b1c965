// The page's half of Screen.cpp: the canvas scaled to fit, and shown full screen on the button's
// press.
'use strict';

// The largest multiple of 320x240 that fits the room the page leaves the canvas (beside the
// touch pad held sideways, above it held upright), at least 1: a whole one, but beside the pad,
// where a phone's small screen has no room to spare and takes any, drawn nearest-neighbour.
function fit() {
  const size = (id) => document.getElementById(id).getBoundingClientRect();
  let room = [innerWidth, innerHeight - 120];
  if (document.fullscreenElement) {
    room = [innerWidth, innerHeight];
  } else if (document.body.classList.contains('touch')) {
    room = matchMedia('(orientation: landscape)').matches
      ? [innerWidth - size('cross').width - size('buttons').width - 48, innerHeight - 16]
      : [innerWidth - 16, innerHeight - size('pad').height - size('bar').height - 48];
  }
  const padded = document.body.classList.contains('touch') && !document.fullscreenElement;
  const fits = Math.min(room[0] / 320, room[1] / 240);
  const scale = Math.max(1, padded ? fits : Math.floor(fits));
  document.documentElement.style.setProperty('--scale', scale);
}
// Turning a phone resizes the page, which the style lays out anew.
addEventListener('resize', fit);
document.addEventListener('fullscreenchange', fit);
fit();

document.getElementById('full').onclick = () => {
  document.getElementById('screen').requestFullscreen().catch(() => {});
};
