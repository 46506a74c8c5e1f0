#!/usr/bin/env python3
"""The user guide as one HTML page, from the README.

Usage: manual.py README.md OUTPUT.html [--skip HEADING]... [--lang CODE]

The README's own Markdown is plain: headings, paragraphs, numbered and bulleted lists,
indented code, tables, images, links, **bold** and `code`. Anything else is written as
text, so a new construct shows up in the page rather than breaking the build. The
sections named by --skip (building and testing, for developers) are left out; a --skip
that names no section fails, so a renamed heading cannot put them back unnoticed.
--lang names the page's language (en when not given): a translated guide is written the
same way from its own Markdown.
Images are referred to by their file name: the build puts them beside the page.
Standard library only, so the build needs no package beyond python3.
"""
import html
import os
import re
import sys

INLINE = re.compile(r"`([^`]+)`|!\[([^\]]*)\]\(([^)\s]+)\)|\[([^\]]+)\]\(([^)\s]+)\)|\*\*(.+?)\*\*")


def inline(text):
    out, at = [], 0
    for m in INLINE.finditer(text):
        out.append(html.escape(text[at:m.start()], quote=False))
        code, alt, src, label, href, bold = m.groups()
        if code is not None:
            out.append("<code>%s</code>" % html.escape(code, quote=False))
        elif src is not None:
            out.append('<img src="%s" alt="%s">' % (html.escape(os.path.basename(src)), html.escape(alt)))
        elif href is not None:
            out.append('<a href="%s">%s</a>' % (html.escape(href), inline(label)))
        else:
            out.append("<strong>%s</strong>" % inline(bold))
        at = m.end()
    out.append(html.escape(text[at:], quote=False))
    return "".join(out)


def cells(line):
    return [c.strip() for c in line.strip().strip("|").split("|")]


def blocks(lines):
    """The page body for the README's lines."""
    out, i, n = [], 0, len(lines)
    while i < n:
        line = lines[i]
        if not line.strip():
            i += 1
            continue
        heading = re.match(r"(#{1,6}) +(.*)", line)
        if heading:
            level = len(heading.group(1))
            out.append("<h%d>%s</h%d>" % (level, inline(heading.group(2).strip()), level))
            i += 1
        elif line.startswith("    "):
            code = []
            while i < n and (lines[i].startswith("    ") or not lines[i].strip()):
                code.append(lines[i][4:])
                i += 1
            while code and not code[-1].strip():
                code.pop()
            out.append("<pre><code>%s</code></pre>" % html.escape("\n".join(code), quote=False))
        elif line.startswith("|") and i + 1 < n and re.match(r"\|[-|: ]+\|?\s*$", lines[i + 1]):
            rows = ["<tr>%s</tr>" % "".join("<th>%s</th>" % inline(c) for c in cells(line))]
            i += 2
            while i < n and lines[i].startswith("|"):
                rows.append("<tr>%s</tr>" % "".join("<td>%s</td>" % inline(c) for c in cells(lines[i])))
                i += 1
            out.append("<table>\n%s\n</table>" % "\n".join(rows))
        elif re.match(r"(\d+\.|[-*]) ", line):
            ordered = line[0].isdigit()
            marker = r"\d+\. " if ordered else r"[-*] "
            items = []
            while i < n and re.match(marker, lines[i]):
                text = [re.sub("^" + marker, "", lines[i])]
                i += 1
                # An item goes on over indented lines; a blank line between items keeps the list.
                while i < n and lines[i].strip() and lines[i][0] == " " and not lines[i].startswith("    "):
                    text.append(lines[i].strip())
                    i += 1
                items.append("<li>%s</li>" % inline(" ".join(text)))
                if i + 1 < n and not lines[i].strip() and re.match(marker, lines[i + 1]):
                    i += 1
            tag = "ol" if ordered else "ul"
            out.append("<%s>\n%s\n</%s>" % (tag, "\n".join(items), tag))
        else:
            para = []
            while i < n and lines[i].strip() and not re.match(r"(#{1,6} |\|| {4}|(\d+\.|[-*]) )", lines[i]):
                para.append(lines[i].strip())
                i += 1
            if not para:  # a line no rule above takes: kept as text
                para.append(line.strip())
                i += 1
            out.append("<p>%s</p>" % inline(" ".join(para)))
    return "\n".join(out)


def without_sections(lines, skip):
    """lines without the level-2 sections whose headings skip names."""
    kept, dropping, found = [], False, set()
    for line in lines:
        m = re.match(r"## +(.*)", line)
        if m:
            dropping = m.group(1).strip() in skip
            if dropping:
                found.add(m.group(1).strip())
        elif line.startswith("# "):
            dropping = False
        if not dropping:
            kept.append(line)
    missing = set(skip) - found
    if missing:
        sys.exit("manual.py: no section %s in the README" % ", ".join(sorted(missing)))
    return kept


def main(argv):
    options = list(zip(argv[3::2], argv[4::2]))
    if len(argv) < 3 or len(argv) % 2 == 0 or any(o not in ("--skip", "--lang") for o, _ in options):
        sys.exit(__doc__.split("\n\n")[1])
    skip = [v for o, v in options if o == "--skip"]
    lang = next((v for o, v in reversed(options) if o == "--lang"), "en")
    with open(argv[1], encoding="utf-8") as f:
        lines = f.read().split("\n")
    body = blocks(without_sections(lines, skip))
    title = next((re.sub(r"^# +", "", l).strip() for l in lines if l.startswith("# ")), "Manual")
    page = """<!DOCTYPE html>
<html lang="%s">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>%s</title>
<style>
body { max-width: 46em; margin: 2em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.5; }
img { max-width: 100%%; }
pre { background: #f4f4f4; padding: 0.6em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.3em 0.6em; text-align: left; vertical-align: top; }
</style>
</head>
<body>
%s
</body>
</html>
""" % (html.escape(lang), html.escape(title), body)
    with open(argv[2], "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main(sys.argv)
