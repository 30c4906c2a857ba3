#!/usr/bin/env python3
"""Plays every arcade level with the planning player and writes the level
report: docs/levels.md (one row per level) and a chart of difficulty by level
with what the titles promise marked.

  levels_report.py SIM [--levels 1-100] [--seeds 5] [--jobs 2] [--frames N]
                       [--out docs/levels.md] [--chart docs/levels.png]
                       [--raw FILE] [--reuse FILE]

Every run starts the level from a new game's lives and shields in an empty
working directory of its own, so nothing carries over between runs. --raw
keeps every run's outcome with a key made of what the level is built from (its
row, its formation, the combat settings and the players' sources); --reuse
takes the runs of levels whose key has not changed from such a file, so that
redesigning a few levels costs only their own runs.
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..")
LEVELS_TXT = os.path.join(ROOT, "data", "levels", "levels.txt")
FORMATIONS_TXT = os.path.join(ROOT, "data", "levels", "formations.txt")
SHARED = [os.path.join(ROOT, p) for p in ("data/levels/combat_settings.txt", "tools/sim/planner.cpp",
                                          "tools/sim/planner.h", "tools/sim/bot.cpp")]
FRAMES_PER_SECOND = 60


def read_levels(path):
    """Number -> (title, promises) from the level table."""
    levels = {}
    for line in open(path, encoding="utf-8"):
        if not line.strip() or line.startswith("#"):
            continue
        fields = [f.strip() for f in line.split("|")]
        number, title, hp, special = int(fields[0]), fields[1].strip('"'), fields[3], fields[7]
        promises = []
        if "BossLevel=1" in special:
            promises.append("boss")
        if "SaucerLevel=1" in special:
            promises.append("saucer")
        if "BigEarthLevel=1" in special:
            promises.append("big Earth")
        # Kinds that cannot be shot make a puzzle of reaching the ones that can.
        if any(int(h) >= 999 for h in hp.split()):
            promises.append("aiming puzzle")
        levels[number] = (title, promises)
    return levels


def level_keys():
    """Number -> a digest of everything a level's runs depend on."""
    rows = {}
    for line in open(LEVELS_TXT, encoding="utf-8"):
        if line.strip() and not line.startswith("#"):
            rows[int(line.split("|")[0])] = line
    blocks, current = {}, None
    for line in open(FORMATIONS_TXT, encoding="utf-8"):
        if line.startswith("formation "):
            current = int(line.split()[1])
            blocks[current] = ""
        elif current is not None and line.strip() and not line.startswith("#"):
            blocks[current] += line
    shared = hashlib.sha256(b"".join(open(p, "rb").read() for p in SHARED)).hexdigest()
    return {n: hashlib.sha256((shared + rows[n] + blocks.get(n, "")).encode()).hexdigest()[:16] for n in rows}


def play(sim, level, seed, frames):
    with tempfile.TemporaryDirectory(prefix="orbivore-level-") as work:
        cmd = ["nice", sim, "--bot", "plan", "--start-level", str(level), "--seed", str(seed), "--stats"]
        if frames:
            cmd += ["--frames", str(frames)]
        run = subprocess.run(cmd, cwd=work, capture_output=True, text=True, env=dict(os.environ, SDL_AUDIODRIVER="none"))
    for line in run.stdout.splitlines():
        if line.startswith('{"plan_level"'):
            return json.loads(line)
    raise RuntimeError(f"level {level} seed {seed}: no outcome (exit {run.returncode})\n{run.stderr[-2000:]}")


def parse_range(text):
    """"25,45,1-100": the levels in that order, each once (suspects first)."""
    out = []
    for part in text.split(","):
        a, _, b = part.partition("-")
        out += [n for n in range(int(a), int(b or a) + 1) if n not in out]
    return out


