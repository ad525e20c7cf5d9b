#!/usr/bin/python3
"""Stands in for a screen reader while the viewer benchmark runs: listens on the accessibility bus
to the events a screen reader follows (text inserted and removed, caret moves, focus), so that
Qt's bridge sends them, and reads the length of each inserted text as a reader would.

Usage: screen_reader_listener.py   (on the session bus of the benchmark; ends at SIGTERM)
"""
import signal

import pyatspi

received = {"events": 0, "characters": 0}


def heard(event):
    received["events"] += 1
    if isinstance(event.any_data, str):
        received["characters"] += len(event.any_data)


pyatspi.Registry.registerEventListener(heard, "object:text-changed", "object:text-caret-moved",
                                       "object:state-changed:focused", "focus:")
signal.signal(signal.SIGTERM, lambda *_: pyatspi.Registry.stop())
pyatspi.Registry.start()
print(f"screen reader stand-in: {received['events']} events, {received['characters']} characters")
