"""Runs Orca for one test, beside any Orca already running.

Orca refuses to start while another Orca of the same user runs, and its
--replace kills every one of them. The test's Orca is started through this
file instead: the single-instance check is skipped and the process keeps
the interpreter's name, so neither the user's screen reader nor another
test's is touched.
Usage: python3 orca_launch.py ORCA-OPTIONS...
"""

import runpy
import sys

orca = runpy.run_path("/usr/bin/orca", run_name="orca_launch")
main = orca["main"]
main.__globals__["otherOrcas"] = lambda: []
main.__globals__["setProcessName"] = lambda name: None
sys.argv[0] = "orca"
sys.exit(main())
