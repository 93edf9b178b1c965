// The page's half of Wait.cpp: the time each pass of the game takes, in milliseconds, the last
// 2400 (two minutes), for the bench and the browser test to read.
'use strict';
Module.passTimes = [];
Module.passBegins = function () { this.passStart = performance.now(); };
Module.passEnds = function () {
  if (this.passStart !== undefined) {
    this.passTimes.push(performance.now() - this.passStart);
    if (this.passTimes.length > 2400) this.passTimes.shift();
  }
};
