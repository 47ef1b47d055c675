#!/usr/bin/env bash
# Drives the real mkdisks as a vendor does: a product laid out on diskettes,
# the split archive read back with mkarc, the floppy images read back with
# mtools, the same bytes from a second run, faults and usage errors.
# Usage: mkdisks_test.sh MKDISKS MKARC WORKDIR [RUNNER...]
#   (RUNNER: wine-run PREFIX for the Windows build, which makes no images)
# Paths given to the tools are relative, so the Windows build reads the same
# files under Wine. Output goes to files: Wine's helpers may hold a pipe open.
set -u
mkdisks=$1
mkarc=$2
work=$3
shift 3
runner=("$@")
images=()
[ ${#runner[@]} -eq 0 ] && images=(--images)

source "$(dirname "${BASH_SOURCE[0]}")/../../common/cli-test.sh"

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

# The product: an incompressible screen saver larger than what a diskette
# holds here, so that its archive is cut; a read-me; a setup program.
mkdir payload
head -c 300000 /dev/urandom >payload/velmosaver.scr
seq 1 3000 >payload/LICENSE.TXT
printf 'Read me.\r\n' >payload/README.TXT
head -c 60000 /dev/urandom >payload/SETUP.EXE
cat >velmo.ini <<'INI'
; Velmo for the test
[destinations]
0=VELMO
1=DOCS|0

[groups]
Main=Main|Saver|1|1|1
Docs=Docs|Read-me|0|1|1

[Main]
SAVER.ARC=||||0|saver

[Docs]
README.TXT=||||1|read-me

[archive SAVER.ARC]
velmosaver.scr=-3
LICENSE.TXT=1

[diskettes]
1=Velmo Disk 1|
2=Velmo Disk 2|

[targets]
velmosaver.scr=0|0|0|Velmo Screen Saver|/s||
nothere.exe=0|0|0|Nothing|||
INI

run 0 "$mkdisks" --capacity 200000 --time 865166400 "${images[@]}" velmo.ini payload out
grep -q '^out/DISK01: SETUP.EXE SETUP.ini SAVER.ARC' out.txt || fail "DISK01 not reported: $(cat out.txt)"
expect_error "velmo.ini:26: warning: no file of the set installs 'nothere.exe'"
grep -q "velmosaver.scr'" err.txt && fail "a target that is installed was warned of"
[ -f out/DISK01/SETUP.EXE ] && [ -f out/DISK01/SETUP.ini ] || fail "DISK01 lacks the program or its profile"
[ -f out/DISK02/saver.ard ] || fail "the archive was not continued on DISK02"
[ ! -e out/.mkdisks-work ] || fail "the work directory was left behind"
grep -q '^SAVER.ARC=313893|1|2|1|0|saver' out/DISK01/SETUP.ini ||
    fail "SAVER.ARC not filled in: $(grep SAVER out/DISK01/SETUP.ini)"
for d in out/DISK*/; do
    used=0
    for f in "$d"*; do used=$((used + ($(stat -c %s "$f") + 511) / 512 * 512)); done
    [ "$used" -le 200000 ] || fail "$d takes $used bytes, more than 200000"
done

# The archive as the setup program reads it: across DISKnn, the members whole.
run 0 "$mkarc" test out/DISK01/SAVER.ARC
mkdir extracted
run 0 "$mkarc" extract out/DISK01/SAVER.ARC extracted
cmp -s extracted/velmosaver.scr payload/velmosaver.scr || fail "velmosaver.scr came back different"
cmp -s extracted/LICENSE.TXT payload/LICENSE.TXT || fail "LICENSE.TXT came back different"
run 0 "$mkarc" list out/DISK01/SAVER.ARC
# With no method named, what zlib cannot shrink is stored.
grep -qE '^velmosaver.scr +-3 +stored .* 1997-06-01 12:00:00' out.txt ||
    fail "member method, time or destination not kept: $(cat out.txt)"
grep -qE '^LICENSE.TXT +1 +zlib ' out.txt || fail "LICENSE.TXT not packed with zlib: $(cat out.txt)"

# The same inputs again: the same bytes, images included.
run 0 "$mkdisks" --capacity 200000 --time 865166400 "${images[@]}" velmo.ini payload again
diff -r out again >diff.txt || fail "a second run differs: $(head -5 diff.txt)"

if [ ${#images[@]} -gt 0 ]; then
    # Each image: a 1.44 MB floppy with the diskette's label and its files, byte for byte.
    for n in 01 02; do
        img=out/DISK$n.IMG
        [ "$(stat -c %s "$img")" = 1474560 ] || fail "$img is not a 1.44 MB image"
        mlabel -i "$img" -s :: >label.txt 2>&1
        grep -q "VELMODISK${n#0}" label.txt || fail "$img label: $(cat label.txt)"
        mdir -b -i "$img" :: >files.txt 2>&1
        [ "$(wc -l <files.txt)" = "$(ls out/DISK$n | wc -l)" ] || fail "$img holds $(cat files.txt)"
        for f in out/DISK$n/*; do
            name=$(basename "$f")
            rm -f copied
            mcopy -n -i "$img" "::/$name" copied 2>/dev/null || fail "$img lacks $name"
            cmp -s copied "$f" || fail "$name in $img differs from out/DISK$n"
        done
    done
    # SOURCE_DATE_EPOCH fixes the times as --time does.
    SOURCE_DATE_EPOCH=865166400 "$mkdisks" --capacity 200000 --images velmo.ini payload epoch \
        >/dev/null 2>&1 || fail "mkdisks with SOURCE_DATE_EPOCH failed"
    cmp -s out/DISK02.IMG epoch/DISK02.IMG || fail "SOURCE_DATE_EPOCH gives other images than --time"
fi

# Faults in the description, each with its file and line: MkdisksTest's table;
# here the status and that no set is made.
sed 's/^README.TXT=/MISSING.TXT=/' velmo.ini >missing.ini
run 1 "$mkdisks" missing.ini payload bad
expect_error "missing.ini:14: 'MISSING.TXT' is not in the payload directory payload"
[ ! -e bad ] || fail "a refused description left a set behind"

# Usage.
run 0 "$mkdisks" --help
grep -qF '[archive SAVER.ARC]' out.txt || fail "--help does not show an archive section"
run 2 "$mkdisks" velmo.ini payload
expect_error "usage: mkdisks"
run 2 "$mkdisks" --capacity lots velmo.ini payload out
expect_error "--capacity takes a number"
run 2 "$mkdisks" --bogus velmo.ini payload out
expect_error "unknown option --bogus"

finish mkdisks
