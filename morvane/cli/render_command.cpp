// morvane-cli render: the picture the viewer's window of the given size would show, as PNG, SVG,
// PDF or Enhanced Metafile, from a master file, a selection of files or a status file.
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QSvgGenerator>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/core/cp1252.h"
#include "common/core/paths.h"
#include "common/qt/qpainter_canvas.h"
#include "morvane/cli/commands.h"
#include "morvane/core/draw.h"
#include "morvane/core/file_set.h"
#include "morvane/core/scaling.h"
#include "morvane/core/status_file.h"
#include "morvane/qt/metafile.h"

namespace morvane::cli {
namespace {

struct RenderOptions {
  std::string master;
  std::vector<std::string> files;
  std::string status;
  std::string output;
  std::string size = "800x600";
  bool topView = false;
  int zMode = -1;
  std::string scaling;
  bool relative = false;
  bool invertZ = false;
  std::string title;
  bool titleGiven = false;
  std::string saveStatus;
};

enum class Format { Png, Svg, Pdf, Emf, Unknown };

Format FormatOf(const std::string& path) {
  std::string ext = km::ExtensionOf(path);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "png") return Format::Png;
  if (ext == "svg") return Format::Svg;
  if (ext == "pdf") return Format::Pdf;
  if (ext == "emf") return Format::Emf;
  return Format::Unknown;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  unsigned w = 0, h = 0;
  char x = 0, extra = 0;
  if (std::sscanf(text.c_str(), "%u%c%u%c", &w, &x, &h, &extra) != 3 || (x != 'x' && x != 'X')) return false;
  if (w < 100 || h < 100 || w > 20000 || h > 20000) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const auto p = std::filesystem::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

int Usage(const std::string& text) {
  std::fprintf(stderr, "error: %s\n", text.c_str());
  return 2;
}

// Draws the picture on one painter; false when the viewer would show nothing.
bool PaintPicture(QPainter& painter, ViewerState& state, ViewState& view, int width, int height) {
  km::QPainterCanvas canvas(painter);
  return Paint(canvas, state, view, width, height);
}

bool WritePicture(ViewerState& state, ViewState& view, const std::string& out, Format format, int width, int height) {
  const QString path = QString::fromStdString(out);
  switch (format) {
    case Format::Png: {
      QImage image(width, height, QImage::Format_RGB32);
      image.fill(Qt::white);
      {
        QPainter painter(&image);
        if (!PaintPicture(painter, state, view, width, height)) return false;
      }
      return image.save(path, "PNG");
    }
    case Format::Svg: {
      QSvgGenerator svg;
      svg.setFileName(path);
      svg.setSize(QSize(width, height));
      svg.setViewBox(QRect(0, 0, width, height));
      svg.setResolution(96);
      svg.setTitle(QString::fromUtf8(km::Cp1252ToUtf8(state.Title)));
      QPainter painter;
      if (!painter.begin(&svg)) return false;
      const bool drawn = PaintPicture(painter, state, view, width, height);
      return painter.end() && drawn;
    }
    case Format::Pdf: {
      QPdfWriter pdf(path);
      pdf.setResolution(96);
      pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / 96.0, height * 72.0 / 96.0), QPageSize::Point));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      pdf.setTitle(QString::fromUtf8(km::Cp1252ToUtf8(state.Title)));
      QPainter painter;
      if (!painter.begin(&pdf)) return false;
      const bool drawn = PaintPicture(painter, state, view, width, height);
      return painter.end() && drawn;
    }
    case Format::Emf:  // written by SaveMetafile, which reports its own failures
    case Format::Unknown:
      break;
  }
  return false;
}

