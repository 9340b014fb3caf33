# Sourced by the fuzzing scripts: fuzz_configure SOURCE BUILD configures a
# clang tree of the harnesses (AddressSanitizer, UBSan, coverage hooks).
#
# With ccache installed, every such tree compiles through one cache,
# build-fuzz/ccache. Paths in the compile lines are made relative to the
# build folder and the folder itself is left out of the hash, so a tree
# whose build folder sits inside it as build-fuzz sits in the checkout (the
# planted faults' scratch copy) reuses build-fuzz's objects for every file
# it has not changed.
fuzz_configure() {
  local source=$1 build=$2 launcher=()
  if command -v ccache >/dev/null 2>&1; then
    export CCACHE_DIR="$PWD/build-fuzz/ccache" CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  CC=clang CXX=clang++ cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEELHAVEN_FUZZ=ON \
    -DKEELHAVEN_TESTS=OFF -DKEELHAVEN_BENCH=OFF "${launcher[@]}" >/dev/null
}
