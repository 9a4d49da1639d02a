#!/usr/bin/env python3
"""Where marquill.exe's start-up goes, read from Wine's own trace of its
starts (startup_bench.exe --trace; run_bench.sh sets which calls Wine traces).

Usage: startup_trace.py TRACE-LOG
       startup_trace.py --functions   (the functions to trace, for Wine's
                                       RelayInclude setting)

Each start is cut into what it was doing, to the millisecond Wine's
timestamps have, from its image mapped until its window is painted: each
DLL's initialisation before Marquill's own code runs, then the time inside
each kind of traced call, and between them Marquill's own code and the calls
not traced. Prints the median of each over
the starts. The trace slows every call it records a little.
"""

import collections
import re
import statistics
import sys

LINE = re.compile(r"^(\d+\.\d+):([0-9a-f]+):([0-9a-f]+):(.*)$")
CALL = re.compile(r"^Call (\w+)\.(\w+)\((.*)\) ret=([0-9a-f]+)$")
RET = re.compile(r"^Ret  (\w+)\.(\w+)\(\).* ret=([0-9a-f]+)$")
DLL_CALL = re.compile(r'^Call PE DLL \(.*L"([^"]+)",reason=PROCESS_ATTACH')
DLL_RET = re.compile(r'^Ret  PE DLL \(.*L"([^"]+)",reason=PROCESS_ATTACH')
EXE = re.compile(r'trace:loaddll:build_module Loaded L"[^"]*marquill\.exe" at ([0-9A-F]+)')
IMAGE_SIZE = 0x1000000  # more than marquill.exe spans, less than the gap to any DLL

OWN = "Marquill's own code, calls not traced"
# What each traced function is doing at start-up.
KINDS = {
    "SetDefaultDllDirectories": OWN,  # the first call of wWinMain
    "InitCommonControlsEx": "common controls registered",
    "CreateMenu": "menu built",
    "CreatePopupMenu": "menu built",
    "AppendMenuW": "menu built",
    "SystemParametersInfoForDpi": "message font made",
    "CreateFontIndirectW": "message font made",
    "CreateCompatibleDC": "text measured (base units, layout)",
    "GetTextMetricsW": "text measured (base units, layout)",
    "GetCharWidth32W": "text measured (base units, layout)",
    "GetTextExtentPoint32W": "text measured (base units, layout)",
    "DrawTextW": "text measured (base units, layout)",
    "LoadIconWithScaleDown": "icons loaded and set",
    "SetWindowPos": "window sized and placed",
    "ShowWindow": "ShowWindow",
    "OleInitialize": "OLE started, drop targets",
    "RegisterDragDrop": "OLE started, drop targets",
    "GetMessageW": "messages until painted",
    "DispatchMessageW": "messages until painted",
    "IsDialogMessageW": "messages until painted",
}
# Traced too: what they do depends on their arguments.
SORTED_BY_ARGUMENTS = ["CreateWindowExW", "SendMessageW"]
IDLE_MS = 5  # a GetMessageW that waits this long found the queue empty


def kind_of(function, args):
    if function == "CreateWindowExW":
        return "main window created" if '"MarquillForm"' in args else "controls created"
    if function == "SendMessageW":
        message = int(args.split(",")[1], 16)
        return "icons loaded and set" if message == 0x80 else OWN  # WM_SETICON
    return KINDS.get(function, OWN)


def read_starts(path):
    """The lines of each start, by process, as (milliseconds, text)."""
    starts = collections.defaultdict(list)
    with open(path, errors="replace") as log:
        for line in log:
            match = LINE.match(line.rstrip("\n"))
            if match:
                starts[match.group(2)].append((float(match.group(1)) * 1000, match.group(4)))
    return [lines for lines in starts.values() if EXE.search(lines[0][1])]


def split(lines):
    """{what: milliseconds} for one start until its window is painted, and its
    milestones. Painted is when the last WM_PAINT before the queue first ran
    empty had been handled (or, with none, when it ran empty)."""
    spent = collections.Counter()
    stack = []  # what each open traced call is doing
    start = last = lines[0][0]
    image = int(EXE.search(lines[0][1]).group(1), 16)
    milestones = {}
    painted = None  # (when, what was spent until then)
    painting = False  # a WM_PAINT handled since the last GetMessageW
    waiting_since = None  # when the last GetMessageW since ShowWindow was called

    def marquills(match):
        """Whether the traced call is one marquill.exe made itself."""
        return match and image <= int(match.group(match.lastindex), 16) < image + IMAGE_SIZE

    for now, text in lines:
        if stack or "main" in milestones:
            spent[stack[-1] if stack else OWN] += now - last
        else:
            spent["DLLs mapped, the C runtime started"] += now - last
        last = now
        if dll := DLL_CALL.match(text):
            stack.append("initialising " + dll.group(1).rsplit("\\", 1)[-1].lower())
        elif DLL_RET.match(text) and stack:
            stack.pop()
        elif text.startswith("Call window proc") and "msg=WM_PAINT," in text:
            painting = True
        elif marquills(call := CALL.match(text)):
            milestones.setdefault("main", now - start)
            if call.group(2) == "GetMessageW" and "shown" in milestones:
                waiting_since = now
                if painting:
                    painted, painting = (now - start, spent.copy()), False
            stack.append(kind_of(call.group(2), call.group(3)))
        elif marquills(ret := RET.match(text)):
            if ret.group(2) == "GetMessageW" and waiting_since and now - waiting_since >= IDLE_MS:
                spent[stack.pop()] -= now - waiting_since
                milestones["painted"], spent = painted or (waiting_since - start, spent)
                return spent, milestones
            if ret.group(2) == "ShowWindow":
                milestones["shown"] = now - start
            if stack:
                stack.pop()
    return spent, milestones


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    if sys.argv[1] == "--functions":
        print(";".join(list(KINDS) + SORTED_BY_ARGUMENTS))
        return
    splits = [split(lines) for lines in read_starts(sys.argv[1])]
    splits = [(spent, marks) for spent, marks in splits if "painted" in marks]
    if not splits:
        sys.exit("startup_trace: no complete start of marquill.exe in " + sys.argv[1])

    def median(values):
        return statistics.median(list(values))

    print("where marquill.exe's start-up goes, Wine's trace of %d starts (medians, ms from its "
          "image mapped):" % len(splits))
    kinds = sorted({k for spent, _ in splits for k in spent},
                   key=lambda k: -median(spent.get(k, 0) for spent, _ in splits))
    for kind in kinds:
        value = median(spent.get(kind, 0) for spent, _ in splits)
        if value >= 0.5:
            print("  %-48s %6.1f" % (kind, value))
    for name, what in (("main", "its own code starts"), ("shown", "ShowWindow has returned"),
                       ("painted", "painted")):
        print("  %-48s at %5.1f" % (what, median(marks[name] for _, marks in splits)))


if __name__ == "__main__":
    main()
