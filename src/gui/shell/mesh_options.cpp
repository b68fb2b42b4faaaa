#include "shell/mesh_options.h"

#include "orvandel/commands/option_text.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/writers/simplified_surface.h"

namespace orvandel::gui {
namespace {

// One option of the dialog. A new option of the true-scale formats is one more entry.
struct MeshOptionEntry {
  const char* caption;
  const char* name;     // the name its text is kept under between runs
  const char* initial;  // the text before the first use
  void (*take)(const std::string& text, MeshOptions& options);  // throws Refusal
};

const MeshOptionEntry kMeshOptionEntries[] = {
    {"&Vertical scale: every height times", "verticalScale", "1",
     [](const std::string& text, MeshOptions& options) {
       options.vertical_scale = VerticalScaleFromText(text);
     }},
    {"&Base: a solid with a flat bottom this many map units below the lowest point "
     "(empty for none)",
     "base", "",
     [](const std::string& text, MeshOptions& options) { options.base = BaseFromText(text); }},
    {"&Largest error: how far the surface may lie above or below any grid vertex's height, "
     "in map units (0: without loss)",
     "maxError", "0",
     [](const std::string& text, MeshOptions& options) {
       options.surface = SimplifiedSurface(MaxErrorFromText(text));
     }},
};

MeshOptions ReadMeshOptions(const QStringList& texts) {
  MeshOptions options;
  for (std::size_t i = 0; i < std::size(kMeshOptionEntries); ++i) {
    const QString text = texts.value(static_cast<qsizetype>(i));
    if (!text.isEmpty()) kMeshOptionEntries[i].take(text.toStdString(), options);
  }
  return options;
}

}  // namespace

std::optional<MeshOptions> AskMeshOptions(UserDialogs& dialogs, DesktopSettings& settings) {
  QList<TypedValue> values;
  for (const MeshOptionEntry& entry : kMeshOptionEntries)
    values.append({entry.caption, settings.Text(entry.name).value_or(entry.initial)});
  while (const std::optional<QStringList> texts = dialogs.AskValues("Mesh options", values)) {
    for (qsizetype i = 0; i < values.size(); ++i)
      values[i].text = texts->value(i);
    try {
      const MeshOptions options = ReadMeshOptions(*texts);
      for (qsizetype i = 0; i < values.size(); ++i)
        settings.SetText(kMeshOptionEntries[i].name, values[i].text);
      return options;
    } catch (const Refusal& refusal) {
      dialogs.ShowError(QString::fromStdString(MessageText(refusal)));
    }
  }
  return std::nullopt;
}

}  // namespace orvandel::gui
