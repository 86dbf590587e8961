#!/usr/bin/env bash
# Fails when a translation falls behind the code: lupdate reads src/ into temporary copies of
# translations/wexlo_*.ts (the files in the tree are never changed), and the check fails when
#   - a text the code has is missing from a .ts file, or kept there only as vanished/obsolete;
#   - a text is unfinished: marked so, or with an empty translation or plural form.
# Texts a .ts file still holds but the code no longer has are listed, not failed on (the next
# `update_translations` build marks them vanished; `lupdate -no-obsolete` drops them).
# wexlo_en.ts holds only the English plural forms (lupdate -pluralonly), like the build's.
# LUPDATE names the tool when it is not at Debian's place or on the PATH.
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
  for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)" \
    "$(command -v lupdate || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
      lupdate="$candidate"
      break
    fi
  done
fi
if [ -z "$lupdate" ]; then
  echo "check-translations: lupdate not found (Debian: apt-get install qt6-l10n-tools)" >&2
  exit 2
fi

shopt -s nullglob
ts_files=(translations/wexlo_*.ts)
if [ ${#ts_files[@]} -eq 0 ]; then
  echo "check-translations: no translations/wexlo_*.ts file" >&2
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

failed=0
for ts in "${ts_files[@]}"; do
  name="$(basename "$ts")"
  fresh="$work/$name"
  cp "$ts" "$fresh"
  options=(-silent -locations none -extensions "cpp,h")
  if [ "$name" = "wexlo_en.ts" ]; then options+=(-pluralonly); fi
  # Paths in the copy stay relative to the tree, as in the committed file.
  if ! "$lupdate" "${options[@]}" src -ts "$fresh" >"$work/$name.log" 2>&1; then
    cat "$work/$name.log" >&2
    echo "FAIL $ts: lupdate failed" >&2
    failed=1
    continue
  fi
  if ! python3 - "$ts" "$fresh" <<'PY'; then failed=1; fi
import sys
import xml.etree.ElementTree as ET

committed_path, fresh_path = sys.argv[1], sys.argv[2]


def text(element):
    """The text of a .ts element; lupdate writes control characters as <byte value="xd"/>."""
    if element is None:
        return ""
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            value = child.get("value", "")
            parts.append(chr(int(value[1:], 16) if value.startswith("x") else int(value)))
        else:
            parts.append(text(child))
        parts.append(child.tail or "")
    return "".join(parts)


def messages(path):
    """(context, source, comment) -> (state, numerus) for every message of a .ts file."""
    result = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = text(context.find("name"))
        for message in context.iter("message"):
            key = (name, text(message.find("source")), text(message.find("comment")))
            translation = message.find("translation")
            numerus = message.get("numerus") == "yes"
            kind = translation.get("type") if translation is not None else "unfinished"
            if kind in ("vanished", "obsolete"):
                state = "gone"
            elif kind is not None:
                state = "unfinished"
            elif numerus:
                forms = [text(f) for f in translation.findall("numerusform")]
                state = "finished" if forms and all(forms) else "unfinished"
            else:
                state = "finished" if text(translation) else "unfinished"
            result[key] = state
    return result


committed = messages(committed_path)
fresh = messages(fresh_path)
problems = []
for key, state in sorted(fresh.items()):
    if state == "gone":
        continue
    shown = "%s: %r" % (key[0], key[1]) + (" (%s)" % key[2] if key[2] else "")
    if committed.get(key) in (None, "gone"):
        problems.append("missing     " + shown)
    elif state != "finished":
        problems.append("unfinished  " + shown)
stale = sorted(k for k, s in fresh.items() if s == "gone" and committed.get(k) != "gone")
for key in stale:
    print("  note: no longer in the code: %s: %r" % (key[0], key[1]))
live = sum(1 for s in fresh.values() if s != "gone")
if problems:
    print("FAIL %s: %d of %d texts need work" % (committed_path, len(problems), live))
    for line in problems:
        print("  " + line)
    sys.exit(1)
print("ok   %s: %d texts" % (committed_path, live))
PY
done

if [ "$failed" -ne 0 ]; then
  echo "Update the files (cmake --build build --target update_translations), translate the" \
    "texts above in Qt Linguist and mark them finished; see the README's Translations." >&2
fi
exit "$failed"
