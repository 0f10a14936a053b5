#!/usr/bin/env python3
"""Checks the translation catalogues against the code, as lupdate sees it:
every text of the code is translated and finished, no translated text has
vanished from the code, and each translation has the placeholders of its
source, no more and no fewer.
   check_catalogue.py LUPDATE SOURCE_DIR CATALOGUE... -- SOURCE..."""
import collections
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

lupdate, source_dir = sys.argv[1], sys.argv[2]
split = sys.argv.index("--")
catalogues, sources = sys.argv[3:split], sys.argv[split + 1:]
placeholder = re.compile(r"%(?:L?[1-9][0-9]?|n)")
failures = []

for catalogue in catalogues:
    with tempfile.TemporaryDirectory() as work:
        # The catalogue brought up to date with the code, as a maintainer's
        # update would: new texts come in unfinished, gone ones as vanished.
        updated = f"{work}/updated.ts"
        shutil.copy(catalogue, updated)
        language = ET.parse(catalogue).getroot().get("language")
        subprocess.run([lupdate, "-silent", "-locations", "none", "-I", source_dir,
                        "-source-language", "ja_JP", "-target-language", language, *sources,
                        "-ts", updated], cwd=source_dir, check=True)
        root = ET.parse(updated).getroot()
    count = 0
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            count += 1
            source = message.findtext("source")
            translation = message.find("translation")
            where = f"{catalogue}: {name}: {source!r}"
            state = translation.get("type")
            if state:
                failures.append(f"{where} is {state}")
            elif not translation.text:
                failures.append(f"{where} has no translation")
            elif (collections.Counter(placeholder.findall(source))
                  != collections.Counter(placeholder.findall(translation.text))):
                failures.append(f"{where}: the placeholders differ in {translation.text!r}")
    print(f"{catalogue}: {count} texts")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
