#!/usr/bin/env bash
# Drives the real mkarc as its users do.
# Usage: mkarc_test.sh MKARC WORKDIR [RUNNER...]   (RUNNER: wine-run PREFIX for the Windows build)
# Paths given to mkarc are relative, so that the Windows build reads the same
# files under Wine. Output goes to files: Wine's helpers may hold a pipe open.
set -u
mkarc=$1
work=$2
shift 2
runner=("$@")

source "$(dirname "${BASH_SOURCE[0]}")/../../common/cli-test.sh"

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

# The product to pack: random data, text, an empty file, a larger file.
mkdir in
head -c 70000 /dev/urandom >in/random.bin
seq 1 9000 >in/numbers.txt
: >in/empty.dat
head -c 40000 /dev/urandom >in/setup.dll
cat in/numbers.txt in/numbers.txt >in/twice.txt

# Pack into diskette-sized pieces, and read them back byte for byte.
mkdir -p DISK01
run 0 "$mkarc" pack --piece-size 30000 --mtime 1000000000 DISK01/DATA.Z01 in/random.bin in/numbers.txt \
    --method stored in/empty.dat --dest -1 in/setup.dll --text "shared" --dest -3 --method zlib in/twice.txt
pieces=$(ls DISK01 | wc -l)
[ "$pieces" -ge 3 ] || fail "expected at least 3 pieces, got $pieces"
[ -f DISK01/data.z02 ] && [ -f DISK01/data.z03 ] || fail "pieces not named by the next-piece rule"
for f in DISK01/*; do
    size=$(stat -c %s "$f")
    [ "$size" -le 30000 ] || fail "$f holds $size bytes, more than the piece size"
done

run 0 "$mkarc" list DISK01/DATA.Z01
[ "$(grep -c . out.txt)" = 6 ] || fail "list should print a heading and 5 members"
grep -qE '^setup.dll +-1 +stored' out.txt || fail "list: setup.dll not shown stored for -1"
grep -qE '^twice.txt +-3 +zlib' out.txt || fail "list: twice.txt not shown for the System directory (-3)"
grep -qE ' 1$' out.txt || fail "list: no member shows the continued flag"
# Without --method, zlib packs what it shrinks and the rest is stored.
grep -qE '^random.bin +0 +stored +70000 +70000 ' out.txt || fail "list: random.bin, which zlib cannot shrink, not stored"
grep -qE '^numbers.txt +0 +zlib ' out.txt || fail "list: numbers.txt not packed with zlib"

run 0 "$mkarc" test DISK01/DATA.Z01
grep -qF "5 member(s) OK" out.txt || fail "test did not check 5 members"

mkdir out
run 0 "$mkarc" extract DISK01/DATA.Z01 out
for f in random.bin numbers.txt empty.dat setup.dll twice.txt; do
    cmp -s "in/$f" "out/$f" || fail "extracted $f differs"
done

# A directory stands for the files directly in it, by name; a subdirectory
# is said and passed over.
mkdir -p in/sub
run 0 "$mkarc" pack dir.arc in
grep -qE 'in[/\\]sub: a directory, not packed' err.txt || fail "pack did not say it passed over in/sub"
run 0 "$mkarc" list dir.arc
[ "$(sed 1d out.txt | awk '{print $1}' | tr '\n' ' ')" = "empty.dat numbers.txt random.bin setup.dll twice.txt " ] ||
    fail "a directory should pack its five files in name order"
rmdir in/sub

# The same inputs with a fixed time give the same bytes.
mkdir again
run 0 "$mkarc" pack --piece-size 30000 --mtime 1000000000 again/DATA.Z01 in/random.bin in/numbers.txt \
    --method stored in/empty.dat --dest -1 in/setup.dll --text "shared" --dest -3 --method zlib in/twice.txt
for f in DISK01/*; do
    cmp -s "$f" "again/$(basename "$f")" || fail "second pack of $(basename "$f") differs"
done

# Pieces spread over numbered diskette directories are followed.
mkdir -p set/DISK01
cp DISK01/DATA.Z01 set/DISK01/
n=2
for f in $(ls DISK01 | grep -v DATA.Z01 | sort); do
    mkdir -p "$(printf 'set/DISK%02d' $n)"
    cp "DISK01/$f" "$(printf 'set/DISK%02d' $n)/"
    n=$((n + 1))
done
mkdir out2
run 0 "$mkarc" extract set/DISK01/DATA.Z01 out2
for f in random.bin numbers.txt empty.dat setup.dll twice.txt; do
    cmp -s "in/$f" "out2/$f" || fail "extracted $f from DISKnn differs"
done

# Damaged archives: the reader's own error title, status 1.
cp DISK01/DATA.Z01 bad_header.arc
printf 'X' | dd of=bad_header.arc bs=1 seek=0 conv=notrunc 2>/dev/null
run 1 "$mkarc" test bad_header.arc
expect_error "File is not an archive file."

printf 'mflh\0\0\0\0' >bad_record.arc
head -c 346 /dev/zero >>bad_record.arc
run 1 "$mkarc" test bad_record.arc
expect_error "Archive file damaged (missing entry header)."

mkdir crc
run 0 "$mkarc" pack --method stored crc/C.ARC in/numbers.txt
# --method zlib is kept even where it saves nothing.
run 0 "$mkarc" pack --method zlib crc/Z.ARC in/random.bin
run 0 "$mkarc" list crc/Z.ARC
grep -qE '^random.bin +0 +zlib ' out.txt || fail "--method zlib did not pack random.bin with zlib"
# Flip a byte of the stored data (after the 8-byte header and the record).
printf 'Z' | dd of=crc/C.ARC bs=1 seek=1000 conv=notrunc 2>/dev/null
run 1 "$mkarc" test crc/C.ARC
expect_error "Archive file damaged (CRC Mismatch)"
expect_error "numbers.txt"

mkdir missing
cp DISK01/DATA.Z01 missing/
run 1 "$mkarc" test missing/DATA.Z01
expect_error "File not found."
expect_error "data.z02"

printf 'mfl' >short.arc
run 1 "$mkarc" list short.arc
expect_error "End of file."

# A piece name that Windows cannot hold is refused before anything is written.
mkdir refuse
run 1 "$mkarc" pack --piece-size 30000 refuse/DATA.Z09 in/random.bin in/setup.dll
expect_error "data.z0:"
[ -z "$(ls refuse)" ] || fail "a refused pack left files: $(ls refuse)"

run 1 "$mkarc" pack --piece-size 300 tiny.arc in/random.bin in/numbers.txt
expect_error "too small"

# Usage errors.
run 2 "$mkarc"
run 2 "$mkarc" frobnicate
run 2 "$mkarc" pack
run 2 "$mkarc" pack only.arc
run 2 "$mkarc" pack --method lzw x.arc in/random.bin
run 2 "$mkarc" pack --dest 70000 x.arc in/random.bin
run 2 "$mkarc" extract DISK01/DATA.Z01
run 2 "$mkarc" list
run 0 "$mkarc" --help
grep -qF "mkarc pack" out.txt || fail "--help shows no usage"

finish mkarc