int Render(const RenderOptions& o) {
  const int sources = !o.master.empty() + !o.files.empty() + !o.status.empty();
  if (sources != 1) return Usage("give one of MASTER.raw, --files or --status");
  int width = 0, height = 0;
  if (!ParseSize(o.size, width, height)) return Usage("--size must be WIDTHxHEIGHT, each 100 to 20000 pixels");
  const Format format = FormatOf(o.output);
  if (format == Format::Unknown) return Usage("the output must end in .png, .svg, .pdf or .emf");

  CliMessageSink sink;
  ViewerState state;
  CreateDemoSet(state);
  bool loaded = false;
  if (!o.master.empty()) {
    const std::string path = Absolute(o.master);
    state.NumFiles = 0;
    loaded = OpenFileSet(state, sink, path);
    if (!loaded && sink.Errors() == 0)
      std::fprintf(stderr, "error: %s is no master file: its name holds neither \".raw\" nor \".RAW\"\n", path.c_str());
  } else if (!o.files.empty()) {
    if (static_cast<int>(o.files.size()) >= kMaxFiles) return Usage("at most 999 files can be shown together");
    std::string directory;
    for (size_t i = 0; i < o.files.size(); ++i) {
      const std::string path = Absolute(o.files[i]);
      const std::string dir = km::DirectoryOf(path);
      if (i == 0) directory = dir;
      if (dir != directory) return Usage("the selected files must lie in one directory");
      state.File[i + 1] = km::FileNameOf(path);
    }
    state.File[0] = directory;
    state.NumFiles = static_cast<int>(o.files.size()) + 1;
    loaded = OpenFileSet(state, sink, directory);
  } else {
    bool settingsRead = false;
    loaded = ReadStatusFile(state, sink, Absolute(o.status), nullptr, &settingsRead);
    // A status file whose set names no files (NumFiles 0 or 1) loads nothing, silently; the viewer
    // then shows the placeholder set with the file's settings, and so does this picture.
    if (!loaded && settingsRead && sink.Errors() == 0) {
      std::fprintf(stderr, "warning: %s names no raw data files to load (NumFiles %d); the placeholder set is drawn\n",
                   o.status.c_str(), state.NumFiles);
      loaded = true;
    }
  }
  if (!loaded) return 1;

  if (o.zMode >= 0) state.ZMode = o.zMode;
  if (!o.scaling.empty()) ChooseScaling(state, o.scaling == "sqrt" ? kSquareRoot : o.scaling == "log" ? kLogarithm : kLinear);
  if (o.relative) state.RelativeIntensities = true;
  if (o.invertZ) state.InvertZ = true;
  if (o.topView) state.TopView = true;
  if (o.titleGiven) state.Title = km::Utf8ToCp1252(o.title);

  // A new window: the faces come from the status file, or are the default cube.
  ViewState view;
  state.SavedFront = state.Front;
  state.SavedBack = state.Back;
  state.RangesDirty = true;
  if (format == Format::Emf) {
    if (!SaveMetafile(sink, o.output, state, view, width, height)) {
      if (sink.Errors() == 0) std::fprintf(stderr, "error: %s cannot be written\n", o.output.c_str());
      return 1;
    }
  } else if (!WritePicture(state, view, o.output, format, width, height)) {
    std::fprintf(stderr, "error: %s cannot be written\n", o.output.c_str());
    return 1;
  }
  if (!o.saveStatus.empty() && !WriteStatusFile(state, sink, o.saveStatus)) return 1;
  return 0;
}

}  // namespace

void AddRenderCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* cmd = app.add_subcommand("render", "Draw a series of raw data files as the viewer shows it");
  cmd->add_option("master", options->master, "master file (its related files are drawn)");
  cmd->add_option("--files", options->files, "the raw data files of a selection, in one directory");
  cmd->add_option("--status", options->status, "a status file (.kzs) to load");
  cmd->add_option("-o,--output", options->output, "the picture: .png, .svg, .pdf or .emf")->required();
  cmd->add_option("--size", options->size, "window size WIDTHxHEIGHT (default 800x600)");
  cmd->add_flag("--top-view", options->topView, "draw the top view instead of the waterfall");
  cmd->add_option("--zmode", options->zMode, "the Z quantity on the depth axis: 0, 1 or 2")->check(CLI::Range(0, 2));
  cmd->add_option("--scaling", options->scaling, "intensity scaling")->check(CLI::IsMember({"linear", "sqrt", "log"}));
  cmd->add_flag("--relative", options->relative, "each diagram relative to its own maximum, in percent");
  cmd->add_flag("--invert-z", options->invertZ, "the largest Z on the front face");
  cmd->add_option("--title", options->title, "title drawn under the picture")
      ->each([options](const std::string&) { options->titleGiven = true; });
  cmd->add_option("--save-status", options->saveStatus, "also write the status file of the picture");
  cmd->callback([options, &exitCode] { exitCode = Render(*options); });
}

}  // namespace morvane::cli
