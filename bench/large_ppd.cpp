#include "bench/large_ppd.h"

#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace kx::ppd::bench {
namespace {

// libcups refuses lines of 256 characters or more, so every line stays short.
constexpr int kPageSizes = 120;
constexpr int kInputSlots = 8;
constexpr int kInstallableFeatures = 24;
constexpr int kOptionsPerFeature = 12;

std::string Numbered(std::string_view stem, int number, int width) {
  std::string digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  }
  return std::string(stem) + digits;
}

void WriteHeader(std::ostream& out) {
  out << "*PPD-Adobe: \"4.3\"\n"
         "*% Synthetic PPD file written by the PPD load benchmark.\n"
         "*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
         "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
         "*PCFileName: \"KXLARGE.PPD\"\n*Manufacturer: \"Benchmark\"\n"
         "*Product: \"(Large Synthetic Printer)\"\n*ModelName: \"Large Synthetic Printer\"\n"
         "*ShortNickName: \"Large Synthetic\"\n*NickName: \"Large Synthetic Printer PS\"\n"
         "*PSVersion: \"(3010.107) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: True\n"
         "*DefaultColorSpace: CMYK\n*FreeVM: \"16000000\"\n*Protocols: PJL TBCP\n"
         "*TTRasterizer: Type42\n*LandscapeOrientation: Plus90\n"
         "*SuggestedJobTimeout: \"0\"\n*SuggestedWaitTimeout: \"300\"\n"
         "*PrintPSError: True\n*Extensions: CMYK FileSystem\n"
         "*JCLBegin: \"<1B>%-12345X@PJL JOB<0A>\"\n"
         "*JCLToPSInterpreter: \"@PJL ENTER LANGUAGE = POSTSCRIPT <0A>\"\n"
         "*JCLEnd: \"<1B>%-12345X@PJL EOJ <0A><1B>%-12345X\"\n"
         "*HWMargins: 12 12 12 12\n*MaxMediaWidth: \"900\"\n*MaxMediaHeight: \"1300\"\n"
         "*CustomPageSize True: \"pop pop pop <</PageSize [5 -2 roll]>>setpagedevice\"\n"
         "*End\n"
         "*ParamCustomPageSize Width: 1 points 200 900\n"
         "*ParamCustomPageSize Height: 2 points 200 1300\n"
         "*ParamCustomPageSize WidthOffset: 3 points 0 0\n"
         "*ParamCustomPageSize HeightOffset: 4 points 0 0\n"
         "*ParamCustomPageSize Orientation: 5 int 0 3\n";
}

void WriteBooleanFeature(std::ostream& out, const std::string& keyword, int number) {
  out << "*OpenUI *" << keyword << "/Installed option " << number << ": Boolean\n"
      << "*OrderDependency: 50 AnySetup *" << keyword << "\n"
      << "*Default" << keyword << ": False\n"
      << "*" << keyword << " True/Installed: \"\"\n"
      << "*" << keyword << " False/Not Installed: \"\"\n"
      << "*CloseUI: *" << keyword << "\n";
}

void WriteMemory(std::ostream& out) {
  out << "*OpenUI *InstalledMemory/Installed Memory: PickOne\n"
         "*DefaultInstalledMemory: Mem4\n";
  for (int i = 1; i <= 8; ++i) {
    out << "*InstalledMemory Mem" << i << "/" << 16 * i << " MB: \"\"\n";
  }
  out << "*CloseUI: *InstalledMemory\n";
  for (int i = 1; i <= 8; ++i) out << "*VMOption Mem" << i << ": \"" << 8000000 * i << "\"\n";
}

void WriteInstallableGroup(std::ostream& out) {
  out << "*OpenGroup: InstallableOptions/Installed Options\n";
  for (int i = 1; i <= kInstallableFeatures; ++i) {
    WriteBooleanFeature(out, Numbered("KxOption", i, 2), i);
  }
  WriteMemory(out);
  out << "*CloseGroup: InstallableOptions\n";
}

int PaperWidth(int size) { return 200 + 6 * size; }
int PaperHeight(int size) { return 300 + 8 * size; }

