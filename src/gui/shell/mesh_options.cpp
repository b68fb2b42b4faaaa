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
  bool (*offered)(const OutputFormat& format) = nullptr;        // null: for every format
};

const MeshOptionEntry kMeshOptionEntries[] = {
    {"&Vertical scale: every height times", "verticalScale", "1",
     [](const std::string& text, MeshOptions& options) {
       options.vertical_scale = VerticalScaleFromText(text);
     }},
    {"&Base: a solid with a flat bottom this many map units (millimetres at a print width) "
     "below the lowest point (empty for none)",
     "base", "",
     [](const std::string& text, MeshOptions& options) { options.base = BaseFromText(text); }},
    {"&Largest error: how far the surface may lie above or below any grid vertex's height, "
     "in map units (0: without loss)",
     "maxError", "0",
     [](const std::string& text, MeshOptions& options) {
       options.surface = SimplifiedSurface(MaxErrorFromText(text));
     }},
    {"&Print width: millimetres from west to east, footprint centred, lowest point at "
     "height 0 (empty for map units at true scale)",
     "printWidth", "",
     [](const std::string& text, MeshOptions& options) {
       options.print_width = PrintWidthFromText(text);
     }},
    {"&Up axis: y or z (empty for the format's own)", "upAxis", "",
     [](const std::string& text, MeshOptions& options) { options.up = UpAxisFromText(text); },
     TakesUpAxis},
};

std::vector<const MeshOptionEntry*> EntriesOffered(const OutputFormat& format) {
  std::vector<const MeshOptionEntry*> entries;
  for (const MeshOptionEntry& entry : kMeshOptionEntries) {
    if (entry.offered == nullptr || entry.offered(format)) entries.push_back(&entry);
  }
  return entries;
}

MeshOptions ReadMeshOptions(const std::vector<const MeshOptionEntry*>& entries,
                            const QStringList& texts) {
  MeshOptions options;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const QString text = texts.value(static_cast<qsizetype>(i));
    if (!text.isEmpty()) entries[i]->take(text.toStdString(), options);
  }
  return options;
}

}  // namespace

std::optional<MeshOptions> AskMeshOptions(UserDialogs& dialogs, DesktopSettings& settings,
                                          const OutputFormat& format) {
  const std::vector<const MeshOptionEntry*> entries = EntriesOffered(format);
  QList<TypedValue> values;
  for (const MeshOptionEntry* entry : entries)
    values.append({entry->caption, settings.Text(entry->name).value_or(entry->initial)});
  while (const std::optional<QStringList> texts = dialogs.AskValues("Mesh options", values)) {
    for (qsizetype i = 0; i < values.size(); ++i)
      values[i].text = texts->value(i);
    try {
      const MeshOptions options = ReadMeshOptions(entries, *texts);
      for (qsizetype i = 0; i < values.size(); ++i)
        settings.SetText(entries[static_cast<std::size_t>(i)]->name, values[i].text);
      return options;
    } catch (const Refusal& refusal) {
      dialogs.ShowError(QString::fromStdString(MessageText(refusal)));
    }
  }
  return std::nullopt;
}

}  // namespace orvandel::gui
