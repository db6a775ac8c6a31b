#include "hostsim/document_copier.h"

#include <vector>

namespace kx::hostsim {

using namespace host;

namespace {

// The document's lines, each with its own line end.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const size_t length = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

bool Is(std::string_view line, std::string_view comment) { return line.starts_with(comment); }

bool EndsHeader(std::string_view line) {
  return !Is(line, "%%") || Is(line, "%%EndComments") || Is(line, "%%BeginProlog") ||
         Is(line, "%%BeginSetup") || Is(line, "%%Page:") || Is(line, "%%BeginDefaults") ||
         Is(line, "%%Trailer") || Is(line, "%%EOF");
}

bool EndsPage(std::string_view line) {
  return Is(line, "%%Page:") || Is(line, "%%Trailer") || Is(line, "%%EOF");
}

// Where `showpage` stands as the last word of a line, or npos.
size_t ShowpagePosition(std::string_view line) {
  size_t end = line.size();
  while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r' || line[end - 1] == ' ' ||
                     line[end - 1] == '\t')) {
    --end;
  }
  constexpr std::string_view kShowpage = "showpage";
  if (end < kShowpage.size() || line.substr(end - kShowpage.size(), kShowpage.size()) != kShowpage) {
    return std::string_view::npos;
  }
  const size_t start = end - kShowpage.size();
  if (start > 0 && line[start - 1] != ' ' && line[start - 1] != '\t' && line[start - 1] != '}' &&
      line[start - 1] != ')') {
    return std::string_view::npos;
  }
  return start;
}

class Copier {
 public:
  Copier(HostDevice& device, std::string_view document, bool callPlugin)
      : device_(device), lines_(SplitLines(document)), callPlugin_(callPlugin) {}

  bool Run(std::string* error) {
    if (lines_.empty() || !Is(lines_[0], "%!PS-Adobe")) {
      *error = "not a DSC document: the first line must begin with %!PS-Adobe";
      return false;
    }
    if (!HasPages()) {
      *error = "not a DSC document: it has no %%Page: comments";
      return false;
    }
    Inject(PSINJECT_BEGINSTREAM);
    Copy(lines_[next_++]);
    Inject(PSINJECT_PSADOBE);
    CopyHeader();
    CopySection("%%BeginDefaults", "%%EndDefaults");
    CopyProlog();
    CopySetup();
    while (At("%%Page:")) CopyPage();
    CopyTrailer();
    Inject(PSINJECT_ENDSTREAM);
    if (failed_) *error = "the plug-in failed at injection point " + std::to_string(failedIndex_);
    return !failed_;
  }

 private:
  bool HasPages() const {
    for (std::string_view line : lines_) {
      if (Is(line, "%%Page:")) return true;
    }
    return false;
  }
  bool Done() const { return next_ >= lines_.size(); }
  bool At(std::string_view comment) const { return !Done() && Is(lines_[next_], comment); }

  void Copy(std::string_view line) {
    device_.HostWrite(line);
    if (!line.ends_with('\n')) device_.HostWrite("\n");
  }
  void Made(std::string_view comment) {
    device_.HostWrite(comment);
    device_.HostWrite("\n");
  }
  void Inject(DWORD index) {
    if (!callPlugin_) return;
    if (device_.Command(index) != S_OK && !failed_) {
      failed_ = true;
      failedIndex_ = index;
    }
  }
  // Copies lines up to the first that `stop` accepts (not copied).
  template <typename Stop>
  void CopyUntil(Stop stop) {
    while (!Done() && !stop(lines_[next_])) Copy(lines_[next_++]);
  }

  void CopyHeader() {
    CopyUntil(EndsHeader);
    Inject(PSINJECT_COMMENTS);
    if (At("%%EndComments")) {
      Copy(lines_[next_++]);
    } else {
      Made("%%EndComments");
    }
  }

  void CopySection(std::string_view begin, std::string_view end) {
    if (!At(begin)) return;
    CopyUntil([end](std::string_view line) { return Is(line, end); });
    if (!Done()) Copy(lines_[next_++]);
  }

  void CopyProlog() {
    if (At("%%BeginProlog")) {
      Copy(lines_[next_++]);
    } else {
      Made("%%BeginProlog");
    }
    Inject(PSINJECT_BEGINPROLOG);
    device_.HostWrite(kHostProcSet);
    CopyUntil([](std::string_view line) {
      return Is(line, "%%EndProlog") || Is(line, "%%BeginSetup") || EndsPage(line);
    });
    if (At("%%EndProlog")) {
      Copy(lines_[next_++]);
    } else {
      Made("%%EndProlog");
    }
  }

