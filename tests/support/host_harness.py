"""What the desktop host's Python tests and benchmarks share: failing with
the host's logs, waiting for conditions, a settle window before checking that
something did not happen, the shared container's fixtures, the host's bus,
its accessibility tree, its events, and for the benchmarks a private desktop:
a virtual X display of its own, a private session bus, and a shared container
in a temporary home, so that runs never touch the user's files and several
can run at once."""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import uuid
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
GROUP = "T4NDRY7QX2.app.tandry.taskmanager"
HOST_NAME = "app.tandry.WidgetHost"
HOST_PATH = "/app/tandry/WidgetHost"

# What fail() says first, and the logs whose last 3,000 characters it shows.
failure_heading = "FAIL"
failure_logs = []


def fail(message):
    for path in failure_logs:
        if os.path.exists(path):
            with open(path, errors="replace") as text:
                message += f"\n--- {os.path.basename(path)}\n" + text.read()[-3000:]
    sys.exit(f"{failure_heading}: {message}")


def wait_until(condition, timeout=10.0, interval=0.001):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(interval)
    return condition()


def wait_for(condition, what, seconds=60):
    """The condition's first true value; fails with `what` after `seconds`."""
    # Other desktop tests may run beside this one, each with a sanitized host.
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    fail(what)


def settle(control_seconds):
    """Before a check that something did NOT happen: waits five times what a
    positive control (something that does happen by the same path) took to
    show on this run, at least half a second and at most ten, so that the
    check gives the thing the time it would take."""
    time.sleep(min(max(5 * control_seconds, 0.5), 10))


def ended(process, seconds=20):
    """Ends the process with SIGTERM: its exit status, or None when it had to
    be killed after `seconds`."""
    if process.poll() is None:
        process.terminate()
    try:
        return process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return None


# --- The shared container.

def task(title, id=None):
    """A task of a snapshot, with a fresh id unless one is given."""
    return {"id": id or str(uuid.uuid4()).upper(), "title": title, "flowName": "Home",
            "isOverdue": False, "isToday": False, "priorityRaw": "none"}


def snapshot(tasks, palette="forest", valid_until="2099-01-01T00:00:00Z"):
    document = {"validUntil": valid_until, "total": len(tasks), "tasks": tasks}
    if palette:
        document["paletteRaw"] = palette
    return document


def write_container(root, group, tasks, palette="forest"):
    """Info.json naming `group` and its container under root/data with a
    snapshot of `tasks`; returns the container's path."""
    root = Path(root)
    container = root / "data/group-containers" / group
    container.mkdir(parents=True)
    (root / "Info.json").write_text(json.dumps({"MarrowbyAppGroup": group}))
    (container / "ready-snapshot.json").write_text(json.dumps(snapshot(tasks, palette)))
    return container


def park(queue, count):
    """Writes `count` parked ticks of tasks that are not on the card."""
    for _ in range(count):
        record = {"id": str(uuid.uuid4()).upper(), "taskID": str(uuid.uuid4()).upper(),
                  "requestedAt": "2026-12-05T09:00:00Z"}
        (Path(queue) / f"{record['id']}.json").write_text(json.dumps(record))


def host_environment(root, **variables):
    """The environment of a host whose data, state and Info.json are under root."""
    return dict(os.environ, XDG_DATA_HOME=os.path.join(root, "data"),
                XDG_STATE_HOME=os.path.join(root, "state"),
                TANDRY_WIDGET_INFO=os.path.join(root, "Info.json"), **variables)


# --- The host's bus and accessibility tree.

def bus_connection(address=None):
    """A connection of its own to the session bus (the environment's unless
    `address` is given)."""
    import gi
    gi.require_version("Gio", "2.0")
    from gi.repository import Gio
    return Gio.DBusConnection.new_for_address_sync(
        address or os.environ["DBUS_SESSION_BUS_ADDRESS"],
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)


class HostBus:
    """Calls the host's actions on the session's bus, in process (no
    gapplication or gdbus started per call)."""

    def __init__(self, address=None):
        from gi.repository import GLib
        self._glib = GLib
        self._connection = bus_connection(address)

    def activate(self, action, parameter=None):
        GLib = self._glib
        parameters = [GLib.Variant("s", parameter)] if parameter is not None else []
        self._connection.call_sync(
            HOST_NAME, HOST_PATH, "org.freedesktop.Application", "ActivateAction",
            GLib.Variant("(sava{sv})", (action, parameters, {})), None, 0, 5000, None)


def nodes(node, *roles):
    """The accessible nodes of any of `roles` under node, in the order of the tree."""
    from gi.repository import GLib
    found = []
    try:
        if node.get_role() in roles:
            found.append(node)
        for index in range(node.get_child_count()):
            child = node.get_child_at_index(index)
            if child is not None:
                found += nodes(child, *roles)
    except GLib.Error:
        pass
    return found


