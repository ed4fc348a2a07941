# shellcheck shell=sh
# Shared by the scripts in tools/ (sourced, from the top of the source tree): the number of
# build jobs and the one way a build tree is configured.

# The machine's cores, or BRISALO_JOBS when set.
brisalo_jobs() {
    echo "${BRISALO_JOBS:-$(nproc 2>/dev/null || echo 2)}"
}

# configure_tree DIR [CMAKE ARGUMENTS...]: configures DIR from this tree, quietly. Each
# script passes every option it relies on, so a tree never keeps another script's choice.
configure_tree() {
    tree=$1
    shift
    cmake -S . -B "$tree" "$@" >/dev/null
}

# The fuzz harnesses' clang tree, build-fuzz/.
configure_fuzz_tree() {
    configure_tree build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DBRISALO_FUZZ=ON \
        -DBRISALO_WERROR=ON
}

# The test tree, build/: what tools/test.sh builds and the benchmarks reuse.
configure_test_tree() {
    configure_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRISALO_WERROR=ON -DBRISALO_TESTS=ON
}
