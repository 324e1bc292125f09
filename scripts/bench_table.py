#!/usr/bin/env python3
"""Prints the add-in benchmark's results (Google Benchmark JSON) as a table.

Every figure is the median of its case's iterations in milliseconds (the "first question" rows: the
first iteration, the worst of the types). Where the cases were repeated (BENCH_REPETITIONS, or
several processes with BENCH_PROCESSES), a case's figures are those of its fastest repetition: the
shared machine's disturbances only add time and often last longer than a whole case, moving it by
a third at once, so the least disturbed repetition is the one that shows what the operation costs;
the per-question growth goals also show the figure from each case's median repetition. With two files the first is "before" and the
second "after", side by side with the ratio after/before. The goals are checked against the last
file.
"""
import json
import re
import sys

SIZES = [100, 1000, 5000]


def load(path, pick="fastest"):
    """Each case's run: the fastest (least disturbed) of its repetitions, or the median one."""
    with open(path) as f:
        data = json.load(f)
    runs = {}
    for b in data["benchmarks"]:
        if b.get("run_type") == "aggregate" or b.get("error_occurred"):
            continue
        name = re.sub(r"/(iterations:\d+|manual_time|real_time|repeats:\d+)", "", b["name"])
        runs.setdefault(name, []).append(b)
    out = {}
    for name, reps in runs.items():
        reps.sort(key=lambda b: b.get("median_ms", 0))
        out[name] = reps[0] if pick == "fastest" else reps[(len(reps) - 1) // 2]
    return out


def median(results, name):
    b = results.get(name)
    return None if b is None else b.get("median_ms")


def counter(results, name, key):
    b = results.get(name)
    return None if b is None else b.get(key)


def own(results, n):
    """ProcessKZOInfo's own work: its "own_ms" counter, else its time less a save's."""
    measured = counter(results, f"ProcessKZOInfo/{n}", "own_ms")
    if measured is not None:
        return measured
    p, s = median(results, f"ProcessKZOInfo/{n}"), median(results, f"Save/{n}")
    return None if p is None or s is None else max(0.0, p - s)


def fmt(v, unit="ms"):
    if v is None:
        return "-"
    if unit == "ms":
        return f"{v:.3f}" if v < 10 else f"{v:.1f}"
    return f"{v:.2f}"


def rows(results):
    """(figure, value, unit) for every figure of one run."""
    out = []
    classes = sorted({n.split("/")[1] for n in results if n.startswith("Create/")})
    for cls in classes:
        out.append((f"create {cls}, empty document", median(results, f"Create/{cls}/empty"), "ms"))
        for where in ["end", "start"]:
            for n in SIZES:
                out.append((f"create {cls} at the {where} of {n}",
                            median(results, f"Create/{cls}/{where}/{n}"), "ms"))
    for where in ["end", "start"]:
        for n in SIZES:
            # The first question of a case is built where the document was not edited before.
            firsts = [counter(results, f"Create/{cls}/{where}/{n}", "first_ms") for cls in classes]
            firsts = [f for f in firsts if f is not None]
            out.append((f"first question at the {where} of {n}, worst type",
                        max(firsts) if firsts else None, "ms"))
    for op in ["ValidateDoc", "ProcessKZOInfo", "AddToCourse", "MarkQuestion", "Save", "Reopen"]:
        for n in SIZES:
            out.append((f"{op} of {n}", median(results, f"{op}/{n}"), "ms"))
    for n in SIZES:
        # ProcessKZOInfo ends with the save of the document; its own work is the difference.
        out.append((f"ProcessKZOInfo of {n} without the save", own(results, n), "ms"))
    for n in SIZES:
        out.append((f"file size of {n}", counter(results, f"Save/{n}", "file_MB"), "MB"))
        out.append((f"peak RSS, open and save of {n}",
                    counter(results, f"Reopen/{n}", "peak_rss_MiB"), "MiB"))
    out.append(("start of the word processor with the add-in", median(results, "StartWord"), "ms"))
    out.append(("HTTP post to the local course host", median(results, "HttpPost"), "ms"))
    return out


def growth(results):
    """(figure, value at 100, at 5000, ratio) for every figure measured at both sizes."""
    out = []
    names = sorted({re.sub(r"/\d+$", "", n) for n in results if re.search(r"/\d+$", n)})
    for base in names:
        a = median(results, f"{base}/100")
        b = median(results, f"{base}/5000")
        if a and b:
            out.append((base, a, b, b / a))
    return out


def goals(results, median_runs=None):
    out = []
    creates = [(n, b["median_ms"]) for n, b in results.items()
               if n.startswith("Create/") and n.endswith("/empty")]
    if creates:
        worst = max(creates, key=lambda x: x[1])
        out.append(("one question built, any type (worst median)", f"{worst[1]:.3f} ms ({worst[0]})",
                    "< 0.2 ms", worst[1] < 0.2))
    for where in ["end", "start"]:
        ratios = []
        for n, b in results.items():
            m = re.match(rf"Create/(\w+)/{where}/5000$", n)
            if m:
                small = median(results, f"Create/{m.group(1)}/{where}/100")
                if small:
                    ratios.append((b["median_ms"] / small, m.group(1)))
        if ratios:
            worst = max(ratios)
            measured = f"{worst[0]:.2f} ({worst[1]})"
            if median_runs is not None:
                # The same from each case's median repetition, for comparison.
                alt = [(b["median_ms"] / median_runs[f"Create/{m.group(1)}/{where}/100"]["median_ms"],
                        m.group(1))
                       for n, b in median_runs.items()
                       for m in [re.match(rf"Create/(\w+)/{where}/5000$", n)]
                       if m and f"Create/{m.group(1)}/{where}/100" in median_runs]
                if alt:
                    w = max(alt)
                    measured += f"; median runs {w[0]:.2f} ({w[1]})"
            out.append((f"per question at 5,000 / at 100, {where} (worst)",
                        measured, "< 1.15", worst[0] < 1.15))
    v = median(results, "ValidateDoc/1000")
    p = own(results, 1000)
    if v is not None and p is not None:
        both = v + p
        out.append(("ValidateDoc + ProcessKZOInfo without the save, 1,000 questions",
                    f"{both:.1f} ms", "< 50 ms", both < 50))
    for op in ["Save", "Reopen"]:
        t = median(results, f"{op}/1000")
        if t is not None:
            out.append((f"{op} of 1,000 questions", f"{t:.1f} ms", "< 200 ms", t < 200))
    rss = counter(results, "Reopen/1000", "peak_rss_MiB")
    if rss is not None:
        out.append(("peak RSS, 1,000 questions", f"{rss:.1f} MiB", "< 64 MiB", rss < 64))
    s = median(results, "StartWord")
    if s is not None:
        out.append(("start with the add-in connected", f"{s:.2f} ms", "< 20 ms", s < 20))
    return out


def main(paths):
    runs = [load(p) for p in paths]
    print("| figure | " + " | ".join(["before", "after", "after/before"] if len(runs) == 2
                                     else ["median"]) + " | unit |")
    print("|---|" + "---|" * (3 if len(runs) == 2 else 1) + "---|")
    tables = [rows(r) for r in runs]
    for i, (figure, value, unit) in enumerate(tables[-1]):
        values = [t[i][1] for t in tables]
        if all(v is None for v in values):
            continue
        cells = [fmt(v, unit) for v in values]
        if len(runs) == 2:
            a, b = values
            cells.append(f"{b / a:.3f}" if a and b is not None else "-")
        print(f"| {figure} | " + " | ".join(cells) + f" | {unit} |")

    for label, r in zip(["before", "after"] if len(runs) == 2 else [""], runs):
        print()
        print(f"Growth from 100 to 5,000 questions{' (' + label + ')' if label else ''}:")
        print()
        print("| figure | at 100 (ms) | at 5,000 (ms) | 5,000 / 100 |")
        print("|---|---|---|---|")
        for base, a, b, ratio in growth(r):
            print(f"| {base} | {fmt(a)} | {fmt(b)} | {ratio:.2f} |")

    print()
    print("Goals:")
    print()
    print("| goal | measured | target | met |")
    print("|---|---|---|---|")
    for goal, measured, target, met in goals(runs[-1], load(paths[-1], pick="median")):
        print(f"| {goal} | {measured} | {target} | {'yes' if met else 'no'} |")


def merge(out_path, paths):
    """Writes the runs of several processes as one result file (the context of the first)."""
    merged = None
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        if merged is None:
            merged = data
        else:
            merged["benchmarks"].extend(data["benchmarks"])
    with open(out_path, "w") as f:
        json.dump(merged, f, indent=1)


if __name__ == "__main__":
    if len(sys.argv) >= 4 and sys.argv[1] == "--merge":
        merge(sys.argv[2], sys.argv[3:])
        sys.exit(0)
    if not 1 <= len(sys.argv) - 1 <= 2:
        sys.exit("usage: bench_table.py RESULTS.json [AFTER.json] | --merge OUT.json PART.json...")
    main(sys.argv[1:])
