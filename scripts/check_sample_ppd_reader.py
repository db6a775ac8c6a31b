"""Reads a PPD file into entries and UI features for scripts/check-sample-ppd.

The tokenizer follows the rules of the plug-ins' own PPD library (common/ppd):
only a '*' that starts a line starts an entry ('*%' lines are comments), the
keyword runs to a blank or colon, the option keyword to a blank, slash or
colon, the translation from the slash to the colon; a quoted value may span
lines and ends at the next double quote, an unquoted one at the line end or at
a slash.  Where that library would refuse the file or drop an entry, the
reader records a problem instead of guessing.
"""

import re

KEYWORD_MAX = 40        # keyword and option keyword buffers of the PPD library
TRANSLATION_MAX = 128   # translation buffer of the PPD library

# Features whose *Default line the PPD library takes wherever it appears (they
# have rows of their own in its keyword table); every other feature's default
# is only taken between its *OpenUI and *CloseUI.
DEFAULTS_TAKEN_ANYWHERE = {
    "PageSize", "InputSlot", "Collate", "Duplex", "ManualFeed", "Resolution",
    "JCLResolution", "InstalledMemory",
}

# Name tables of the private settings record: (number, name), in table order.
QUALITY_TABLE = [(1, "300dpi"), (2, "600dpi"), (3, "1200dpi"), (4, "2400dpi"),
                 (5, "Standard"), (6, "Quality"), (7, "Fine"), (8, "Draft"),
                 (9, "Normal"), (10, "High")]
BOOLEAN_TABLE = [(0, "False"), (1, "True")]
HALFTONE_TABLE = [(0, "Low"), (1, "General"), (2, "High")]
INTENT_TABLE = [(0, "None"), (1, "Contrast"), (2, "Vivid"), (3, "sRGB"),
                (4, "SatsRGB")]


def option_value(table, keyword):
    """Number of the first row whose name begins the keyword, else 0."""
    for number, name in table:
        if keyword.startswith(name):
            return number
    return 0


def option_name(table, number):
    for row, name in table:
        if row == number:
            return name
    return None


_BLANK = " \t"
_LINE_END = "\r\n"


def _is_keyword_char(c):
    return "\x21" <= c <= "\x7e" and c != ":"


def _is_option_char(c):
    return _is_keyword_char(c) and c != "/"


def _is_translation_char(c):
    return (("\x21" <= c <= "\x7e") or c in _BLANK) and c != ":"


class Entry:
    def __init__(self, line):
        self.line = line
        self.keyword = ""
        self.option = ""
        self.translation = ""
        self.value = None      # None: the entry has no colon
        self.quoted = False

    def __repr__(self):
        return "line %d: *%s %s/%s" % (self.line, self.keyword, self.option,
                                        self.translation)


class Option:
    def __init__(self, entry):
        self.keyword = entry.option
        self.translation = entry.translation
        self.code = entry.value
        self.quoted = entry.quoted
        self.line = entry.line


class Feature:
    def __init__(self, keyword, line):
        self.keyword = keyword
        self.line = line
        self.translation = ""
        self.ui_type = ""
        self.jcl = False
        self.installable = False
        self.options = []
        self.default = None
        self.default_line = None
        self.default_in_block = False
        self.closed = False

    def option(self, keyword):
        for opt in self.options:
            if opt.keyword == keyword:
                return opt
        return None

    def option_keywords(self):
        return [opt.keyword for opt in self.options]


