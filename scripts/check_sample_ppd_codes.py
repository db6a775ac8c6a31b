#!/usr/bin/env python3
"""Runs every PostScript invocation of a PPD through Ghostscript.

Usage: check_sample_ppd_codes.py FILE.ppd [--gs PROGRAM] [--keep FILE.ps]

Every option of every PostScript UI feature (the quoted multi-line ones too)
and the custom page size code is run on its own inside save/restore, under
`stopped`, so a PostScript error is reported against its option.  Each
invocation must also leave the operand and dictionary stacks as it found them.

A small prolog gives Ghostscript what the printer has and Ghostscript lacks:
the printer's own statusdict operators, which here check their operand and
log the call, and a setpagedevice that logs each request before passing it
on.  From those logs the check also confirms what each option asks for: page
sizes equal to *PaperDimension, resolutions equal to the option keyword,
duplex, media and manual-feed settings that match the option, and printer
operators called with the value that the option keyword names.

JCL features (*JCLOpenUI) hold PJL, not PostScript; check_sample_ppd_rules.py
checks those.  Exit status 0 when every invocation passes, 1 otherwise.
"""

import argparse
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_sample_ppd_reader import (  # noqa: E402
    QUALITY_TABLE, Ppd, option_name, option_value)

# The printer's statusdict operators that the PPD may call, with the type of
# their one operand.
PRINTER_OPERATORS = {
    "settonersave": "booleantype",
    "setsmoothing": "booleantype",
    "setimagequality": "booleantype",
    "settrayswitch": "booleantype",
    "setimageprocessgray": "booleantype",
    "setgraphicsprocessgray": "booleantype",
    "setimagehalftone": "nametype",
    "setgraphicshalftone": "nametype",
    "setimageintent": "nametype",
    "setgraphicsintent": "nametype",
    "setprintquality": "nametype",
    "sethalftonescreen": "nametype",
}

# Features whose printer operator must receive the option keyword itself:
# True/False as a boolean, or the keyword as a name.
BOOLEAN_OPERATOR_FEATURES = {
    "MiserMode", "Smoothing", "ImageProcessGray", "GraphicsProcessGray",
    "TraySwitch",
}
NAME_OPERATOR_FEATURES = {
    "ImageHalftone", "GraphicsHalftone", "ImageIntent", "GraphicsIntent",
    "PrintQuality", "Halftones",
}

# Custom page sizes tried with the *CustomPageSize code: width, height.
CUSTOM_SIZES = [(612, 792), (300, 1300)]

PROLOG = r"""%!PS
/vx_state 10 dict def
/vx_realsetpagedevice /setpagedevice load def
/setpagedevice {
  dup type /dicttype ne { /setpagedevice cvx /typecheck signalerror } if
  dup { exch (VXSPD ) print =only ( ) print ==only (\n) print } forall
  vx_realsetpagedevice
} bind def
statusdict begin
%OPERATORS%
end
"""

OPERATOR_TEMPLATE = (
    "/%(name)s { dup type /%(type)s eq "
    "{ (VXCALL %(name)s ) print dup ==only (\\n) print pop } "
    "{ (VXERROR %(name)s wants a %(type)s, got ) print ==only (\\n) print stop } "
    "ifelse } bind def")

CASE_TEMPLATE = """(VXBEGIN %(index)d\\n) print flush
vx_state /sv save put
vx_state /dc countdictstack put
%(args)s
<%(hex)s> cvx stopped
  { (VXERROR ) print $error /errorname get ==only (\\n) print }
  { count 0 ne { (VXSTACK ) print count ==only (\\n) print } if }
  ifelse
countdictstack vx_state /dc get ne
  { (VXDICT ) print countdictstack ==only (\\n) print } if
clear cleardictstack
vx_state /sv get restore
(VXEND %(index)d\\n) print flush
"""


class Case:
    def __init__(self, label, feature, option, code, args=()):
        self.label = label
        self.feature = feature
        self.option = option      # Option record, or None for custom page size
        self.code = code
        self.args = args
        self.requests = []        # (key, value text) given to setpagedevice
        self.calls = []           # (operator, value text)
        self.errors = []
        self.complete = False


