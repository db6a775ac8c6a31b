#!/usr/bin/env python3
"""Checks that a PPD offers what the two plug-ins read from it.

Usage: check_sample_ppd_rules.py FILE.ppd

cupstestppd checks the PPD format; this checks the contract with our own code:
what the plug-ins' PPD library can read (buffer sizes, where defaults must
stand, fonts of its font table), the option keywords that the settings record's
name tables translate (quality, boolean, halftone and intent tables), the
order of options whose index the plug-ins store (MiserMode, banner pages,
installable options, media types, paper sources), the installable options
with their keywords, the custom page size, the colour features that
ColorDevice implies, and the PJL that the JCL entries hold.

Exit status 0 when every rule holds, 1 otherwise.
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_sample_ppd_reader import (  # noqa: E402
    DEFAULTS_TAKEN_ANYWHERE, HALFTONE_TABLE, INTENT_TABLE, QUALITY_TABLE, Ppd,
    hex_decode, option_value)

# Every feature keyword the plug-ins look up (presence, default, options).
CONSULTED = [
    "QualityMode", "Resolution", "MiserMode", "Smoothing", "ImageHalftone",
    "GraphicsHalftone", "ImageIntent", "GraphicsIntent", "ImageProcessGray",
    "GraphicsProcessGray", "Halftones", "PrintQuality", "Separations",
    "HeaderPage", "TrailerPage", "AutoContinue", "TraySwitch", "OptionalDisk",
    "Optionalduplexer", "OptionalBin1", "OptionalBin2", "OptionalBin3",
    "OptionalBin4", "OptionalBin5", "Optionalfeeder", "Optionalenvelope",
    "Optionalstacker", "Optionalfinisher", "OptionalMailbox", "Optionalmultires",
    "OptionalMemory",
]

# Installable options with a flag in the device options block.
INSTALLABLE_FLAGS = [
    "OptionalDisk", "Optionalduplexer", "OptionalBin1", "OptionalBin2",
    "OptionalBin3", "OptionalBin4", "OptionalBin5", "Optionalfeeder",
    "Optionalenvelope", "Optionalstacker", "Optionalfinisher", "OptionalMailbox",
    "Optionalmultires",
]

COLOUR_FEATURES = ["ImageIntent", "GraphicsIntent", "ImageProcessGray",
                   "GraphicsProcessGray", "Separations"]

# Media names that the rendering plug-in writes for host media types 256-259.
MEDIA_NAMES = ["Plain Paper", "Transparency", "Thick Stock", "Labels"]

# Paper sources (host numbers from 257 in InputSlot order) that the rendering
# plug-in names in its custom page size warning: position, translation.
NAMED_SOURCES = [(0, "Tray 1"), (4, "Manual Feed Tray")]

# Longest custom page that the rendering plug-in lets through unchanged, in
# points (297 mm wide, 457.5 mm long); the PPD must allow more, or its
# over-size warning could never be reached.
PLUGIN_MAX_WIDTH = 2970 * 72 / 254
PLUGIN_MAX_LENGTH = 4575 * 72 / 254

FONT_ENCODINGS = {"Standard", "Special", "ISOLatin1", "Expert", "ExpertSubset",
                  "JIS", "RKSJ", "EUC", "Shift-JIS"}
FONT_CHARSETS = {"Standard", "OldStandard", "Special", "ISOLatin1", "Expert",
                 "ExpertSubset", "JIS-83", "JIS-78", "83pv", "Add", "Ext", "NWP"}
WORD_MAX = 39   # longest word the PPD library takes from a value


def font_table():
    """The font names that the PPD library knows, in its order."""
    names = """Arial Arial-Bold Arial-BoldOblique Arial-Oblique Arial-Narrow
    Arial-Narrow-Bold Arial-Narrow-BoldOblique Arial-Narrow-Oblique AvantGarde-Book
    AvantGarde-BookOblique AvantGarde-Demi AvantGarde-DemiOblique Bookman-Demi
    Bookman-DemiItalic Bookman-Light Bookman-LightItalic Courier Courier-Bold
    Courier-BoldOblique Courier-Oblique Garamond-Bold Garamond-BoldItalic
    Garamond-Light Garamond-LightItalic Helvetica Helvetica-Black
    Helvetica-BlackOblique Helvetica-Bold Helvetica-BoldOblique Helvetica-Condensed
    Helvetica-Condensed-Bold Helvetica-Condensed-BoldObl Helvetica-Condensed-Oblique
    Helvetica-Light Helvetica-LightOblique Helvetica-Narrow Helvetica-Narrow-Bold
    Helvetica-Narrow-BoldOblique Helvetica-Narrow-Oblique Helvetica-Oblique
    Korinna-Bold Korinna-KursivBold Korinna-KursivRegular Korinna-Regular
    LubalinGraph-Book LubalinGraph-BookOblique LubalinGraph-Demi
    LubalinGraph-DemiOblique NewCenturySchlbk-Bold NewCenturySchlbk-BoldItalic
    NewCenturySchlbk-Italic NewCenturySchlbk-Roman Palatino-Bold Palatino-BoldItalic
    Palatino-Italic Palatino-Roman Souvenir-Demi Souvenir-DemiItalic Souvenir-Light
    Souvenir-LightItalic Symbol Times-Bold Times-BoldItalic Times-Italic Times-Roman
    Times-New-Roman Times-New-Roman-Bold Times-New-Roman-BoldItalic
    Times-New-Roman-Italic Varitimes#Bold Varitimes#BoldItalic Varitimes#Italic
    Varitimes#Roman ZapfCalligraphic-Bold ZapfCalligraphic-BoldItalic
    ZapfCalligraphic-Italic ZapfCalligraphic-Roman ZapfChancery-MediumItalic
    ZapfDingbats Mincho-PC-Hiragana Mincho-PC-Katakana""".split()
    cmaps = ("-83pv-RKSJ-H -Add-H -Add-RKSJ-H -Add-RKSJ-V -Add-V -EUC-H -EUC-V "
             "-Ext-H -Ext-RKSJ-H -Ext-RKSJ-V -Ext-V -H -NWP-H -NWP-V -RKSJ-H "
             "-RKSJ-UserGaiji -RKSJ-V -V").split()
    for family in ("Ryumin-Light", "GothicBBB-Medium"):
        names += [family + s for s in cmaps + ".Oubun .Roman .WP-Symbol".split()]
    for family in ("Ryumin-Light-MS90-RKSJ-", "GothicBBB-Medium-MS90-RKSJ-"):
        names += [family + s for s in "H HI HB HZ V VI VB VZ".split()]
    for family in ("FutoMinA101-Bold", "FutoGoB101-Bold", "Jun101-Light"):
        names += [family + s for s in
                  cmaps + ".Hankaku .Oubun .Roman .Roman83pv .WP-Symbol".split()]
    for family in ("MidashiMin-MA31", "MidashiGo-MB31"):
        names += [family + s for s in cmaps + ".Oubun .Roman .Roman83pv .WP-Symbol".split()]
    names += ["HeiseiMin-W3-90ms-RKSJ-H", "HeiseiMin-W3-90ms-RKSJ-V",
              "HeiseiKakuGo-W5-90ms-RKSJ-H", "HeiseiKakuGo-W5-90ms-RKSJ-V",
              "Carta", "Tekton"]
    assert len(names) == 258, len(names)
    return set(names)


class Checker:
    def __init__(self, ppd):
        self.ppd = ppd
        self.failures = []

    def fail(self, text, line=None):
        self.failures.append(("line %d: " % line if line else "") + text)

    def exact_options(self, keyword, wanted, why):
        feature = self.ppd.feature(keyword)
        if feature is None:
            self.fail("feature *%s is missing (%s)" % (keyword, why))
            return None
        got = feature.option_keywords()
        if got != wanted:
            self.fail("*%s options are %s; they must be %s in this order (%s)"
                      % (keyword, " ".join(got), " ".join(wanted), why), feature.line)
        return feature

    # --- rules -------------------------------------------------------------

    def library_limits(self):
        for line, text in self.ppd.problems:
            self.fail(text, line)
        for e in self.ppd.entries:
            if any(ord(c) > 0x7E for c in e.option + e.translation):
                self.fail("*%s %s: option keyword and translation must be ASCII"
                          % (e.keyword, e.option), e.line)
            if e.keyword in ("Font", "OrderDependency", "UIConstraints"):
                for word in (e.value or "").split():
                    if len(word) > WORD_MAX:
                        self.fail("*%s: word %s is longer than %d characters"
                                  % (e.keyword, word, WORD_MAX), e.line)
            if e.keyword in ("ColorDevice", "PrintPSError", "SingleUserMode"):
                if e.quoted or e.value not in ("True", "False"):
                    self.fail("*%s must be an unquoted True or False" % e.keyword,
                              e.line)

    def defaults(self):
        for f in self.ppd.features:
            if not f.options:
                self.fail("feature *%s has no options" % f.keyword, f.line)
                continue
            if f.default is None:
                self.fail("feature *%s has no *Default%s" % (f.keyword, f.keyword),
                          f.line)
            elif f.option(f.default) is None:
                self.fail("*Default%s: %s is not one of its options"
                          % (f.keyword, f.default), f.default_line)
            elif not f.default_in_block and f.keyword not in DEFAULTS_TAKEN_ANYWHERE:
                self.fail("*Default%s stands outside *OpenUI *%s ... *CloseUI, where "
                          "the plug-ins' PPD library does not take it"
                          % (f.keyword, f.keyword), f.default_line)

    def lookups_agree(self):
        # The plug-ins find options by keyword prefix and features by the whole
        # keyword; the two must land on the same feature.
        for keyword in CONSULTED:
            if self.ppd.feature(keyword) is None:
                continue
            found = self.ppd.find_options(keyword)
            if found is not None and found.keyword != keyword:
                self.fail("feature *%s is listed before *%s, so an option lookup of "
                          "%s finds the options of *%s"
                          % (found.keyword, keyword, keyword, found.keyword),
                          found.line)

    def quality(self):
        qm = self.ppd.feature("QualityMode")
        res = self.ppd.feature("Resolution")
        if qm is None and res is None:
            self.fail("neither *QualityMode nor *Resolution: the features page "
                      "would offer no resolution")
        for feature in (qm, res):
            if feature is None:
                continue
            seen = {}
            for opt in feature.options:
                number = option_value(QUALITY_TABLE, opt.keyword)
                if number == 0:
                    self.fail("*%s %s begins with no name of the quality table, so "
                              "the features page cannot offer it"
                              % (feature.keyword, opt.keyword), opt.line)
                elif number in seen:
                    self.fail("*%s %s and %s both stand for quality %d; the "
                              "features page could select only the first"
                              % (feature.keyword, seen[number], opt.keyword, number),
                              opt.line)
                else:
                    seen[number] = opt.keyword

    def boolean_features(self):
        for keyword in ("MiserMode", "Smoothing"):
            self.exact_options(keyword, ["False", "True"],
                               "the settings record stores the boolean table "
                               "index 0 False, 1 True")
        for keyword in ("HeaderPage", "TrailerPage", "AutoContinue", "TraySwitch"):
            self.exact_options(keyword, ["False", "True"],
                               "the UI plug-in reads selection 1 as on")

    def colour(self):
        colour = self.ppd.value("ColorDevice")
        space = self.ppd.value("DefaultColorSpace")
        for keyword, table in (("ImageHalftone", HALFTONE_TABLE),
                               ("GraphicsHalftone", HALFTONE_TABLE)):
            self.exact_options(keyword, [name for _, name in table],
                               "the rendering plug-in writes the halftone table "
                               "names")
        if colour == "True":
            if space != "CMYK":
                self.fail("a colour device needs *DefaultColorSpace: CMYK")
            for keyword in ("ImageIntent", "GraphicsIntent"):
                self.exact_options(keyword, [name for _, name in INTENT_TABLE],
                                   "the rendering plug-in writes the intent table "
                                   "names")
            for keyword in ("ImageProcessGray", "GraphicsProcessGray"):
                self.exact_options(keyword, ["False", "True"],
                                   "the rendering plug-in writes the boolean table "
                                   "names")
        elif colour == "False":
            if space != "Gray":
                self.fail("a grayscale device needs *DefaultColorSpace: Gray")
            for keyword in COLOUR_FEATURES:
                feature = self.ppd.feature(keyword)
                if feature is not None:
                    self.fail("grayscale device with the colour feature *%s"
                              % keyword, feature.line)
        else:
            self.fail("*ColorDevice is missing")

    def media(self):
        feature = self.ppd.feature("MediaType")
        if feature is None:
            self.fail("feature *MediaType is missing")
        else:
            got = [opt.translation for opt in feature.options[:len(MEDIA_NAMES)]]
            if got != MEDIA_NAMES:
                self.fail("the first *MediaType options are %s; the rendering "
                          "plug-in writes %s for host media types 256 to 259"
                          % (got, MEDIA_NAMES), feature.line)
        slots = self.ppd.feature("InputSlot")
        if slots is None:
            self.fail("feature *InputSlot is missing")
        else:
            for index, name in NAMED_SOURCES:
                got = (slots.options[index].translation
                       if index < len(slots.options) else None)
                if got != name:
                    self.fail("*InputSlot option %d (paper source %d) is %r; the "
                              "rendering plug-in calls it %r"
                              % (index + 1, 257 + index, got, name), slots.line)

    def installable(self):
        for keyword in INSTALLABLE_FLAGS:
            feature = self.exact_options(
                keyword, ["False", "True"],
                "the default index is read as the installed flag")
            if feature is not None and not feature.installable:
                self.fail("*%s stands outside the InstallableOptions group"
                          % keyword, feature.line)
        memory = self.ppd.feature("OptionalMemory")
        if memory is None or not memory.installable:
            self.fail("*OptionalMemory must be an installable option")
        for f in self.ppd.features:
            if f.installable and f.keyword.startswith("Optional") and \
                    f.keyword not in INSTALLABLE_FLAGS + ["OptionalMemory"]:
                self.fail("installable option *%s is not one the UI plug-in knows; "
                          "printer set-up would store it as False" % f.keyword,
                          f.line)

    def job_values(self):
        timeout = self.ppd.value("SuggestedJobTimeout")
        if timeout is None or not re.fullmatch(r"\d+", timeout) or int(timeout) > 32767:
            self.fail("*SuggestedJobTimeout must be a whole number of seconds "
                      "below 32768 (the settings record keeps it as signed 16-bit)")
        for keyword in ("PrintPSError", "SingleUserMode"):
            if self.ppd.value(keyword) is None:
                self.fail("*%s is missing" % keyword)
        protocols = (self.ppd.value("Protocols") or "").split()
        if "PJL" not in protocols:
            self.fail("*Protocols must name PJL: the rendering plug-in writes a "
                      "PJL job header")

    def custom_page(self):
        custom = [e for e in self.ppd.values("CustomPageSize") if e.option == "True"]
        if not custom:
            self.fail("*CustomPageSize True is missing")
            return
        params = {e.option: e for e in self.ppd.values("ParamCustomPageSize")}
        orders = []
        for name in ("Width", "Height", "WidthOffset", "HeightOffset", "Orientation"):
            e = params.get(name)
            words = (e.value or "").split() if e else []
            if len(words) != 4 or words[1] not in ("int", "real", "points") or \
                    not all(re.fullmatch(r"\d+(\.\d+)?", w) for w in words[2:]) or \
                    not re.fullmatch(r"[1-5]", words[0]):
                self.fail("*ParamCustomPageSize %s must be: order(1-5) "
                          "int|real|points minimum maximum" % name,
                          e.line if e else None)
            else:
                orders.append(words[0])
        if len(set(orders)) != len(orders):
            self.fail("*ParamCustomPageSize orders repeat")
        for keyword, limit in (("MaxMediaWidth", PLUGIN_MAX_WIDTH),
                               ("MaxMediaHeight", PLUGIN_MAX_LENGTH)):
            value = self.ppd.value(keyword)
            if value is None or not re.fullmatch(r"\d+(\.\d+)?", value):
                self.fail("*%s is missing (without it custom sizes are off)" % keyword)
            elif float(value) <= limit:
                self.fail("*%s %s leaves the rendering plug-in's over-size check "
                          "(%.0f points) unreachable" % (keyword, value, limit))

    def fonts(self):
        table = font_table()
        fonts = self.ppd.values("Font")
        if not fonts:
            self.fail("no *Font entries")
        for e in fonts:
            if e.option not in table:
                self.fail("font %s is not in the PPD library's font table"
                          % e.option, e.line)
            match = re.fullmatch(r'(\S+)\s+"[^"]*"\s+(\S+)\s+(ROM|Disk)', e.value or "")
            if match is None:
                self.fail("*Font %s: value must be: encoding \"(version)\" "
                          "charset ROM|Disk" % e.option, e.line)
            elif match.group(1) not in FONT_ENCODINGS or \
                    match.group(2) not in FONT_CHARSETS:
                self.fail("*Font %s: unknown encoding or character set" % e.option,
                          e.line)

    def references(self):
        def known(keyword, option):
            feature = self.ppd.feature(keyword.lstrip("*"))
            return feature is not None and (option is None or
                                             feature.option(option) is not None)
        for e in self.ppd.values("UIConstraints"):
            words = (e.value or "").split()
            pairs, current = [], None
            for word in words:
                if word.startswith("*"):
                    current = [word, None]
                    pairs.append(current)
                elif current is not None and current[1] is None:
                    current[1] = word
                else:
                    pairs = []
                    break
            if len(pairs) != 2 or not all(known(k, o) for k, o in pairs):
                self.fail("*UIConstraints %s names a feature or option that does "
                          "not exist" % e.value, e.line)
        ordered = set()
        for e in self.ppd.values("OrderDependency"):
            words = (e.value or "").split()
            if len(words) < 3 or not known(words[2], None):
                self.fail("*OrderDependency %s names no feature" % e.value, e.line)
            else:
                ordered.add(words[2].lstrip("*"))
        for f in self.ppd.features:
            if f.keyword not in ordered:
                self.fail("feature *%s has no *OrderDependency" % f.keyword, f.line)

    def jcl(self):
        def check_pjl(where, raw, line, universal_exit_allowed):
            try:
                text = hex_decode(raw)
            except ValueError as error:
                self.fail("%s: %s" % (where, error), line)
                return
            exit_code = "\x1b%-12345X"
            if exit_code in text and not universal_exit_allowed:
                self.fail("%s sends a universal exit, which would reset the PJL "
                          "settings that the rendering plug-in has just sent"
                          % where, line)
            text = text.replace(exit_code, "")
            if text and not text.endswith("\n"):
                self.fail("%s must end with a line feed" % where, line)
            for pjl in text.split("\n")[:-1]:
                if not pjl.startswith("@PJL"):
                    self.fail("%s: %r is not a PJL command" % (where, pjl), line)
        for keyword, exit_allowed in (("JCLBegin", False),
                                      ("JCLToPSInterpreter", False),
                                      ("JCLEnd", True)):
            found = self.ppd.values(keyword)
            if not found:
                self.fail("*%s is missing" % keyword)
                continue
            check_pjl("*" + keyword, found[0].value or "", found[0].line, exit_allowed)
        switch = self.ppd.value("JCLToPSInterpreter") or ""
        if "ENTER LANGUAGE = POSTSCRIPT" not in switch:
            self.fail("*JCLToPSInterpreter must enter the PostScript language")
        for f in self.ppd.features:
            if f.jcl:
                for opt in f.options:
                    check_pjl("*%s %s" % (f.keyword, opt.keyword), opt.code or "",
                              opt.line, False)


def main():
    if len(sys.argv) != 2:
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    path = sys.argv[1]
    checker = Checker(Ppd(path))
    for rule in (Checker.library_limits, Checker.defaults, Checker.lookups_agree,
                 Checker.quality, Checker.boolean_features, Checker.colour,
                 Checker.media, Checker.installable, Checker.job_values,
                 Checker.custom_page, Checker.fonts, Checker.references,
                 Checker.jcl):
        rule(checker)
    for failure in checker.failures:
        print("FAIL %s: %s" % (path, failure))
    print("%s: %d UI features, %d fonts, %d rule failure(s)"
          % (path, len(checker.ppd.features), len(checker.ppd.values("Font")),
             len(checker.failures)))
    return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())
