#!/usr/bin/env python3
"""The two builds' resources from one source.

  resource_script.py dialogs DIALOGS_RC OUT_CPP
      The dialog templates of the resource script as the C++ tables of the Linux build.
  resource_script.py program OUT_RC DIALOGS_RC FILE...
      The Windows build's resource script: every picture, sound and icon file named as the
      Linux embedder names it, the program's icon, and the dialog templates.

Only the part of the resource-script language that dialogs.rc uses is read: DIALOG and
DIALOGEX with STYLE, CAPTION, FONT and CONTROL statements. Anything else is an error, so a
template can never be dropped or read differently without the build failing.
"""

import os
import re
import sys

TOKEN = re.compile(r'\s*("(?:[^"\\]|\\.|"")*"|,|[^\s,"]+(?:\s*\|\s*[^\s,"]+)*)')
ESCAPES = {"n", "t", "\\", '"'}


class ScriptError(Exception):
    pass


def fields(text, where):
    """Splits a statement's arguments at top-level commas; strings keep their quotes."""
    out, current, at = [], None, 0
    while at < len(text):
        match = TOKEN.match(text, at)
        if not match or match.end() == at:
            if text[at:].strip():
                raise ScriptError(f"{where}: cannot read '{text[at:]}'")
            break
        at = match.end()
        token = match.group(1)
        if token == ",":
            out.append(current)
            current = None
        elif current is not None:
            raise ScriptError(f"{where}: missing comma before '{token}'")
        else:
            current = token
    out.append(current)
    if any(field is None for field in out):
        raise ScriptError(f"{where}: empty argument")
    return out


def string_literal(token, where):
    """A resource-script string as a C++ literal: only the escapes both languages share."""
    if not (token.startswith('"') and token.endswith('"')):
        raise ScriptError(f"{where}: expected a string, got {token}")
    body = token[1:-1]
    if '""' in body:
        raise ScriptError(f'{where}: "" quotes are not carried over')
    for escape in re.findall(r"\\(.)", body):
        if escape not in ESCAPES:
            raise ScriptError(f"{where}: escape \\{escape} is not carried over")
    return token


def logical_lines(path):
    """The script's statements with comments and preprocessor lines left out."""
    with open(path, encoding="ascii") as script:
        for number, line in enumerate(script, 1):
            text = line.split("//", 1)[0].strip() if not line.lstrip().startswith("#") else ""
            if text:
                yield f"{os.path.basename(path)}:{number}", text


def read_dialogs(path):
    dialogs, dialog = [], None
    for where, text in logical_lines(path):
        keyword, _, rest = text.partition(" ")
        head = re.match(r"(\w+)\s+(DIALOGEX|DIALOG)\s+(.*)", text)
        if head:
            x, y, cx, cy = fields(head.group(3), where)
            dialog = {"id": head.group(1), "extended": head.group(2) == "DIALOGEX",
                      "rect": (x, y, cx, cy), "controls": [], "where": where, "open": False}
            dialogs.append(dialog)
        elif dialog is None:
            raise ScriptError(f"{where}: statement outside a dialog")
        elif keyword == "STYLE":
            dialog["style"] = rest.strip()
        elif keyword == "CAPTION":
            dialog["caption"] = string_literal(rest.strip(), where)
        elif keyword == "FONT":
            font = fields(rest, where)
            if len(font) not in (2, 5) or (len(font) == 5) != dialog["extended"]:
                raise ScriptError(f"{where}: FONT takes size and face (and weight, italic and "
                                  "character set in a DIALOGEX)")
            string_literal(font[1], where)
            dialog["font"] = font if len(font) == 5 else font + ["400", "0", "1"]
        elif text == "BEGIN":
            dialog["open"] = True
        elif text == "END":
            dialog["open"] = False
            dialog = None
        elif keyword == "CONTROL" and dialog["open"]:
            control = fields(rest, where)
            if len(control) not in (8, 9):
                raise ScriptError(f"{where}: CONTROL takes text, id, class, style, x, y, cx, "
                                  "cy and an optional extended style")
            string_literal(control[2], where)
            if control[0].startswith('"'):
                string_literal(control[0], where)
            else:
                control[0] = f"MAKEINTRESOURCEA({control[0]})"
            dialog["controls"].append(control + ["0"] * (9 - len(control)))
        else:
            raise ScriptError(f"{where}: '{keyword}' is not understood here")
    for dialog in dialogs:
        for needed in ("style", "caption", "font"):
            if needed not in dialog:
                raise ScriptError(f"{dialog['where']}: dialog {dialog['id']} has no {needed}")
    if not dialogs:
        raise ScriptError(f"{path}: no dialogs")
    return dialogs


