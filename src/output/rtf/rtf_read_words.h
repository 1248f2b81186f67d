#pragma once

#include <cstdint>
#include <string_view>

// The control words the reader acts on (XN: words that are C++ keywords). Words not listed are
// ignored, and a group starting with \* and an unlisted word is skipped whole.
// clang-format off
#define QB_RTF_WORDS(X, XN) \
    /* document */                                                                               \
    X(rtf) X(ansi) X(mac) X(pc) X(pca) X(ansicpg) X(deff) X(deftab) X(uc) X(u)                   \
    /* destinations */                                                                           \
    X(fonttbl) X(falt) X(colortbl) X(stylesheet) X(pict) X(field) X(fldinst) X(fldrslt)          \
    X(footer) X(footerr) X(footerl) X(footerf) X(shppict) X(nonshppict) X(shp) X(shpinst)        \
    X(shprslt) X(shptxt) X(object) X(result) X(nesttableprops) X(nonesttables) X(generator)      \
    X(info) X(header) X(headerl) X(headerr) X(headerf) X(footnote) X(annotation) X(pn)           \
    X(listtable) X(listoverridetable) X(filetbl) X(revtbl) X(xe) X(tc) X(tcn) X(txe)             \
    XN(do_, do) X(upr) XN(template_, template) X(docvar) X(userprops) X(comment) X(ftnsep)       \
    X(ftnsepc) X(aftnsep) X(aftnsepc) X(ftncn) X(aftncn) X(background) X(atnid) X(atnauthor)     \
    X(atrfstart) X(atrfend) X(pgdsctbl) X(sn) X(sv)                                              \
    /* lists */                                                                                  \
    X(list) X(listlevel) X(leveltext) X(levelnfc) X(levelnfcn) X(levelstartat) X(levelfollow)    \
    X(listid) X(listoverride) X(ls) X(ilvl) X(listtext) X(pntext) X(pnlvlblt) X(pnlvlbody)       \
    X(pnlvl) X(pndec) X(pnucltr) X(pnlcltr) X(pnucrm) X(pnlcrm) X(pnstart) X(pntxtb) X(pntxta)   \
    X(pnf)                                                                                       \
    /* fonts, colours, styles */                                                                 \
    X(f) X(fcharset) X(cpg) X(fnil) X(froman) X(fswiss) X(fmodern) X(fscript) X(fdecor)          \
    X(ftech) X(fbidi) X(red) X(green) X(blue) X(s) X(cs) X(ds) X(sbasedon)                       \
    /* character format */                                                                       \
    X(plain) X(b) X(i) X(ul) X(ulnone) X(uld) X(uldb) X(ulw) X(uldash) X(uldashd)                \
    X(uldashdd) X(ulldash) X(ulwave) X(ulhwave) X(ululdbwave) X(ulth) X(ulthd) X(ulthdash)       \
    X(strike) X(striked) X(caps) X(scaps) X(super) X(sub) X(nosupersub) X(up) X(dn) X(fs)        \
    X(cf) X(cb) X(chcbpat) X(highlight) X(v)                                                     \
    /* paragraph format */                                                                       \
    X(pard) X(ql) X(qc) X(qr) X(qj) X(qd) X(li) X(ri) X(lin) X(rin) X(fi) X(sb) X(sa) X(sl)      \
    X(slmult) X(keep) X(keepn) X(pagebb) X(tx) X(tb) X(tqr) X(tqc) X(tqdec) X(tldot)             \
    X(tlmdot) X(tlhyph) X(tlul) X(tlth) X(tleq) X(intbl) X(itap) X(outlinelevel) X(box)          \
    X(brdrt) X(brdrb) X(brdrl) X(brdrr) X(brdrs) X(brdrth) X(brdrsh) X(brdrdb) X(brdrdot)        \
    X(brdrdash) X(brdrhair) X(brdrinset) X(brdroutset) X(brdrtriple) X(brdrwavy)                 \
    X(brdrdashsm) X(brdrdashd) X(brdrdashdd) X(brdrengrave) X(brdremboss) X(brdrframe)           \
    X(cbpat)                                                                                     \
    X(brdrnone) X(brdrw) X(brdrcf) X(ATXbrdr)                                                    \
    /* special characters and breaks */                                                          \
    X(par) X(line) X(tab) X(page) X(sect) X(sectd) X(sbknone) X(sbkcol) X(sbkpage)               \
    X(sbkeven) X(sbkodd) X(emdash) X(endash) X(bullet) X(lquote) X(rquote) X(ldblquote)          \
    X(rdblquote) X(emspace) X(enspace) X(qmspace) X(zwj) X(zwnj) X(ltrmark) X(rtlmark)           \
    X(chpgn) X(chftn) X(titlepg) X(ftnrstpg) X(column) X(cols) X(colsx) X(colno) X(colw)        \
    X(colsr) X(linebetcol)                                                                       \
    /* tables */                                                                                 \
    X(cell) X(row) X(nestcell) X(nestrow) X(trowd) X(trgaph) X(trleft) X(trql) X(trqc)           \
    X(trqr) X(trhdr) X(cellx) X(clbrdrt) X(clbrdrl) X(clbrdrb) X(clbrdrr) X(trbrdrt)             \
    X(trbrdrl) X(trbrdrb) X(trbrdrr) X(trbrdrh) X(trbrdrv) X(clvertalt) X(clvertalc)             \
    X(clvertalb) X(clcbpat) X(clmgf) X(clmrg) X(clvmgf) X(clvmrg) X(trpaddt) X(trpaddl)          \
    X(trpaddb) X(trpaddr) X(trpaddft) X(trpaddfl) X(trpaddfb) X(trpaddfr) X(clpadt) X(clpadl)    \
    X(clpadb) X(clpadr) X(clpadft) X(clpadfl) X(clpadfb) X(clpadfr) X(clshdng) X(clcfpat) X(trrh)\
    X(shpleft) X(shptop) X(shpright) X(shpbottom) X(shpwr) X(shpbxmargin) X(shpbxpage)            \
    X(shpbxcolumn) X(shpbymargin) X(shpbypage) X(shpbypara) X(shpfblwtxt)                        \
    /* pictures */                                                                               \
    X(pngblip) X(jpegblip) X(dibitmap) X(wbitmap) X(emfblip) X(wmetafile) X(macpict)             \
    X(pmmetafile) X(picw) X(pich) X(picwgoal) X(pichgoal) X(picscalex) X(picscaley)              \
    /* page */                                                                                   \
    X(paperw) X(paperh) X(margl) X(margr) X(margt) X(margb) X(footery) X(pgwsxn) X(pghsxn)       \
    X(marglsxn) X(margrsxn) X(margtsxn) X(margbsxn) X(headery)                                   \
    /* widows and orphans */                                                                     \
    X(widowctrl) X(widctlpar) X(nowidctlpar)
// clang-format on

enum class TRtfWord : std::uint16_t {
    Unknown,
#define QB_RTF_ENUM(name) name,
#define QB_RTF_ENUM_N(name, word) name,
    QB_RTF_WORDS(QB_RTF_ENUM, QB_RTF_ENUM_N)
#undef QB_RTF_ENUM
#undef QB_RTF_ENUM_N
};

TRtfWord LookupRtfWord(std::string_view name);