class Ppd:
    def __init__(self, path):
        self.path = path
        self.entries = []
        self.problems = []     # (line, text)
        self.features = []     # UI features in the order the library lists them
        self._by_name = {}
        with open(path, "rb") as f:
            self.text = f.read().decode("latin-1")
        self._tokenize()
        self._build()

    # --- entries -----------------------------------------------------------

    def _problem(self, line, text):
        self.problems.append((line, text))

    def _tokenize(self):
        text, n = self.text, len(self.text)
        pos, line = 0, 1
        while pos < n:
            start_line = line
            end = pos
            while end < n and text[end] not in _LINE_END:
                end += 1
            if not text.startswith("*", pos) or text.startswith("*%", pos):
                pos = end
                while pos < n and text[pos] in _LINE_END:
                    if text[pos] == "\n":
                        line += 1
                    pos += 1
                continue
            entry = Entry(start_line)
            i = pos + 1
            while i < n and _is_keyword_char(text[i]):
                entry.keyword += text[i]
                i += 1
            ok = self._entry_rest(entry, i)
            if ok is None:      # unterminated quoted value: runs to the end
                self._problem(start_line, "*%s: quoted value is never closed"
                              % entry.keyword)
                return
            i, ok = ok
            if ok:
                self.entries.append(entry)
            # continue after the line that holds the end of the entry
            while i < n and text[i] not in _LINE_END:
                i += 1
            line += text.count("\n", pos, i)
            pos = i
            while pos < n and text[pos] in _LINE_END:
                if text[pos] == "\n":
                    line += 1
                pos += 1

    def _entry_rest(self, entry, i):
        """Reads from after the keyword; returns (position, entry kept) or None."""
        text, n = self.text, len(self.text)
        if not entry.keyword:
            self._problem(entry.line, "entry without a keyword (dropped)")
            return i, False
        if len(entry.keyword) > KEYWORD_MAX:
            self._problem(entry.line, "keyword *%s is longer than %d characters "
                          "(the plug-ins refuse the whole file)"
                          % (entry.keyword, KEYWORD_MAX))
        while i < n and text[i] in _BLANK:
            i += 1
        if i >= n or text[i] in _LINE_END:
            return i, True
        if text[i] != ":":
            while i < n and _is_option_char(text[i]):
                entry.option += text[i]
                i += 1
            if not entry.option:
                self._problem(entry.line, "*%s: option keyword expected (dropped)"
                              % entry.keyword)
                return i, False
            if len(entry.option) > KEYWORD_MAX:
                self._problem(entry.line, "option keyword %s is longer than %d "
                              "characters (the plug-ins refuse the whole file)"
                              % (entry.option, KEYWORD_MAX))
            while i < n and text[i] in _BLANK:
                i += 1
            if i < n and text[i] == "/":
                i += 1
                while i < n and _is_translation_char(text[i]):
                    entry.translation += text[i]
                    i += 1
                if not entry.translation:
                    self._problem(entry.line, "*%s %s: empty translation string "
                                  "(dropped)" % (entry.keyword, entry.option))
                    return i, False
                if len(entry.translation) > TRANSLATION_MAX:
                    self._problem(entry.line, "translation of *%s %s is longer "
                                  "than %d characters (the plug-ins refuse the "
                                  "whole file)" % (entry.keyword, entry.option,
                                                   TRANSLATION_MAX))
            if i >= n or text[i] != ":":
                bad = repr(text[i]) if i < n else "end of file"
                self._problem(entry.line, "*%s %s: colon expected, found %s "
                              "(entry dropped; translation strings may hold only "
                              "printable ASCII without a colon)"
                              % (entry.keyword, entry.option, bad))
                return i, False
        i += 1  # colon
        while i < n and text[i] in _BLANK:
            i += 1
        if i < n and text[i] == '"':
            close = text.find('"', i + 1)
            if close < 0:
                return None
            entry.value = text[i + 1:close]
            entry.quoted = True
            return close + 1, True
        start = i
        while i < n and text[i] not in _LINE_END and text[i] != "/":
            i += 1
        entry.value = text[start:i].rstrip(_BLANK)
        return i, True

    # --- features ----------------------------------------------------------

    def _feature(self, keyword, line, installable):
        feature = self._by_name.get(keyword)
        if feature is None:
            feature = Feature(keyword, line)
            feature.installable = installable
            self._by_name[keyword] = feature
            self.features.append(feature)
        return feature

    def _build(self):
        open_feature = None
        in_group = False
        ui_keywords = set()
        for e in self.entries:
            if e.keyword in ("OpenUI", "JCLOpenUI"):
                ui_keywords.add(e.option.lstrip("*"))
        for e in self.entries:
            kw = e.keyword
            if kw == "OpenGroup" and (e.value or "").split() == ["InstallableOptions"]:
                if in_group:
                    self._problem(e.line, "InstallableOptions group opened twice")
                in_group = True
            elif kw == "CloseGroup" and (e.value or "").split() == ["InstallableOptions"]:
                in_group = False
            elif kw in ("OpenUI", "JCLOpenUI"):
                if open_feature is not None:
                    self._problem(e.line, "*%s opened while *%s is still open"
                                  % (e.option, open_feature.keyword))
                feature = self._feature(e.option.lstrip("*"), e.line, in_group)
                feature.translation = e.translation
                feature.ui_type = (e.value or "").strip()
                feature.jcl = kw == "JCLOpenUI"
                open_feature = feature
            elif kw in ("CloseUI", "JCLCloseUI"):
                name = (e.value or "").strip().lstrip("*")
                if open_feature is None or name != open_feature.keyword:
                    self._problem(e.line, "*%s: %s does not close the open feature"
                                  % (kw, e.value))
                else:
                    open_feature.closed = True
                open_feature = None
            elif kw.startswith("Default") and kw[7:] in ui_keywords:
                feature = self._feature(kw[7:], e.line, in_group)
                if feature.default is None:
                    feature.default = (e.value or "").strip()
                    feature.default_line = e.line
                    feature.default_in_block = open_feature is feature
            elif kw in ui_keywords and e.option:
                feature = self._feature(kw, e.line, in_group)
                if feature.option(e.option) is None:
                    feature.options.append(Option(e))
        if open_feature is not None:
            self._problem(open_feature.line, "*%s is never closed"
                          % open_feature.keyword)
        if in_group:
            self._problem(0, "InstallableOptions group is never closed")
        # The library lists ordinary features first, then installable ones.
        self.features.sort(key=lambda f: f.installable)

    # --- queries -----------------------------------------------------------

    def feature(self, keyword):
        return self._by_name.get(keyword)

    def find_options(self, prefix):
        """The feature whose options a prefix lookup of the library returns."""
        for feature in self.features:
            if feature.keyword.startswith(prefix):
                return feature
        return None

    def values(self, keyword):
        return [e for e in self.entries if e.keyword == keyword]

    def value(self, keyword):
        found = self.values(keyword)
        return found[0].value if found else None


def hex_decode(text):
    """Decodes <hex> runs as the PPD library does; raises ValueError."""
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c != "<":
            out.append(c)
            i += 1
            continue
        close = text.find(">", i)
        if close < 0:
            raise ValueError("'<' without '>'")
        digits = text[i + 1:close]
        if not re.fullmatch(r"(?:[0-9A-Fa-f]{2})*", digits):
            raise ValueError("bad hex digits <%s>" % digits)
        out.extend(chr(int(digits[j:j + 2], 16)) for j in range(0, len(digits), 2))
        i = close + 1
    return "".join(out)