// One page-size keyword (PageSize or PageRegion) as a feature with every size.
void WriteSizeFeature(std::ostream& out, std::string_view keyword) {
  out << "*OpenUI *" << keyword << "/Media Size: PickOne\n"
      << "*OrderDependency: 30 AnySetup *" << keyword << "\n"
      << "*Default" << keyword << ": Size001\n";
  for (int i = 1; i <= kPageSizes; ++i) {
    out << "*" << keyword << " " << Numbered("Size", i, 3) << "/Paper size " << i
        << ": \"<</PageSize [" << PaperWidth(i) << " " << PaperHeight(i)
        << "] /ImagingBBox null>> setpagedevice\"\n";
  }
  out << "*CloseUI: *" << keyword << "\n";
}

void WritePageSizes(std::ostream& out) {
  WriteSizeFeature(out, "PageSize");
  WriteSizeFeature(out, "PageRegion");
  out << "*DefaultImageableArea: Size001\n";
  for (int i = 1; i <= kPageSizes; ++i) {
    out << "*ImageableArea " << Numbered("Size", i, 3) << ": \"12 12 " << PaperWidth(i) - 12
        << " " << PaperHeight(i) - 12 << "\"\n";
  }
  out << "*DefaultPaperDimension: Size001\n";
  for (int i = 1; i <= kPageSizes; ++i) {
    out << "*PaperDimension " << Numbered("Size", i, 3) << ": \"" << PaperWidth(i) << " "
        << PaperHeight(i) << "\"\n";
  }
}

void WriteInputSlots(std::ostream& out) {
  out << "*OpenUI *InputSlot/Paper Source: PickOne\n"
         "*OrderDependency: 20 AnySetup *InputSlot\n*DefaultInputSlot: Tray1\n";
  for (int i = 1; i <= kInputSlots; ++i) {
    out << "*InputSlot Tray" << i << "/Tray " << i << ": \"\n"
        << "  currentpagedevice /InputAttributes get " << i - 1 << " known\n"
        << "  { << /ManualFeed false /MediaPosition " << i - 1 << " >> setpagedevice } if\"\n"
        << "*End\n";
  }
  out << "*CloseUI: *InputSlot\n*RequiresPageRegion All: True\n";
}

void WriteJclFeatures(std::ostream& out) {
  out << "*JCLOpenUI *JCLResolution/Resolution: PickOne\n"
         "*OrderDependency: 10 JCLSetup *JCLResolution\n*DefaultJCLResolution: 600dpi\n";
  for (const int dpi : {300, 600, 1200, 2400}) {
    out << "*JCLResolution " << dpi << "dpi/" << dpi << " dpi: \"@PJL SET RESOLUTION = " << dpi
        << "<0A>\"\n";
  }
  out << "*JCLCloseUI: *JCLResolution\n"
         "*JCLOpenUI *JCLEconomode/Toner Saving: Boolean\n"
         "*OrderDependency: 10 JCLSetup *JCLEconomode\n*DefaultJCLEconomode: False\n"
         "*JCLEconomode False/Off: \"@PJL SET ECONOMODE = OFF<0A>\"\n"
         "*JCLEconomode True/On: \"@PJL SET ECONOMODE = ON<0A>\"\n"
         "*JCLCloseUI: *JCLEconomode\n";
}

// A feature with a dozen options whose invocations span several lines, as real drivers'
// halftone and colour options do. The translation carries an ISO 8859-1 letter, written
// in hex as translations must be: a raw byte above 0x7F would end the translation.
void WriteFeature(std::ostream& out, int number) {
  const std::string keyword = Numbered("KxFeature", number, 4);
  out << "*OpenUI *" << keyword << "/Qualit<E9> setting " << number << ": PickOne\n"
      << "*OrderDependency: " << 40 + number % 50 << " AnySetup *" << keyword << "\n"
      << "*Default" << keyword << ": Choice01\n";
  for (int i = 1; i <= kOptionsPerFeature; ++i) {
    const std::string option = Numbered("Choice", i, 2);
    out << "*" << keyword << " " << option << "/Setting " << number << " level " << i
        << ": \"\n  << /" << keyword << " (" << option << ") /Level " << i
        << " >> setpagedevice\n  userdict /kxsetting" << number << " " << i << " put\n"
        << "  currentpagedevice /HWResolution get 0 get 600 ge { " << i << " } { 0 } ifelse pop\"\n"
        << "*End\n";
  }
  out << "*CloseUI: *" << keyword << "\n";
}

