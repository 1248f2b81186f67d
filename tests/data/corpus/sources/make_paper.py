"""Writes the long exam paper of the corpus (about 50 pages, 15 pictures) as flat ODF,
with the styles of structured_questions.fodt: a title page, structured questions with
figures, answer lines and marks, a two-column multiple-choice section, a data table
with merged cells and footnotes."""
import random
from pathlib import Path

from pictures import PICTURES

QUESTIONS = 67

TOPICS = [
    ("a trolley", "rolls down a ramp of length", "m", "speed", "m/s"),
    ("a heater", "is connected to a supply of", "V", "power", "W"),
    ("a spring", "is stretched by a load of", "N", "extension", "cm"),
    ("a lens", "forms an image of an object placed at", "cm", "magnification", ""),
    ("a pendulum", "swings with an amplitude of", "cm", "period", "s"),
    ("a transformer", "has a primary coil of", "turns", "output voltage", "V"),
    ("a kettle", "holds a mass of water of", "kg", "energy", "kJ"),
    ("a capacitor", "is charged to a potential difference of", "V", "charge", "μC"),
]
PARTS = [
    "Calculate the {q} of {o}.",
    "State the principle you used in your calculation, and explain why it applies here.",
    "Describe an experiment to measure the {q} of {o} in the laboratory. Your answer should name the instruments you would use.",
    "Suggest one source of uncertainty in the measurement and how its effect could be reduced.",
    "Sketch a graph to show how the {q} would change if the value of {v} {u} were doubled.",
    "Explain, in terms of energy transfers, what happens when {o} is left for a long time.",
]
MC = [
    ("Which unit is equivalent to the newton?", ["kg m s⁻²", "kg m² s⁻²", "kg s⁻¹", "J s"]),
    ("The Greek letter used for the decay constant is", ["α", "β", "λ", "μ"]),
    ("Which of these is a scalar?", ["force", "velocity", "energy", "momentum"]),
    ("The gradient of a distance–time graph is", ["acceleration", "speed", "force", "power"]),
    ("A current of 2 A flows for 3 s. The charge is", ["0.67 C", "1.5 C", "5 C", "6 C"]),
    ("Which quantity has the unit Ω m?", ["resistance", "resistivity", "conductance", "current density"]),
    ("The value of ∑ 2ᵏ for k = 0 to 3 is", ["7", "8", "14", "15"]),
    ("Сила тока измеряется в", ["вольтах", "амперах", "омах", "ваттах"]),
]


def _p(style, text):
    return f'<text:p text:style-name="{style}">{text}</text:p>\n'


def _figure(name, n):
    kind, w, h = PICTURES[name]
    return (f'<text:p text:style-name="Standard"><draw:frame draw:style-name="Picture" draw:name="Figure {n}" '
            f'text:anchor-type="as-char" svg:width="{w * 2.54 / 72 * 1.5:.2f}cm" '
            f'svg:height="{h * 2.54 / 72 * 1.5:.2f}cm" draw:z-index="0"><draw:image>'
            f'<office:binary-data>pic:{name}</office:binary-data></draw:image></draw:frame></text:p>\n'
            + _p("Standard", f"Figure {n}"))


