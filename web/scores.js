// The score file in the browser: the game reads and writes "data.dat" in its working folder
// "/", a link into /scores, which is kept in IndexedDB. Its files are read back from there
// before the game starts, so the first menu lists the scores of earlier visits.
Module.preRun = (Module.preRun || []).concat(() => {
  FS.mkdir('/scores');
  FS.mount(IDBFS, {}, '/scores');
  FS.symlink('/scores/data.dat', '/data.dat');
  addRunDependency('scores');
  FS.syncfs(true, (error) => {
    if (error) {
      // Without IndexedDB the game still plays; its scores last until the page is closed.
      console.warn('Scores from earlier visits could not be read:', error);
    }
    removeRunDependency('scores');
  });
});