def collect_cases(ppd):
    cases = []
    for feature in ppd.features:
        if feature.jcl:
            continue
        for opt in feature.options:
            label = "*%s %s" % (feature.keyword, opt.keyword)
            if opt.code is None or not opt.quoted:
                cases.append(Case(label, feature.keyword, opt, None))
                continue
            cases.append(Case(label, feature.keyword, opt, opt.code))
    for e in ppd.values("CustomPageSize"):
        if e.option == "True":
            for width, height in CUSTOM_SIZES:
                cases.append(Case("*CustomPageSize True (%d x %d)" % (width, height),
                                  "CustomPageSize", None, e.value,
                                  (width, height, 0, 0, 0)))
    return cases


def build_program(cases):
    operators = "\n".join(OPERATOR_TEMPLATE % {"name": name, "type": kind}
                          for name, kind in sorted(PRINTER_OPERATORS.items()))
    parts = [PROLOG.replace("%OPERATORS%", operators)]
    for index, case in enumerate(cases):
        if case.code is None:
            continue
        parts.append(CASE_TEMPLATE % {
            "index": index,
            "args": " ".join(str(a) for a in case.args),
            "hex": case.code.encode("latin-1").hex(),
        })
    parts.append("(VXDONE\\n) print flush\n")
    return "".join(parts)


def run_gs(gs, program):
    proc = subprocess.run(
        [gs, "-q", "-dNOPAUSE", "-dBATCH", "-dNOSAFER", "-sDEVICE=nullpage", "-"],
        input=program.encode("latin-1"), stdout=subprocess.PIPE,
        stderr=subprocess.STDOUT, timeout=300)
    return proc.returncode, proc.stdout.decode("latin-1")


def parse_log(cases, log):
    current = None
    for line in log.splitlines():
        fields = line.split(" ", 2)
        tag = fields[0]
        if tag == "VXBEGIN":
            current = cases[int(fields[1])]
        elif tag == "VXEND":
            if current is not None:
                current.complete = True
            current = None
        elif current is None:
            continue
        elif tag == "VXSPD" and len(fields) == 3:
            current.requests.append((fields[1], fields[2]))
        elif tag == "VXCALL" and len(fields) == 3:
            current.calls.append((fields[1], fields[2]))
        elif tag == "VXERROR":
            current.errors.append("PostScript error: " + line[len("VXERROR "):])
        elif tag == "VXSTACK":
            current.errors.append("leaves %s operand(s) on the stack" % fields[1])
        elif tag == "VXDICT":
            current.errors.append("changes the dictionary stack (depth %s after)"
                                  % fields[1])


def numbers(text):
    return [float(x) for x in re.findall(r"-?\d+(?:\.\d*)?", text)]


def requested(case, key):
    values = [value for k, value in case.requests if k == key]
    return values[-1] if values else None


