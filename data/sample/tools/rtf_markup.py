"""A small line markup for the sample library's texts, turned into RTF.

Each line of a text is one paragraph, except that a line which does not end a sentence
(with . : ? ! ) ] or **) runs on into the next plain line:

    plain text              a paragraph
    (a) text, (i) text      a question part, hanging at one or two levels
    A) text ... D) text     an option of a multiple-choice question
    - text                  a bullet
    1. text                 a numbered step
    @h text                 a heading (bold)
    @c text                 centred
    @i text                 an instruction (italic)
    @r text                 right-aligned
    @marks N                "[N marks]" at the right
    @lines N                N answer lines
    @pic NAME               the picture pictures/NAME.png, centred
    @table W1 W2 ...        a table with columns W1, W2 ... cm wide; the rows follow as
    | cell | cell |         lines between bars, the first row is the heading row
    @grid W1 W2 ...         the same without a heading row

Inside a line: **bold**, //italic//, _{subscript}, ^{superscript}. Characters outside
code page 1252 (Greek letters, ≤, arrows) become \\uN escapes. The font table also lists
the Symbol font, for texts edited later that use it; Greek letters are not written in
it, because a word processor on a machine without that font shows nothing for them.
"""

import re
import struct
from pathlib import Path

HEADER = ("{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0"
          "{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW ROMAN;}"
          "{\\f1\\fnil\\fcharset2 Symbol;}}\n")
# The end mark: a last paragraph that holds only "-".
END_MARK = "\\pard\\plain\\f0\\fs24 -\\par}"
BODY = "\\plain\\f0\\fs24 "

# What a reader that does not know \uN shows instead.
FALLBACK = {"−": "-", "→": ">", "⇌": "="}

TWIPS_PER_CM = 567
PICTURES = Path(__file__).resolve().parent / "pictures"


def escape_char(ch):
    if ch == "\\" or ch == "{" or ch == "}":
        return "\\" + ch
    if ch == "\t":
        return "\\tab "
    code = ord(ch)
    if code < 0x80:
        return ch
    try:
        byte = ch.encode("cp1252")[0]
        return "\\'%02x" % byte
    except UnicodeEncodeError:
        return "\\u%d%s" % (code, FALLBACK.get(ch, "?"))


def inline(text):
    out = []
    i = 0
    bold = italic = False
    while i < len(text):
        if text.startswith("**", i):
            bold = not bold
            out.append("\\b " if bold else "\\b0 ")
            i += 2
        elif text.startswith("//", i):
            italic = not italic
            out.append("\\i " if italic else "\\i0 ")
            i += 2
        elif text.startswith("_{", i) or text.startswith("^{", i):
            end = text.index("}", i)
            word = "\\sub " if text[i] == "_" else "\\super "
            out.append(word + "".join(escape_char(c) for c in text[i + 2:end]) + "\\nosupersub ")
            i = end + 1
        else:
            out.append(escape_char(text[i]))
            i += 1
    if bold or italic:
        raise ValueError("unclosed ** or // in: " + text)
    return "".join(out)


def paragraph(text, layout=""):
    return "\\pard" + layout + BODY + inline(text) + "\\par\n"


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    return struct.unpack(">II", data[16:24])


def picture(name):
    data = (PICTURES / (name + ".png")).read_bytes()
    width, height = png_size(data)
    hexdata = data.hex()
    lines = [hexdata[k:k + 128] for k in range(0, len(hexdata), 128)]
    # 15 twips to the pixel: the picture's size at 96 pixels to the inch.
    return ("\\pard\\qc\\sa120" + BODY + "{\\pict\\pngblip\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d\n"
            % (width, height, width * 15, height * 15) + "\n".join(lines) + "}\\par\n")


