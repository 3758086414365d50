#!/usr/bin/env python3
"""Many writers on one virtual remote, with injected write and link faults, kills and swaps.

N worker processes each learn M codes on keys of their own with `qmv718-cli learn`, all at the
same time (a writer refused because another holds the remote tries again), while a chaos loop
makes the remote's next write fail or its link drop, kills running learns with SIGKILL and swaps
the remote for another one (`remote reset`, which keeps the old image beside the new).

Afterwards every remote the run went through, the swapped-out ones and the last, is checked:
- `check` must find its tables consistent (inconsistent images);
- no slot may be in use that no key names, unless an interrupted change noted it for the next
  writer to give back (leaked slots);
- every key must play a code it was sent on that remote (its last learn there that succeeded, or
  one after it that was killed or ran across a swap), or what it held before (wrong codes);
- no key may have lost its code: playing nothing where a code is expected (data lost).

    scripts/stress-writers.py --workers 4 --learns 25 [--swap-share 0.05] [--bin build-dev/bin] [--seed 1]

Prints the counts and exits 1 when any of wrong codes, leaked slots, inconsistent images or data
lost is not 0.
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
SWAP_REFUSAL = "换成另一个"
AREAS = ("TV", "CBL", "DVD", "AMP")


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
        self.history = {}  # (area, key) -> [(outcome, durations, first generation, last generation)]
        self.counts = dict(stored=0, failed=0, killed=0, refused=0, swaps=0, swap_refusals=0)
        self.generation = 0  # how many times the remote was swapped
        self.images = []  # the images swapped out, by generation
        self.done = False

    def run_cli(self, *arguments, env=None):
        return subprocess.run([self.cli, *arguments], env=env or self.env, capture_output=True, text=True)

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
                with self.lock:
                    first = self.generation
                    process = subprocess.Popen([self.cli, "learn", "--area", area, "--key", key, "--timings", path],
                                               env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                               text=True)
                    self.running[index] = process
                _, err = process.communicate()
                with self.lock:
                    del self.running[index]
                    last = self.generation
                    self.counts["swap_refusals"] += SWAP_REFUSAL in err
                if process.returncode == 2 and HOLD_REFUSAL in err:
                    with self.lock:
                        self.counts["refused"] += 1
                    time.sleep(self.random.uniform(0.005, 0.03))
                    continue
                break
            outcome = {0: "stored", -signal.SIGKILL: "killed"}.get(process.returncode, "failed")
            with self.lock:
                self.counts[outcome] += 1
                self.history.setdefault((area, key), []).append((outcome, durations, first, last))

    def chaos(self):
        while not self.done:
            time.sleep(self.random.uniform(0.02, 0.12))
            choice = self.random.random()
            if choice < self.args.fault_share / 2:
                self.run_cli("remote", "fault", "writes", "1")
            elif choice < self.args.fault_share:
                self.run_cli("remote", "fault", "link", "1")
            elif choice < self.args.fault_share + self.args.swap_share:
                self.swap()
            elif choice < self.args.fault_share + self.args.swap_share + self.args.kill_share:
                with self.lock:
                    victims = list(self.running.values())
                if victims:
                    time.sleep(self.random.uniform(0.0, 0.08))  # somewhere inside the learn
                    try:
                        self.random.choice(victims).send_signal(signal.SIGKILL)
                    except ProcessLookupError:
                        pass

    def swap(self):
        """A different remote in place of this one; learns running now may have reached either."""
        with self.lock:
            reset = self.run_cli("remote", "reset")
            kept = reset.stdout.strip().rpartition(" ")[2]
            if reset.returncode != 0 or not os.path.isfile(kept):
                sys.exit("remote reset failed: " + reset.stderr)
            self.images.append(kept)
            self.generation += 1
            self.counts["swaps"] += 1

    def remote_env(self, generation):
        """The environment of a command that works on the remote of that generation."""
        if generation == self.generation:
            return self.env
        folder = os.path.join(self.folder, "generation-%d" % generation)
        os.makedirs(folder, exist_ok=True)
        shutil.copyfile(self.images[generation], os.path.join(folder, "image.bin"))
        return dict(self.env, QMV718_REMOTE_DIR=folder)

    def played(self, area, key, env):
        play = self.run_cli("play", "--area", area, "--key", key, env=env)
        return [int(v) for v in play.stdout.split()] if play.returncode == 0 else None

    def allowed(self, generation, area, key):
        """The codes the key may play on that remote, and whether it may hold none."""
        maybe, last = [], None
        for outcome, durations, first, final in self.history.get((area, key), []):
            if not first <= generation <= final:
                continue
            if outcome == "stored" and first == final:
                maybe, last = [], durations
            elif outcome == "killed" or first != final:
                maybe.append(durations)
        return ([last] if last is not None else []) + maybe, last is None

    def check_keys(self, generation, env):
        wrong = lost = 0
        for area in AREAS:
            for key in self.keys:
                codes, before_allowed = self.allowed(generation, area, key)
                played = self.played(area, key, env)
                if before_allowed and played == self.before[(area, key)]:
                    continue
                if played is not None and any(plays_as(played, d) for d in codes):
                    continue
                if played is None:
                    lost += 1
                else:
                    wrong += 1
                print("generation %d: %s %s %s" % (generation, area, key, "lost" if played is None else "wrong code"),
                      file=sys.stderr)
        return wrong, lost

    def check_remote(self, generation):
        env = self.remote_env(generation)
        check = json.loads(self.run_cli("check", "--json", env=env).stdout)
        if not check["consistent"]:
            print("generation %d:\n  " % generation + "\n  ".join(check["violations"]), file=sys.stderr)
        # A slot an interrupted change noted is given back by that remote's next writer.
        leaked = [s for s in check["unnamedslots"] if s not in check["interruptedslots"]]
        wrong, lost = self.check_keys(generation, env)
        return dict(inconsistent_images=0 if check["consistent"] else 1, leaked_slots=len(leaked),
                    noted_slots=len(check["interruptedslots"]), wrong_codes=wrong, data_lost=lost)

    def run(self):
        if self.run_cli("info").returncode != 0:
            sys.exit("cannot reach the virtual remote through " + self.cli)
        self.run_cli("remote", "latency", str(self.args.latency))
        keys = self.keys = self.plain_keys()
        # Every remote leaves the factory with the same keys programmed.
        self.before = {(area, key): self.played(area, key, self.env) for area in AREAS for key in keys}
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

        result = dict(self.counts, seconds=round(elapsed, 1), remotes=self.generation + 1)
        figures = ("inconsistent_images", "leaked_slots", "noted_slots", "wrong_codes", "data_lost")
        result.update({figure: 0 for figure in figures})
        for generation in range(self.generation + 1):
            for figure, count in self.check_remote(generation).items():
                result[figure] += count
        print(json.dumps(result))
        passed = all(result[f] == 0 for f in ("inconsistent_images", "leaked_slots", "wrong_codes", "data_lost"))
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
    parser.add_argument("--swap-share", type=float, default=0.0,
                        help="share of chaos steps swapping the remote for another (remote reset)")
    sys.exit(Stress(parser.parse_args()).run())


if __name__ == "__main__":
    main()
