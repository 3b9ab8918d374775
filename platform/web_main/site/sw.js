// Keeps every file of the site for playing without a network. Each build has a cache of its own,
// named after a hash of its files; a page is served wholly from the cache of the build that
// controls it, and a newer build takes over only when the page asks (at its next start).
var BUILD = 'zandrofel-@ZF_BUILD@';
var FILES = [@ZF_FILES@];

self.addEventListener('install', function(event) {
  event.waitUntil(caches.open(BUILD).then(function(cache) {
    return cache.addAll(FILES.map(function(file) { return new Request(file, {cache: 'reload'}); }));
  }));
});

self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name.indexOf('zandrofel-') === 0 && name !== BUILD;
    }).map(function(name) { return caches.delete(name); }));
  }).then(function() { return self.clients.claim(); }));
});

self.addEventListener('message', function(event) {
  if (event.data === 'take over') self.skipWaiting();
});

self.addEventListener('fetch', function(event) {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(BUILD).then(function(cache) {
    return cache.match(event.request, {ignoreSearch: true});
  }).then(function(kept) { return kept || fetch(event.request); }));
});
