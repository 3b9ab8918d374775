#!/usr/bin/env bash
# Every release file of the commit checked out here, built in a clean clone of it in a temporary
# folder: the Debian package, the Windows zip and the web site as a zip of its static files, each
# named with the project's version, and their SHA-256 sums in SHA256SUMS, into build/release/.
# Uncommitted changes are not part of a release. Not part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$PWD
out=$checkout/build/release

say() { printf 'release: %s\n' "$*"; }
fail() {
    say "FAILED: $*" >&2
    exit 1
}

scripts/setup.sh

commit=$(git rev-parse HEAD)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    say "uncommitted changes are left out: this is commit ${commit:0:12} as committed"
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/zf-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Only this commit and its history, whether a branch names it or not.
git init --quiet "$work/source"
git -C "$work/source" fetch --quiet "$checkout" HEAD
[ "$(git -C "$work/source" rev-parse FETCH_HEAD)" = "$commit" ] || fail "could not fetch $commit"
git -C "$work/source" checkout --quiet --detach FETCH_HEAD
cd "$work/source"
version=$(sed -n 's/^project(zandrofel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no project version in CMakeLists.txt"
say "version $version, commit ${commit:0:12}, built in $work/source"

# FreeType for WebAssembly is Debian's source built once, not the project's; the checkout's copy
# saves building it again, with the note of the drivers it was built with.
kept=$checkout/build/freetype-wasm
if [ -f "$kept/lib/libfreetype.a" ] && [ -f "$kept/modules" ]; then
    mkdir -p build/freetype-wasm
    cp -a "$kept/lib" "$kept/include" "$kept/modules" build/freetype-wasm/
fi

# What ships needs no tests or benchmarks.
say "the Debian package"
cmake --preset default -DZF_TESTS=OFF -DZF_BENCHMARKS=OFF >/dev/null
cmake --build --preset default
(cd build/default && cpack -G DEB >/dev/null) || fail "cpack could not make the Debian package"
debian_package=$(ls build/default/package/zandrofel_"$version"_*.deb)

say "the Windows zip"
cmake --preset windows -DZF_TESTS=OFF >/dev/null
cmake --build --preset windows
(cd build/windows && cpack -G ZIP >/dev/null) || fail "cpack could not make the Windows zip"

say "the web site"
cmake --preset web >/dev/null
cmake --build --preset web
[ -f build/web/site/index.html ] || fail "the web build left no site"

rm -rf "$out"
mkdir -p "$out"
cp "$debian_package" "$out/"
cp build/windows/zandrofel-windows-x64.zip "$out/zandrofel-$version-windows-x64.zip"
# Whatever the web build puts in the site, from its top: the files are served as they lie.
(cd build/web/site && zip -q -r -X "$out/zandrofel-$version-web.zip" .)
(cd "$out" && sha256sum -- *.deb *.zip >SHA256SUMS)

say "done, in $out:"
(cd "$out" && ls -l --time-style=+ -- * | awk '{ printf "  %-40s %12s bytes\n", $NF, $5 }')
