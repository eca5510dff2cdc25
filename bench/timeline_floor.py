#!/usr/bin/env python3
"""A short Python program that prints what `tandry-widget timeline` prints.

    bench/timeline_floor.py CONTAINER INSTANT

The peer that the command line is timed against: the same answer, byte for
byte, from the standard library's JSON module, with the same shortcuts as
bench/timeline_floor.cpp (dates and UUIDs already in the form the widget
writes, no checking of keys and values).
"""
import json
import os
import sys


def main():
    container, date = sys.argv[1], sys.argv[2]
    try:
        with open(os.path.join(container, "ready-snapshot.json"), "rb") as snapshot_file:
            snapshot = json.loads(snapshot_file.read())
    except (OSError, ValueError):
        answer = {"date": date, "state": "waitingForApp", "reload": "never"}
    else:
        if date >= snapshot["validUntil"]:
            answer = {"date": date, "state": "stale", "reload": "never"}
        else:
            queue = os.path.join(container, "pending-completions")
            ticked = set()
            for name in os.listdir(queue) if os.path.isdir(queue) else []:
                if not name.endswith(".json") or len(name) <= 5:
                    continue
                try:
                    with open(os.path.join(queue, name), "rb") as record_file:
                        ticked.add(json.loads(record_file.read())["taskID"])
                except (OSError, ValueError, KeyError):
                    continue
            keys = ("id", "title", "flowName", "dueDate", "isOverdue", "isToday", "priorityRaw")
            tasks = [{key: task[key] for key in keys if key in task}
                     for task in snapshot["tasks"] if task["id"] not in ticked]
            removed = len(snapshot["tasks"]) - len(tasks)
            written = {"validUntil": snapshot["validUntil"],
                       "total": max(snapshot["total"] - removed, 0), "tasks": tasks,
                       "paletteRaw": snapshot["paletteRaw"]}
            if "emptyReason" in snapshot:
                written["emptyReason"] = snapshot["emptyReason"]
            answer = {"date": date, "state": "ready", "snapshot": written,
                      "reload": {"after": snapshot["validUntil"]}}
    sys.stdout.write(json.dumps(answer, ensure_ascii=False, separators=(",", ":")) + "\n")


if __name__ == "__main__":
    main()
