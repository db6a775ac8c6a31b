#!/usr/bin/env python3
"""Tests of scripts/check-sample-ppd and the sample PPDs in data/.

The shipped PPDs must pass.  Each fault case copies a shipped PPD, makes one
edit that breaks something the driver relies on, and expects the check to fail
with a message that names the fault; the edit itself is asserted to apply, so
a case cannot pass by editing nothing.

Run: python3 tests/data_ppd/check_sample_ppd_test.py  (needs cupstestppd, gs)
"""

import os
import shutil
import subprocess
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECK = os.path.join(ROOT, "scripts", "check-sample-ppd")
COLOUR = os.path.join(ROOT, "data", "VRX48T7-PSN.ppd")
MONO = os.path.join(ROOT, "data", "VRX48T7-PSN-mono.ppd")


def run_check(*paths):
    proc = subprocess.run([CHECK, *paths], stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, timeout=300)
    return proc.returncode, proc.stdout.decode("latin-1")


class ShippedPpds(unittest.TestCase):
    def test_both_sample_ppds_pass(self):
        status, out = run_check(COLOUR, MONO)
        self.assertEqual(status, 0, out)
        self.assertIn("check-sample-ppd: all passed", out)
        self.assertNotIn("FAIL", out)
        # Every feature's invocations really ran: 127 for the colour PPD.
        self.assertIn("VRX48T7-PSN.ppd: 127 invocations run through Ghostscript", out)
        self.assertIn("VRX48T7-PSN-mono.ppd: 111 invocations", out)

    def test_default_arguments_check_the_data_folder(self):
        status, out = run_check()
        self.assertEqual(status, 0, out)
        self.assertIn("data/VRX48T7-PSN.ppd", out)
        self.assertIn("data/VRX48T7-PSN-mono.ppd", out)

    def test_missing_file_fails(self):
        status, out = run_check(os.path.join(ROOT, "data", "no-such.ppd"))
        self.assertEqual(status, 1, out)
        self.assertIn("no such file", out)

    def test_mono_variant_is_grayscale_and_colour_one_is_not(self):
        with open(MONO, encoding="latin-1") as f:
            mono = f.read()
        with open(COLOUR, encoding="latin-1") as f:
            colour = f.read()
        self.assertIn("*ColorDevice: False", mono)
        self.assertIn("*ColorDevice: True", colour)
        for keyword in ("ImageIntent", "GraphicsIntent", "ImageProcessGray",
                        "GraphicsProcessGray", "Separations"):
            self.assertNotIn("*OpenUI *%s/" % keyword, mono)
            self.assertIn("*OpenUI *%s/" % keyword, colour)