void WriteConstraints(std::ostream& out, int features) {
  for (int i = 1; i < features; ++i) {
    const std::string first = Numbered("KxFeature", i, 4);
    const std::string second = Numbered("KxFeature", i + 1, 4);
    out << "*UIConstraints: *" << first << " Choice12 *" << second << " Choice01\n"
        << "*UIConstraints: *" << second << " Choice01 *" << first << " Choice12\n";
  }
  out << "*UIConstraints: *KxOption01 False *InputSlot Tray3\n"
         "*UIConstraints: *InputSlot Tray3 *KxOption01 False\n";
}

void WriteFonts(std::ostream& out) {
  constexpr std::string_view kLatin[] = {
      "AvantGarde-Book", "AvantGarde-BookOblique", "AvantGarde-Demi", "AvantGarde-DemiOblique",
      "Bookman-Demi", "Bookman-DemiItalic", "Bookman-Light", "Bookman-LightItalic",
      "Courier", "Courier-Bold", "Courier-BoldOblique", "Courier-Oblique",
      "Helvetica", "Helvetica-Bold", "Helvetica-BoldOblique", "Helvetica-Narrow",
      "Helvetica-Narrow-Bold", "Helvetica-Narrow-BoldOblique", "Helvetica-Narrow-Oblique",
      "Helvetica-Oblique", "NewCenturySchlbk-Bold", "NewCenturySchlbk-BoldItalic",
      "NewCenturySchlbk-Italic", "NewCenturySchlbk-Roman", "Palatino-Bold",
      "Palatino-BoldItalic", "Palatino-Italic", "Palatino-Roman", "Symbol", "Times-Bold",
      "Times-BoldItalic", "Times-Italic", "Times-Roman", "ZapfChancery-MediumItalic",
      "ZapfDingbats", "Arial", "Arial-Bold", "Arial-BoldOblique", "Arial-Oblique"};
  constexpr std::string_view kJapaneseSuffixes[] = {
      "-83pv-RKSJ-H", "-Add-H", "-Add-RKSJ-H", "-Add-RKSJ-V", "-Add-V", "-EUC-H", "-EUC-V",
      "-Ext-H", "-Ext-RKSJ-H", "-Ext-RKSJ-V", "-Ext-V", "-H", "-NWP-H", "-NWP-V",
      "-RKSJ-H", "-RKSJ-UserGaiji", "-RKSJ-V", "-V"};
  out << "*DefaultFont: Courier\n";
  for (std::string_view name : kLatin) {
    out << "*Font " << name << ": Standard \"(001.007S)\" Standard ROM\n";
  }
  for (std::string_view family : {"Ryumin-Light", "GothicBBB-Medium"}) {
    for (std::string_view suffix : kJapaneseSuffixes) {
      out << "*Font " << family << suffix << ": RKSJ \"(003.001)\" 83pv Disk\n";
    }
  }
}

}  // namespace

std::uintmax_t WriteLargePpd(const std::filesystem::path& file, std::uintmax_t minimumBytes) {
  std::ofstream out(file, std::ios::binary);
  WriteHeader(out);
  WriteInstallableGroup(out);
  WritePageSizes(out);
  WriteInputSlots(out);
  WriteJclFeatures(out);
  // Ordinary features fill the file up to its size; the tables and fonts come after them.
  int features = 0;
  while (out && static_cast<std::uintmax_t>(out.tellp()) < minimumBytes) {
    WriteFeature(out, ++features);
  }
  WriteConstraints(out, features);
  WriteFonts(out);
  out.close();
  if (!out) return 0;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  return error ? 0 : size;
}

}  // namespace kx::ppd::bench
