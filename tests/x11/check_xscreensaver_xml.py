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
    """Every option of --help, and for each setting its label, range, default, the labels of
    its choices and the value each choice passes (None for the default, which passes none)."""
    text = subprocess.run([saver, "--help"], capture_output=True, text=True, check=True).stdout
    options = set(re.findall(r"^  (--[a-z-]+)", text, re.MULTILINE))
    settings = {}
    flag = None
    for line in text.splitlines():
        number = re.match(r"^  (--[a-z-]+) N +(.+), (\d+) to (\d+), default (-?\d+) \(", line)
        named = re.match(r"^  (--[a-z-]+) ([a-z|]+) +(.+), default ([a-z]+) \(", line)
        switch = re.match(r"^  (--[a-z-]+) {2,}(.+), default (off|on) \(", line)
        choice = re.match(r"^ {20,}([a-z0-9]+): (.+)$", line)
        if number:
            flag = number.group(1)
            settings[flag] = {"label": number.group(2), "low": int(number.group(3)),
                              "high": int(number.group(4)), "default": int(number.group(5)),
                              "choices": [], "values": []}
        elif named:
            flag = named.group(1)
            names = named.group(2).split("|")
            if named.group(4) not in names:
                fail(f"{flag}: the default {named.group(4)} is not one of {names}")
            settings[flag] = {"label": named.group(3), "low": 0, "high": len(names) - 1,
                              "default": names.index(named.group(4)), "choices": [],
                              "values": []}
        elif switch:
            flag = switch.group(1)
            settings[flag] = {"label": switch.group(2), "switch": True,
                              "default": switch.group(3) == "on"}
        elif choice and flag:
            settings[flag]["choices"].append(choice.group(2))
            settings[flag]["values"].append(choice.group(1))
    if not settings:
        fail("the program's --help lists no settings")
    for setting in settings.values():
        if setting.get("values"):
            setting["values"][setting["default"]] = None
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
                       "choices": [], "values": []}
    for text in root.iter("string"):
        flag, placeholder = text.get("arg", "").split()
        if flag not in options or placeholder != "%":
            fail(f"<string id={text.get('id')}> passes {flag} %, which the program does not take")
    for boolean in root.iter("boolean"):
        flag = boolean.get("arg-set", "")
        if boolean.get("arg-unset") is not None:
            fail(f"{flag}: a switch is off unless it is passed")
        named[flag] = {"label": boolean.get("_label"), "switch": True, "default": False}
    for select in root.iter("select"):
        flags, labels, values, default = set(), [], [], None
        for index, option in enumerate(select.iter("option")):
            labels.append(option.get("_label"))
            arg = option.get("arg-set")
            if arg is None:  # the program's own default: nothing is passed
                if default is not None:
                    fail(f"<select id={select.get('id')}> has two options without arg-set")
                default = index
                values.append(None)
                continue
            flag, value = arg.split()
            flags.add(flag)
            values.append(value)
        if len(flags) != 1 or default is None:
            fail(f"<select id={select.get('id')}> must set one option, with one default")
        flag = flags.pop()
        group = labels[0].split(": ")[0]
        if any(not label.startswith(group + ": ") for label in labels):
            fail(f"{flag}: the options do not all start with '{group}: '")
        named[flag] = {"label": group, "low": 0, "high": len(labels) - 1, "default": default,
                       "choices": [label.split(": ", 1)[1] for label in labels],
                       "values": values}
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
