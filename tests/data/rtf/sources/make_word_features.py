# Writes word_features.rtf: the constructs word processors put into RTF files,
# written by hand in the way those programs lay them out.
import pathlib, sys

here = pathlib.Path(__file__).resolve().parent
png = (here / "blue.png").read_bytes()
hexdata = png.hex()
hexwrapped = "\r\n".join(hexdata[i:i + 128] for i in range(0, len(hexdata), 128)).encode()

lines = [
    rb"{\rtf1\ansi\ansicpg1252\deff0\uc1{\fonttbl{\f0\froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman{\*\falt Times};}",
    rb"{\f1\fswiss\fcharset0 Arial;}{\f2\froman\fcharset2 Symbol;}{\f3\fnil\fcharset2 Wingdings;}{\f4\froman\fcharset204 Times New Roman Cyr;}",
    rb"{\f5\fnil\fcharset128 MS Mincho;}{\f6\froman\fcharset238 Times New Roman CE;}}",
    rb"{\colortbl;\red0\green0\blue0;\red255\green0\blue0;\red0\green0\blue255;\red255\green255\blue0;}",
    rb"{\stylesheet{\ql \li0\ri0\widctlpar\f0\fs24 \snext0 Normal;}{\s1\ql\keepn\sb240\sa60\outlinelevel0\b\f1\fs32 \sbasedon0 \snext0 heading 1;}{\*\cs10 \additive Default Paragraph Font;}}",
    rb"{\info{\title Word features}{\author Teacher}}{\*\rsidtbl \rsid123}{\*\xmlnstbl {\xmlns1 http://schemas.microsoft.com/office/word/2003/wordml}}",
    rb"\paperw11906\paperh16838\margl1440\margr1440\deftab720",
    rb"{\footer \pard\plain \s15\qc\tqr\tx9026\f0\fs18\i Greenfield Academy\tab Page {\field{\*\fldinst {\i PAGE }}{\fldrslt {\i\lang1024 7}}}\par}",
    rb"{\header \pard\plain Header text is not part of the body\par}",
    rb"\sectd\sbknone\pard\plain \s1\ql\keepn\sb240\sa60\outlinelevel0\b\f1\fs32 Question 4\par",
    rb"\pard\plain \ql\sa120\f0\fs24 Unicode: caf\u233\'e9 na\u239\'3fve, \uc2\u8364\'80\'80 euro\uc1 , {\uc0\u8805} done.\par",
    rb"Code pages: {\f4 \'cf\'f0\'e8\'e2\'e5\'f2}, {\f6 \'8a\'9a \'e8}, {\f5 \'93\'fa\'96\'7b}.\par",
    rb"Symbol: {\f2 \'61\'62\'67 \'a3 \'b3 \'b9 \'b1 \'b4 \'b8 \'ae \'b0 \u61558\'76}.\par",
    rb"Wingdings: {\f3 \'fc} tick.\par",
    rb"Specials:\~a\-b\_c\emdash d\endash e\bullet f\lquote g\rquote h\ldblquote i\rdblquote\line second line\tab tabbed\par",
    rb"\pard\ql\tqr\tx8000\tqc\tx4000\tqdec\tldot\tx6000 Tabs\tab centre\tab dec 1.5\tab right\par",
    rb"\pard\ql\li720\ri720\fi-360\sb120\sa240\sl360\slmult1\keep\keepn Indented {\b bold} {\i italic} {\ul under} {\uldb double} {\strike struck} {\caps caps} {\scaps small} x{\super 2} H{\sub 2}O {\cf2 red} {\highlight4 marked} visible.\par",
    rb"\pard\plain\f0\fs24 A link: {\field{\*\fldinst { HYPERLINK \"https://example.org/q4\" }}{\fldrslt {\cf3\ul example site}}} and {\field{\*\fldinst HYPERLINK \\l \"ans\"}{\fldrslt answers}}.\par",
    rb"{\*\unknowndestination this must not show}{\*\bkmkstart ans}{\*\bkmkend ans}Picture: {\*\shppict{\pict{\*\picprop\shplid1025{\sp{\sn shapeType}{\sv 75}}}\picscalex50\picscaley50\piccropl0\picw120\pich80\picwgoal1800\pichgoal1200\pngblip\bliptag1{\*\blipuid 0123}",
    hexwrapped + rb"}}{\nonshppict{\pict\wmetafile8\picw120\pich80 0100090000}} end.\par",
    rb"Binary: {\pict\pngblip\picw120\pich80\bin" + str(len(png)).encode() + b" " + png + rb"} end.\par",
    rb"Metafile: {\pict\wmetafile8\picw2540\pich1270\picwgoal1440\pichgoal720 010009000003} end.\par",
    rb"\trowd\trgaph108\trleft-108\trbrdrt\brdrs\brdrw10 \trbrdrl\brdrs\brdrw10 \trbrdrb\brdrs\brdrw10 \trbrdrr\brdrs\brdrw10 \trbrdrh\brdrs\brdrw10 \trbrdrv\brdrs\brdrw10 ",
    rb"\clvertalc\clbrdrt\brdrs\brdrw10\clbrdrl\brdrs\brdrw10\clbrdrb\brdrdb\brdrw30\clbrdrr\brdrs\brdrw10\cellx3000\clcbpat4\cellx6000\clvertalb\cellx9000",
    rb"\pard\intbl Cell 1\cell Cell 2\par second para\cell \pard\intbl\qr Cell 3\cell\row",
    rb"\trowd\trgaph108\trleft-108\cellx3000\cellx9000\pard\intbl Wide left\cell",
    rb"\pard\intbl\itap2 In1\nestcell{\nonesttables \tab}In2\nestcell{\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow}{\nonesttables\par}",
    rb"\pard\intbl\itap2 In3\nestcell In4\nestcell{\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow}{\nonesttables\par}",
    rb"\pard\intbl\itap1 after nested\cell\row",
    rb"\pard\plain\f0\fs24 After table.\par",
    rb"{\page}New page paragraph.\sect",
    rb"\sectd\sbkpage\pard\plain\f0\fs24 New section on a new page.\sect",
    rb"\sectd\sbknone\pard\plain\f0\fs24 Continuous section.\par",
    rb"\pard -\par}",
]
(here.parent / "word_features.rtf").write_bytes(b"\r\n".join(lines) + b"\r\n")

# What our reader shows on purpose unlike LibreOffice's text export: hidden text
# left out, a SYMBOL field as its Unicode character, old-style list text kept.
specials = [
    lines[0], lines[1], lines[2],
    rb"\pard\plain\f0\fs24 Shown {\v hidden text}visible.\par",
    rb"Field: {\field{\*\fldinst SYMBOL 112 \\f \"Symbol\" \\s 12}{\fldrslt }} and {\field{\*\fldinst SYMBOL 0xB3 \\f \"Symbol\"}}.\par",
    rb"{\pntext\f2\'b7\tab}{\*\pn\pnlvlblt\pnf2{\pntxtb\'b7}}\pard\fi-360\li720 Old-style bullet\par",
    rb"\pard -\par}",
]
(here.parent / "reader_specials.rtf").write_bytes(b"\r\n".join(specials) + b"\r\n")
