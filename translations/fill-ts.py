#!/usr/bin/env python3
"""Fill Qt Linguist .ts files from translations/strings.tsv.

    translations/fill-ts.py [--tsv FILE] [--overwrite] [--dry-run] wexlo_de.ts wexlo_fr.ts ...

Every <message> of the .ts files (as lupdate writes them) whose English source text has a row
in the table gets that row's text in the file's language, and is marked finished. A numerus
message (one counted with n) gets one <numerusform> per form, the forms taken from the cell
split at "|", in the language's order (German, English: one, other; French: 0-1, other).
Messages that lupdate marked vanished or obsolete are left alone. Translations already finished
are kept unless --overwrite is given, so a translator's later work in Linguist is not undone.

The language is the file's language attribute (de_DE -> de), the column of the same name.
An English file (lupdate -pluralonly) takes its numerus forms from the en column; any other
message in it is given its own source text.

Texts the table has no translation for are listed on stderr; the exit status is 1 when there
were any, so a script can stop on it.

Table format (UTF-8, tab-separated, "#" starts a comment line):
    source <TAB> de <TAB> fr <TAB> where [<TAB> en [<TAB> comment]]
with \\n, \\r, \\t and \\\\ written as escapes. A row with a comment is for the messages
given that disambiguation (tr("Exit", "closes this window")); a message with one that has no
row of its own takes the row without.
"""

import argparse
import os
import re
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\"}


def unescape(text):
    return re.sub(r"\\([nrt\\])", lambda m: ESCAPES[m.group(1)], text)


def read_table(path):
    """Returns {language: {(source, comment): [forms]}}."""
    columns = None
    table = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line:
                continue
            if line.startswith("#"):
                if columns is None:
                    columns = [c.strip() for c in line.lstrip("#").split("\t")]
                continue
            if columns is None:
                sys.exit("%s: no header line" % path)
            cells = line.split("\t")
            if len(cells) > len(columns):
                sys.exit("%s:%d: %d cells, the header names %d" %
                         (path, number, len(cells), len(columns)))
            cells += [""] * (len(columns) - len(cells))
            row = dict(zip(columns, cells))
            key = (unescape(row["source"]), row.get("comment", ""))
            for language in columns:
                if language in ("source", "where", "comment") or not row[language]:
                    continue
                forms = [unescape(form) for form in row[language].split("|")]
                per_language = table.setdefault(language, {})
                if key in per_language:
                    sys.exit("%s:%d: %r is in the table twice" % (path, number, key[0]))
                per_language[key] = forms
    return table


def language_of(root, path):
    language = root.get("language") or ""
    if not language:
        # lupdate guesses the language from the file name in the same way: name_de.ts
        match = re.search(r"_([a-z]{2,3})(?:_[A-Z]{2})?\.ts$", os.path.basename(path))
        language = match.group(1) if match else ""
    return language.split("_")[0]


def message_text(element):
    """The text of a .ts element; lupdate writes control characters as <byte value="xd"/>."""
    if element is None:
        return ""
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            value = child.get("value", "")
            parts.append(chr(int(value[1:], 16) if value.startswith("x") else int(value)))
        else:
            parts.append(message_text(child))
        parts.append(child.tail or "")
    return "".join(parts)


def is_finished(translation, numerus):
    if translation is None or translation.get("type") is not None:
        return False
    if numerus:
        forms = translation.findall("numerusform")
        return bool(forms) and all(message_text(f) for f in forms)
    return bool(message_text(translation))


def set_translation(message, translation, forms, numerus, indent):
    for child in list(translation):
        translation.remove(child)
    if "type" in translation.attrib:
        del translation.attrib["type"]
    if numerus:
        # Laid out as lupdate lays them out, so a later lupdate run changes no line.
        translation.text = "\n" + indent * 3
        for i, form in enumerate(forms):
            element = ET.SubElement(translation, "numerusform")
            element.text = form
            element.tail = "\n" + indent * (3 if i + 1 < len(forms) else 2)
    else:
        translation.text = forms[0]


def fill(path, table, overwrite, dry_run):
    tree = ET.parse(path)
    root = tree.getroot()
    language = language_of(root, path)
    texts = table.get(language, {})
    identity = language == "en"
    filled, missing = 0, []
    for context in root.iter("context"):
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None:
                translation = ET.SubElement(message, "translation")
            if translation.get("type") in ("vanished", "obsolete"):
                continue
            numerus = message.get("numerus") == "yes"
            if is_finished(translation, numerus) and not overwrite:
                continue
            source = message_text(message.find("source"))
            comment = message_text(message.find("comment"))
            forms = texts.get((source, comment), texts.get((source, "")))
            if forms is None and identity and not numerus:
                forms = [source]
            if forms is None:
                missing.append((message_text(context.find("name")), source, numerus))
                continue
            wanted = len(translation.findall("numerusform")) if numerus else 1
            if (numerus and len(forms) < 2) or (not numerus and len(forms) > 1) or \
                    (numerus and wanted and len(forms) != wanted):
                # A counted text needs all its forms, an uncounted one exactly one.
                missing.append((message_text(context.find("name")), source, numerus))
                continue
            set_translation(message, translation, forms, numerus, "    ")
            filled += 1
    if not dry_run and filled:
        body = ET.tostring(root, encoding="unicode")
        body = body.replace('<translation type="unfinished" />',
                            '<translation type="unfinished"></translation>').replace(" />", "/>")
        # Quotes in texts escaped as lupdate writes them, so its next run changes no line.
        body = re.sub(r">([^<]*)<", lambda m: ">" + m.group(1).replace('"', "&quot;")
                      .replace("'", "&apos;").replace("\u00a0", "&#xa0;")
                      .replace("\r", '<byte value="xd"/>') + "<", body)
        with open(path, "w", encoding="utf-8") as f:
            f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
            f.write(body)
            f.write("\n")
    return language, filled, missing


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("ts_files", nargs="+")
    parser.add_argument("--tsv", default=os.path.join(HERE, "strings.tsv"))
    parser.add_argument("--overwrite", action="store_true",
                        help="replace finished translations too")
    parser.add_argument("--dry-run", action="store_true", help="change no file")
    args = parser.parse_args()
    table = read_table(args.tsv)
    status = 0
    for path in args.ts_files:
        language, filled, missing = fill(path, table, args.overwrite, args.dry_run)
        print("%s (%s): %d filled, %d without translation" %
              (path, language or "?", filled, len(missing)))
        for context, source, numerus in missing:
            kind = " [numerus]" if numerus else ""
            sys.stderr.write("  %s: %r%s\n" % (context, source, kind))
        if missing:
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
