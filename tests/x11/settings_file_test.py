#!/usr/bin/env python3
"""verdane.xml beside XScreenSaver's stock settings files.

usage: settings_file_test.py VERDANE SETTINGS_FILE STOCK_FOLDER

The file must be well-formed (xmllint), use only elements and attributes
that the stock files use, carry what every stock file carries (the command
line option that puts a hack on XScreenSaver's window, the frame-rate
toggle, the updater, a description), map its sliders onto verdane's two
settings over 0..100, and every command line that XScreenSaver's settings
program can make from it must be accepted by verdane. Exits 77 (skipped)
without stock files to compare with.
"""
import glob
import subprocess
import sys
import xml.etree.ElementTree as ET

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def vocabulary(root):
    """The element names and (element, attribute) pairs used in a file."""
    tags, attributes = set(), set()
    for element in root.iter():
        tags.add(element.tag)
        attributes.update((element.tag, name) for name in element.attrib)
    return tags, attributes


def accepted(hack, arguments):
    """verdane reads its options in order and stops at --help, so a line
    followed by --help exits 0 exactly when every option in it is valid;
    no display is needed."""
    run = subprocess.run([hack, *arguments, "--help"], capture_output=True, text=True, timeout=10)
    return run.returncode == 0, run.stderr.strip()


def main(hack, settings, stock_folder):
    stock = sorted(glob.glob(stock_folder + "/*.xml"))
    if not stock:
        print("no stock settings files in " + stock_folder + " (Debian package xscreensaver-data)")
        return 77

    lint = subprocess.run(["xmllint", "--noout", settings], capture_output=True, text=True, timeout=30)
    check(lint.returncode == 0, "xmllint: " + lint.stderr.strip())

    known_tags, known_attributes = set(), set()
    for path in stock:
        tags, attributes = vocabulary(ET.parse(path).getroot())
        known_tags |= tags
        known_attributes |= attributes
    root = ET.parse(settings).getroot()
    tags, attributes = vocabulary(root)
    for tag in sorted(tags - known_tags):
        check(False, "element <%s> is in no stock file" % tag)
    for tag, name in sorted(attributes - known_attributes):
        check(False, "attribute %s of <%s> is in no stock file" % (name, tag))

    check(root.tag == "screensaver" and root.get("name") == "verdane", "not the settings of verdane")
    commands = root.findall("command")
    check(len(commands) == 1 and commands[0].get("arg") in ("-root", "--root"),
          "no <command arg=\"--root\"/>: XScreenSaver would start verdane in a window of its own")
    check(root.find("xscreensaver-updater") is not None, "no <xscreensaver-updater/>")
    description = root.find("_description")
    check(description is not None and description.text.strip(), "no description")
    check(any(b.get("id") == "showfps" and b.get("arg-set") == "--fps" for b in root.iter("boolean")),
          "no standard frame-rate toggle")
    check(any(b.get("arg-set") == "--blank" for b in root.iter("boolean")), "no blank-screen toggle")
    numbers = {n.get("arg"): n for n in root.iter("number")}
    for arg, label in (("--plant-size %", "Plant Size"), ("--growth-rate %", "Growth Rate")):
        slider = numbers.get(arg)
        check(slider is not None and slider.get("_label") == label and slider.get("type") == "slider"
              and slider.get("low") == "0" and slider.get("high") == "100",
              "no 0..100 slider \"%s\" for %s" % (label, arg.split()[0]))

    # Each option at each of its values, alone after the command, then all
    # at once at their highest.
    base = commands[0].get("arg").split() if commands else []
    lines = []
    highest = list(base)
    for number in root.iter("number"):
        for key in ("low", "high", "default"):
            lines.append(base + number.get("arg").replace("%", number.get(key)).split())
        highest += number.get("arg").replace("%", number.get("high")).split()
    for boolean in root.iter("boolean"):
        for key in ("arg-set", "arg-unset"):
            if boolean.get(key):
                lines.append(base + boolean.get(key).split())
                highest += boolean.get(key).split() if key == "arg-set" else []
    lines.append(highest)
    for line in lines:
        ok, error = accepted(hack, line)
        check(ok, "verdane refuses '%s': %s" % (" ".join(line), error))
    # The check itself: a value out of range is refused.
    check(not accepted(hack, base + ["--plant-size", "101"])[0], "verdane accepts --plant-size 101")

    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
