#!/usr/bin/env python3
"""Writes a shared container with TASKS ready tasks and RECORDS parked ticks.

    bench/make-container.py DIR TASKS RECORDS

The snapshot is valid until 2099 and the ticks name distinct tasks, so a
timeline request at any instant before then answers with every other task.
Titles mix plain text, quotes, backslashes, control characters and text
outside ASCII, so that the writers' escaping is measured and compared too.
"""
import json
import os
import random
import sys
import uuid

TITLES = [
    "Send the invoice to Harbour & Finch",
    'Reply to "the usual" question',
    "Back up C:\\Users\\share",
    "Tabs\tand\nnew lines",
    "Grüße an Zoë schicken",
    "会議の資料を準備する",
    "مراجعة التقرير",
    "Bell \u0007 and escape \u001b",
    "Water the plants 🌱",
]
FLOWS = ["Finance", "Home", "Work", "Errands", "Reading"]
PRIORITIES = ["none", "low", "medium", "high"]


def main():
    directory, task_count, record_count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    generator = random.Random(13)
    ids = [str(uuid.UUID(int=generator.getrandbits(128), version=4)).upper() for _ in range(task_count)]
    tasks = []
    for index, task_id in enumerate(ids):
        task = {"id": task_id, "title": f"{generator.choice(TITLES)} #{index}",
                "flowName": generator.choice(FLOWS)}
        if generator.random() < 0.6:
            task["dueDate"] = f"2026-12-{generator.randint(1, 28):02}T{generator.randint(0, 23):02}:00:00Z"
        task["isOverdue"] = generator.random() < 0.2
        task["isToday"] = generator.random() < 0.3
        task["priorityRaw"] = generator.choice(PRIORITIES)
        tasks.append(task)
    snapshot = {"validUntil": "2099-01-01T00:00:00Z", "total": task_count + 5, "tasks": tasks,
                "paletteRaw": "ocean"}
    os.makedirs(os.path.join(directory, "pending-completions"), exist_ok=True)
    with open(os.path.join(directory, "ready-snapshot.json"), "w", encoding="utf-8") as out:
        json.dump(snapshot, out, ensure_ascii=False, indent=1)
    for index, task_id in enumerate(generator.sample(ids, min(record_count, task_count))):
        record_id = str(uuid.UUID(int=generator.getrandbits(128), version=4)).upper()
        record = {"id": record_id, "taskID": task_id,
                  "requestedAt": f"2026-12-05T{index // 3600 % 24:02}:{index // 60 % 60:02}:{index % 60:02}Z"}
        with open(os.path.join(directory, "pending-completions", record_id + ".json"), "w") as out:
            json.dump(record, out, separators=(",", ":"))


if __name__ == "__main__":
    main()
