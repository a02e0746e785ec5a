"""The module as installed under a prefix: imported from there, loading the
library installed beside it (through its RPATH), and working.

    check_installed.py PREFIX MODULE_DIR
"""
import pathlib
import sys

prefix = pathlib.Path(sys.argv[1]).resolve()
sys.path.insert(0, str(prefix / sys.argv[2]))
import tarvil  # noqa: E402

assert pathlib.Path(tarvil.__file__).resolve().is_relative_to(prefix), tarvil.__file__
assert (pathlib.Path(tarvil.__file__).parent / "tarvil.pyi").is_file(), "no stub beside the module"
libraries = {line.split()[-1] for line in open("/proc/self/maps") if "libtarvil.so" in line}
assert libraries and all(pathlib.Path(p).resolve().is_relative_to(prefix) for p in libraries), libraries
assert tarvil.read("4.7k", "resistance", "si") == 4700.0
print("installed module:", tarvil.__file__)
