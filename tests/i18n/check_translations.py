#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Fails when a text of the desktop windows lacks a translation in one of the languages, or when a
translation's placeholders differ from its source's.

  check_translations.py LUPDATE SOURCE_DIR SOURCES_FILE

SOURCES_FILE is what the build's lupdate reads for each program, as cmake/translations.cmake
notes it: a line a program, its name, its lupdate options and its sources, tab-separated, each
field's items joined by "|".

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

PLACEHOLDER = re.compile(r"%(?:n|L?\d+)")


def placeholders(text):
    return sorted(PLACEHOLDER.findall(text or ""))


def main():
    lupdate, root, listed = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
    options, sources = {}, {}
    for line in listed.read_text().splitlines():
        program, program_options, program_sources = line.split("\t")
        options[program] = [o for o in program_options.split("|") if o]
        sources[program] = [s for s in program_sources.split("|") if s]
    faults = []
    with tempfile.TemporaryDirectory() as work:
        for ts in sorted((root / "translations").glob("*.ts")):
            program, language = ts.stem.rsplit("_", 1)
            copy = Path(work) / ts.name
            shutil.copy(ts, copy)
            # English is the sources' own text: its file holds only the forms of counted texts.
            only = ["-pluralonly"] if language == "en" else []
            subprocess.run([lupdate, "-silent", "-locations", "none", *only,
                            *options[program], "-I", str(root), *sources[program], "-ts", str(copy)],
                           check=True, stderr=subprocess.DEVNULL)
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
