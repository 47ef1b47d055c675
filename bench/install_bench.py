#!/usr/bin/env python3
"""The whole installation of one payload, ours against an NSIS installer.

Run through bench/install-bench, which prepares the Wine prefix and keeps one
wineserver alive. Makes a payload from a seed (a mix of text-like and random
files in a few directories), packs it for SETUP.EXE with mkarc (one diskette
directory, no size limit) and into an NSIS installer (zlib, not solid, silent),
then installs each one unattended, alternating, into fresh directories on C:.
Every installed tree is compared with the payload before its time counts.
"""

import argparse
import atexit
import hashlib
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

# Destination numbers and directories of the payload: 0 is the main directory.
DIRECTORIES = [(0, ""), (1, "DOCS"), (2, "DATA"), (3, "LIB")]
WORDS = (
    "the of and to in is that for it as was with be by on not he this are or his from at which "
    "but have an they you were her she there been one all we their has would when if so no will "
    "setup install diskette archive member profile destination directory file group target "
    "window dialog message screen saver gradient palette version resource registry shortcut "
    "program manager copy progress gauge percent cancel continue operation system temporary"
).split()


# The kinds of payload: the mix, and each kind of file alone.
KINDS = ("mixed", "text", "random")


def make_payload(root, mib, seed, kind="mixed"):
    """Writes the payload under root once; the same seed gives the same bytes."""
    # The stamp lies beside the payload, so that no installer packs it.
    stamp = root + ".complete"
    if os.path.exists(stamp):
        return
    shutil.rmtree(root, ignore_errors=True)
    rng = random.Random(seed)
    # Text-like files are slices of one corpus of words: zlib packs them about
    # three to one, as it would packs documentation or code.
    corpus = bytearray()
    while len(corpus) < 4 << 20:
        line = " ".join(rng.choices(WORDS, k=rng.randint(4, 14)))
        corpus += line.encode() + b"\r\n"
    corpus = bytes(corpus)

    total = mib << 20
    sizes = []
    while sum(sizes) < total:
        # Sizes spread over four orders of magnitude, most of them small; a
        # small payload still comes in several files.
        sizes.append(min(int(2 ** rng.uniform(9, 22)), max(total // 8, 512)))
    sizes[-1] -= sum(sizes) - total
    if sizes[-1] <= 0:
        sizes.pop()
    for number, (_, sub) in enumerate(DIRECTORIES):
        os.makedirs(os.path.join(root, sub), exist_ok=True)
    for index, size in enumerate(sizes):
        sub = DIRECTORIES[rng.randrange(len(DIRECTORIES))][1]
        text = rng.random() < 0.6 if kind == "mixed" else kind == "text"
        name = "F%04d.%s" % (index, "TXT" if text else "BIN")
        if text:
            parts = []
            left = size
            while left > 0:
                n = min(left, rng.randint(256, 65536))
                start = rng.randrange(len(corpus) - n)
                parts.append(corpus[start : start + n])
                left -= n
            data = b"".join(parts)
        else:
            data = rng.randbytes(size)
        with open(os.path.join(root, sub, name), "wb") as out:
            out.write(data)
    open(stamp, "w").close()


def payload_files(root):
    """Relative path (upper case, backslashes) -> (size, digest) of every file."""
    files = {}
    for directory, _, names in os.walk(root):
        for name in names:
            if name.startswith("."):
                continue
            path = os.path.join(directory, name)
            rel = os.path.relpath(path, root).replace("/", "\\").upper()
            files[rel] = digest(path)
    return files


def digest(path):
    h = hashlib.md5()
    with open(path, "rb") as f:
        while True:
            block = f.read(1 << 20)
            if not block:
                break
            h.update(block)
    return os.path.getsize(path), h.hexdigest()


def pack_ours(payload, disk, mkarc, setup_exe):
    """DISK01 with SETUP.EXE, one archive per directory; the profile per run."""
    # The archives of a payload are made once; the program is copied each time.
    # The stamp names how they were packed: archives of another packing are made again.
    stamp = disk + ".packed-auto"
    packed = os.path.exists(stamp)
    if not packed:
        shutil.rmtree(disk, ignore_errors=True)
        os.makedirs(disk)
    shutil.copy(setup_exe, os.path.join(disk, "SETUP.EXE"))
    items = []
    for number, sub in DIRECTORIES:
        src = os.path.join(payload, sub)
        names = sorted(n for n in os.listdir(src) if os.path.isfile(os.path.join(src, n)))
        if not names:
            continue
        archive = "PART%d.ARC" % number
        if not packed:
            subprocess.run(
                [mkarc, "pack", "--method", "auto", "--mtime", "865166400", "--dest", str(number),
                 os.path.join(disk, archive)] + [os.path.join(src, n) for n in names],
                check=True, stdout=subprocess.DEVNULL)
        size = sum(os.path.getsize(os.path.join(src, n)) for n in names)
        items.append("%s=%d|1|%d|1|0|" % (archive, size, len(names)))
    open(stamp, "w").close()
    return items


def write_profile(disk, items, name, program="SETUP"):
    lines = ["[destinations]", "0=" + name]
    lines += ["%d=%s|0" % (number, sub) for number, sub in DIRECTORIES if number != 0]
    lines += ["[groups]", "Main=Payload|Everything|1|1|1", "[Main]"] + items
    path = os.path.join(disk, program + ".ini")
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    # A profile as it ships, written long ago: Wine reads a file changed
    # within the last moments again at every call.
    day_ago = time.time() - 86400
    os.utime(path, (day_ago, day_ago))


def pack_nsis(payload, out_dir):
    """An installer of the same payload: zlib, not solid, silent, /D=dir."""
    os.makedirs(out_dir, exist_ok=True)
    exe = os.path.join(out_dir, "payload-nsis.exe")
    script = os.path.join(out_dir, "payload.nsi")
    if os.path.exists(exe + ".built"):
        return exe
    with open(script, "w") as f:
        f.write(
            "Unicode false\n"
            "Name \"Payload\"\n"
            "OutFile \"%s\"\n"
            "SetCompressor zlib\n"
            "SilentInstall silent\n"
            "RequestExecutionLevel user\n"
            "InstallDir \"C:\\nsis-default\"\n"
            "Section\n"
            "  SetOutPath \"$INSTDIR\"\n"
            "  File /r \"%s/*.*\"\n"
            "SectionEnd\n" % (exe, payload))
    subprocess.run(["makensis", "-V2", script], check=True, stdout=subprocess.DEVNULL)
    open(exe + ".built", "w").close()
    return exe


def run_timed(command, cwd, scratch):
    """Wall time in seconds and peak resident memory in KiB of one run."""
    memfile = os.path.join(scratch, "peak")
    start = time.perf_counter()
    process = subprocess.Popen(
        ["/usr/bin/time", "-f", "%M", "-o", memfile] + command, cwd=cwd,
        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # A wait with a time-out polls, at last every 50 ms, which would add up to
    # 50 ms to each time; the wait without one returns when the process ends,
    # and a timer stops a run that hangs.
    watchdog = threading.Timer(900, process.kill)
    watchdog.start()
    status = process.wait()
    elapsed = time.perf_counter() - start
    watchdog.cancel()
    with open(memfile) as f:
        peak = int(f.read().split()[-1])
    return elapsed, peak, status


def check_tree(installed, expected, label):
    found = payload_files(installed) if os.path.isdir(installed) else {}
    if found != expected:
        missing = sorted(set(expected) - set(found))
        extra = sorted(set(found) - set(expected))
        differ = sorted(k for k in set(found) & set(expected) if found[k] != expected[k])
        sys.exit("install-bench: %s installed a different tree: missing %s, extra %s, differing %s"
                 % (label, missing[:5], extra[:5], differ[:5]))


def describe(label, times, peaks):
    median = statistics.median(times)
    return "%-26s median %6.2f s   spread %.2f-%.2f s   peak memory %.1f MB" % (
        label, median, min(times), max(times), max(peaks) / 1024.0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--mib", type=int, default=200)
    parser.add_argument("--kind-mib", type=int, help="size of the text-only and random-only "
                        "payloads (default: --mib; 0 leaves them out)")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--only-ours", action="store_true", help="time SETUP.EXE alone")
    parser.add_argument("--setup", help="another SETUP.EXE to time (a build before a change)")
    parser.add_argument("--compare", action="append", default=[], metavar="LABEL=EXE",
                        help="also time this build of SETUP.EXE, in the same alternation")
    args = parser.parse_args()
    kind_mib = args.mib if args.kind_mib is None else args.kind_mib

    # The binaries that go on the diskettes, not the test build's.
    setup_exe = args.setup or os.path.join(args.build, "win", "shipped", "bin", "SETUP.EXE")
    mkarc = os.path.join(args.build, "native", "tools", "mkarc", "mkarc")
    for needed in (setup_exe, mkarc):
        if not os.path.exists(needed):
            sys.exit("install-bench: %s is missing (make build)" % needed)
    drive_c = os.path.join(args.prefix, "drive_c")
    scratch = tempfile.mkdtemp(prefix="install-bench.")

    # A set is one payload with its diskette directory and its NSIS installer.
    wanted = [("mixed", args.mib), ("mixed", 1)]
    if kind_mib > 0:
        wanted += [("text", kind_mib), ("random", kind_mib)]
    sets = {}
    for kind, mib in wanted:
        tag = "%d" % mib if kind == "mixed" else "%s-%d" % (kind, mib)
        payload = os.path.join(args.work, "payload-%d-%s" % (args.seed, tag))
        make_payload(payload, mib, args.seed, kind)
        disk = os.path.join(args.work, "ours-%s" % tag, "DISK01")
        items = pack_ours(payload, disk, mkarc, setup_exe)
        nsis = None
        if not args.only_ours:
            nsis = pack_nsis(payload, os.path.join(args.work, "nsis-%s" % tag))
        sets[(kind, mib)] = (payload, payload_files(payload), disk, items, nsis)

    main_set = ("mixed", args.mib)
    payload, expected, disk, items, nsis = sets[main_set]
    count = len(expected)
    print("payload: %d files, %d bytes in %d directories (seed %d)"
          % (count, sum(s for s, _ in expected.values()), len(DIRECTORIES), args.seed))
    print("ours: %d bytes in %d archives; NSIS: %s" % (
        sum(os.path.getsize(os.path.join(disk, n)) for n in os.listdir(disk) if n.endswith(".ARC")),
        len(items), "%d bytes" % os.path.getsize(nsis) if nsis else "not built"))
    print("SETUP.EXE: %s" % setup_exe)
    sys.stdout.flush()

    serial = [0]

    def install(kind, key):
        payload, expected, disk, items, nsis = sets[key]
        serial[0] += 1
        name = "B%s%05d" % ("N" if kind == "nsis" else "O", serial[0] + os.getpid() % 1000 * 100)
        target = os.path.join(drive_c, name)
        shutil.rmtree(target, ignore_errors=True)
        if kind != "nsis":
            # A build to compare runs under its own name, with its own profile.
            program = "SETUP" if kind == "ours" else kind.upper()
            shutil.copy(setup_exe if kind == "ours" else compare[kind],
                        os.path.join(disk, program + ".EXE"))
            write_profile(disk, items, name, program)
            command = ["wine", os.path.join(disk, program + ".EXE"), "/B"]
            cwd = disk
        else:
            command = ["wine", nsis, "/S", "/D=C:\\" + name]
            cwd = os.path.dirname(nsis)
        # What earlier installations left for the disk is written now, not
        # by the kernel's flusher in the middle of this one.
        os.sync()
        elapsed, peak, status = run_timed(command, cwd, scratch)
        check_tree(target, expected, "%s on the %s payload" % (kind, key[0]))
        installed.append(target)
        return elapsed, peak

    # Every installed tree stays until the end of the run. On an ext4 file
    # system without a journal, the kernel passes over every inode freed in the
    # last 30 seconds when it allocates one: removing each tree before the next
    # installation made every installer's file creation scan the thousands just
    # freed, a cost of the benchmark's own cleanup, not of the installers. (Kept,
    # the trees go to the disk: each run starts after a sync.)
    installed = []
    atexit.register(lambda: [shutil.rmtree(t, ignore_errors=True) for t in installed])

    compare = dict(entry.split("=", 1) for entry in args.compare)
    kinds = ["ours"] + sorted(compare) + ([] if args.only_ours else ["nsis"])
    timed = [key for key in sets if key != ("mixed", 1) or key == main_set]
    # One run of each first, not counted: every installer then starts from a
    # warm page cache and a warm Wine.
    for key in timed:
        for kind in kinds:
            install(kind, key)
    results = {(key, kind): ([], []) for key in timed for kind in kinds}
    for run in range(args.runs):
        # Alternating, and each one first every other round.
        order = kinds if run % 2 == 0 else kinds[::-1]
        for key in timed:
            for kind in order:
                elapsed, peak = install(kind, key)
                results[key, kind][0].append(elapsed)
                results[key, kind][1].append(peak)
                print("  run %d %-6s %-4s %6.2f s  %.1f MB" % (run + 1, key[0], kind, elapsed,
                                                            peak / 1024.0))
                sys.stdout.flush()

    small = [install("ours", ("mixed", 1))[1] for _ in range(3)]
    load = os.getloadavg()
    print("machine load (1, 5, 15 min): %.2f %.2f %.2f on %d cores" % (load + (os.cpu_count(),)))
    for key in timed:
        what = "" if key == main_set else ", %s only, %d MiB" % (key[0], key[1])
        print(describe("ours (SETUP.EXE /B)%s:" % what, *results[key, "ours"]))
        for label in sorted(compare):
            print(describe("%s (SETUP.EXE /B)%s:" % (label, what), *results[key, label]))
        if "nsis" in kinds:
            print(describe("NSIS (installer /S)%s:" % what, *results[key, "nsis"]))
    big_peak = max(results[main_set, "ours"][1])
    print("ours, peak memory: %.1f MB at 1 MiB, %.1f MB at %d MiB (difference %.1f MB)"
          % (max(small) / 1024.0, big_peak / 1024.0, args.mib, (big_peak - max(small)) / 1024.0))
    shutil.rmtree(scratch, ignore_errors=True)
    if "nsis" in kinds:
        def ratio(key):
            return (statistics.median(results[key, "nsis"][0])
                    / statistics.median(results[key, "ours"][0]))
        for key in timed:
            if key != main_set:
                print("speed-up over NSIS, %s files only: %.2f"
                      % ("text-like" if key[0] == "text" else key[0], ratio(key)))
        print("speed-up over NSIS: %.2f" % ratio(main_set))


if __name__ == "__main__":
    main()
