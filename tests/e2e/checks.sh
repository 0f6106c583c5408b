# Counts the byte-for-byte comparisons of an end-to-end run. Sourced by its run.sh.
passed=0
failed=0
check() {
    local what=$1 expected=$2 actual=$3
    if [ -f "$actual" ] && cmp -s "$expected" "$actual"; then
        passed=$((passed + 1))
        echo "ok   $what"
    else
        failed=$((failed + 1))
        echo "FAIL $what: $actual differs from $expected"
    fi
}