# name: (source PPD, [(old text, new text), ...], text expected in the output)
FAULTS = {
    # --- PostScript that a printer would refuse or run wrongly ---
    "undefined_operator": (COLOUR, [(
        '*Resolution 600dpi/600 dpi: "<< /HWResolution [600 600] >> setpagedevice"',
        '*Resolution 600dpi/600 dpi: "<< /HWResolution [600 600] >> setpagedevce"')],
        "*Resolution 600dpi (line"),
    "undefined_operator_message": (COLOUR, [(
        '*Resolution 600dpi/600 dpi: "<< /HWResolution [600 600] >> setpagedevice"',
        '*Resolution 600dpi/600 dpi: "<< /HWResolution [600 600] >> setpagedevce"')],
        "PostScript error: /undefined"),
    "syntax_error_in_multiline_code": (COLOUR, [(
        "  << /PageSize [ 5 -2 roll ] /ImagingBBox null >> setpagedevice\"",
        "  << /PageSize [ 5 -2 roll ] /ImagingBBox null >> setpagedevice }\"")],
        "*CustomPageSize True (612 x 792): PostScript error: /syntaxerror"),
    "operand_left_on_stack": (COLOUR, [(
        "{ statusdict begin true settonersave end } if\"",
        "{ statusdict begin true settonersave end } if 1\"")],
        "*MiserMode True (line"),
    "operand_left_on_stack_message": (COLOUR, [(
        "{ statusdict begin true settonersave end } if\"",
        "{ statusdict begin true settonersave end } if 1\"")],
        "leaves 1 operand(s) on the stack"),
    "dictionary_left_open": (COLOUR, [(
        "{ statusdict begin true setsmoothing end } if\"",
        "{ statusdict begin true setsmoothing } if\"")],
        "*Smoothing True (line"),
    "custom_size_code_ignores_its_operands": (COLOUR, [(
        "  pop pop pop\n  << /PageSize [ 5 -2 roll ]",
        "  pop pop pop pop pop\n  << /PageSize [ 612 792 ]")],
        "sets /PageSize [612 792] for a custom size of 300 x 1300"),
    "wrong_value_for_option": (COLOUR, [(
        "{ statusdict begin true settonersave end } if\"",
        "{ statusdict begin false settonersave end } if\"")],
        "*MiserMode True (line"),
    "wrong_value_for_option_message": (COLOUR, [(
        "{ statusdict begin true settonersave end } if\"",
        "{ statusdict begin false settonersave end } if\"")],
        "passes false to the printer, expected true"),
    "wrong_operand_type": (COLOUR, [(
        "{ statusdict begin /High setimagehalftone end } if\"",
        "{ statusdict begin 2 setimagehalftone end } if\"")],
        "setimagehalftone wants a nametype, got 2"),
    "wrong_halftone_name": (MONO, [(
        "{ statusdict begin /General setgraphicshalftone end } if\"",
        "{ statusdict begin /High setgraphicshalftone end } if\"")],
        "*GraphicsHalftone General (line"),
    "misspelt_guarded_operator": (COLOUR, [(
        "  statusdict /settrayswitch known\n  { statusdict begin true settrayswitch end }",
        "  statusdict /settrayswich known\n  { statusdict begin true settrayswich end }")],
        "*TraySwitch True (line"),
    "misspelt_guarded_operator_message": (COLOUR, [(
        "  statusdict /settrayswitch known\n  { statusdict begin true settrayswitch end }",
        "  statusdict /settrayswich known\n  { statusdict begin true settrayswich end }")],
        "calls no printer operator"),
    "page_size_differs_from_paper_dimension": (COLOUR, [(
        '*PageSize A4/A4: "<< /PageSize [595 842] /ImagingBBox null >> setpagedevice"',
        '*PageSize A4/A4: "<< /PageSize [595 824] /ImagingBBox null >> setpagedevice"')],
        "*PageSize A4 (line"),
    "page_region_differs_from_paper_dimension": (MONO, [(
        '*PageRegion Legal/Legal: "<< /PageSize [612 1008] /ImagingBBox null >> setpagedevice"',
        '*PageRegion Legal/Legal: "<< /PageSize [612 792] /ImagingBBox null >> setpagedevice"')],
        "sets /PageSize [612 792] but *PaperDimension Legal"),
    "resolution_differs_from_keyword": (COLOUR, [(
        '*Resolution 1200dpi/1200 dpi: "<< /HWResolution [1200 1200] >> setpagedevice"',
        '*Resolution 1200dpi/1200 dpi: "<< /HWResolution [600 600] >> setpagedevice"')],
        "*Resolution 1200dpi (line"),
    "quality_mode_resolution_differs_from_paired_resolution": (COLOUR, [(
        "  << /HWResolution [600 600] >> setpagedevice\n"
        "  statusdict /setimagequality known\n"
        "  { statusdict begin true setimagequality end } if",
        "  << /HWResolution [1200 1200] >> setpagedevice\n"
        "  statusdict /setimagequality known\n"
        "  { statusdict begin true setimagequality end } if")],
        "*QualityMode 2400dpiIQ (line"),
    "duplex_tumble_wrong": (COLOUR, [(
        '*Duplex DuplexTumble/Short Edge: "<< /Duplex true /Tumble true >> setpagedevice"',
        '*Duplex DuplexTumble/Short Edge: "<< /Duplex true /Tumble false >> setpagedevice"')],
        "*Duplex DuplexTumble (line"),
    "media_name_differs_from_driver": (COLOUR, [(
        '*MediaType Plain/Plain Paper: "<< /MediaType (Plain Paper) >> setpagedevice"',
        '*MediaType Plain/Plain Paper: "<< /MediaType (Plain) >> setpagedevice"')],
        "sets /MediaType (Plain), not the option's media name (Plain Paper)"),
    "manual_feed_slot_without_manual_feed": (COLOUR, [(
        '"<< /ManualFeed true /MediaPosition 1 >> setpagedevice"',
        '"<< /ManualFeed false /MediaPosition 1 >> setpagedevice"')],
        "*InputSlot Manual (line"),
    "unquoted_invocation": (COLOUR, [(
        '*Separations True/Separations: "<< /Separations true >> setpagedevice"',
        '*Separations True/Separations: True')],
        "*Separations True (line"),

    # --- what the plug-ins read from the PPD ---
    "miser_mode_options_reordered": (COLOUR, [(
        '*MiserMode False/Off: "\n  statusdict /settonersave known\n'
        '  { statusdict begin false settonersave end } if"\n*End\n',
        ''), (
        '*CloseUI: *MiserMode',
        '*MiserMode False/Off: "\n  statusdict /settonersave known\n'
        '  { statusdict begin false settonersave end } if"\n*End\n*CloseUI: *MiserMode')],
        "*MiserMode options are True False"),
    "installable_option_with_true_first": (MONO, [(
        '*OptionalDisk False/Not Installed: ""\n*OptionalDisk True/Installed: ""',
        '*OptionalDisk True/Installed: ""\n*OptionalDisk False/Not Installed: ""')],
        "*OptionalDisk options are True False"),
    "banner_feature_with_three_options": (COLOUR, [(
        '*HeaderPage True/On: ""',
        '*HeaderPage True/On: ""\n*HeaderPage Twice/Twice: ""')],
        "*HeaderPage options are False True Twice"),
    "default_outside_its_feature": (COLOUR, [(
        "*DefaultSmoothing: False\n", ""), (
        "*CloseUI: *Smoothing\n", "*CloseUI: *Smoothing\n*DefaultSmoothing: False\n")],
        "*DefaultSmoothing stands outside"),
    "default_names_no_option": (COLOUR, [(
        "*DefaultImageIntent: sRGB", "*DefaultImageIntent: AdobeRGB")],
        "*DefaultImageIntent: AdobeRGB is not one of its options"),
    "quality_option_outside_quality_table": (COLOUR, [(
        "*QualityMode 2400dpiIQ/2400 Image Quality:",
        "*QualityMode ImageQ/2400 Image Quality:")],
        "*QualityMode ImageQ begins with no name of the quality table"),
    "two_quality_options_for_one_number": (COLOUR, [(
        "*QualityMode 2400dpiIQ/2400 Image Quality:",
        "*QualityMode 1200dpiIQ/1200 Image Quality:")],
        "both stand for quality 3"),
    "halftone_option_missing": (MONO, [(
        '*ImageHalftone General/General: "\n  statusdict /setimagehalftone known\n'
        '  { statusdict begin /General setimagehalftone end } if"\n*End\n', "")],
        "*ImageHalftone options are Low High"),
    "intent_option_renamed": (COLOUR, [(
        "*GraphicsIntent SatsRGB/Saturated sRGB:",
        "*GraphicsIntent SatRGB/Saturated sRGB:")],
        "*GraphicsIntent options are None Contrast Vivid sRGB SatRGB"),
    "colour_features_on_grayscale_device": (COLOUR, [(
        "*ColorDevice: True\n*DefaultColorSpace: CMYK\n*Extensions: CMYK\n",
        "*ColorDevice: False\n*DefaultColorSpace: Gray\n")],
        "grayscale device with the colour feature *ImageIntent"),
    "colour_device_without_intents": (MONO, [(
        "*ColorDevice: False\n*DefaultColorSpace: Gray\n",
        "*ColorDevice: True\n*DefaultColorSpace: CMYK\n")],
        "feature *ImageIntent is missing"),
    "media_types_reordered": (COLOUR, [(
        '*MediaType Transparency/Transparency: "<< /MediaType (Transparency) >> setpagedevice"\n',
        ''), (
        '*MediaType Labels/Labels: "<< /MediaType (Labels) >> setpagedevice"\n',
        '*MediaType Labels/Labels: "<< /MediaType (Labels) >> setpagedevice"\n'
        '*MediaType Transparency/Transparency: "<< /MediaType (Transparency) >> setpagedevice"\n')],
        "host media types 256 to 259"),
    "manual_feed_slot_moved": (COLOUR, [(
        '*InputSlot Manual/Manual Feed Tray: "<< /ManualFeed true /MediaPosition 1 >> setpagedevice"\n',
        ''), (
        '*InputSlot Envelope/Envelope Feeder:',
        '*InputSlot Manual/Manual Feed Tray: "<< /ManualFeed true /MediaPosition 1 >> setpagedevice"\n'
        '*InputSlot Envelope/Envelope Feeder:')],
        "*InputSlot option 5 (paper source 261) is 'Tray 5'"),
    "installable_option_outside_group": (COLOUR, [(
        "*OpenGroup: InstallableOptions/Options Installed\n", ""), (
        "*CloseUI: *Optionalduplexer\n",
        "*CloseUI: *Optionalduplexer\n\n*OpenGroup: InstallableOptions/Options Installed\n")],
        "*OptionalDisk stands outside the InstallableOptions group"),
    "unknown_installable_option": (COLOUR, [(
        "*CloseGroup: InstallableOptions",
        "*OpenUI *OptionalStapler/Stapler: Boolean\n"
        "*OrderDependency: 10 AnySetup *OptionalStapler\n"
        "*DefaultOptionalStapler: False\n"
        '*OptionalStapler False/Not Installed: ""\n'
        '*OptionalStapler True/Installed: ""\n'
        "*CloseUI: *OptionalStapler\n*CloseGroup: InstallableOptions")],
        "installable option *OptionalStapler is not one the UI plug-in knows"),
    "feature_listed_before_its_prefix": (COLOUR, [(
        "*OpenUI *QualityMode/Print Quality: PickOne",
        "*OpenUI *QualityModeSet/Quality Set: PickOne\n"
        "*OrderDependency: 12 AnySetup *QualityModeSet\n"
        "*DefaultQualityModeSet: A\n"
        '*QualityModeSet A/A: ""\n'
        "*CloseUI: *QualityModeSet\n\n"
        "*OpenUI *QualityMode/Print Quality: PickOne")],
        "feature *QualityModeSet is listed before *QualityMode"),
    "option_keyword_too_long": (COLOUR, [(
        '*OptionalMemory 512MB/512 MB DIMM: ""',
        '*OptionalMemory 512MBDualInlineMemoryModuleExpansionKitSet/512 MB DIMM: ""')],
        "longer than 40 characters"),
    "translation_too_long": (MONO, [(
        "*OpenUI *TraySwitch/Tray Switch: PickOne",
        "*OpenUI *TraySwitch/" + "Tray Switch " * 11 + ": PickOne")],
        "longer than 128 characters"),
    "job_timeout_beyond_16_bits": (COLOUR, [(
        '*SuggestedJobTimeout: "0"', '*SuggestedJobTimeout: "70000"')],
        "*SuggestedJobTimeout must be a whole number of seconds below 32768"),
    "custom_size_without_max_height": (COLOUR, [(
        '*MaxMediaHeight: "1368"\n', "")],
        "*MaxMediaHeight is missing"),
    "custom_size_limits_below_driver_check": (COLOUR, [(
        '*MaxMediaHeight: "1368"', '*MaxMediaHeight: "1290"')],
        "*MaxMediaHeight 1290 leaves the rendering plug-in's over-size check"),
    "font_outside_font_table": (COLOUR, [(
        '*Font Symbol:', '*Font Optima: Standard "(001.000)" Standard ROM\n*Font Symbol:')],
        "font Optima is not in the PPD library's font table"),
    "jcl_begin_with_universal_exit": (COLOUR, [(
        '*JCLBegin: "@PJL JOB<0A>"', '*JCLBegin: "<1B>%-12345X@PJL JOB<0A>"')],
        "*JCLBegin sends a universal exit"),
    "jcl_option_with_bad_hex": (COLOUR, [(
        '"@PJL SET AUTOCONT = ON<0A>"', '"@PJL SET AUTOCONT = ON<0G>"')],
        "*AutoContinue True: bad hex digits <0G>"),
    "jcl_option_without_line_feed": (COLOUR, [(
        '"@PJL SET AUTOCONT = OFF<0A>"', '"@PJL SET AUTOCONT = OFF"')],
        "*AutoContinue False must end with a line feed"),
    "constraint_on_missing_option": (COLOUR, [(
        "*UIConstraints: *Optionalfeeder False *InputSlot LargeCapacity\n",
        "*UIConstraints: *Optionalfeeder False *InputSlot LargeCapacity\n"
        "*UIConstraints: *Optionalfeeder False *InputSlot Tray9\n")],
        "*UIConstraints *Optionalfeeder False *InputSlot Tray9 names a feature"),

    # --- the PPD format itself (cupstestppd) ---
    "default_page_size_not_offered": (COLOUR, [(
        "*DefaultPageSize: A4", "*DefaultPageSize: A3")],
        "cupstestppd (exit status"),
    "required_keyword_missing": (MONO, [(
        '*PCFileName: "KX48T7PM.PPD"\n', "")],
        "cupstestppd (exit status"),
}


class FaultsAreCaught(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="check-sample-ppd-")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def run_fault(self, name):
        source, edits, expected = FAULTS[name]
        with open(source, encoding="latin-1") as f:
            text = f.read()
        for old, new in edits:
            self.assertEqual(text.count(old), 1,
                             "edit of %s does not apply once: %r" % (name, old))
            text = text.replace(old, new)
        path = os.path.join(self.tmp, name + ".ppd")
        with open(path, "w", encoding="latin-1") as f:
            f.write(text)
        status, out = run_check(path)
        self.assertEqual(status, 1, "fault %s was not caught:\n%s" % (name, out))
        self.assertIn(expected, out, "fault %s: message missing" % name)
        self.assertIn("check-sample-ppd: FAILED", out)


def _add_fault_test(name):
    def test(self):
        self.run_fault(name)
    test.__name__ = "test_" + name
    setattr(FaultsAreCaught, test.__name__, test)


for _name in FAULTS:
    _add_fault_test(_name)


if __name__ == "__main__":
    unittest.main()
