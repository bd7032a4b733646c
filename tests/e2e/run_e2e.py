#!/usr/bin/env python3
"""Drives the real quorbel executable under Xvfb.

It starts the program from a folder holding "GS.spt", against an advertisement
server on 127.0.0.1 whose picture downloads never answer; clicks balls,
generates bets and saves them through the dialog; checks the saved file
against the formula; moves the window and checks the shadow's place and
stacking; and closes the program while the download hangs. Then it starts
the program with damaged formula files and checks that each run reports or
skips as it should, stays responsive and quits cleanly.
"""

import argparse
import http.server
import math
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

FORM_W, FORM_H = 630, 460
SHADOW_W, SHADOW_H = FORM_W + 32, FORM_H + 32


def log(*args):
    print("[e2e]", *args, flush=True)


def fail(message):
    raise AssertionError(message)


def wait_for(what, predicate, timeout=15.0, interval=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    fail(f"timed out waiting for {what}")


# --- the advertisement server --------------------------------------------

class AdServer:
    """Serves a list with a text entry and a picture entry; the picture never arrives."""

    def __init__(self):
        self.stop = threading.Event()
        self.hanging = threading.Event()
        body = "\r\n".join([
            "e2e-1|7|",
            "*", "1", "端到端文字广告", "提示", "http://127.0.0.1/",
            "*", "2", "hang.jpg|http://127.0.0.1:{port}/hang/hang.jpg", "", "http://127.0.0.1/",
            "$",
        ]) + "\r\n"
        outer = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                if self.path == "/AD/AD002.txt":
                    data = body.replace("{port}", str(outer.port)).encode("gbk")
                    self.send_response(200)
                    self.send_header("Content-Length", str(len(data)))
                    self.end_headers()
                    self.wfile.write(data)
                    return
                if self.path.startswith("/hang/"):
                    outer.hanging.set()
                    # Answer nothing for as long as the test runs (bounded).
                    outer.stop.wait(120)
                    return
                self.send_response(404)
                self.end_headers()

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.httpd.daemon_threads = True
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.stop.set()
        self.httpd.shutdown()
        self.httpd.server_close()


# --- X helpers --------------------------------------------------------------

class Display:
    def __init__(self):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            fail("Xvfb did not start")
        self.name = ":" + number

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.name
        env["QT_QPA_PLATFORM"] = "xcb"
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def run(self, *args):
        return subprocess.run(list(args), env=self.env(), capture_output=True, text=True, timeout=30).stdout

    def top_windows(self):
        """Mapped top-level windows, topmost first: (id, name, x, y, w, h)."""
        out = self.run("xwininfo", "-root", "-children")
        windows = []
        for line in out.splitlines():
            line = line.strip()
            if not line.startswith("0x"):
                continue
            wid = line.split()[0]
            try:
                geometry = line.rsplit(None, 2)[-2]          # WxH+X+Y
                size, x, y = geometry.split("+")[0], geometry.split("+")[1], geometry.split("+")[2]
                w, h = (int(v) for v in size.split("x"))
            except (ValueError, IndexError):
                continue
            name = line[len(wid):].split(":")[0].strip().strip('"')
            if not self.is_viewable(wid):
                continue
            windows.append((wid, name, int(x), int(y), w, h))
        return windows

    def is_viewable(self, wid):
        return "IsViewable" in self.run("xwininfo", "-id", wid)

    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", str(x), str(y), "click", str(button))

    # Keys go through XTEST to the focused window, as a keyboard's would.
    def key(self, wid, *keys):
        self.run("xdotool", "windowfocus", "--sync", wid)
        self.run("xdotool", "key", "--clearmodifiers", *keys)

    def type(self, wid, text):
        self.run("xdotool", "windowfocus", "--sync", wid)
        self.run("xdotool", "type", "--clearmodifiers", "--delay", "5", text)

    def close(self):
        self.proc.terminate()
        self.proc.wait(10)


# --- the program --------------------------------------------------------------

class Program:
    def __init__(self, display, folder, ad_server):
        self.display = display
        env = display.env()
        env["QUORBEL_AD_SERVER"] = f"http://127.0.0.1:{ad_server.port}" if ad_server else "http://127.0.0.1:9"
        env["XDG_CONFIG_HOME"] = os.path.join(folder, "config")
        self.log_path = os.path.join(folder, "quorbel.log")
        with open(self.log_path, "wb") as log_file:
            self.proc = subprocess.Popen([os.path.join(folder, "quorbel")], cwd=folder, env=env,
                                         stdout=log_file, stderr=subprocess.STDOUT)

    def diagnostics(self):
        state = "running" if self.alive() else f"ended with {self.proc.returncode}"
        output = open(self.log_path, "rb").read().decode(errors="replace")
        return f"program {state}; windows {self.display.top_windows()}; output:\n{output}"

    def form(self):
        for w in self.display.top_windows():
            if w[1] == "Quorbel" and (w[4], w[5]) == (FORM_W, FORM_H):
                return w
        return None

    def message_box(self):
        for w in self.display.top_windows():
            if w[1] == "Quorbel" and (w[4], w[5]) not in ((FORM_W, FORM_H), (SHADOW_W, SHADOW_H)) and w[4] > 50:
                return w
        return None

    def alive(self):
        return self.proc.poll() is None

    def close_by_button(self):
        form = self.form()
        x, y = form[2], form[3]
        started = time.monotonic()
        self.display.click(x + 571 + 28, y + 1 + 13)
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            fail("the program did not end after its close button was clicked")
        return time.monotonic() - started

    def kill(self):
        if self.alive():
            self.proc.kill()
            self.proc.wait()


def ball_centre(form, n):
    x, y = form[2], form[3]
    return (x + 16 + (n - 1) % 10 * 40 + 12 + 16, y + 150 + (n - 1) // 10 * 38 + 8 + 16)


def read_formula(gs_path, name):
    lines = open(gs_path, "rb").read().decode("gbk").replace("\r\n", "\n").split("\n")
    rows, inside = [], False
    for line in lines:
        if line.startswith("["):
            inside = line[1:-1].split("/")[0] == name
            continue
        if inside and line:
            rows.append([int(v) for v in line.split(" ")])
    return rows


def expected_bets(rows, selection):
    out = []
    for row in rows:
        bet = sorted(selection[p - 1] for p in row)
        out.append(" " + "  ".join(f"{n:02d}" for n in bet) + " ")
    return out


def prepare_folder(root, name, quorbel, gs_bytes):
    folder = os.path.join(root, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    shutil.copy2(quorbel, os.path.join(folder, "quorbel"))
    if gs_bytes is not None:
        with open(os.path.join(folder, "GS.spt"), "wb") as f:
            f.write(gs_bytes)
    return folder


# --- the scenarios -----------------------------------------------------------

def wheel_and_save(display, args, root):
    server = AdServer()
    folder = prepare_folder(root, "main", args.quorbel, open(args.gs, "rb").read())
    program = Program(display, folder, server)
    try:
        try:
            form = wait_for("the main window", program.form)
        except AssertionError as error:
            fail(f"{error}\n{program.diagnostics()}")
        if program.message_box():
            fail("an error was reported at start-up with a sound GS.spt")
        log("window", form)

        selection = [5, 12, 3, 25, 31, 40, 17, 8, 22]
        for n in selection:
            display.click(*ball_centre(form, n))
        display.click(form[2] + 342 + 45, form[3] + 380 + 33)          # 生成投注组合

        out_path = os.path.join(folder, "bets.txt")
        display.click(form[2] + 548 + 32, form[3] + 128 + 10)          # 保存
        dialog = wait_for("the save dialog", lambda: next(
            (w for w in display.top_windows() if w[1] == "保存"), None))
        display.type(dialog[0], out_path)
        display.key(dialog[0], "Return")
        wait_for("the saved file", lambda: os.path.exists(out_path) and os.path.getsize(out_path) > 0)

        rows = read_formula(args.gs, "选9中7保6")
        if not rows:
            fail("the shipped GS.spt has no 选9中7保6")
        expected = "".join(line + "\r\n" for line in expected_bets(rows, selection)).encode("gbk")
        saved = open(out_path, "rb").read()
        if saved != expected:
            fail(f"saved bets differ:\n{saved!r}\nexpected\n{expected!r}")
        log(f"saved {len(rows)} bets as expected")

        # Move the window and check the shadow: 16 pixels up and left, 32 larger, directly behind.
        display.run("xdotool", "windowmove", "--sync", form[0], "240", "219")

        def shadow_in_place():
            windows = display.top_windows()
            ids = [w[0] for w in windows]
            main = next((w for w in windows if (w[1], w[4], w[5]) == ("Quorbel", FORM_W, FORM_H)), None)
            if not main or (main[2], main[3]) != (240, 219):
                return None
            below = windows[ids.index(main[0]) + 1] if ids.index(main[0]) + 1 < len(windows) else None
            if below and (below[2], below[3], below[4], below[5]) == (224, 203, SHADOW_W, SHADOW_H):
                return below
            return None
        shadow = wait_for("the shadow at (224, 203) directly behind the window", shadow_in_place, timeout=10)
        log("shadow", shadow)

        # Quit while the picture download hangs.
        wait_for("the hanging picture request", server.hanging.is_set, timeout=20)
        form = program.form()
        seconds = program.close_by_button()
        if seconds > 2.0:
            fail(f"the program took {seconds:.2f} s to end during a hanging download")
        if program.proc.returncode != 0:
            fail(f"the program ended with {program.proc.returncode}")
        log(f"ended {seconds:.2f} s after the close click, during a hanging download")
    finally:
        program.kill()
        server.close()


DAMAGED = {
    # name: (file bytes, expects an error report)
    "huge row count": ("[选9中7保6/0/7/0/2147483647/36]\r\n1 2 3 4 5 6 7\r\n".encode("gbk"), True),
    "negative bet size": ("[选9中7保6/0/-7/0/2/36]\r\n1 2 3 4 5 6 7\r\n".encode("gbk"), True),
    "binary garbage": (bytes((i * 97 + 13) % 256 for i in range(4096)) + b"[\xff\x00/", None),
    "empty file": (b"", False),
}


def damaged_files(display, args, root):
    for index, (name, (data, expects_error)) in enumerate(DAMAGED.items()):
        folder = prepare_folder(root, f"damaged{index}", args.quorbel, data)
        program = Program(display, folder, None)
        try:
            try:
                shown = wait_for(f"a window ({name})", lambda: program.message_box() or program.form())
            except AssertionError as error:
                fail(f"{error}\n{program.diagnostics()}")
            reported = shown[4:6] != (FORM_W, FORM_H)
            if expects_error is not None and reported != expects_error:
                fail(f"{name}: error report {'shown' if reported else 'missing'}")
            if reported:
                display.key(shown[0], "Return")
            form = wait_for(f"the main window after the report ({name})", program.form)
            # Still responsive: a ball click and the close button are handled at once.
            display.click(*ball_centre(form, 1))
            if not program.alive():
                fail(f"{name}: the program ended on its own")
            seconds = program.close_by_button()
            if program.proc.returncode != 0:
                fail(f"{name}: ended with {program.proc.returncode}")
            log(f"{name}: {'reported' if reported else 'no report'}, closed in {seconds:.2f} s")
        finally:
            program.kill()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--quorbel", required=True)
    parser.add_argument("--gs", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--scenario", choices=["all", "wheel", "damaged"], default="all")
    args = parser.parse_args()

    os.makedirs(args.work, exist_ok=True)
    root = tempfile.mkdtemp(dir=args.work)
    display = Display()
    try:
        if args.scenario in ("all", "wheel"):
            wheel_and_save(display, args, root)
        if args.scenario in ("all", "damaged"):
            damaged_files(display, args, root)
    finally:
        display.close()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