def check_effects(ppd, case):
    """What the option asks of the printer must match what the option says."""
    errors = []
    feature = case.feature
    keyword = case.option.keyword if case.option else None

    if feature in ("PageSize", "PageRegion"):
        dims = [e for e in ppd.values("PaperDimension") if e.option == keyword]
        size = requested(case, "PageSize")
        if not dims:
            errors.append("no *PaperDimension %s" % keyword)
        elif size is None:
            errors.append("does not set /PageSize")
        elif numbers(size) != numbers(dims[0].value):
            errors.append("sets /PageSize %s but *PaperDimension %s is \"%s\""
                          % (size, keyword, dims[0].value))
    elif feature == "CustomPageSize":
        size = requested(case, "PageSize")
        want = [float(case.args[0]), float(case.args[1])]
        if size is None or numbers(size) != want:
            errors.append("sets /PageSize %s for a custom size of %g x %g"
                          % (size, want[0], want[1]))
    elif feature == "Resolution":
        match = re.fullmatch(r"(\d+)(?:x(\d+))?dpi", keyword)
        res = requested(case, "HWResolution")
        if match is None:
            errors.append("option keyword is not of the form NNNdpi or NNNxMMMdpi")
        else:
            x = float(match.group(1))
            want = [x, float(match.group(2)) if match.group(2) else x]
            if res is None or numbers(res) != want:
                errors.append("sets /HWResolution %s, not [%g %g]"
                              % (res, want[0], want[1]))
    elif feature == "QualityMode":
        # The UI sets the host's Resolution to the first option that begins with
        # the same quality table name, else to the first option; both must ask
        # the printer for the same resolution.
        res = requested(case, "HWResolution")
        resolution = ppd.feature("Resolution")
        name = option_name(QUALITY_TABLE, option_value(QUALITY_TABLE, keyword))
        if res is None:
            errors.append("does not set /HWResolution")
        elif resolution is not None and resolution.options and name is not None:
            partner = next((o for o in resolution.options
                            if o.keyword.startswith(name)), resolution.options[0])
            match = re.fullmatch(r"(\d+)(?:x(\d+))?dpi", partner.keyword)
            if match:
                x = float(match.group(1))
                want = [x, float(match.group(2)) if match.group(2) else x]
                if numbers(res) != want:
                    errors.append("sets /HWResolution %s, but the UI pairs it with "
                                  "*Resolution %s" % (res, partner.keyword))
    elif feature == "Duplex":
        want = {"None": ("false", None), "DuplexNoTumble": ("true", "false"),
                "DuplexTumble": ("true", "true")}.get(keyword)
        if want is None:
            errors.append("unknown duplex option")
        else:
            if requested(case, "Duplex") != want[0]:
                errors.append("sets /Duplex %s" % requested(case, "Duplex"))
            if want[1] is not None and requested(case, "Tumble") != want[1]:
                errors.append("sets /Tumble %s" % requested(case, "Tumble"))
    elif feature == "MediaType":
        media = requested(case, "MediaType")
        if media != "(%s)" % case.option.translation:
            errors.append("sets /MediaType %s, not the option's media name (%s)"
                          % (media, case.option.translation))
    elif feature == "InputSlot":
        manual = requested(case, "ManualFeed")
        want = "true" if keyword == "Manual" else "false"
        if manual != want:
            errors.append("sets /ManualFeed %s (expected %s)" % (manual, want))

    if feature in BOOLEAN_OPERATOR_FEATURES:
        want = {"True": "true", "False": "false"}.get(keyword)
        values = [value for _, value in case.calls]
        if want is None:
            errors.append("option keyword is neither True nor False")
        elif values != [want]:
            errors.append("passes %s to the printer, expected %s"
                          % (" ".join(values) or "nothing", want))
    elif feature in NAME_OPERATOR_FEATURES:
        values = [value for _, value in case.calls]
        if values != ["/" + keyword]:
            errors.append("passes %s to the printer, expected /%s"
                          % (" ".join(values) or "nothing", keyword))

    if "statusdict" in (case.code or "") and not case.calls:
        errors.append("calls no printer operator: the statusdict operator it "
                      "guards with 'known' is not one the printer has (%s)"
                      % ", ".join(sorted(PRINTER_OPERATORS)))
    return errors


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("ppd")
    parser.add_argument("--gs", default="gs")
    parser.add_argument("--keep", help="also write the PostScript program here")
    args = parser.parse_args()

    ppd = Ppd(args.ppd)
    cases = collect_cases(ppd)
    program = build_program(cases)
    if args.keep:
        with open(args.keep, "w", encoding="latin-1") as f:
            f.write(program)
    status, log = run_gs(args.gs, program)
    parse_log(cases, log)

    failures = 0
    for case in cases:
        errors = list(case.errors)
        if case.code is None:
            errors.append("invocation is not a quoted string")
        elif not case.complete and not errors:
            errors.append("Ghostscript stopped before the end of this invocation")
        elif not errors:
            errors.extend(check_effects(ppd, case))
        where = " (line %d)" % case.option.line if case.option else ""
        for error in errors:
            print("FAIL %s: %s%s: %s" % (args.ppd, case.label, where, error))
            failures += 1

    ran = sum(1 for c in cases if c.code is not None)
    if "VXDONE" not in log or status != 0:
        print("FAIL %s: Ghostscript did not run the whole program (exit status %d); "
              "its output:" % (args.ppd, status))
        print("\n".join("    " + line for line in log.splitlines()
                        if not line.startswith(("VXBEGIN", "VXEND", "VXSPD", "VXCALL"))))
        failures += 1
    empty = sum(1 for c in cases if c.code is not None and not c.code.strip())
    print("%s: %d invocations run through Ghostscript (%d of them empty), "
          "%d printer operator calls, %d failure(s)"
          % (args.ppd, ran, empty, sum(len(c.calls) for c in cases), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
