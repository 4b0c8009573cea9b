# SPDX-License-Identifier: GPL-3.0-or-later
"""The launcher and the metainfo pass the desktop's own validators, and say
what a software centre shows in both languages."""

import os
import subprocess
import sys
import xml.etree.ElementTree as ET

desktop, metainfo = sys.argv[1], sys.argv[2]
failures = []


def run(*command):
    out = subprocess.run(command, capture_output=True, text=True)
    if out.returncode != 0:
        failures.append("%s:\n%s%s" % (" ".join(command), out.stdout, out.stderr))


run("desktop-file-validate", desktop)
run("appstreamcli", "validate", "--no-net", metainfo)

entry = dict(line.rstrip("\n").split("=", 1) for line in open(desktop, encoding="utf-8")
             if "=" in line)
for key in ("Name[ru]", "Comment[ru]", "GenericName[ru]"):
    if not entry.get(key):
        failures.append("launcher lacks " + key)
if not os.path.isabs(entry.get("Exec", "")):
    failures.append("launcher does not name the game by its path: " + entry.get("Exec", ""))
if entry.get("Categories") != "Game;BoardGame;StrategyGame;":
    failures.append("launcher categories: " + entry.get("Categories", ""))

XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"
root = ET.parse(metainfo).getroot()
for tag in ("summary", "description/p"):
    langs = {e.get(XML_LANG) for e in root.findall(tag)}
    if langs != {None, "ru"}:
        failures.append("metainfo %s languages: %s" % (tag, langs))
if root.findtext("project_license") != "GPL-3.0-or-later":
    failures.append("metainfo licence: %s" % root.findtext("project_license"))
if not root.findall("screenshots/screenshot/image") or not root.findall("releases/release"):
    failures.append("metainfo lacks screenshots or a release")
if root.find("content_rating[@type='oars-1.1']") is None:
    failures.append("metainfo lacks a content rating")
controls = {e.text for e in root.iter("control")}
if controls != {"pointing", "keyboard"} or root.find(".//internet") is None:
    failures.append("metainfo controls or network: %s" % controls)

print("\n".join(failures) or "launcher and metainfo valid")
sys.exit(1 if failures else 0)
