#!/usr/bin/env python3
"""The XScreenSaver settings page is well-formed and offers exactly the settings the program
takes, with the labels, ranges, defaults and choices the program states in its --help."""
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree


def fail(message):
    print("vireluna.xml:", message)
    sys.exit(1)


def program_options(saver):
    """Every option of --help, and for each setting its label, range, default and the names
    of its choices."""
    text = subprocess.run([saver, "--help"], capture_output=True, text=True, check=True).stdout
    options = set(re.findall(r"^  (--[a-z-]+)", text, re.MULTILINE))
    settings = {}
    flag = None
    for line in text.splitlines():
        setting = re.match(r"^  (--[a-z-]+) N +(.+), (\d+) to (\d+), default (-?\d+) \(", line)
        choice = re.match(r"^ {20,}(\d+): (.+)$", line)
        if setting:
            flag = setting.group(1)
            settings[flag] = {"label": setting.group(2), "low": int(setting.group(3)),
                              "high": int(setting.group(4)), "default": int(setting.group(5)),
                              "choices": []}
        elif choice and flag:
            settings[flag]["choices"].append(choice.group(2))
    if not settings:
        fail("the program's --help lists no settings")
    return options, settings


def page_settings(root, options):
    """What the page offers, in the form program_options gives."""
    named = {}
    for command in root.iter("command"):
        for flag in command.get("arg", "").split():
            if flag not in options:
                fail(f"<command> passes {flag}, which the program does not take")
    for number in root.iter("number"):
        flag, placeholder = number.get("arg", "").split()
        if placeholder != "%":
            fail(f"{flag}: the value is not passed as %")
        named[flag] = {"label": number.get("_label"), "low": int(number.get("low")),
                       "high": int(number.get("high")), "default": int(number.get("default")),
                       "choices": []}
    for select in root.iter("select"):
        flags, labels, default = set(), [], None
        for index, option in enumerate(select.iter("option")):
            labels.append(option.get("_label"))
            arg = option.get("arg-set")
            if arg is None:  # the program's own default: nothing is passed
                if default is not None:
                    fail(f"<select id={select.get('id')}> has two options without arg-set")
                default = index
                continue
            flag, value = arg.split()
            flags.add(flag)
            if int(value) != index:
                fail(f"{flag}: option {index} sets {value}")
        if len(flags) != 1 or default is None:
            fail(f"<select id={select.get('id')}> must set one option, with one default")
        flag = flags.pop()
        group = labels[0].split(": ")[0]
        if any(not label.startswith(group + ": ") for label in labels):
            fail(f"{flag}: the options do not all start with '{group}: '")
        named[flag] = {"label": group, "low": 0, "high": len(labels) - 1, "default": default,
                       "choices": [label.split(": ", 1)[1] for label in labels]}
    return named


def main():
    xml_path, saver = sys.argv[1], sys.argv[2]
    try:
        root = ElementTree.parse(xml_path).getroot()
    except ElementTree.ParseError as error:
        fail(f"not well-formed: {error}")
    if root.tag != "screensaver" or root.get("name") != "vireluna":
        fail("the root element is not <screensaver name=\"vireluna\">")
    options, settings = program_options(saver)
    named = page_settings(root, options)
    if set(named) != set(settings):
        fail(f"settings {sorted(named)} differ from the program's {sorted(settings)}")
    for flag, page in named.items():
        if page != settings[flag]:
            fail(f"{flag}: the page offers {page}, the program says {settings[flag]}")
    print(f"vireluna.xml: {len(named)} settings match the program's options")


main()
