#!/usr/bin/env python3
"""Many writers on one virtual remote, with injected write and link faults and kills.

N worker processes each learn M codes on keys of their own with `qmv718-cli learn`, all at the
same time (a writer refused because another holds the remote tries again), while a chaos loop
makes the remote's next write fail or its link drop and kills running learns with SIGKILL.
Afterwards every key must play a code it was sent (its last learn that succeeded, or one of the
learns after it that were killed), and `check` must find the tables consistent with no slot in
use that no key names.

    scripts/stress-writers.py --workers 4 --learns 25 [--bin build-dev/bin] [--seed 1]

Prints the counts and exits 1 when any of wrong codes, leaked slots or inconsistent images is not 0.
"""
import argparse
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

HOLD_REFUSAL = "遥控器正在被另一个程序修改"


def nec_timings(address, command):
    durations = [9000, 4500]
    for byte in (address, ~address & 0xFF, command, ~command & 0xFF):
        for bit in range(8):
            durations += [560, 1690 if (byte >> bit) & 1 else 560]
    durations.append(560)
    return durations


def raw_timings(rng):
    """A signal no protocol knows: stored with its data in a slot of its own."""
    return [rng.choice((450, 700, 1100, 1600, 2300)) for _ in range(41)]


def plays_as(played, sent):
    if len(played) < len(sent) - 1:
        return False
    return all(abs(p - s) <= max(120, s * 8 // 100) for p, s in zip(played, sent[:-1]))


class Stress:
    def __init__(self, args):
        self.args = args
        self.cli = os.path.join(args.bin, "qmv718-cli")
        self.folder = tempfile.mkdtemp(prefix="qmv718-stress-")
        self.env = dict(os.environ, QMV718_REMOTE_DIR=self.folder, QMV718_HOLD_DIR=os.path.join(self.folder, "holds"),
                        QMV718_REMOTE_FSYNC="0")
        os.makedirs(self.env["QMV718_HOLD_DIR"], mode=0o700)
        self.random = random.Random(args.seed)
        self.lock = threading.Lock()
        self.running = {}  # worker -> Popen of its learn in progress
        self.history = {}  # (area, key) -> [(outcome, durations)]
        self.counts = dict(stored=0, failed=0, killed=0, refused=0)
        self.done = False

    def run_cli(self, *arguments):
        return subprocess.run([self.cli, *arguments], env=self.env, capture_output=True, text=True)

    def plain_keys(self):
        report = json.loads(self.run_cli("info", "--json").stdout)
        return [k["code"] for k in report["keys"] if k["area"] == "TV" and not k["label"].startswith("POWER")]

    def worker(self, index, keys):
        rng = random.Random(self.args.seed * 1000 + index)
        areas = ["TV", "CBL", "DVD", "AMP"]
        for learn in range(self.args.learns):
            area = areas[learn % 4]
            key = keys[learn % len(keys)]
            # Half the codes are stored in the key record itself, half in a slot with their data.
            durations = nec_timings(0x10 + index, learn % 256) if learn % 2 else raw_timings(rng)
            path = os.path.join(self.folder, "w%d-%d.txt" % (index, learn))
            with open(path, "w") as f:
                f.write("carrier 38000\n" + " ".join(map(str, durations)) + "\n")
            while True:
                process = subprocess.Popen([self.cli, "learn", "--area", area, "--key", key, "--timings", path],
                                           env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
                with self.lock:
                    self.running[index] = process
                _, err = process.communicate()
                with self.lock:
                    del self.running[index]
                if process.returncode == 2 and HOLD_REFUSAL in err:
                    with self.lock:
                        self.counts["refused"] += 1
                    time.sleep(self.random.uniform(0.005, 0.03))
                    continue
                break
            outcome = {0: "stored", -signal.SIGKILL: "killed"}.get(process.returncode, "failed")
            with self.lock:
                self.counts[outcome] += 1
                self.history.setdefault((area, key), []).append((outcome, durations))

    def chaos(self):
        while not self.done:
            time.sleep(self.random.uniform(0.02, 0.12))
            choice = self.random.random()
            if choice < self.args.fault_share / 2:
                self.run_cli("remote", "fault", "writes", "1")
            elif choice < self.args.fault_share:
                self.run_cli("remote", "fault", "link", "1")
            elif choice < self.args.fault_share + self.args.kill_share:
                with self.lock:
                    victims = list(self.running.values())
                if victims:
                    time.sleep(self.random.uniform(0.0, 0.08))  # somewhere inside the learn
                    try:
                        self.random.choice(victims).send_signal(signal.SIGKILL)
                    except ProcessLookupError:
                        pass

    def played(self, area, key):
        play = self.run_cli("play", "--area", area, "--key", key)
        return [int(v) for v in play.stdout.split()] if play.returncode == 0 else None

    def wrong_codes(self):
        wrong = 0
        for (area, key), attempts in self.history.items():
            last = max((i for i, (outcome, _) in enumerate(attempts) if outcome == "stored"), default=-1)
            allowed = [d for i, (outcome, d) in enumerate(attempts)
                       if i == last or (i > last and outcome == "killed")]
            played = self.played(area, key)
            if last < 0:  # what the key held before, a code from the factory perhaps, is allowed too
                ok = played == self.before[(area, key)] or (played is not None and any(
                    plays_as(played, d) for d in allowed))
            else:
                ok = played is not None and any(plays_as(played, d) for d in allowed)
            if not ok:
                wrong += 1
                print("wrong code: %s %s" % (area, key), file=sys.stderr)
        return wrong

    def run(self):
        if self.run_cli("info").returncode != 0:
            sys.exit("cannot reach the virtual remote through " + self.cli)
        self.run_cli("remote", "latency", str(self.args.latency))
        keys = self.plain_keys()
        self.before = {(area, key): self.played(area, key) for area in ("TV", "CBL", "DVD", "AMP") for key in keys}
        per_worker = max(1, len(keys) // self.args.workers)
        workers = [threading.Thread(target=self.worker, args=(w, keys[w * per_worker:(w + 1) * per_worker]))
                   for w in range(self.args.workers)]
        chaos = threading.Thread(target=self.chaos)
        start = time.monotonic()
        chaos.start()
        for w in workers:
            w.start()
        for w in workers:
            w.join()
        self.done = True
        chaos.join()
        elapsed = time.monotonic() - start
        self.run_cli("remote", "fault", "writes", "0")
        self.run_cli("remote", "fault", "link", "0")
        self.run_cli("remote", "latency", "0")

        check = json.loads(self.run_cli("check", "--json").stdout)
        result = dict(self.counts, seconds=round(elapsed, 1), wrong_codes=self.wrong_codes(),
                      leaked_slots=len(check["unnamedslots"]), inconsistent_images=0 if check["consistent"] else 1)
        print(json.dumps(result))
        if not check["consistent"]:
            print("\n".join(check["violations"]), file=sys.stderr)
        passed = result["wrong_codes"] == result["leaked_slots"] == result["inconsistent_images"] == 0
        if passed:
            shutil.rmtree(self.folder)
        else:
            print("state folder kept: " + self.folder, file=sys.stderr)
        return 0 if passed else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--workers", type=int, default=4)
    parser.add_argument("--learns", type=int, default=25, help="learns per worker")
    parser.add_argument("--bin", default="build-dev/bin", help="folder of qmv718-cli and the libraries")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--latency", type=int, default=5, help="ms every remote call takes")
    parser.add_argument("--fault-share", type=float, default=0.3, help="share of chaos steps injecting a fault")
    parser.add_argument("--kill-share", type=float, default=0.2, help="share of chaos steps killing a learn")
    sys.exit(Stress(parser.parse_args()).run())


if __name__ == "__main__":
    main()