def summarise(level, runs):
    if not runs:
        return {"level": level, "completed": 0, "seeds": 0}
    done = [r for r in runs if r["completed"]]
    shots = sum(r["shots_fired"] for r in runs)
    return {
        "level": level,
        "completed": len(done),
        "seeds": len(runs),
        "median_frames": statistics.median(r["frames"] for r in done) if done else None,
        "lives_lost": statistics.mean(r["lives_lost"] for r in runs),
        "shots_fired": statistics.median(r["shots_fired"] for r in runs),
        # Weighted by the shots of each run, as the statistics page would count one long game.
        "accuracy": sum(r["accuracy"] * r["shots_fired"] for r in runs) / shots if shots else 0,
    }


def difficulty(row):
    """One number to compare levels by: minutes of play, plus a minute per life
    lost, plus five for every seed the level was not completed in."""
    frames = row["median_frames"] or 0
    fails = row["seeds"] - row["completed"]
    return frames / FRAMES_PER_SECOND / 60 + row["lives_lost"] + 5 * fails / row["seeds"]


def write_markdown(path, rows, levels, args):
    with open(path, "w", encoding="utf-8") as out:
        out.write("# Levels\n\n")
        out.write("Written by `make levels-report`: the planning player (`orbivore-sim --bot plan`) plays each level\n")
        out.write(f"from a new game's lives and shields with seeds 1 to {args.seeds}, at most {args.frames} frames of play\n")
        out.write("per seed. A level counts as completed in a seed when the planner finishes it within that limit.\n")
        out.write("Frames are the median over the completed seeds (60 a second); lives lost is the mean over all\n")
        out.write("seeds; shots fired the median; accuracy as the statistics page counts it, over all seeds.\n")
        out.write("Difficulty: minutes of play + lives lost + 5 x the share of seeds not completed.\n\n")
        out.write("![Difficulty by level](levels.png)\n\n")
        out.write("| Level | Title | Promise | Completed | Median frames | Lives lost | Shots fired | Accuracy | Difficulty |\n")
        out.write("|---|---|---|---|---|---|---|---|---|\n")
        for row in rows:
            title, promises = levels[row["level"]]
            if not row["seeds"]:
                out.write(f"| {row['level']} | {title} | {', '.join(promises)} | not played yet | | | | | |\n")
                continue
            frames = "-" if row["median_frames"] is None else f"{row['median_frames']:.0f}"
            out.write(f"| {row['level']} | {title} | {', '.join(promises)} | {row['completed']} of {row['seeds']} | "
                      f"{frames} | {row['lives_lost']:.1f} | {row['shots_fired']:.0f} | {row['accuracy']:.0f}% | "
                      f"{difficulty(row):.2f} |\n")
        stuck = [r["level"] for r in rows if r["seeds"] and r["completed"] * 5 < r["seeds"] * 3]
        unplayed = [r["level"] for r in rows if not r["seeds"]]
        out.write(f"\nLevels completed in fewer than 3 of 5 seeds: {', '.join(map(str, stuck)) or 'none'}.\n")
        if unplayed:
            out.write(f"\nNot played yet (the report was stopped; `make levels-report` goes on from the recorded runs): "
                      f"{', '.join(map(str, unplayed))}.\n")