def host_application():
    """The host on the accessibility bus, or None."""
    from gi.repository import Atspi
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        application = desktop.get_child_at_index(index)
        if application is not None and application.get_name() == "tandry-widget-host":
            return application
    return None


# --- The benchmarks' private desktop.

def require(build, *programs):
    """The programs' paths in the build tree; exits with a hint when one is missing."""
    paths = [build / program for program in programs]
    missing = [str(path) for path in paths if not path.exists()]
    if missing:
        raise SystemExit(f"missing {', '.join(missing)}: build them first, e.g. "
                         f"cmake --build {build} --target tandry-widget-host tandry-widget "
                         "host_floor")
    return paths


class Session:
    """Xvfb on the first free display from `first_display`, a session bus,
    and XDG directories under a temporary directory."""

    def __init__(self, first_display=77):
        self.directory = Path(tempfile.mkdtemp(prefix="tandry-host-bench-"))
        self.processes = []
        self.display = self._start_display(first_display)
        bus = subprocess.run(
            ["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
            check=True, capture_output=True, text=True).stdout.split()
        self.bus_address, self.bus_pid = bus[0], int(bus[1])
        runtime = self.directory / "runtime"
        runtime.mkdir(mode=0o700)
        self.environment = {
            key: value for key, value in os.environ.items()
            # The host's renderer is what is measured: the user's choice must
            # not leak in.
            if key not in ("GSK_RENDERER", "GDK_DEBUG", "G_MESSAGES_DEBUG", "WAYLAND_DISPLAY")
        }
        self.environment.update({
            "DISPLAY": f":{self.display}",
            "DBUS_SESSION_BUS_ADDRESS": self.bus_address,
            "HOME": str(self.directory / "home"),
            "XDG_DATA_HOME": str(self.directory / "data"),
            "XDG_STATE_HOME": str(self.directory / "state"),
            "XDG_RUNTIME_DIR": str(runtime),
            "GDK_BACKEND": "x11",
            "LANG": "C.UTF-8",
        })
        self.container = self.directory / "data/group-containers" / GROUP
        (self.container / "pending-completions").mkdir(parents=True)

    def _start_display(self, first):
        for number in range(first, first + 200):
            if Path(f"/tmp/.X{number}-lock").exists() or Path(f"/tmp/.X11-unix/X{number}").exists():
                continue
            xvfb = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if wait_until(lambda: Path(f"/tmp/.X11-unix/X{number}").exists(), timeout=5):
                self.processes.append(xvfb)
                return number
            xvfb.kill()
            xvfb.wait()
        raise RuntimeError("no free X display")

    def write_snapshot(self, tasks, valid_until="2099-01-01T00:00:00Z"):
        partial = self.container / ".ready-snapshot.json.partial"
        partial.write_text(json.dumps(snapshot(tasks, valid_until=valid_until)))
        partial.rename(self.container / "ready-snapshot.json")

    def start(self, arguments, log_name, extra_environment=None):
        environment = dict(self.environment)
        environment.update(extra_environment or {})
        log = open(self.directory / log_name, "wb")
        process = subprocess.Popen(arguments, env=environment, stdout=log,
                                   stderr=subprocess.STDOUT)
        self.processes.append(process)
        return process

    def recording(self, log_name):
        """The environment that has a host record its events beside its log."""
        return {"TANDRY_HOST_EVENTS": str(self.directory / (log_name + ".events"))}

    def events(self, log_name):
        """The events the host started with recording(log_name) recorded."""
        path = self.directory / (log_name + ".events")
        if not path.exists():
            return []
        return [json.loads(line) for line in path.read_text().splitlines() if line.endswith("}")]

    def log(self, log_name):
        path = self.directory / log_name
        return path.read_text(errors="replace") if path.exists() else ""

    def run(self, arguments):
        return subprocess.run(arguments, env=self.environment, check=True,
                              capture_output=True, text=True).stdout

    def close(self):
        for process in reversed(self.processes):
            ended(process, seconds=5)
        try:
            os.kill(self.bus_pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        shutil.rmtree(self.directory, ignore_errors=True)


def loads_drawn(events):
    """How many loads the host drew, of the events Session.events read."""
    return sum(1 for event in events if event["event"] == "drawn")


def median(values):
    ordered = sorted(values)
    middle = len(ordered) // 2
    if len(ordered) % 2:
        return ordered[middle]
    return (ordered[middle - 1] + ordered[middle]) / 2


def row(name, value, floor, ratio):
    return f"{name:<44} {value:>10} {floor:>10} {ratio:>7}"
