#!/usr/bin/env python3
"""Plays every arcade level with the planning player and the human-model
player and writes the level report: docs/levels.md (one row per level, and how
the curve for people stands) and a chart of both difficulties by level with
what the titles promise marked.

  levels_report.py SIM [--levels 1-100] [--seeds 5] [--human-seeds 10]
                       [--skill average] [--jobs 2] [--frames N]
                       [--out docs/levels.md] [--chart docs/levels.png]
                       [--raw FILE] [--reuse FILE]

Every run starts the level from a new game's lives and shields in an empty
working directory of its own, so nothing carries over between runs. --raw
keeps every run's outcome with a key made of what the level is built from (its
row, its formation, the combat settings and the player's sources); --reuse
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
HUMAN_SHARED = [os.path.join(ROOT, p) for p in ("data/levels/combat_settings.txt", "tools/sim/human_player.cpp",
                                                "tools/sim/human_player.h", "tools/sim/human_skill.cpp",
                                                "tools/sim/human_skill.h", "tools/sim/bot.cpp")]
FRAMES_PER_SECOND = 60
# Titles that promise a hard level, as a boss level does.
PRESSURE_TITLES = ("massive attack", "under pressure")


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
        if any(t in title.lower() for t in PRESSURE_TITLES):
            promises.append("pressure")
        levels[number] = (title, promises)
    return levels


def level_keys(shared_files=SHARED, extra=""):
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
    shared = hashlib.sha256(b"".join(open(p, "rb").read() for p in shared_files)).hexdigest() + extra
    return {n: hashlib.sha256((shared + rows[n] + blocks.get(n, "")).encode()).hexdigest()[:16] for n in rows}


class Player:
    """One of the two players: how it is asked to play and how its runs are told apart."""

    def __init__(self, name, field, args, keys, seeds):
        self.name, self.field, self.args, self.keys, self.seeds = name, field, args, keys, seeds


def play(sim, player, level, seed, frames):
    with tempfile.TemporaryDirectory(prefix="orbivore-level-") as work:
        cmd = ["nice", sim, "--no-gl"] + player.args + ["--start-level", str(level), "--seed", str(seed)]
        if frames:
            cmd += ["--frames", str(frames)]
        run = subprocess.run(cmd, cwd=work, capture_output=True, text=True, env=dict(os.environ, SDL_AUDIODRIVER="none"))
    for line in run.stdout.splitlines():
        if line.startswith('{"%s"' % player.field):
            return json.loads(line)
    raise RuntimeError(f"{player.name} level {level} seed {seed}: no outcome (exit {run.returncode})\n"
                       f"{run.stderr[-2000:]}")


def parse_range(text):
    """"25,45,1-100": the levels in that order, each once (suspects first)."""
    out = []
    for part in text.split(","):
        a, _, b = part.partition("-")
        out += [n for n in range(int(a), int(b or a) + 1) if n not in out]
    return out


def summarise(level, runs, limit):
    if not runs:
        return {"level": level, "completed": 0, "seeds": 0}
    done = [r for r in runs if r["completed"]]
    shots = sum(r["shots_fired"] for r in runs)
    row = {
        "level": level,
        "completed": len(done),
        "seeds": len(runs),
        "median_frames": statistics.median(r["frames"] for r in done) if done else None,
        "lives_lost": statistics.mean(r["lives_lost"] for r in runs),
        "shots_fired": statistics.median(r["shots_fired"] for r in runs),
        # Weighted by the shots of each run, as the statistics page would count one long game.
        "accuracy": sum(r["accuracy"] * r["shots_fired"] for r in runs) / shots if shots else 0,
    }
    if "lost_to_shots" in runs[0]:
        row["lost_to_shots"] = statistics.mean(r["lost_to_shots"] for r in runs)
        row["lost_to_landings"] = statistics.mean(r["lost_to_landings"] for r in runs)
        row["timed_out"] = sum(1 for r in runs if not r["completed"] and r["frames"] >= limit)
    return row


def difficulty(row):
    """One number to compare levels by: minutes of play, plus a minute per life
    lost, plus five for every seed the level was not completed in."""
    frames = row["median_frames"] or 0
    fails = row["seeds"] - row["completed"]
    return frames / FRAMES_PER_SECOND / 60 + row["lives_lost"] + 5 * fails / row["seeds"]


def human_difficulty(row):
    """How hard a level is for a person: lives lost per game (the mean over the
    seeds) plus five for every seed not completed, so 0 for a level nobody loses
    a life on. It leaves time out, so that more lives lost or fewer seeds
    completed always make it higher."""
    return row["lives_lost"] + 5 * (row["seeds"] - row["completed"]) / row["seeds"]


def ranks(values):
    order = sorted(range(len(values)), key=lambda i: values[i])
    out = [0.0] * len(values)
    i = 0
    while i < len(order):
        j = i
        while j + 1 < len(order) and values[order[j + 1]] == values[order[i]]:
            j += 1
        for k in range(i, j + 1):
            out[order[k]] = (i + j) / 2 + 1  # ties share their mean rank
        i = j + 1
    return out


def spearman(xs, ys):
    rx, ry = ranks(xs), ranks(ys)
    mx, my = statistics.mean(rx), statistics.mean(ry)
    num = sum((a - mx) * (b - my) for a, b in zip(rx, ry))
    den = (sum((a - mx) ** 2 for a in rx) * sum((b - my) ** 2 for b in ry)) ** 0.5
    return num / den if den else 0.0


def is_peak(levels, level):
    return any(p in levels[level][1] for p in ("boss", "pressure"))


def curve_findings(human, levels):
    """The rules the curve for people is held to, and where it breaks them."""
    d = {lv: human_difficulty(r) for lv, r in human.items()}
    played = sorted(d)
    lines = []
    if len(played) > 2:
        lines.append(f"- Difficulty rises with the level: Spearman's rank correlation between level and human "
                     f"difficulty is {spearman(played, [d[lv] for lv in played]):.2f} (at least 0.6 wanted).")
    gentle = [lv for lv in played if lv <= 10 and human[lv]["completed"] * 10 < human[lv]["seeds"] * 8]
    lines.append(f"- Levels 1 to 10 completed in fewer than 8 of 10 seeds: {', '.join(map(str, gentle)) or 'none'}.")
    walls = [lv for lv in played if human[lv]["completed"] * 10 < human[lv]["seeds"] * 2]
    lines.append(f"- Walls, completed in fewer than 2 of 10 seeds: {', '.join(map(str, walls)) or 'none'}.")
    # A ten opens with a breather below its neighbours; a ten whose first level
    # promises a peak takes its breather one level later.
    tens = []
    for first in range(1, 101, 10):
        ten = [lv for lv in range(first, first + 10) if lv in d]
        if len(ten) < 10:
            continue
        b = first + 1 if is_peak(levels, first) else first
        around = [d[n] for n in (b - 1, b + 1) if n in d and not (n == b - 1 and n == first)]
        breather = all(d[b] < x for x in around)
        builds = statistics.mean(d[lv] for lv in ten[7:]) > statistics.mean(d[lv] for lv in ten[1:4])
        if not (breather and builds):
            tens.append(f"{first}-{first + 9} ({'' if breather else f'level {b} is no breather'}"
                        f"{'' if builds else ('; ' if not breather else '') + 'does not build to its end'})")
    lines.append(f"- Tens that do not open with a breather and build to their end: {', '.join(tens) or 'none'}.")
    dips = []
    for lv in played:
        if not is_peak(levels, lv):
            continue
        near = []
        for step in (-1, 1):
            n = lv + step
            while n in d and is_peak(levels, n):
                n += step
            if n in d:
                near.append(d[n])
        if near and not all(d[lv] > x for x in near):
            dips.append(str(lv))
    lines.append(f"- Boss levels and levels whose title promises pressure that are not above their neighbours: "
                 f"{', '.join(dips) or 'none'}.")
    return lines


def struggles(human, levels):
    """The hardest levels for people and what takes their lives."""
    rows = sorted(human.values(), key=lambda r: -human_difficulty(r))[:12]
    out = []
    for r in rows:
        if human_difficulty(r) <= 0:
            break
        causes = sorted([(r["lost_to_shots"], "shots hit the base"), (r["lost_to_landings"], "invaders reach the Earth")],
                        reverse=True)
        why = f"{causes[0][1]} ({causes[0][0]:.1f} a game)"
        if causes[1][0] > 0:
            why += f", then {causes[1][1]} ({causes[1][0]:.1f})"
        if r["timed_out"]:
            why += f"; {r['timed_out']} seeds ran out of time"
        out.append(f"- {r['level']} {levels[r['level']][0]}: {r['completed']} of {r['seeds']} completed; {why}.")
    return out


def human_cells(row):
    if not row or not row["seeds"]:
        return "not played yet | | | | "
    frames = "-" if row["median_frames"] is None else f"{row['median_frames']:.0f}"
    losses = f"shots {row['lost_to_shots']:.1f}, landings {row['lost_to_landings']:.1f}"
    if row["timed_out"]:
        losses += f", {row['timed_out']} out of time"
    return (f"{row['completed']} of {row['seeds']} | {frames} | {row['lives_lost']:.1f} | "
            f"{human_difficulty(row):.2f} | {losses}")


def write_markdown(path, rows, human, levels, args):
    with open(path, "w", encoding="utf-8") as out:
        out.write("# Levels\n\n")
        out.write("Written by `make levels-report`: the planning player (`orbivore-sim --bot plan`) plays each level\n")
        out.write(f"from a new game's lives and shields with seeds 1 to {args.seeds}, at most {args.frames} frames of play\n")
        out.write("per seed. A level counts as completed in a seed when the planner finishes it within that limit.\n")
        out.write("Frames are the median over the completed seeds (60 a second); lives lost is the mean over all\n")
        out.write("seeds; shots fired the median; accuracy as the statistics page counts it, over all seeds.\n")
        out.write("Difficulty: minutes of play + lives lost + 5 x the share of seeds not completed.\n\n")
        out.write(f"The human-model player (`orbivore-sim --bot human --skill {args.skill}`) plays each level the\n")
        out.write(f"same way with seeds 1 to {args.human_seeds}: it acts on what it saw a reaction time ago, with a\n")
        out.write("person's aim, fire rate and slips (tools/sim/human_skill.cpp holds its figures). Its columns:\n")
        out.write("\"Human completed\", the median frames of its completed seeds, the lives it lost per seed, and\n")
        out.write("**Human difficulty** = lives lost per seed + 5 x the share of seeds not completed (0 when nobody\n")
        out.write("loses a life; a level no seed completes scores 9 or more). \"Human losses\" splits the lives lost\n")
        out.write("per seed into shots that hit the base (or invaders that rammed it) and invaders that reached the\n")
        out.write("Earth, and counts the seeds that ran out of time.\n\n")
        out.write("![Difficulty by level](levels.png)\n\n")
        out.write("## The curve for people\n\n")
        for line in curve_findings({lv: r for lv, r in human.items() if r["seeds"]}, levels):
            out.write(line + "\n")
        out.write("\n## Where people struggle\n\n")
        for line in struggles({lv: r for lv, r in human.items() if r["seeds"]}, levels):
            out.write(line + "\n")
        out.write("\n## Every level\n\n")
        out.write("| Level | Title | Promise | Completed | Median frames | Lives lost | Shots fired | Accuracy | Difficulty "
                  "| Human completed | Human median frames | Human lives lost | Human difficulty | Human losses |\n")
        out.write("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n")
        for row in rows:
            title, promises = levels[row["level"]]
            start = f"| {row['level']} | {title} | {', '.join(promises)} | "
            if not row["seeds"]:
                planner = "not played yet | | | | | | "
            else:
                frames = "-" if row["median_frames"] is None else f"{row['median_frames']:.0f}"
                planner = (f"{row['completed']} of {row['seeds']} | {frames} | {row['lives_lost']:.1f} | "
                           f"{row['shots_fired']:.0f} | {row['accuracy']:.0f}% | {difficulty(row):.2f} | ")
            out.write(start + planner + human_cells(human.get(row["level"])) + " |\n")
        stuck = [r["level"] for r in rows if r["seeds"] and r["completed"] * 5 < r["seeds"] * 3]
        unplayed = [r["level"] for r in rows if not r["seeds"] or not human.get(r["level"], {}).get("seeds")]
        out.write(f"\nLevels the planner completed in fewer than 3 of 5 seeds: {', '.join(map(str, stuck)) or 'none'}.\n")
        if unplayed:
            out.write(f"\nNot played yet (the report was stopped; `make levels-report` goes on from the recorded runs): "
                      f"{', '.join(map(str, unplayed))}.\n")


def write_chart(path, rows, human, levels, args):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    from matplotlib.patches import Patch

    marks = {"boss": ("#d62728", "v"), "saucer": ("#1f77b4", "o"), "big Earth": ("#2ca02c", "s"),
             "aiming puzzle": ("#9467bd", "D"), "pressure": ("#8c564b", "^")}
    fig, axes = plt.subplots(2, 1, figsize=(14, 9), dpi=100, sharex=True)
    panels = [
        (axes[0], [human[r["level"]] for r in rows if r["level"] in human and human[r["level"]]["seeds"]],
         human_difficulty, "human difficulty (lives lost + 5 x share failed)",
         f"Difficulty by level for people: the human-model player, {args.skill} skill, {args.human_seeds} seeds",
         lambda r: r["completed"] * 10 >= r["seeds"] * 2, "completed in fewer than 2 seeds in 10"),
        (axes[1], rows, difficulty, "difficulty (minutes + lives lost + 5 x share failed)",
         "Difficulty by level, planning player, median over seeds",
         lambda r: r["completed"] == r["seeds"], "not completed in every seed"),
    ]
    for ax, prow, score, ylabel, title, fine, warning in panels:
        xs = [r["level"] for r in prow]
        ys = [score(r) for r in prow]
        ax.bar(xs, ys, color=["#888888" if fine(r) else "#ff7f0e" for r in prow], width=0.8)
        top = max(ys + [1]) * 1.15
        for promise, (colour, marker) in marks.items():
            hit = [(x, y) for x, y in zip(xs, ys) if promise in levels[x][1]]
            if hit:
                ax.scatter([x for x, _ in hit], [y + top * 0.04 for _, y in hit], color=colour, marker=marker,
                           s=40, label=promise, zorder=3)
        handles, _ = ax.get_legend_handles_labels()
        handles.append(Patch(color="#ff7f0e", label=warning))
        ax.set_xlim(0.3, 100.7)
        ax.set_ylim(0, top)
        ax.set_ylabel(ylabel, fontsize=9)
        ax.set_title(title)
        ax.legend(handles=handles, loc="upper left", ncol=6, fontsize=9)
        ax.grid(axis="y", alpha=0.3)
    axes[1].set_xticks(range(5, 101, 5))
    axes[1].set_xlabel("level")
    fig.tight_layout()
    fig.savefig(path)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("sim")
    p.add_argument("--levels", default="1-100")
    p.add_argument("--seeds", type=int, default=5, help="seeds of the planning player")
    p.add_argument("--human-seeds", type=int, default=10, help="seeds of the human-model player")
    p.add_argument("--skill", default="average", choices=("casual", "average", "expert"))
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
    players = [Player("planner", "plan_level", ["--bot", "plan"], level_keys(), args.seeds),
               Player("human", "human_level", ["--bot", "human", "--skill", args.skill],
                      level_keys(HUMAN_SHARED, args.skill), args.human_seeds)]
    by_field = {pl.field: pl for pl in players}
    wanted = parse_range(args.levels)
    runs = {(pl.field, lv): [] for pl in players for lv in wanted}
    reuse = list(args.reuse)
    if args.raw and os.path.exists(args.raw):
        reuse.append(args.raw)  # an interrupted report goes on where it stopped
    others = []  # runs of levels not asked for this time, kept in the raw file
    for path in filter(os.path.exists, reuse):
        for line in open(path, encoding="utf-8"):
            r = json.loads(line)
            pl = next(by_field[f] for f in by_field if f in r)
            at = (pl.field, r[pl.field])
            if at not in runs and path == args.raw:
                others.append(line)
            fits = r.get("key") == pl.keys.get(at[1]) and r["seed"] <= pl.seeds and r.get("limit") == args.frames
            if at in runs and fits and not any(o["seed"] == r["seed"] for o in runs[at]):
                runs[at].append(r)
    jobs = [(pl, lv, seed) for pl in players for lv in wanted for seed in range(1, pl.seeds + 1)
            if not any(r["seed"] == seed for r in runs[(pl.field, lv)]) and not args.recorded_only]
    print(f"{len(jobs)} runs to play, {sum(map(len, runs.values()))} reused", flush=True)
    raw = open(args.raw, "w", encoding="utf-8") if args.raw else None
    if raw:
        raw.writelines(others)
        for at in runs:
            for r in sorted(runs[at], key=lambda r: r["seed"]):
                raw.write(json.dumps(r) + "\n")
        raw.flush()
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        futures = {pool.submit(play, args.sim, pl, lv, seed, args.frames): (pl, lv, seed) for pl, lv, seed in jobs}
        for n, fut in enumerate(concurrent.futures.as_completed(futures), 1):
            pl, lv, seed = futures[fut]
            outcome = fut.result()
            outcome.update(seed=seed, key=pl.keys[lv], limit=args.frames)
            runs[(pl.field, lv)].append(outcome)
            if raw:
                raw.write(json.dumps(outcome) + "\n")
                raw.flush()
            print(f"[{n}/{len(jobs)}] {pl.name} level {lv} seed {seed}: "
                  f"{'completed' if outcome['completed'] else 'NOT completed'} in {outcome['frames']} frames, "
                  f"{outcome['lives_lost']} lives lost", flush=True)
    if raw:
        raw.close()
    rows = [summarise(lv, runs[("plan_level", lv)], args.frames) for lv in sorted(wanted)]
    human = {lv: summarise(lv, runs[("human_level", lv)], args.frames) for lv in sorted(wanted)}
    played = [r for r in rows if r["seeds"]]
    write_markdown(args.out, rows, human, levels, args)
    write_chart(args.chart, played, human, levels, args)
    print(f"wrote {args.out} and {args.chart}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
