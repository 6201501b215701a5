#include "morvane/qt/metafile.h"

#include <unistd.h>

#include "common/core/file_access.h"
#include "common/qt/emf_canvas.h"
#include "morvane/core/draw.h"

namespace morvane {

bool SaveMetafile(km::MessageSink& sink, const std::string& path, ViewerState& state, ViewState& view,
                  int clientWidth, int clientHeight) {
  if (state.Busy || state.NumDiagrams == 0 || clientWidth <= 0 || clientHeight <= 0) return false;
  const km::Size size{clientWidth, clientHeight};
  km::EmfCanvas canvas(size, km::EmfCanvas::ScreenCaps(size));
  if (!canvas.IsOpen()) {
    sink.ShowOutOfMemory();
    return false;
  }
  if (!Paint(canvas, state, view, clientWidth, clientHeight)) return false;
  const auto bytes = canvas.Finish();
  if (!bytes) {
    sink.ShowOutOfMemory();
    return false;
  }
  // The file is opened only when the whole picture is ready, so a refusal leaves any old file as it was.
  km::OpenResult opened = km::OpenFileQuiet(path, km::OpenMode::Create);
  if (!opened.file) {
    sink.ShowError("Cannot write metafile - file in use.");
    return false;
  }
  const bool written = opened.file->WriteAt(0, bytes->data(), bytes->size());
  if (!opened.file->Close() || !written) {
    ::unlink(path.c_str());
    sink.ShowError(km::FormatMessage(km::CatalogText(km::msg::FileCannotBeCreated), "Metafile", path));
    return false;
  }
  return true;
}

}  // namespace morvane
