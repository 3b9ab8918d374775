// The high-score table in a file, from the start and end panels: "Save the table to a file"
// downloads scores.txt as the desktop game writes it; "Load a table from a file" reads one with
// the game's own reader, shows it, and puts it in this browser's storage only when asked. Both
// panels also say when the browser keeps nothing for this page. The program is not running
// meanwhile (before it starts, or after it ended), so the game's reader is free to use.
(function() {
  var tableFile = 'scores.txt';
  var chosen = document.getElementById('chosen-table');
  var chosenBytes = null;

  function saved() { return Module.zfSavedFiles; }
  function tablePath() { return saved().folder + '/' + tableFile; }

  // The bytes of a C string in the program's memory, as they are (no text decoding).
  function bytesAt(pointer) {
    var end = pointer;
    while (HEAPU8[end]) ++end;
    return HEAPU8.slice(pointer, end);
  }

  // The table in bytes read as the game reads scores.txt: {text, bytes} as the game shows and
  // writes it, or null for more bytes than any table has.
  function readTable(bytes) {
    var at = Module._malloc(Math.max(bytes.length, 1));
    HEAPU8.set(bytes, at);
    var read = Module._zf_score_table_read(at, bytes.length);
    Module._free(at);
    if (!read) return null;
    return {text: new TextDecoder('windows-1252').decode(bytesAt(Module._zf_score_table_text())),
            bytes: bytesAt(Module._zf_score_table_bytes())};
  }

  function storedBytes() {
    try { return FS.readFile(tablePath()); } catch (missing) { return new Uint8Array(0); }
  }

  function say(where, text) {
    document.querySelectorAll(where).forEach(function(element) {
      element.textContent = text;
      element.hidden = !text;
    });
  }

  function noteStorage(trouble) {
    say('.zf-storage-note', trouble ?
        'This browser keeps no data for this page (' + trouble + '), so the high-score ' +
        'table is lost when the page closes. Save it to a file to keep a copy.' : '');
  }

  // The table as this browser keeps it now, another window's latest save included.
  function saveToFile() {
    saved().readBack(saved().folder).then(function() {
      var table = readTable(storedBytes());
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([table.bytes], {type: 'text/plain'}));
      link.download = tableFile;
      link.click();
      setTimeout(function() { URL.revokeObjectURL(link.href); }, 60000);
    });
  }

  function loadFromFile(input) {
    var file = input.files[0];
    input.value = '';  // the same file may be chosen again
    if (!file) return;
    var largest = Module._zf_score_table_largest();
    if (file.size > largest) {
      return show('"' + file.name + '" is far too large to be a high-score table (' + file.size +
                  ' bytes).', null);
    }
    file.arrayBuffer().then(function(contents) {
      var table = readTable(new Uint8Array(contents));
      show('The table in "' + file.name + '":', table);
    }, function(error) {
      show('"' + file.name + '" could not be read: ' + error, null);
    });
  }

  function show(said, table) {
    chosenBytes = table && table.bytes;
    document.getElementById('chosen-said').textContent = said;
    document.getElementById('chosen-text').textContent = table ? table.text : '';
    document.getElementById('chosen-text').hidden = !table;
    document.getElementById('use-table').hidden = !table;
    chosen.hidden = false;
  }

  function close(said) {
    chosen.hidden = true;
    chosenBytes = null;
    say('.zf-table-said', said);
  }

  // Under the lock every window respects, as a game's save, and kept only once stored.
  function useChosen() {
    var bytes = chosenBytes, files = saved();
    files.lock(3000).then(function(taken) {
      if (taken !== 0) return taken > 0 ? 'another window of the game is saving' : files.trouble;
      return files.readBack(files.folder).then(function(failed) {
        if (failed) return failed;
        FS.writeFile(tablePath(), bytes);
        return files.writeBack();
      }).finally(files.unlock);
    }).then(function(failed) {
      close(failed ? 'The table could not be kept in this browser (' + failed + ').'
                   : 'This browser now keeps the table from the file.');
    });
  }

  // The start panel starts the game on any click; these do not.
  document.querySelectorAll('.zf-table, #chosen-table').forEach(function(element) {
    element.addEventListener('click', function(event) { event.stopPropagation(); });
  });
  document.querySelectorAll('.zf-save-table').forEach(function(button) {
    button.addEventListener('click', saveToFile);
  });
  document.querySelectorAll('.zf-load-table').forEach(function(input) {
    input.addEventListener('change', function() { loadFromFile(input); });
  });
  document.getElementById('use-table').addEventListener('click', useChosen);
  document.getElementById('keep-table').addEventListener('click', function() {
    close('The table this browser keeps is unchanged.');
  });

  var initialized = Module.onRuntimeInitialized, ended = Module.zfGameEnded;
  Module.onRuntimeInitialized = function() {
    if (initialized) initialized();
    noteStorage(saved().refused);
  };
  Module.zfGameEnded = function() {
    if (ended) ended();
    noteStorage(saved().failing);
  };
})();