def make_paper(head: str) -> str:
    rnd = random.Random(50)
    out = [head,
           '<office:master-styles>\n <style:master-page style:name="Standard" style:page-layout-name="pm1">\n'
           '  <style:header><text:p text:style-name="Header">Physics Paper 3<text:tab/>Summer series<text:tab/>'
           'Page <text:page-number text:select-page="current">1</text:page-number> of '
           '<text:page-count>50</text:page-count></text:p></style:header>\n'
           '  <style:footer><text:p text:style-name="Footer">© Greenfield Examinations Board — Turn over</text:p></style:footer>\n'
           ' </style:master-page>\n</office:master-styles>\n<office:body><office:text>\n']
    out.append(_p("Title", "Physics Paper 3: Extended questions"))
    out.append(_p("Standard", "Time allowed: 2 hours 30 minutes. Answer all questions. Write your answers in the spaces provided. "
                  "You may use a calculator. The marks for each part are shown in brackets [ ]."))
    out.append(_p("Standard", "Information for candidates: the total mark for this paper is 180. Figures are not drawn to scale "
                  "unless stated. Data: g = 9.8 N kg⁻¹, c = 3.0 × 10⁸ m s⁻¹, e = 1.6 × 10⁻¹⁹ C, h = 6.63 × 10⁻³⁴ J s."))
    out.append(_p("Section heading", "Section A: Structured questions"))
    pictures = list(PICTURES)
    figure = 0
    for q in range(1, QUESTIONS + 1):
        obj, verb, unit, qty, qunit = TOPICS[q % len(TOPICS)]
        value = rnd.choice([1.5, 2.0, 2.4, 3.6, 4.8, 6.0, 12, 24, 230])
        style = "QPB" if q % 10 == 1 and q > 1 else "Question"
        out.append(_p(style, f"{q}<text:tab/>In an experiment {obj} {verb} {value} {unit}. A student records the {qty} "
                      f"several times and finds that the readings vary by about {rnd.randint(2, 9)} %."))
        if q % 4 == 0 and figure < len(pictures):
            figure += 1
            out.append(_figure(pictures[figure - 1], figure))
        for i, letter in enumerate("abc"[: rnd.randint(2, 3)]):
            text = PARTS[(q + i) % len(PARTS)].format(q=qty, o=obj, v=value, u=unit)
            out.append(_p("Part", f"({letter})<text:tab/>{text}<text:tab/>[{rnd.randint(1, 6)}]"))
            for _ in range(rnd.randint(2, 6)):
                out.append(_p("Answer line", "<text:tab/>"))
            if i == 0 and qunit:
                out.append(_p("Answer line", f"{qty} =<text:tab/>{qunit}"))
        if q % 7 == 3:
            out.append(_p("Standard", f"The readings of question {q} are to be used again in Section C"
                          f'<text:note text:id="n{q}" text:note-class="footnote"><text:note-citation>{q}</text:note-citation>'
                          f'<text:note-body>{_p("Footnote", "Keep your working: the examiner may award marks for a correct method.")}'
                          f"</text:note-body></text:note>."))
    out.append(_p("PB", "Section B: Multiple choice. Circle one answer for each question."))
    out.append(' <text:section text:style-name="Two columns" text:name="Choices">\n')
    for n in range(1, 49):
        q, opts = MC[n % len(MC)]
        out.append(_p("Question", f"{QUESTIONS + n}<text:tab/>{q}"))
        for letter, o in zip("ABCD", opts):
            out.append(_p("Option", f"{letter}<text:tab/>{o}"))
    out.append(" </text:section>\n")
    out.append(_p("Section heading", "Section C: Data analysis"))
    out.append(_p("Standard", "The table gives the readings taken by two groups of students."))
    out.append('<table:table table:name="Readings" table:style-name="Grid"><table:table-column table:number-columns-repeated="5"/>\n'
               '<table:table-row><table:table-cell table:style-name="Head cell" table:number-rows-spanned="2">'
               + _p("Table text", "Reading") + '</table:table-cell><table:table-cell table:style-name="Head cell" '
               'table:number-columns-spanned="2">' + _p("Table text", "Group 1")
               + '</table:table-cell><table:covered-table-cell/><table:table-cell table:style-name="Head cell" '
               'table:number-columns-spanned="2">' + _p("Table text", "Group 2")
               + '</table:table-cell><table:covered-table-cell/></table:table-row>\n<table:table-row><table:covered-table-cell/>'
               + "".join(f'<table:table-cell table:style-name="Head cell">{_p("Table text", t)}</table:table-cell>'
                         for t in ("length / cm", "time / s", "length / cm", "time / s"))
               + "</table:table-row>\n")
    for r in range(1, 21):
        cells = [str(r), f"{10 * r}", f"{0.63 * r ** 0.5:.2f}", f"{10 * r + 1}", f"{0.64 * r ** 0.5:.2f}"]
        out.append("<table:table-row>" + "".join(
            f'<table:table-cell table:style-name="Cell">{_p("Table text", c)}</table:table-cell>' for c in cells)
            + "</table:table-row>\n")
    out.append("</table:table>\n")
    while figure < len(pictures):
        figure += 1
        out.append(_figure(pictures[figure - 1], figure))
        out.append(_p("Part", f"({chr(96 + figure - 13)})<text:tab/>Use Figure {figure} to estimate the gradient "
                      f"of the line at its steepest point.<text:tab/>[2]"))
        for _ in range(3):
            out.append(_p("Answer line", "<text:tab/>"))
    out.append(_p("Standard", "End of paper."))
    out.append("</office:text></office:body></office:document>\n")
    return "".join(out)


if __name__ == "__main__":
    here = Path(__file__).parent
    head = (here / "structured_questions.fodt").read_text().split("<office:master-styles>")[0]
    print(make_paper(head))
