#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Fails when a text of the desktop windows lacks a translation in one of the languages, or when a
translation's placeholders differ from its source's.

  check_translations.py LUPDATE SOURCE_DIR

lupdate reads the sources again into copies of translations/*.ts, so that a text added to the
code without a translation shows up as unfinished here, before anyone sees it in English.
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

# What each program's translations are made from, as its CMakeLists.txt says.
SOURCES = {"client": ["client/ui"]}
PLACEHOLDER = re.compile(r"%(?:n|L?\d+)")


def placeholders(text):
    return sorted(PLACEHOLDER.findall(text or ""))


def main():
    lupdate, root = sys.argv[1], Path(sys.argv[2])
    faults = []
    with tempfile.TemporaryDirectory() as work:
        for ts in sorted((root / "translations").glob("*.ts")):
            program = ts.stem.rsplit("_", 1)[0]
            copy = Path(work) / ts.name
            shutil.copy(ts, copy)
            subprocess.run([lupdate, "-silent", "-locations", "none", "-I", str(root),
                            *[str(root / s) for s in SOURCES[program]], "-ts", str(copy)],
                           check=True)
            for context in ET.parse(copy).getroot().iter("context"):
                name = context.findtext("name")
                for message in context.iter("message"):
                    source = message.findtext("source")
                    translation = message.find("translation")
                    kind = translation.get("type", "")
                    if kind in ("obsolete", "vanished"):
                        continue
                    forms = [f.text for f in translation.iter("numerusform")] or [translation.text]
                    where = f"{ts.name}: {name}: {source!r}"
                    if kind == "unfinished" or not all(forms):
                        faults.append(f"{where} has no translation")
                        continue
                    for form in forms:
                        if placeholders(form) != placeholders(source) and not (
                                message.get("numerus") == "yes" and "%n" not in form):
                            faults.append(f"{where}: {form!r} has other placeholders")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