def write_chart(path, rows, levels):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    marks = {"boss": ("#d62728", "v"), "saucer": ("#1f77b4", "o"), "big Earth": ("#2ca02c", "s"),
             "aiming puzzle": ("#9467bd", "D")}
    xs = [r["level"] for r in rows]
    ys = [difficulty(r) for r in rows]
    fig, ax = plt.subplots(figsize=(14, 5), dpi=100)
    ax.bar(xs, ys, color=["#888888" if r["completed"] == r["seeds"] else "#ff7f0e" for r in rows], width=0.8)
    top = max(ys + [1]) * 1.15
    for promise, (colour, marker) in marks.items():
        hit = [(x, y) for x, y in zip(xs, ys) if promise in levels[x][1]]
        if hit:
            ax.scatter([x for x, _ in hit], [y + top * 0.04 for _, y in hit], color=colour, marker=marker,
                       s=40, label=promise, zorder=3)
    from matplotlib.patches import Patch
    handles, _ = ax.get_legend_handles_labels()
    handles.append(Patch(color="#ff7f0e", label="not completed in every seed"))
    ax.set_xlim(0.3, 100.7)
    ax.set_ylim(0, top)
    ax.set_xticks(range(5, 101, 5))
    ax.set_xlabel("level")
    ax.set_ylabel("difficulty (minutes + lives lost + 5 x share failed)")
    ax.set_title("Difficulty by level, planning player, median over seeds")
    ax.legend(handles=handles, loc="upper left", ncol=5, fontsize=9)
    ax.grid(axis="y", alpha=0.3)
    fig.tight_layout()
    fig.savefig(path)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("sim")
    p.add_argument("--levels", default="1-100")
    p.add_argument("--seeds", type=int, default=5)
    p.add_argument("--jobs", type=int, default=2)
    p.add_argument("--frames", type=int, default=18000)
    p.add_argument("--out", default=os.path.join(HERE, "..", "docs", "levels.md"))
    p.add_argument("--chart", default=os.path.join(HERE, "..", "docs", "levels.png"))
    p.add_argument("--raw", help="also write every run's outcome here (JSON lines)")
    p.add_argument("--reuse", action="append", default=[],
                   help="take unchanged levels' runs from an earlier --raw file (repeatable)")
    p.add_argument("--recorded-only", action="store_true",
                   help="play nothing: write the report from the runs already recorded")
    args = p.parse_args()
    args.sim = os.path.abspath(args.sim)  # each run has a working directory of its own

    levels = read_levels(LEVELS_TXT)
    keys = level_keys()
    wanted = parse_range(args.levels)
    runs = {lv: [] for lv in wanted}
    reuse = list(args.reuse)
    if args.raw and os.path.exists(args.raw):
        reuse.append(args.raw)  # an interrupted report goes on where it stopped
    others = []  # runs of levels not asked for this time, kept in the raw file
    for path in filter(os.path.exists, reuse):
        for line in open(path, encoding="utf-8"):
            r = json.loads(line)
            lv = r["plan_level"]
            if lv not in runs and path == args.raw:
                others.append(line)
            fits = r.get("key") == keys.get(lv) and r["seed"] <= args.seeds and r.get("limit") == args.frames
            if lv in runs and fits and not any(o["seed"] == r["seed"] for o in runs[lv]):
                runs[lv].append(r)
    jobs = [(lv, seed) for lv in wanted for seed in range(1, args.seeds + 1)
            if not any(r["seed"] == seed for r in runs[lv]) and not args.recorded_only]
    print(f"{len(jobs)} runs to play, {sum(map(len, runs.values()))} reused", flush=True)
    raw = open(args.raw, "w", encoding="utf-8") if args.raw else None
    if raw:
        raw.writelines(others)
        for lv in wanted:
            for r in sorted(runs[lv], key=lambda r: r["seed"]):
                raw.write(json.dumps(r) + "\n")
        raw.flush()
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        futures = {pool.submit(play, args.sim, lv, seed, args.frames): (lv, seed) for lv, seed in jobs}
        for n, fut in enumerate(concurrent.futures.as_completed(futures), 1):
            lv, seed = futures[fut]
            outcome = fut.result()
            outcome.update(seed=seed, key=keys[lv], limit=args.frames)
            runs[lv].append(outcome)
            if raw:
                raw.write(json.dumps(outcome) + "\n")
                raw.flush()
            print(f"[{n}/{len(jobs)}] level {lv} seed {seed}: "
                  f"{'completed' if outcome['completed'] else 'NOT completed'} in {outcome['frames']} frames, "
                  f"{outcome['lives_lost']} lives lost", flush=True)
    if raw:
        raw.close()
    rows = [summarise(lv, runs[lv]) for lv in sorted(wanted)]
    played = [r for r in rows if r["seeds"]]
    write_markdown(args.out, rows, levels, args)
    write_chart(args.chart, played, levels)
    print(f"wrote {args.out} and {args.chart}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
