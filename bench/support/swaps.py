"""What the CPU benchmarks share: a process's CPU time and the swap counter they preload."""
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User and system time of every thread of the process."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def build_probe(folder):
    """The swap counter as a library to preload, built into the folder."""
    probe = os.path.join(folder, "probe.so")
    subprocess.run(["cc", "-shared", "-fPIC", "-O2", "-o", probe, os.path.join(HERE, "swap_count_probe.c"), "-ldl"],
                   check=True)
    return probe


def swaps(path):
    """The count the probe keeps in the file BRISALO_PROBE_OUT names; 0 before the first swap."""
    counts = surface_swaps(path)
    return counts[0] if counts else 0


def surface_swaps(path):
    """Every swap, then each surface's, in the order of their first swap; [] before the first."""
    try:
        with open(path) as f:
            return [int(field) for field in f.read().split()]
    except (OSError, ValueError):
        return []
