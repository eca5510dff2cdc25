#!/usr/bin/env python3
"""Fills a Taskwarrior data directory with generated tasks.

    bench/make-taskwarrior.py TASKDATA PENDING READY

PENDING open tasks, of which READY are ready now; the rest wait, are
scheduled later or are blocked, a third each. Written as one JSON file and
loaded with `task import`, since adding tasks one by one takes minutes.
"""
import json
import os
import subprocess
import sys
import tempfile
import uuid

data, pending, ready = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
os.makedirs(data, exist_ok=True)
ids = [str(uuid.UUID(int=i + 1, version=4)) for i in range(pending)]
tasks = []
for i, task_uuid in enumerate(ids):
    task = {"uuid": task_uuid, "description": f"Task {i} with a title of some words",
            "status": "pending", "entry": "20260101T000000Z"}
    if i % 5 == 0:
        task["project"] = f"Project{i % 7}"
    if i % 3 == 0:
        task["priority"] = "HML"[i % 9 // 3]
    if i % 4 == 0:
        task["due"] = f"2027{(i % 12) + 1:02d}{(i % 28) + 1:02d}T120000Z"
    if i >= ready:
        kind = i % 3
        if kind == 0:
            task["wait"] = "20990101T000000Z"
        elif kind == 1:
            task["scheduled"] = "20990101T000000Z"
        else:
            task["depends"] = ids[0]
    tasks.append(task)
with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as out:
    out.write("\n".join(json.dumps(task) for task in tasks))
rc = os.path.join(data, "taskrc")
open(rc, "w").close()
environment = dict(os.environ, TASKDATA=data, TASKRC=rc)
subprocess.run(["task", "rc.verbose=nothing", "rc.confirmation=off", "import", out.name],
               env=environment, check=True, stdout=subprocess.DEVNULL)
os.unlink(out.name)
