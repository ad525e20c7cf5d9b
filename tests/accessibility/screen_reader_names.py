#!/usr/bin/python3
"""What a screen reader hears over AT-SPI: starts the program on the current X display and
session bus, reads the accessible tree of its main window and checks the names and descriptions
of the calculation frame's boxes, verdict and selection caption.

Usage: screen_reader_names.py <path of weldcalc>   (under tools/with-x-server.sh and dbus-run-session)
"""
import os
import signal
import subprocess
import sys
import time

import pyatspi

# (role name as AT-SPI reports it, accessible name, description or None for any)
EXPECTED = [
    ("text", "Нагрузка \u0420 = т", None),
    ("text", "Эксцентриситет \u0435 = мм", None),
    ("text", "Изгибающий  момент M = кг*м", None),
    ("combo box", "Катет сварного шва Kf = мм", None),
    ("combo box", "Коэф. высоты шва beta =", None),
    ("text", "Конструктивная длина  шва L = cм", None),
    ("label", "Расчетная длина шва Lw = 42 мм", None),
    ("combo box", "Сопротивление шва Rwf = кгc/см^2", None),
    ("text", "Коэф. усл.работы шва Ywf =", None),
    ("text", "Коэф. усл.работы Y\u0441 =", None),
    ("text", "Площадь среза св.шва Fw = см^2", None),
    ("text", "Момент сопротивления Ww = см^3", None),
    ("text", "Нормальные напряж. sigma = кгc/см^2", None),
    ("text", "Касательные напряж. tau = кгc/см^2", None),
    ("label", "SIGMA max 0", None),
    ("label", "SIGMA max = Rwf * ywf * yc", None),
    ("label", "Rwf * ywf * yc 0", None),
    ("label", "Результат", None),
    ("label", "= Подбор длины шва =", "Ориентировочный подбор длины шва: Ctrl+L"),
    ("text", "= Подбор длины шва =", "Ориентировочный подбор длины шва: Ctrl+L"),
]


def find_application(process, deadline):
    pid = process.pid
    while time.monotonic() < deadline and process.poll() is None:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == pid and app.childCount > 0:
                    return app
            except Exception:  # an application going away while listed
                continue
        time.sleep(0.25)
    return None


def walk(node, found, depth=0):
    if node is None or depth > 40:
        return
    try:
        found.append((node.getRoleName(), node.name, node.description))
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return
    for child in children:
        walk(child, found, depth + 1)


def main():
    program = sys.argv[1]
    signal.alarm(170)  # a hung bus must not hang the test run
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               QT_ACCESSIBILITY="1")
    process = subprocess.Popen([program], env=env)
    try:
        app = find_application(process, time.monotonic() + 120)
        if app is None:
            print(f"FAIL: the program did not appear on the accessibility bus (exit status {process.poll()})")
            return 1
        found = []
        walk(app, found)
        failures = 0
        for role, name, description in EXPECTED:
            matches = [entry for entry in found if entry[0] == role and entry[1] == name]
            if description is not None:
                matches = [entry for entry in matches if entry[2] == description]
            state = "PASS" if matches else "FAIL"
            failures += not matches
            shown = f"{role}: {name}" + (f" — {description}" if description else "")
            print(f"{state}: {shown}")
        print(f"{len(EXPECTED) - failures} passed, {failures} failed, {len(found)} accessible objects read")
        return 1 if failures else 0
    finally:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()


if __name__ == "__main__":
    sys.exit(main())
