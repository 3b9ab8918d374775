// Runs before the program: the saved files come back from the browser's storage (IndexedDB) into
// /save, where the program keeps scores.txt. The program's saves reach the storage through
// Module.zfSavedFiles (below): under a lock every window of the game respects, the folder is
// read back from storage, written, and counts as saved only once the storage has it.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
  var folder = '/save';
  // The same database, store and records as Emscripten's IDBFS uses, so that tables saved
  // before read back unchanged.
  var databaseName = folder, version = 21, storeName = 'FILE_DATA';
  // Storage that neither answers nor fails (a version change waiting on another tab) is a
  // failure after this long: a save never waits for ever.
  var patienceMs = 10000;
  FS.mkdir(folder);
  FS.mount(MEMFS, {}, folder);

  function words(error) {
    if (!error) return 'no reason given';
    return error.name ? error.name + ': ' + error.message : String(error);
  }

  function patiently(promise) {
    return new Promise(function(resolve, reject) {
      var timer = setTimeout(function() { reject(new Error('the storage did not answer')); },
                             patienceMs);
      promise.then(function(value) { clearTimeout(timer); resolve(value); },
                   function(error) { clearTimeout(timer); reject(error); });
    });
  }

  var database = null;
  function openDatabase() {
    if (database) return Promise.resolve(database);
    return patiently(new Promise(function(resolve, reject) {
      var request = indexedDB.open(databaseName, version);
      request.onupgradeneeded = function() {
        var store = request.result.objectStoreNames.contains(storeName)
            ? request.transaction.objectStore(storeName)
            : request.result.createObjectStore(storeName);
        if (!store.indexNames.contains('timestamp'))
          store.createIndex('timestamp', 'timestamp', {unique: false});
      };
      request.onsuccess = function() {
        database = request.result;
        // Another tab's newer version of the page may need the database closed.
        database.onversionchange = function() { database.close(); database = null; };
        resolve(database);
      };
      request.onerror = function() { reject(request.error); };
    }));
  }

  // A transaction's end: complete, or the reason it failed or was aborted (a full quota).
  function finished(transaction) {
    return new Promise(function(resolve, reject) {
      transaction.oncomplete = function() { resolve(); };
      transaction.onerror = function() { reject(transaction.error); };
      transaction.onabort = function() { reject(transaction.error || new Error('aborted')); };
    });
  }

  function localFiles() {
    var files = {};
    FS.readdir(folder).forEach(function(name) {
      var path = folder + '/' + name, node = FS.stat(path);
      if (FS.isFile(node.mode)) files[path] = node;
    });
    return files;
  }

  // Storage to folder: every file the storage holds that differs from our copy. Files of ours
  // that the storage lacks stay: one may be open for a save under way.
  function readFolder() {
    return openDatabase().then(function(db) {
      var transaction = db.transaction([storeName], 'readonly');
      var store = transaction.objectStore(storeName), records = {};
      store.openCursor().onsuccess = function(event) {
        var cursor = event.target.result;
        if (!cursor) return;
        records[cursor.key] = cursor.value;
        cursor.continue();
      };
      return patiently(finished(transaction)).then(function() {
        var mine = localFiles();
        Object.keys(records).forEach(function(path) {
          var record = records[path];
          if (path.indexOf(folder + '/') !== 0 || !FS.isFile(record.mode)) return;
          if (mine[path] && mine[path].mtime.getTime() === record.timestamp.getTime()) return;
          FS.writeFile(path, record.contents);
          FS.chmod(path, record.mode);
          FS.utime(path, record.timestamp, record.timestamp);
        });
      });
    });
  }

  // Folder to storage, in one transaction: the storage then holds exactly our files.
  function writeFolder() {
    return openDatabase().then(function(db) {
      var transaction = db.transaction([storeName], 'readwrite');
      var store = transaction.objectStore(storeName), mine = localFiles(), refused = null;
      var done = patiently(finished(transaction));
      store.getAllKeys().onsuccess = function(event) {
        try {
          event.target.result.forEach(function(path) { if (!mine[path]) store.delete(path); });
          Object.keys(mine).forEach(function(path) {
            store.put({timestamp: mine[path].mtime, mode: mine[path].mode,
                       contents: FS.readFile(path)}, path);
          });
        } catch (error) {
          // A put the store refused at once (a full quota): nothing of this write is kept.
          refused = error;
          transaction.abort();
        }
      };
      return done.catch(function(error) { throw refused || error; });
    });
  }

  // One transfer at a time, in the order asked.
  var turn = Promise.resolve();
  function inTurn(task) {
    var result = turn.then(task);
    turn = result.catch(function() {});
    return result;
  }
  // Resolves to null when done, or to the browser's words for the failure.
  function transfer(task, what) {
    return inTurn(task).then(function() { saved.failing = ''; return null; }, function(error) {
      saved.trouble = saved.failing = words(error);
      console.warn('The high-score table could not be ' + what + ' the browser: ' + saved.trouble);
      return saved.trouble;
    });
  }

  var others = typeof BroadcastChannel === 'function' ? new BroadcastChannel('zandrofel-save') : null;
  var release = null, askedToKeep = false;
  var saved = Module.zfSavedFiles = {
    folder: folder,
    // Why the storage failed last; failing: the same while it still fails; refused: why it
    // could not be read when the page started.
    trouble: '', failing: '', refused: '', writes: 0,
    // 0 taken, 1 another window kept it for wait_ms, -1 refused.
    lock: function(waitMs) {
      if (!navigator.locks) return Promise.resolve(0);  // no other window can be told apart
      var giveUp = new AbortController();
      var timer = setTimeout(function() { giveUp.abort(); }, waitMs);
      return new Promise(function(resolve) {
        navigator.locks.request('zandrofel-scores', {signal: giveUp.signal}, function() {
          clearTimeout(timer);
          resolve(0);
          return new Promise(function(done) { release = done; });
        }).catch(function(error) {
          clearTimeout(timer);
          if (error.name === 'AbortError') return resolve(1);
          saved.trouble = words(error);
          resolve(-1);
        });
      });
    },
    unlock: function() {
      if (release) release();
      release = null;
    },
    readBack: function(path) {
      var full = path.charAt(0) === '/' ? path : FS.cwd() + '/' + path;
      if (full !== folder && full.indexOf(folder + '/') !== 0) return Promise.resolve(null);
      return transfer(readFolder, 'read from');
    },
    writeBack: function() {
      return transfer(writeFolder, 'saved in').then(function(failed) {
        if (failed) return failed;
        saved.writes++;
        if (others) others.postMessage('saved');
        // Asked at the first save, when there is something to keep; nothing waits on the answer.
        if (!askedToKeep && navigator.storage && navigator.storage.persist) {
          askedToKeep = true;
          navigator.storage.persist().catch(function() {});
        }
        return null;
      });
    },
  };
  // Another window saved: our copy follows, unless a save of ours holds the lock and has read
  // the folder back under it already.
  if (others) others.onmessage = function() { if (!release) saved.readBack(folder); };

  addRunDependency('zf-save');
  transfer(readFolder, 'read from').then(function(failed) {
    saved.refused = failed || '';
    removeRunDependency('zf-save');
  });

  // For measuring: ?ticklog keeps the tick log in memory, where a test reads it.
  if (/[?&]ticklog/.test(location.search)) ENV['ZF_TICK_LOG'] = '/tmp/ticks.log';
});
