# Sourced by the shell tests of the command-line tools: a failure counter, a
# tool run whose output goes to files (Wine's helpers may hold a pipe open),
# and the summary. The caller sets runner=(...) (wine-run PREFIX, or nothing).
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run EXPECTED-STATUS TOOL ARGS...: output in out.txt and err.txt, line ends
# as Unix writes them.
run() {
    local expected=$1 tool=$2
    shift 2
    "${runner[@]}" "$tool" "$@" >out.txt 2>err.txt </dev/null
    local status=$?
    tr -d '\r' <out.txt >out.clean && mv out.clean out.txt
    tr -d '\r' <err.txt >err.clean && mv err.clean err.txt
    if [ "$status" != "$expected" ]; then
        fail "$(basename "$tool") $* gave status $status, expected $expected"
        sed 's/^/  | /' out.txt err.txt
    fi
}

expect_error() { # expect_error TEXT: err.txt holds TEXT
    grep -qF -- "$1" err.txt || fail "no '$1' in: $(cat err.txt)"
}

# finish NAME: the summary and the exit status.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$1: $failures failure(s)"
        exit 1
    fi
    echo "$1: all checks passed"
}
