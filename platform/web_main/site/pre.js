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
  // write at a time: a save during a write is written after it.
  var writing = false, again = false;
  Module.zfSyncs = 0;
  function writeBack() {
    if (writing) { again = true; return; }
    writing = true;
    FS.syncfs(false, function(error) {
      if (error) console.warn('The scores could not be saved in the browser: ' + error);
      writing = false;
      Module.zfSyncs++;
      if (again) { again = false; writeBack(); }
    });
  }
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