  void CopySetup() {
    const bool present = At("%%BeginSetup");
    if (present) {
      Copy(lines_[next_++]);
    } else {
      Made("%%BeginSetup");
    }
    Inject(PSINJECT_BEGINSETUP);
    device_.HostWrite(kHostSetup);
    if (present) {
      CopyUntil([](std::string_view line) { return Is(line, "%%EndSetup") || EndsPage(line); });
    }
    Inject(PSINJECT_ENDSETUP);
    if (At("%%EndSetup")) {
      Copy(lines_[next_++]);
    } else {
      Made("%%EndSetup");
    }
  }

  void CopyPageSetup() {
    const bool present = At("%%BeginPageSetup");
    if (present) {
      Copy(lines_[next_++]);
    } else {
      Made("%%BeginPageSetup");
    }
    Inject(PSINJECT_BEGINPAGESETUP);
    if (present) {
      CopyUntil([](std::string_view line) { return Is(line, "%%EndPageSetup") || EndsPage(line); });
    }
    Inject(PSINJECT_ENDPAGESETUP);
    if (At("%%EndPageSetup")) {
      Copy(lines_[next_++]);
    } else {
      Made("%%EndPageSetup");
    }
  }

  void CopyPage() {
    Copy(lines_[next_++]);
    // Page-level comments stay ahead of the page set-up.
    CopyUntil([](std::string_view line) {
      return !Is(line, "%%") || Is(line, "%%BeginPageSetup") || EndsPage(line);
    });
    CopyPageSetup();
    const size_t bodyStart = next_;
    size_t bodyEnd = bodyStart;
    while (bodyEnd < lines_.size() && !EndsPage(lines_[bodyEnd])) ++bodyEnd;
    size_t showpageLine = bodyEnd;
    for (size_t i = bodyEnd; i > bodyStart; --i) {
      if (ShowpagePosition(lines_[i - 1]) != std::string_view::npos) {
        showpageLine = i - 1;
        break;
      }
    }
    while (next_ < showpageLine) Copy(lines_[next_++]);
    if (showpageLine < bodyEnd) {
      std::string_view line = lines_[next_++];
      const size_t position = ShowpagePosition(line);
      if (position > 0) Copy(line.substr(0, position));
      Inject(PSINJECT_SHOWPAGE);
      Copy(line.substr(position));
    } else {
      Inject(PSINJECT_SHOWPAGE);
    }
    while (next_ < bodyEnd) Copy(lines_[next_++]);
  }

  void CopyTrailer() {
    CopyUntil([](std::string_view line) { return Is(line, "%%EOF"); });
    Inject(PSINJECT_EOF);
    if (At("%%EOF")) {
      Copy(lines_[next_++]);
    } else {
      Made("%%EOF");
    }
    CopyUntil([](std::string_view) { return false; });
  }

  HostDevice& device_;
  std::vector<std::string_view> lines_;
  size_t next_ = 0;
  bool callPlugin_;
  bool failed_ = false;
  DWORD failedIndex_ = 0;
};

}  // namespace

bool CopyDocument(HostDevice& device, std::string_view document, std::string* error) {
  return Copier(device, document, true).Run(error);
}

bool CopyDocumentWithoutPlugin(HostDevice& device, std::string_view document, std::string* error) {
  return Copier(device, document, false).Run(error);
}

std::string SampleDocument(int pages) {
  if (pages < 1) pages = 1;
  std::string text =
      "%!PS-Adobe-3.0\n"
      "%%Title: Sample\n"
      "%%Creator: kx48t7-render\n"
      "%%BoundingBox: 0 0 595 842\n"
      "%%Pages: " + std::to_string(pages) + "\n"
      "%%EndComments\n"
      "%%BeginProlog\n"
      "/SamplePage { % number\n"
      "  newpath 36 36 moveto 559 36 lineto 559 806 lineto 36 806 lineto closepath\n"
      "  2 setlinewidth stroke\n"
      "  /Helvetica-Bold findfont 48 scalefont setfont\n"
      "  72 720 moveto (Sample document) show\n"
      "  /Helvetica findfont 200 scalefont setfont\n"
      "  220 360 moveto 3 string cvs show\n"
      "} bind def\n"
      "%%EndProlog\n"
      "%%BeginSetup\n"
      "%%EndSetup\n";
  for (int page = 1; page <= pages; ++page) {
    const std::string number = std::to_string(page);
    text += "%%Page: " + number + " " + number + "\n";
    text += "%%BeginPageSetup\n%%EndPageSetup\n";
    text += number + " SamplePage\n";
    text += "showpage\n";
  }
  text += "%%Trailer\n%%EOF\n";
  return text;
}

}  // namespace kx::hostsim
