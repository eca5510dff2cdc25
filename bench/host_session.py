"""A private desktop for the host's benchmarks: a virtual X display of its
own, a private session bus, and a shared container in a temporary home, so
that runs never touch the user's files and several can run at once."""

import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
GROUP = "T4NDRY7QX2.app.tandry.taskmanager"
HOST_NAME = "app.tandry.WidgetHost"
HOST_PATH = "/app/tandry/WidgetHost"


def require(build, *programs):
    """The programs' paths in the build tree; exits with a hint when one is missing."""
    paths = [build / program for program in programs]
    missing = [str(path) for path in paths if not path.exists()]
    if missing:
        raise SystemExit(f"missing {', '.join(missing)}: build them first, e.g. "
                         f"cmake --build {build} --target tandry-widget-host tandry-widget "
                         "host_floor")
    return paths


def wait_until(condition, timeout=10.0, interval=0.001):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(interval)
    return condition()


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
        document = {"validUntil": valid_until, "total": len(tasks), "tasks": tasks,
                    "paletteRaw": "forest"}
        partial = self.container / ".ready-snapshot.json.partial"
        partial.write_text(json.dumps(document))
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
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        try:
            os.kill(self.bus_pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        shutil.rmtree(self.directory, ignore_errors=True)


class HostBus:
    """Calls the host's actions on the session's bus, in process (no
    gapplication or gdbus started per call)."""

    def __init__(self, address):
        import gi
        gi.require_version("Gio", "2.0")
        from gi.repository import Gio, GLib
        self._glib = GLib
        self._connection = Gio.DBusConnection.new_for_address_sync(
            address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def activate(self, action, parameter=None):
        GLib = self._glib
        parameters = [GLib.Variant("s", parameter)] if parameter is not None else []
        self._connection.call_sync(
            HOST_NAME, HOST_PATH, "org.freedesktop.Application", "ActivateAction",
            GLib.Variant("(sava{sv})", (action, parameters, {})), None, 0, 5000, None)


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
