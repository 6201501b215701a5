// keltor-cli plot: the workbench window's two plots of a file, drawn into a PNG, SVG or PDF picture.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <memory>
#include <regex>

#include "common/core/messages.h"
#include "common/core/raw_file.h"
#include "common/qt/qpainter_canvas.h"
#include "keltor/cli/commands.h"
#include "keltor/core/raw_file_plot_source.h"
#include "keltor/core/workbench_plot.h"

namespace keltor::cli {

namespace {

// Fonts and painting need an application object; without a display the offscreen platform serves.
void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "keltor-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

std::string Lowered(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool Render(const std::string& out, QSize size, const std::function<void(km::Canvas&, km::Rect)>& draw) {
  const std::string lower = Lowered(out);
  const km::Rect client{0, 0, size.width(), size.height()};
  const auto paint = [&](QPaintDevice& device) {
    QPainter painter(&device);
    if (!painter.isActive()) return false;
    km::QPainterCanvas canvas(painter);
    draw(canvas, client);
    return painter.end();
  };
  if (lower.ends_with(".png")) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return paint(image) && image.save(QString::fromStdString(out), "PNG");
  }
  if (lower.ends_with(".svg")) {
    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString(out));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Raw data plot"));
    return paint(svg);
  }
  QPdfWriter pdf(QString::fromStdString(out));
  pdf.setResolution(96);
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setPageSize(QPageSize(QSizeF(size.width() * 25.4 / 96, size.height() * 25.4 / 96), QPageSize::Millimeter));
  return paint(pdf);
}

}  // namespace

void AddPlotCommand(CLI::App& app, int& exitCode) {
  struct Options {
    std::string file, out, size = "1000x800";
  };
  auto options = std::make_shared<Options>();
  auto* cmd = app.add_subcommand("plot", "Draw the workbench's plots of a raw data file (PNG, SVG or PDF)");
  cmd->add_option("FILE", options->file, "Raw data file")->required()->check(CLI::ExistingFile);
  cmd->add_option("-o,--output", options->out, "Picture to write: .png, .svg or .pdf")
      ->required()
      ->check([](const std::string& s) {
        const std::string l = Lowered(s);
        return l.ends_with(".png") || l.ends_with(".svg") || l.ends_with(".pdf") ? std::string()
                                                                                   : "OUT must end in .png, .svg or .pdf";
      });
  cmd->add_option("--size", options->size, "Picture size in pixels, WxH (default 1000x800)")
      ->check([](const std::string& s) {
        return std::regex_match(s, std::regex("[0-9]{2,5}x[0-9]{2,5}")) ? std::string() : "SIZE must be WxH";
      });

  cmd->callback([options, &exitCode] {
    km::ConsoleMessageSink sink;
    exitCode = 1;
    if (options->out == options->file) {
      sink.ShowError("the picture would overwrite the raw data file");
      return;
    }
    const int width = std::stoi(options->size.substr(0, options->size.find('x')));
    const int height = std::stoi(options->size.substr(options->size.find('x') + 1));
    if (width < 50 || height < 50 || width > 20000 || height > 20000) {
      sink.ShowError("the picture size must lie between 50x50 and 20000x20000");
      return;
    }

    km::RawFileHeader header{};
    if (!km::ReadRawHeader(sink, options->file, header)) return;
    if (header.RangeInMeasurement != 0) {
      sink.ShowError("This file is currently being measured.");
      return;
    }
    if (header.TotalPointCount < 1 || header.MeasuredRangeCount < 1) {
      sink.ShowError(km::CatalogText(km::msg::NoData));
      return;
    }

    EnsureGuiApplication();
    RawFilePlotSource source(sink, options->file);
    WorkbenchPlot plot;
    plot.FileChanged(source, true);
    if (sink.ErrorCount() > 0 || !plot.HasLoadedRanges()) return;
    PlotFileState state;
    state.DocumentPath = options->file;
    state.OpenedRangeCount = header.MeasuredRangeCount;
    state.WorkingRangeCount = header.MeasuredRangeCount;
    const bool written = Render(options->out, QSize(width, height),
                                [&](km::Canvas& canvas, km::Rect client) { plot.Paint(canvas, client, state); });
    if (!written) {
      sink.ShowError("cannot write " + options->out);
      return;
    }
    exitCode = 0;
  });
}

}  // namespace keltor::cli