def table(widths, rows, heading):
    out = []
    edges = []
    total = 0
    for w in widths:
        total += round(float(w) * TWIPS_PER_CM)
        edges.append(total)
    border = "".join("\\clbrdr%s\\brdrs\\brdrw10" % side for side in "tlbr")
    for r, cells in enumerate(rows):
        if len(cells) != len(widths):
            raise ValueError("row has %d cells, table has %d columns: %s"
                             % (len(cells), len(widths), cells))
        out.append("\\trowd\\trgaph85\\trleft0" + "".join(border + "\\cellx%d" % e for e in edges)
                   + "\n\\pard\\intbl\\sa60\\plain\\f0\\fs22 ")
        for cell in cells:
            text = inline(cell)
            if heading and r == 0:
                text = "\\b " + text + "\\b0 "
            out.append(text + "\\cell ")
        out.append("\\row\n")
    return "".join(out)


PART = re.compile(r"^\((?:[a-h])\) ")
SUBPART = re.compile(r"^\((?:i|ii|iii|iv|v)\) ")
OPTION = re.compile(r"^[A-D]\) ")
STEP = re.compile(r"^\d+\. ")


SENTENCE_END = re.compile(r"([.:?!)\]]|\*\*)$")


def is_marked(line):
    return (line.startswith(("@", "|", "- ")) or bool(PART.match(line) or SUBPART.match(line)
            or OPTION.match(line) or STEP.match(line)))


def join_runs(lines):
    """Joins the lines of a paragraph that was wrapped in the source."""
    out = []
    for line in lines:
        if (out and line and out[-1] and not out[-1].startswith(("@", "|"))
                and not SENTENCE_END.search(out[-1]) and not is_marked(line)):
            out[-1] += " " + line
        else:
            out.append(line)
    return out


def to_rtf(markup):
    body = []
    lines = join_runs([line.strip() for line in markup.strip().splitlines()])
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if not line:
            continue
        if line.startswith("@table ") or line.startswith("@grid "):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append([c.strip() for c in lines[i].strip("|").split("|")])
                i += 1
            body.append(table(line.split()[1:], rows, line.startswith("@table")))
        elif line.startswith("@h "):
            body.append(paragraph("**" + line[3:] + "**", "\\sb120\\keepn"))
        elif line.startswith("@c "):
            body.append(paragraph(line[3:], "\\qc\\sa120"))
        elif line.startswith("@i "):
            body.append(paragraph("//" + line[3:] + "//", "\\sa120"))
        elif line.startswith("@r "):
            body.append(paragraph(line[3:], "\\qr\\sa120"))
        elif line.startswith("@marks "):
            n = int(line.split()[1])
            body.append(paragraph("**[%d mark%s]**" % (n, "" if n == 1 else "s"), "\\qr\\sa120"))
        elif line.startswith("@lines "):
            for _ in range(int(line.split()[1])):
                body.append(paragraph("." * 96, "\\sb200\\li567"))
        elif line.startswith("@pic "):
            body.append(picture(line.split()[1]))
        elif line.startswith("@"):
            raise ValueError("unknown directive: " + line)
        elif SUBPART.match(line):
            label, rest = line.split(" ", 1)
            body.append(paragraph(label + "\t" + rest, "\\li1134\\fi-567\\sa120"))
        elif PART.match(line):
            label, rest = line.split(" ", 1)
            body.append(paragraph(label + "\t" + rest, "\\li567\\fi-567\\sa120"))
        elif OPTION.match(line):
            body.append(paragraph("**" + line[0] + "**\t" + line[3:], "\\li1134\\fi-567\\sa60"))
        elif STEP.match(line):
            label, rest = line.split(" ", 1)
            body.append(paragraph(label + "\t" + rest, "\\li567\\fi-567\\sa80"))
        elif line.startswith("- "):
            body.append(paragraph("\u2022\t" + line[2:], "\\li567\\fi-283\\sa60"))
        else:
            body.append(paragraph(line, "\\sa120"))
    return HEADER + "".join(body) + END_MARK
