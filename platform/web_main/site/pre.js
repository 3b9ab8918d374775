// Runs before the program: the saved files come back from the browser's storage (IndexedDB) into
// /save, and every save the program makes there is written back to it.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
  FS.mkdir('/save');
  FS.mount(IDBFS, {}, '/save');
  addRunDependency('zf-save');
  FS.syncfs(true, function(error) {
    if (error) console.warn('The saved scores could not be read: ' + error);
    removeRunDependency('zf-save');
  });

  // A save is a file written and closed, or renamed into place; the folder goes back to storage
  // once the program yields, so a temporary file renamed over the table goes as the table. One
  // transfer at a time: a save during a transfer is written after it.
  // The game open in another tab tells this one when it has saved, and this one reads the folder
  // back from storage, so that its next save ranks against that table and loses no entry.
  var busy = false, writeAgain = false, readAgain = false;
  var others = typeof BroadcastChannel === 'function' ? new BroadcastChannel('zandrofel-save') : null;
  Module.zfSyncs = 0;
  function next() {
    busy = false;
    if (writeAgain) { writeAgain = false; writeBack(); }
    else if (readAgain) { readAgain = false; readBack(); }
  }
  function writeBack() {
    if (busy) { writeAgain = true; return; }
    busy = true;
    FS.syncfs(false, function(error) {
      if (error) console.warn('The scores could not be saved in the browser: ' + error);
      else if (others) others.postMessage('saved');
      Module.zfSyncs++;
      next();
    });
  }
  function readBack() {
    if (busy) { readAgain = true; return; }
    busy = true;
    FS.syncfs(true, function(error) {
      if (error) console.warn('The saved scores could not be read: ' + error);
      next();
    });
  }
  if (others) others.onmessage = readBack;
  function inSave(path) { return typeof path === 'string' && path.indexOf('/save/') === 0; }
  var close = FS.close;
  FS.close = function(stream) {
    var wrote = inSave(stream.path) && (stream.flags & 3) !== 0;  // opened to write
    var result = close.apply(this, arguments);
    if (wrote) setTimeout(writeBack, 0);
    return result;
  };
  var rename = FS.rename;
  FS.rename = function(from, to) {
    var result = rename.apply(this, arguments);
    if (inSave(to)) setTimeout(writeBack, 0);
    return result;
  };

  // For measuring: ?ticklog keeps the tick log in memory, where a test reads it.
  if (/[?&]ticklog/.test(location.search)) ENV['ZF_TICK_LOG'] = '/tmp/ticks.log';
});