def dialogs_cpp(dialogs, script_name):
    out = [f"// Generated at build time from resources/{script_name}; edits are overwritten.",
           '#include "resources/dialog_templates.h"', "",
           '#include "platform/dialog_template.h"', '#include "platform/win32.h"',
           '#include "resources/resource_ids.h"', "", "namespace resources {", "namespace {", ""]
    for index, dialog in enumerate(dialogs):
        out.append(f"const DLGITEMTEMPLATE kItems{index}[] = {{")
        for text, control_id, window_class, style, x, y, cx, cy, ex_style in dialog["controls"]:
            out.append(f"    {{{window_class}, {text}, {control_id}, {style}, {ex_style}, "
                       f"{x}, {y}, {cx}, {cy}}},")
        out.append("};")
        size, face, weight, italic, charset = dialog["font"]
        x, y, cx, cy = dialog["rect"]
        out.append(f"const DLGTEMPLATE kDialog{index}{{{dialog['style']}, 0, {x}, {y}, {cx}, {cy}, "
                   f"{dialog['caption']}, DLGTEMPLATEFONT{{{size}, {weight}, {italic}, {charset}, "
                   f"{face}}}, {'true' if dialog['extended'] else 'false'}, kItems{index}, "
                   f"WORD{{{len(dialog['controls'])}}}}};")
        out.append("")
    out += ["}  // namespace", "", "std::span<const platform::ResourceEntry> DialogTemplateEntries() {",
            "    static const platform::ResourceEntry entries[] = {"]
    for index, dialog in enumerate(dialogs):
        out.append(f"        {{RT_DIALOG, MAKEINTRESOURCEA({dialog['id']}), &kDialog{index}, "
                   "sizeof(DLGTEMPLATE)},")
    out += ["    };", "    return entries;", "}", "", "}  // namespace resources", ""]
    return "\n".join(out)


def resource_name(path):
    """The embedder's rule: the base name, in capitals; a name of digits is a number."""
    base = os.path.splitext(os.path.basename(path))[0]
    return base if base.isdigit() else base.upper()


RESOURCE_TYPES = {".bmp": "BITMAP", ".wav": "SOUND", ".ico": "ICON"}


def program_rc(dialogs_rc, files):
    out = ["// Generated at build time by resources/resource_script.py; edits are overwritten.",
           "#include <windows.h>", '#include "resource_ids.h"', ""]
    icons = []
    for path in files:
        kind = RESOURCE_TYPES.get(os.path.splitext(path)[1].lower())
        if kind is None:
            raise ScriptError(f"unknown kind of resource file: {path}")
        if kind == "ICON":
            icons.append(path)
        else:
            out.append(f'{resource_name(path)} {kind} "{path}"')
    if len(icons) != 1:
        raise ScriptError(f"the program has one icon file, not {len(icons)}")
    # Explorer and the frame window find the program's icon by its number, not its file's name.
    out += [f'IDI_PROGRAM ICON "{icons[0]}"', "", f'#include "{dialogs_rc}"', ""]
    return "\n".join(out)


def write_if_changed(path, text):
    try:
        with open(path, encoding="ascii") as old:
            if old.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="ascii", newline="\n") as new:
        new.write(text)


def main(argv):
    try:
        if len(argv) == 4 and argv[1] == "dialogs":
            write_if_changed(argv[3], dialogs_cpp(read_dialogs(argv[2]), os.path.basename(argv[2])))
        elif len(argv) >= 4 and argv[1] == "program":
            read_dialogs(argv[3])
            write_if_changed(argv[2], program_rc(argv[3], argv[4:]))
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except ScriptError as error:
        print(f"resource_script.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
